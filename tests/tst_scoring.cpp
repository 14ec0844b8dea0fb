// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answerkey.h"
#include "command1_click.h"
#include "headlessform.h"
#include "runtimeerror.h"

#include <QLocale>
#include <QScopeGuard>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The answer key split by kind: the text fields with their right texts, in
// question order, and the right options.
QStringList keyedControls(bool options)
{
    QStringList controls;
    for (const KeyedAnswer &answer : answerKey)
        if (answer.isOption() == options)
            controls << QString::fromLatin1(answer.control);
    return controls;
}

QStringList keyedTexts()
{
    QStringList texts;
    for (const KeyedAnswer &answer : answerKey)
        if (!answer.isOption())
            texts << answer.text;
    return texts;
}

const QStringList textFields = keyedControls(false);
const QStringList correctTexts = keyedTexts();
const QStringList correctOptions = keyedControls(true);
const QStringList noTexts(6);

HeadlessForm formWith(const QStringList &texts, const QStringList &options)
{
    HeadlessForm form;
    for (qsizetype index = 0; index < textFields.size(); ++index)
        form.texts[textFields[index]] = texts[index];
    for (const QString &option : options)
        form.selected[option] = true;
    return form;
}

QStringList correctExcept(qsizetype index, const QString &answer)
{
    QStringList texts = correctTexts;
    texts[index] = answer;
    return texts;
}

} // namespace

class ScoringTest : public QObject
{
    Q_OBJECT

private slots:
    void scoresAnswers_data();
    void scoresAnswers();
    void replacesEarlierScore_data();
    void replacesEarlierScore();
    void scoresUnderAnyLocale_data();
    void scoresUnderAnyLocale();
    void failedAccessLeavesAnswersAlone_data();
    void failedAccessLeavesAnswersAlone();
    void scoresAfterAnAnswerChanges();
};

void ScoringTest::scoresAnswers_data()
{
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("score");

    QTest::newRow("all empty") << noTexts << QStringList() << u"0"_s;
    QTest::newRow("all correct") << correctTexts << correctOptions << u"25"_s;

    // Each question alone scores exactly its points.
    for (const KeyedAnswer &answer : answerKey) {
        QStringList texts = noTexts, options;
        if (answer.isOption())
            options << QString::fromLatin1(answer.control);
        else
            texts[textFields.indexOf(QLatin1StringView(answer.control))] = answer.text;
        QTest::addRow("only %s", answer.control)
            << texts << options << QString::number(answer.points);
    }
    QTest::newRow("first and last")
        << QStringList{correctTexts[0]} + QStringList(5) << QStringList{u"O13"_s} << u"5"_s;

    // Near misses score nothing for their question; everything else is right.
    QTest::newRow("capital first letter")
        << correctExcept(0, u"Бронза"_s) << correctOptions << u"24"_s;
    QTest::newRow("trailing blank") << correctExcept(0, u"бронза "_s) << correctOptions << u"24"_s;
    QTest::newRow("leading blank") << correctExcept(0, u" бронза"_s) << correctOptions << u"24"_s;
    QTest::newRow("Latin look-alikes")
        << correctExcept(0, u"бpoнзa"_s) << correctOptions << u"24"_s;
    QTest::newRow("all capitals") << correctExcept(1, u"ВЫСОКОПРОЧНЫЙ"_s) << correctOptions
                                  << u"23"_s;
    QTest::newRow("per cent sign") << correctExcept(2, u"10%"_s) << correctOptions << u"23"_s;
    QTest::newRow("10,0") << correctExcept(2, u"10,0"_s) << correctOptions << u"23"_s;
    QTest::newRow("010") << correctExcept(2, u"010"_s) << correctOptions << u"23"_s;
    QTest::newRow("decimal point") << correctExcept(3, u"0.12"_s) << correctOptions << u"22"_s;
    QTest::newRow("1,50") << correctExcept(4, u"1,50"_s) << correctOptions << u"23"_s;
    QTest::newRow("decomposed й") << correctExcept(5, u"алюмини\u0438\u0306"_s) << correctOptions
                                  << u"21"_s;

    // Only the right option of each group counts, and only for its own question.
    QTest::newRow("O8 has O13's caption") << noTexts << QStringList{u"O8"_s} << u"0"_s;
    QTest::newRow("O8 instead of O5")
        << correctTexts << QStringList{u"O3"_s, u"O8"_s, u"O11"_s, u"O13"_s} << u"23"_s;
    QStringList wrongOptions;
    for (int number = 1; number <= 17; ++number)
        wrongOptions << u"O%1"_s.arg(number);
    for (const QString &option : correctOptions)
        wrongOptions.removeOne(option);
    QTest::newRow("every wrong option") << noTexts << wrongOptions << u"0"_s;
}

void ScoringTest::scoresAnswers()
{
    QFETCH(QStringList, texts);
    QFETCH(QStringList, options);
    QFETCH(QString, score);

    HeadlessForm form = formWith(texts, options);
    const HeadlessForm before = form;

    Command1_Click(form);
    QCOMPARE(form.texts[u"T7"_s], score);

    // The answers are never touched, and a second click agrees with the first.
    form.texts[u"T7"_s] = before.texts[u"T7"_s];
    QCOMPARE(form.texts, before.texts);
    QCOMPARE(form.selected, before.selected);
    Command1_Click(form);
    QCOMPARE(form.texts[u"T7"_s], score);
}

void ScoringTest::replacesEarlierScore_data()
{
    QTest::addColumn<QString>("earlier");

    for (const QString &earlier :
         {u""_s, u"abc"_s, u"99"_s, u"-1"_s, u"1e400"_s, u"   "_s, u"25"_s})
        QTest::newRow(qPrintable(u'"' + earlier + u'"')) << earlier;
}

void ScoringTest::replacesEarlierScore()
{
    QFETCH(QString, earlier);

    HeadlessForm empty = formWith(noTexts, {});
    empty.texts[u"T7"_s] = earlier;
    Command1_Click(empty);
    QCOMPARE(empty.texts[u"T7"_s], u"0"_s);

    HeadlessForm correct = formWith(correctTexts, correctOptions);
    correct.texts[u"T7"_s] = earlier;
    Command1_Click(correct);
    QCOMPARE(correct.texts[u"T7"_s], u"25"_s);
}

void ScoringTest::scoresUnderAnyLocale_data()
{
    QTest::addColumn<QString>("locale");

    for (const char *locale :
         {"ru_RU", "de_DE", "de_CH", "fr_FR", "en_US", "C", "ar_EG", "fa_IR", "hi_IN"})
        QTest::newRow(locale) << QString::fromLatin1(locale);
}

void ScoringTest::scoresUnderAnyLocale()
{
    QFETCH(QString, locale);

    const QLocale saved;
    QLocale::setDefault(QLocale(locale));
    const auto restore = qScopeGuard([&] { QLocale::setDefault(saved); });

    HeadlessForm correct = formWith(correctTexts, correctOptions);
    Command1_Click(correct);
    QCOMPARE(correct.texts[u"T7"_s], u"25"_s);

    HeadlessForm empty = formWith(noTexts, {});
    Command1_Click(empty);
    QCOMPARE(empty.texts[u"T7"_s], u"0"_s);

    // The decimal answers are text, whatever separator the locale uses.
    HeadlessForm point = formWith(correctExcept(3, u"0.12"_s), correctOptions);
    Command1_Click(point);
    QCOMPARE(point.texts[u"T7"_s], u"22"_s);
}

void ScoringTest::failedAccessLeavesAnswersAlone_data()
{
    QTest::addColumn<QString>("control");

    for (const QString &control : textFields + correctOptions + QStringList{u"T7"_s})
        QTest::newRow(qPrintable(control)) << control;
}

void ScoringTest::failedAccessLeavesAnswersAlone()
{
    QFETCH(QString, control);

    HeadlessForm form = formWith(correctTexts, correctOptions);
    const HeadlessForm before = form;
    form.failingControls.insert(control);

    try {
        Command1_Click(form);
        QFAIL("the click went on past a failed access");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), RuntimeError::ControlAccessFailed);
        QVERIFY2(error.description().contains(u'«' + control + u'»'),
                 qPrintable(error.description()));
    }
    for (const QString &field : textFields)
        QCOMPARE(form.texts[field], before.texts[field]);
    QCOMPARE(form.selected, before.selected);
}

void ScoringTest::scoresAfterAnAnswerChanges()
{
    HeadlessForm form = formWith(correctTexts, correctOptions);
    Command1_Click(form);
    QCOMPARE(form.texts[u"T7"_s], u"25"_s);

    form.texts[u"T6"_s] = u"Алюминий"_s;
    form.selected[u"O13"_s] = false;
    form.selected[u"O14"_s] = true;
    Command1_Click(form);
    QCOMPARE(form.texts[u"T7"_s], u"17"_s);
}

QTEST_GUILESS_MAIN(ScoringTest)
#include "tst_scoring.moc"

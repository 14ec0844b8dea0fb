// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answerkey.h"
#include "form1.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <random>
#include <set>

using namespace Qt::StringLiterals;

namespace {

const auto &questions = answerKey;

constexpr qsizetype hugeLength = 1 << 20; // 2 MiB in UTF-16

QString repeatedTo(const QString &text, qsizetype length)
{
    return text.repeated(length / text.size() + 1).left(length);
}

// Answers that are wrong by an invisible or odd character, or by sheer size;
// each one is built around the right answer so only an exact check rejects it.
struct Hostile
{
    const char *name;
    std::function<QString(const QString &answer)> make;
    bool huge = false;
};

const Hostile hostileAnswers[] = {
    {"zero-width space after", [](const QString &answer) { return answer + u'\u200B'; }},
    {"zero-width space inside",
     [](const QString &answer) { return answer.left(1) + u'\u200B' + answer.mid(1); }},
    {"NUL after", [](const QString &answer) { return answer + QChar(0); }},
    {"NUL before", [](const QString &answer) { return QChar(0) + answer; }},
    {"lone high surrogate", [](const QString &answer) { return answer + QChar(0xD800); }},
    {"lone low surrogate", [](const QString &answer) { return QChar(0xDC00) + answer; }},
    {"right-to-left mark", [](const QString &answer) { return u'\u200F' + answer; }},
    {"right-to-left override",
     [](const QString &answer) { return u'\u202E' + answer + u'\u202C'; }},
    {"combining acute", [](const QString &answer) { return answer + u'\u0301'; }},
    {"emoji", [](const QString &answer) { return answer + u"🔥"_s; }},
    {"1 MB of the answer", [](const QString &answer) { return repeatedTo(answer, hugeLength); },
     true},
    {"1 MB of all of these",
     [](const QString &answer) {
         return repeatedTo(answer + QChar(0) + QChar(0xD800) + u"\u200F\u0301🔥\u202E\u200B"_s +
                               QChar(0xDC00),
                           hugeLength);
     },
     true},
};

qint64 residentKibibytes()
{
#ifdef Q_OS_WASM
    // A browser's program holds its memory in one block that only grows,
    // in pages of 64 KiB: the block grows if the clicks leak.
    return qint64(__builtin_wasm_memory_size(0)) * 64;
#else
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
#endif
}

} // namespace

// The real window scored over and over with answers built to trip it up.
class AbuseTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void fieldsHoldHostileAnswers_data();
    void fieldsHoldHostileAnswers();
    void scoresHostileAnswersExactly();

private:
    template <typename Control> Control *control(const char *name)
    {
        return window->findChild<Control *>(QLatin1StringView(name));
    }

    std::unique_ptr<Form1> window;
};

void AbuseTest::init()
{
    window = std::make_unique<Form1>();
    for (const KeyedAnswer &question : questions)
        QVERIFY2(question.isOption() ? !!control<QRadioButton>(question.control)
                                     : !!control<QLineEdit>(question.control),
                 question.control);
    QVERIFY(control<QLineEdit>("T7"));
    QVERIFY(control<QPushButton>("Command1"));
}

void AbuseTest::cleanup()
{
    window.reset();
}

void AbuseTest::fieldsHoldHostileAnswers_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");

    for (const KeyedAnswer &question : questions)
        if (!question.isOption())
            for (const Hostile &hostile : hostileAnswers)
                QTest::addRow("%s, %s", question.control, hostile.name)
                    << QString::fromLatin1(question.control) << hostile.make(question.text);
}

// What the user pastes is what gets scored: no character dropped, none cut off.
void AbuseTest::fieldsHoldHostileAnswers()
{
    QFETCH(QString, field);
    QFETCH(QString, text);

    QLineEdit *edit = control<QLineEdit>(qPrintable(field));
    edit->setText(text);
    QCOMPARE(edit->text().size(), text.size());
    QVERIFY(edit->text() == text);
}

// Ten thousand clicks through the window, each with some answers right and
// the rest wrong in a hostile way. Every score is checked against the points
// of the answers that are exactly right, and memory must settle.
void AbuseTest::scoresHostileAnswersExactly()
{
    constexpr int clicks = 10'000;
    constexpr int settledClick = 1'000;
    // A field keeps the layout of its text, about 1 MB for a huge one, so
    // resident memory rises and falls with how many fields hold one. The first
    // two clicks and every thousandth put a huge text in every field: memory
    // peaks before it is measured, and is measured only at that peak. Other
    // wrong answers are huge only now and then: laying one out takes time.
    constexpr unsigned hugeOneIn = 2048;

    // Built once and reused: a click sets texts, it never builds them.
    QList<QStringList> nearMissTexts, hugeTexts;
    QList<QRadioButton *> rightOptions;
    QList<QList<QRadioButton *>> wrongOptions;
    for (const KeyedAnswer &question : questions) {
        QStringList nearMisses, huge;
        QList<QRadioButton *> others;
        if (question.isOption()) {
            // Choosing another option of the same group unchecks the right one.
            QRadioButton *right = control<QRadioButton>(question.control);
            for (QRadioButton *option : right->parentWidget()->findChildren<QRadioButton *>())
                if (option != right)
                    others << option;
            QVERIFY2(!others.isEmpty(), question.control);
            rightOptions << right;
        } else {
            for (const Hostile &hostile : hostileAnswers)
                (hostile.huge ? huge : nearMisses) << hostile.make(question.text);
            rightOptions << nullptr;
        }
        nearMissTexts << nearMisses;
        hugeTexts << huge;
        wrongOptions << others;
    }

    // A run-time error would open a modal message box; close it and fail.
    QStringList errors;
    QTimer closer;
    connect(&closer, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            errors << box->text();
            box->reject();
        }
    });
    closer.start(50);

    QPushButton *command1 = control<QPushButton>("Command1");
    QLineEdit *score = control<QLineEdit>("T7");
    std::minstd_rand draw(20'250'601);
    std::set<int> scoresSeen;
    qint64 settledResident = 0;
    for (int click = 1; click <= clicks; ++click) {
        const bool allHuge = click <= 2 || click % settledClick == 0;
        const unsigned rightAnswers = allHuge ? 0 : draw() % (1u << std::size(questions));
        int expected = 0;
        for (qsizetype index = 0; index < qsizetype(std::size(questions)); ++index) {
            const KeyedAnswer &question = questions[index];
            const bool right = rightAnswers & (1u << index);
            if (right)
                expected += question.points;
            if (QRadioButton *rightOption = rightOptions[index]) {
                const QList<QRadioButton *> &others = wrongOptions[index];
                (right ? rightOption : others[draw() % others.size()])->setChecked(true);
                QCOMPARE(rightOption->isChecked(), right);
            } else {
                const QStringList &huge = hugeTexts[index], &nearMisses = nearMissTexts[index];
                const QString &text = right     ? question.text
                                      : allHuge ? huge[click % huge.size()]
                                      : draw() % hugeOneIn == 0
                                          ? huge[draw() % huge.size()]
                                          : nearMisses[draw() % nearMisses.size()];
                control<QLineEdit>(question.control)->setText(text);
            }
        }

        command1->click();
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(u'\n')));
        QVERIFY2(score->text() == QString::number(expected),
                 qPrintable(
                     u"click %1: %2 instead of %3"_s.arg(click).arg(score->text()).arg(expected)));
        scoresSeen.insert(expected);

        if (click == settledClick)
            settledResident = residentKibibytes();
    }
    const qint64 finalResident = residentKibibytes();
    qInfo("VmRSS at click %d: %lld KiB; at click %d: %lld KiB", settledClick, settledResident,
          clicks, finalResident);
    QCOMPARE(scoresSeen.size(), size_t(26));
    QVERIFY(settledResident > 0);
#ifdef __SANITIZE_ADDRESS__
    // Freed memory waits in AddressSanitizer's quarantine, so resident memory
    // grows there by design; LeakSanitizer checks for leaks in that build.
#else
    QVERIFY2(finalResident - settledResident <= 1024,
             qPrintable(u"grew by %1 KiB"_s.arg(finalResident - settledResident)));
#endif
}

QTEST_MAIN(AbuseTest)
#include "tst_abuse.moc"

// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "answerkey.h"
#include "form1.h"
#include "showandactivate.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The whole quiz driven as a user drives it: keyboard and mouse only.
class QuizTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void scoresOneClickOfTheExample();
    void scoresEveryCorrectAnswer_data();
    void scoresEveryCorrectAnswer();
    void scoresAgainAfterAnAnswerChanges();
    void reportsRuntimeErrorAndKeepsAnswers();

private:
    QLineEdit *field(const char *name) { return window->findChild<QLineEdit *>(name); }
    QString score() { return field("T7")->text(); }
    void type(const char *name, const QString &text);
    void select(const char *name);
    void clickCommand1();
    void answerEverything();

    std::unique_ptr<Form1> window;
};

void QuizTest::init()
{
    window = std::make_unique<Form1>();
    QVERIFY(showAndActivate(window.get()));
}

void QuizTest::cleanup()
{
    window.reset();
}

void QuizTest::type(const char *name, const QString &text)
{
    QLineEdit *answer = field(name);
    QTest::mouseClick(answer, Qt::LeftButton);
    QTest::keySequence(answer, QKeySequence::SelectAll);
    for (const QChar character : text) // keyClicks() knows only ASCII
        QTest::sendKeyEvent(QTest::Click, answer, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
    QCOMPARE(answer->text(), text);
}

void QuizTest::select(const char *name)
{
    auto *option = window->findChild<QRadioButton *>(name);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    QVERIFY(option->isChecked());
}

void QuizTest::clickCommand1()
{
    QTest::mouseClick(window->findChild<QPushButton *>("Command1"), Qt::LeftButton);
}

void QuizTest::answerEverything()
{
    for (const KeyedAnswer &answer : answerKey) {
        if (answer.isOption())
            select(answer.control);
        else
            type(answer.control, answer.text);
    }
}

void QuizTest::scoresOneClickOfTheExample()
{
    type("T1", u"бронза"_s);
    select("O5");
    QCOMPARE(score(), QString());
    clickCommand1();
    QCOMPARE(score(), u"3"_s);
}

void QuizTest::scoresEveryCorrectAnswer_data()
{
    QTest::addColumn<bool>("byKeyboard");

    QTest::newRow("mouse click") << false;
    QTest::newRow("Space on the focused button") << true;
}

void QuizTest::scoresEveryCorrectAnswer()
{
    QFETCH(bool, byKeyboard);

    answerEverything();
    QCOMPARE(score(), QString());
    if (byKeyboard) {
        // Tab on from the last question until the button has the focus.
        for (int tab = 0; tab < 5 && QApplication::focusWidget()->objectName() != u"Command1"_s;
             ++tab)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), u"Command1"_s);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    } else {
        clickCommand1();
    }
    QCOMPARE(score(), u"25"_s);
}

void QuizTest::scoresAgainAfterAnAnswerChanges()
{
    answerEverything();
    clickCommand1();
    QCOMPARE(score(), u"25"_s);

    // Typing and selecting leave the score alone until the next click.
    type("T6", u"Алюминий"_s);
    select("O16");
    select("O4");
    QCOMPARE(score(), u"25"_s);
    clickCommand1();
    QCOMPARE(score(), u"15"_s);
    clickCommand1();
    QCOMPARE(score(), u"15"_s);
}

void QuizTest::reportsRuntimeErrorAndKeepsAnswers()
{
    answerEverything();
    clickCommand1();
    QCOMPARE(score(), u"25"_s);

    // A control the scoring cannot reach makes its access fail.
    field("T5")->setObjectName(u"lost"_s);
    QString report;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        report = box->text();
        box->accept();
    });
    clickCommand1();

    QVERIFY2(report.contains(u"440"_s) && report.contains(u"«T5»"_s), qPrintable(report));
    QCOMPARE(score(), QString());
    QVERIFY(window->isVisible());
    QCOMPARE(field("T1")->text(), u"бронза"_s);
    QCOMPARE(window->findChild<QLineEdit *>(u"lost"_s)->text(), u"1,5"_s);
    QVERIFY(window->findChild<QRadioButton *>("O13")->isChecked());

    // The program goes on: mend the control and the next click scores again.
    window->findChild<QLineEdit *>(u"lost"_s)->setObjectName(u"T5"_s);
    clickCommand1();
    QCOMPARE(score(), u"25"_s);
}

QTEST_MAIN(QuizTest)
#include "tst_quiz.moc"

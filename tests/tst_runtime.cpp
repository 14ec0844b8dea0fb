// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversions.h"
#include "runtimeerror.h"

#include <QLocale>
#include <QScopeGuard>
#include <QTest>

#include <limits>

using namespace Qt::StringLiterals;

class RuntimeTest : public QObject
{
    Q_OBJECT

private slots:
    void comparesCodeUnits_data();
    void comparesCodeUnits();
    void scoresStayPlainDigits_data();
    void scoresStayPlainDigits();
    void rejectsTextThatIsNoNumber();
    void floatingPointFaults_data();
    void floatingPointFaults();
};

void RuntimeTest::comparesCodeUnits_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<bool>("same");

    QTest::newRow("equal") << u"бронза"_s << u"бронза"_s << true;
    QTest::newRow("both empty") << QString() << u""_s << true;
    QTest::newRow("case") << u"бронза"_s << u"Бронза"_s << false;
    QTest::newRow("trailing blank") << u"бронза"_s << u"бронза "_s << false;
    QTest::newRow("non-breaking space") << u"1,5"_s << u"1,5\u00a0"_s << false;
    QTest::newRow("composed and decomposed") << u"й"_s << u"\u0438\u0306"_s << false;
    QTest::newRow("Latin look-alike") << u"а"_s << u"a"_s << false;
    QTest::newRow("ё and е") << u"ё"_s << u"е"_s << false;
    QTest::newRow("prefix") << u"10"_s << u"1"_s << false;
    QTest::newRow("embedded NUL") << u"10"_s << QString(u"10\0"_s) << false;
}

void RuntimeTest::comparesCodeUnits()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(bool, same);

    QCOMPARE(sameText(left, right), same);
    QCOMPARE(sameText(right, left), same);
}

void RuntimeTest::scoresStayPlainDigits_data()
{
    QTest::addColumn<QString>("locale");

    // Native digits (Arabic, Persian, Hindi), odd separators, and no locale.
    for (const char *locale : {"ru_RU", "de_DE", "de_CH", "fr_FR", "en_US", "C", "POSIX", "ar_EG",
                               "fa_IR", "hi_IN", "bn_BD", "my_MM"})
        QTest::newRow(locale) << QString::fromLatin1(locale);
}

void RuntimeTest::scoresStayPlainDigits()
{
    QFETCH(QString, locale);

    const QLocale saved;
    QLocale::setDefault(QLocale(locale));
    const auto restore = qScopeGuard([&] { QLocale::setDefault(saved); });

    QCOMPARE(integerToText(0), u"0"_s);
    for (int score = 0; score <= 25; ++score) {
        const QString text = numberToText(score);
        QCOMPARE(text, QString::number(score));
        QCOMPARE(textToNumber(text), double(score));
    }
    // Fractions keep the locale's separator and read back to the same value.
    QCOMPARE(textToNumber(numberToText(1.5)), 1.5);
}

void RuntimeTest::rejectsTextThatIsNoNumber()
{
    for (const QString &text : {u""_s, u"abc"_s, u"1e400"_s}) {
        try {
            textToNumber(text);
            QFAIL(qPrintable(u"accepted "_s + text));
        } catch (const RuntimeError &error) {
            QCOMPARE(error.number(), RuntimeError::TypeMismatch);
        }
    }
}

void RuntimeTest::floatingPointFaults_data()
{
    QTest::addColumn<double>("left");
    QTest::addColumn<double>("right");
    QTest::addColumn<bool>("fault");

    const double largest = std::numeric_limits<double>::max();
    const double infinity = std::numeric_limits<double>::infinity();
    QTest::newRow("whole numbers") << 24.0 << 1.0 << false;
    QTest::newRow("inexact") << 0.1 << 0.2 << false;
    QTest::newRow("underflow") << 1e-308 << -9.99e-309 << false;
    QTest::newRow("overflow") << largest << largest << true;
    QTest::newRow("invalid") << infinity << -infinity << true;
    QTest::newRow("infinite operand") << infinity << 1.0 << true;
    QTest::newRow("operand not a number")
        << std::numeric_limits<double>::quiet_NaN() << 1.0 << true;
}

void RuntimeTest::floatingPointFaults()
{
    QFETCH(double, left);
    QFETCH(double, right);
    QFETCH(bool, fault);

    volatile double operand = left; // keep the sum from being folded at compile time
    const double sum = operand + right;
    bool raised = false;
    try {
        checkFloatingPointResult(sum);
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), RuntimeError::FloatingPointFault);
        raised = true;
    }
    QCOMPARE(raised, fault);

    // Division by zero, which an addition cannot raise.
    volatile double zero = 0.0;
    QVERIFY_THROWS_EXCEPTION(RuntimeError, checkFloatingPointResult(1.0 / zero));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, checkFloatingPointResult(zero / zero));
}

QTEST_GUILESS_MAIN(RuntimeTest)
#include "tst_runtime.moc"

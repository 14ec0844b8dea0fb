#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

// Comparison and number conversions for the score, all of them exact and
// free of surprises under any locale.

// Equal code unit by code unit: case-sensitive, no trimming, no
// normalisation, no locale rules.
bool sameText(QStringView left, QStringView right);

QString integerToText(std::int16_t value);

// Reads a number written in plain C notation or in the user's locale.
// Raises RuntimeError on text that is not a number.
double textToNumber(const QString &text);

// The general number format of the user's locale, with ASCII digits and no
// grouping, so whole numbers always come out as plain digits.
QString numberToText(double value);

// Floating-point status around the score arithmetic: clear before, check
// after. The check raises RuntimeError on an invalid operation, a division
// by zero or an overflow. It takes the result just computed, so that the
// compiler cannot move the computation past the test.
void clearFloatingPointStatus();
void checkFloatingPointStatus(double result);

// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

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

// Checks the result of the score arithmetic: raises RuntimeError where an
// invalid operation, a division by zero or an overflow gave a result that is
// not a finite number. The result itself is the test, so it reads the same on
// every processor, WebAssembly's included, which keeps no floating-point
// status flags; an operand that was already infinite or not a number is
// caught as well.
void checkFloatingPointResult(double result);

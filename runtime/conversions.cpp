// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conversions.h"

#include "runtimeerror.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <iterator>

bool sameText(QStringView left, QStringView right)
{
    return left.compare(right, Qt::CaseSensitive) == 0;
}

QString integerToText(std::int16_t value)
{
    return QString::number(value);
}

double textToNumber(const QString &text)
{
    // Plain C notation first: it is what the score holds, and it is cheap,
    // where the user's locale asks the system for its separators each time.
    bool ok = false;
    double value = QLocale::c().toDouble(text, &ok);
    if (!ok)
        value = QLocale().toDouble(text, &ok);
    if (!ok)
        throw RuntimeError::typeMismatch(text);
    return value;
}

QString numberToText(double value)
{
    // Qt would write native digits in some locales (Arabic, Persian); the
    // score must stay readable as plain digits, so only the separator is
    // taken from the locale.
    char digits[32];
    const char *end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
    QString text = QString::fromLatin1(digits, end - digits);
    const qsizetype point = text.indexOf(u'.');
    if (point >= 0)
        text.replace(point, 1, QLocale().decimalPoint());
    return text;
}

void checkFloatingPointResult(double result)
{
    if (!std::isfinite(result))
        throw RuntimeError::floatingPoint();
}

// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The quiz's answer key, written out once for the tests and benchmarks to hold
// the program to: in question order, the control that takes each answer, the
// right text (none where the answer is the option named by the control), and
// the points.
struct KeyedAnswer
{
    const char *control;
    QString text;
    int points;

    bool isOption() const { return text.isEmpty(); }
};

inline const KeyedAnswer answerKey[] = {
    {"T1", QStringLiteral("бронза"), 1},
    {"T2", QStringLiteral("высокопрочный"), 2},
    {"T3", QStringLiteral("10"), 2},
    {"T4", QStringLiteral("0,12"), 3},
    {"O3", {}, 2},
    {"O5", {}, 2},
    {"O11", {}, 3},
    {"T5", QStringLiteral("1,5"), 2},
    {"T6", QStringLiteral("алюминий"), 4},
    {"O13", {}, 4},
};

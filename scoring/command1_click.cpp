// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command1_click.h"

#include "conversions.h"
#include "form.h"

using namespace Qt::StringLiterals;

namespace {

// The running total lives only in T7: read it back, add, write it back.
void addToScore(Form &Form1, double points)
{
    const QString total = Form1.text(u"T7"_s);
    const double sum = textToNumber(total) + points;
    checkFloatingPointResult(sum);
    Form1.setText(u"T7"_s, numberToText(sum));
}

} // namespace

void Command1_Click(Form &Form1)
{
    Form1.setText(u"T7"_s, integerToText(0));

    // The answer key, in question order, with each question's points.
    if (sameText(Form1.text(u"T1"_s), u"бронза"))
        addToScore(Form1, 1.0);
    if (sameText(Form1.text(u"T2"_s), u"высокопрочный"))
        addToScore(Form1, 2.0);
    if (sameText(Form1.text(u"T3"_s), u"10"))
        addToScore(Form1, 2.0);
    if (sameText(Form1.text(u"T4"_s), u"0,12"))
        addToScore(Form1, 3.0);
    if (Form1.value(u"O3"_s) == TruthValue::True) // "с добавлением титана"
        addToScore(Form1, 2.0);
    if (Form1.value(u"O5"_s) == TruthValue::True) // "КУЗОЦМ"
        addToScore(Form1, 2.0);
    if (Form1.value(u"O11"_s) == TruthValue::True) // "Al-Mg"
        addToScore(Form1, 3.0);
    if (sameText(Form1.text(u"T5"_s), u"1,5"))
        addToScore(Form1, 2.0);
    if (sameText(Form1.text(u"T6"_s), u"алюминий"))
        addToScore(Form1, 4.0);
    if (Form1.value(u"O13"_s) == TruthValue::True) // "Красный выборжец"
        addToScore(Form1, 4.0);
}

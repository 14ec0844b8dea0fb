// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form.h"

#include <QHash>
#include <QSet>

// Form1's answer and score controls held in memory, so the scoring can be
// driven with no window. Any control can be told to fail its accesses.
class HeadlessForm : public Form
{
public:
    HeadlessForm();

    QHash<QString, QString> texts;    // T1-T7
    QHash<QString, bool> selected;    // O1-O17
    QSet<QString> failingControls;

protected:
    std::optional<QString> readText(const QString &textField) const override;
    bool writeText(const QString &textField, const QString &text) override;
    std::optional<bool> readSelected(const QString &optionButton) const override;
};

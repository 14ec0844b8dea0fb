// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "headlessform.h"

HeadlessForm::HeadlessForm()
{
    for (int number = 1; number <= 7; ++number)
        texts.insert(QStringLiteral("T%1").arg(number), QString());
    for (int number = 1; number <= 17; ++number)
        selected.insert(QStringLiteral("O%1").arg(number), false);
}

std::optional<QString> HeadlessForm::readText(const QString &textField) const
{
    const auto found = texts.constFind(textField);
    if (found == texts.cend() || failingControls.contains(textField))
        return std::nullopt;
    return *found;
}

bool HeadlessForm::writeText(const QString &textField, const QString &text)
{
    const auto found = texts.find(textField);
    if (found == texts.end() || failingControls.contains(textField))
        return false;
    *found = text;
    return true;
}

std::optional<bool> HeadlessForm::readSelected(const QString &optionButton) const
{
    const auto found = selected.constFind(optionButton);
    if (found == selected.cend() || failingControls.contains(optionButton))
        return std::nullopt;
    return *found;
}

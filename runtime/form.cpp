// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form.h"

#include "runtimeerror.h"

using namespace Qt::StringLiterals;

QString Form::text(const QString &textField) const
{
    std::optional<QString> text = readText(textField);
    if (!text)
        throw RuntimeError::controlAccess(textField, u"чтение текста"_s);
    return *std::move(text);
}

void Form::setText(const QString &textField, const QString &text)
{
    if (!writeText(textField, text))
        throw RuntimeError::controlAccess(textField, u"запись текста"_s);
}

TruthValue Form::value(const QString &optionButton) const
{
    const std::optional<bool> selected = readSelected(optionButton);
    if (!selected)
        throw RuntimeError::controlAccess(optionButton, u"чтение состояния"_s);
    return *selected ? TruthValue::True : TruthValue::False;
}

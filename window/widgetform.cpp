// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgetform.h"

#include <QLineEdit>
#include <QRadioButton>

std::optional<QString> WidgetForm::readText(const QString &textField) const
{
    if (const auto *field = window_->findChild<QLineEdit *>(textField))
        return field->text();
    return std::nullopt;
}

bool WidgetForm::writeText(const QString &textField, const QString &text)
{
    auto *field = window_->findChild<QLineEdit *>(textField);
    if (field)
        field->setText(text);
    return field;
}

std::optional<bool> WidgetForm::readSelected(const QString &optionButton) const
{
    if (const auto *option = window_->findChild<QRadioButton *>(optionButton))
        return option->isChecked();
    return std::nullopt;
}

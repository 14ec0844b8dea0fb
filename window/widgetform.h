// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "form.h"

class QWidget;

// Form1's widgets seen through the Form interface: each access looks the
// control up by name, so the adapter holds no state of its own.
class WidgetForm : public Form
{
public:
    explicit WidgetForm(QWidget *window) : window_(window) {}

protected:
    std::optional<QString> readText(const QString &textField) const override;
    bool writeText(const QString &textField, const QString &text) override;
    std::optional<bool> readSelected(const QString &optionButton) const override;

private:
    QWidget *window_;
};

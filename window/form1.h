// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "widgetform.h"

#include <QWidget>

#include <memory>

namespace Ui {
class Form1;
}

// The quiz window. Its layout lives in form1.ui; the code here sets what
// Designer cannot express and dispatches the one event the quiz handles.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

private slots:
    void dispatchCommand1Click();

private:
    std::unique_ptr<Ui::Form1> ui;
    WidgetForm controls{this};
};

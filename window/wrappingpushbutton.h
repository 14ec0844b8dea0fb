#pragma once

#include <QPushButton>

// A push button whose caption wraps at word boundaries when it is too long
// for one line. text() stays the caption exactly as set.
class WrappingPushButton : public QPushButton
{
    Q_OBJECT

public:
    explicit WrappingPushButton(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

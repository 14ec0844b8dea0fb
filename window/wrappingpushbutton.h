// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

class QStyleOptionButton;

// A push button whose caption wraps at word boundaries when it is too long
// for one line. text() stays the caption exactly as set.
class WrappingPushButton : public QPushButton
{
    Q_OBJECT

public:
    explicit WrappingPushButton(QWidget *parent = nullptr);

    // Where the caption is drawn, and clipped, on the button option describes.
    QRect captionRect(const QStyleOptionButton &option) const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

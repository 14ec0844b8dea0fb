// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wrappingpushbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

WrappingPushButton::WrappingPushButton(QWidget *parent) : QPushButton(parent) {}

QRect WrappingPushButton::captionRect(const QStyleOptionButton &option) const
{
    // The caption wraps within the margin that the style's size hint leaves
    // at its sides. It is centred, so the margin above and below moves no line
    // that fits inside it; where two lines do not (the Windows theme leaves
    // less height), they reach into it rather than be cut off.
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) / 2;
    QRect rect = style()
                     ->subElementRect(QStyle::SE_PushButtonContents, &option, this)
                     .adjusted(margin, 0, -margin, 0);
    if (option.state & (QStyle::State_Sunken | QStyle::State_On))
        rect.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                       style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    return rect;
}

void WrappingPushButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;

    // The style draws the bevel and the focus frame; the caption is drawn
    // here because the style's push button label never wraps.
    option.text.clear();
    painter.drawControl(QStyle::CE_PushButton, option);

    int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextHideMnemonic;
    painter.drawItemText(captionRect(option), flags, option.palette, isEnabled(), caption,
                         QPalette::ButtonText);
}

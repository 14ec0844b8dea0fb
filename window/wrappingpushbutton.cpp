#include "wrappingpushbutton.h"

#include <QStyleOptionButton>
#include <QStylePainter>

WrappingPushButton::WrappingPushButton(QWidget *parent) : QPushButton(parent) {}

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

    // Keep the same margin around the text that the style's size hint leaves.
    const int margin = style()->pixelMetric(QStyle::PM_ButtonMargin, &option, this) / 2;
    QRect textRect = style()
                         ->subElementRect(QStyle::SE_PushButtonContents, &option, this)
                         .adjusted(margin, margin, -margin, -margin);
    if (option.state & (QStyle::State_Sunken | QStyle::State_On))
        textRect.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                           style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));

    int flags = Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this))
        flags |= Qt::TextHideMnemonic;
    painter.drawItemText(textRect, flags, option.palette, isEnabled(), caption,
                         QPalette::ButtonText);
}

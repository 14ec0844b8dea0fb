// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "lineeditaccessible.h"

#include <QLineEdit>

LineEditAccessible::LineEditAccessible(QLineEdit *field)
    : QAccessibleWidget(field, QAccessible::EditableText)
{
}

QLineEdit *LineEditAccessible::field() const
{
    return static_cast<QLineEdit *>(widget());
}

QString LineEditAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Value)
        return field()->text();
    return QAccessibleWidget::text(type);
}

void LineEditAccessible::setText(QAccessible::Text type, const QString &text)
{
    if (type == QAccessible::Value)
        field()->setText(text);
}

QAccessible::State LineEditAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.selectableText = true;
    state.readOnly = field()->isReadOnly();
    return state;
}

void *LineEditAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

void LineEditAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex == 0 && field()->hasSelectedText()) {
        *startOffset = field()->selectionStart();
        *endOffset = field()->selectionEnd();
    }
}

int LineEditAccessible::selectionCount() const
{
    return field()->hasSelectedText() ? 1 : 0;
}

void LineEditAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void LineEditAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        field()->deselect();
}

void LineEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        field()->setSelection(startOffset, endOffset - startOffset);
}

int LineEditAccessible::cursorPosition() const
{
    return field()->cursorPosition();
}

void LineEditAccessible::setCursorPosition(int position)
{
    field()->setCursorPosition(position);
}

QString LineEditAccessible::text(int startOffset, int endOffset) const
{
    return field()->text().mid(startOffset, endOffset - startOffset);
}

int LineEditAccessible::characterCount() const
{
    return int(field()->text().size());
}

// A line edit tells where its cursor is, not where each character is; a
// screen reader falls back to the field's own extents.
QRect LineEditAccessible::characterRect(int) const
{
    return {};
}

int LineEditAccessible::offsetAtPoint(const QPoint &point) const
{
    return field()->cursorPositionAt(field()->mapFromGlobal(point));
}

void LineEditAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    field()->setCursorPosition(endIndex);
    field()->setCursorPosition(startIndex);
}

// The whole text is one run with no attributes of its own.
QString LineEditAccessible::attributes(int, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void LineEditAccessible::deleteText(int startOffset, int endOffset)
{
    field()->setText(field()->text().remove(startOffset, endOffset - startOffset));
}

void LineEditAccessible::insertText(int offset, const QString &text)
{
    field()->setText(field()->text().insert(offset, text));
}

void LineEditAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    field()->setText(field()->text().replace(startOffset, endOffset - startOffset, text));
}

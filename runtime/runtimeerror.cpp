// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtimeerror.h"

RuntimeError::RuntimeError(Number number, QString description)
    : number_(number), description_(std::move(description)), utf8_(description_.toUtf8())
{
}

RuntimeError RuntimeError::controlAccess(const QString &control, const QString &operation)
{
    return {ControlAccessFailed,
            QStringLiteral("Нет доступа к элементу «%1» (%2)").arg(control, operation)};
}

RuntimeError RuntimeError::floatingPoint()
{
    return {FloatingPointFault, QStringLiteral("Ошибка вычисления с плавающей точкой")};
}

RuntimeError RuntimeError::typeMismatch(const QString &text)
{
    return {TypeMismatch, QStringLiteral("Несоответствие типов: «%1» не число").arg(text)};
}

// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <exception>

// The one kind of error the quiz raises. It carries a number and a Russian
// description for the user; it is caught once, where a click is dispatched.
class RuntimeError : public std::exception
{
public:
    enum Number {
        TypeMismatch = 13,
        FloatingPointFault = 16,
        ControlAccessFailed = 440,
    };

    RuntimeError(Number number, QString description);

    static RuntimeError controlAccess(const QString &control, const QString &operation);
    static RuntimeError floatingPoint();
    static RuntimeError typeMismatch(const QString &text);

    Number number() const { return number_; }
    const QString &description() const { return description_; }
    const char *what() const noexcept override { return utf8_.constData(); }

private:
    Number number_;
    QString description_;
    QByteArray utf8_;
};

// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// An option button reports its state as a 16-bit truth value.
enum class TruthValue : std::int16_t { False = 0, True = -1 };

// The controls of a form, addressed by name: all the scoring needs to see of
// a window. A form says whether each access succeeded; a failed access raises
// RuntimeError here, naming the control and the operation, so no caller has
// to check.
class Form
{
public:
    virtual ~Form() = default;

    QString text(const QString &textField) const;
    void setText(const QString &textField, const QString &text);
    TruthValue value(const QString &optionButton) const;

protected:
    virtual std::optional<QString> readText(const QString &textField) const = 0;
    virtual bool writeText(const QString &textField, const QString &text) = 0;
    virtual std::optional<bool> readSelected(const QString &optionButton) const = 0;
};

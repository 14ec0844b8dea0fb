// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class Form;

// Scores every answer on Form1 against the answer key and leaves the total,
// 0 to 25, in T7. Touches nothing else.
void Command1_Click(Form &Form1);

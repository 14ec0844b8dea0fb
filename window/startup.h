// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>

#include <memory>

// Creates the application, which connects it to the window system Qt
// chooses: Wayland on a Wayland session, X11 otherwise, or what
// QT_QPA_PLATFORM names. Where none can be reached (no display, a dead X
// server, a stale Wayland socket, a platform plugin that is missing or
// cannot start), Qt would abort with a core dump; instead the program prints
// a short report in Russian and English and ends with status 1.
std::unique_ptr<QApplication> startApplication(int &argc, char **argv);

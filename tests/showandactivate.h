// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

// Shows a window and makes it the active one, as the user's click on it
// would. A Wayland compositor activates only a window its seat's user picks,
// and a headless one has no seat, so there the test stands in for the user.
inline bool showAndActivate(QWidget *window)
{
    window->show();
    if (QGuiApplication::platformName() == QLatin1String("wayland")) {
        if (!QTest::qWaitForWindowExposed(window))
            return false;
        QApplication::setActiveWindow(window);
        return window->isActiveWindow();
    }
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

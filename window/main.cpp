// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"
#include "startup.h"

int main(int argc, char *argv[])
{
    // Lets the desktop match the window to its menu entry and icon; on
    // Wayland it is the window's app id.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.metalsquiz.MetalsQuiz"));
    const std::unique_ptr<QApplication> application = startApplication(argc, argv);
    Form1 window;
    window.show();
    return application->exec();
}

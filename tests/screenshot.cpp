// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"

#include <QApplication>
#include <QScreen>
#include <QTest>

#include <cstdio>
#include <cstdlib>

// Opens the quiz window, saves what the screen shows of it to the PNG file
// named on the command line, and prints the image's size in pixels.
int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: screenshot FILE.png\n", stderr);
        return EXIT_FAILURE;
    }
    Form1 window;
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return EXIT_FAILURE;
    QTest::qWait(200); // until the first paint has reached the server

    const QPixmap screenshot = window.screen()->grabWindow(window.winId());
    if (!screenshot.save(QString::fromLocal8Bit(argv[1]), "PNG"))
        return EXIT_FAILURE;
    std::printf("%dx%d\n", screenshot.width(), screenshot.height());
    return EXIT_SUCCESS;
}

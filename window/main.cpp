#include "form1.h"

#include <QApplication>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Without a display Qt aborts with a core dump. When Qt would pick the X11
// platform, try the display first and fail with a plain message instead.
static bool displayUnavailable()
{
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    const bool x11 = platform ? std::strncmp(platform, "xcb", 3) == 0
                              : std::getenv("WAYLAND_DISPLAY") == nullptr;
    if (!x11)
        return false;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool failed = xcb_connection_has_error(connection);
    xcb_disconnect(connection);
    return failed;
}

int main(int argc, char *argv[])
{
    if (displayUnavailable()) {
        std::fputs("Не удалось открыть дисплей: викторине нужен графический экран. "
                   "(Cannot open a display: the quiz needs a graphical screen.)\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.metalsquiz.MetalsQuiz"));
    Form1 window;
    window.show();
    return application.exec();
}

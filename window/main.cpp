#include "form1.h"

#include <QApplication>

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

using DisplayConnection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;

// Without a display Qt aborts with a core dump. When Qt would pick the X11
// platform, connect first so the program can fail with a plain message
// instead. No connection is made for other platforms.
DisplayConnection connectToX11Display()
{
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    const bool x11 = platform ? std::strncmp(platform, "xcb", 3) == 0
                              : std::getenv("WAYLAND_DISPLAY") == nullptr;
    return {x11 ? xcb_connect(nullptr, nullptr) : nullptr, &xcb_disconnect};
}

} // namespace

int main(int argc, char *argv[])
{
    DisplayConnection display = connectToX11Display();
    if (display && xcb_connection_has_error(display.get())) {
        std::fputs("Не удалось открыть дисплей: викторине нужен графический экран. "
                   "(Cannot open a display: the quiz needs a graphical screen.)\n",
                   stderr);
        return EXIT_FAILURE;
    }
    QApplication application(argc, argv);
    // Only now that Qt has its own connection: a server whose last client
    // leaves resets itself, and would drop Qt's connection halfway.
    display.reset();

    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.metalsquiz.MetalsQuiz"));
    Form1 window;
    window.show();
    return application.exec();
}

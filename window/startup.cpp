#include "startup.h"

#include <QByteArrayList>

#include <cstdio>
#include <cstdlib>

// A Windows program started from the desktop has no console, so the report
// is also shown in a message box there.
#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

QtMessageHandler qtMessageHandler = nullptr;

[[noreturn]] void reportNoWindowSystem()
{
    // The settings that chose the window system, as the user can check them.
    QByteArrayList settings;
    for (const char *name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"})
        if (qEnvironmentVariableIsSet(name))
            settings << name + QByteArray("=") + qgetenv(name);
#ifdef Q_OS_WIN
    // Windows always has a screen: what failed is Qt's Windows plugin.
    const QByteArray russian = settings.isEmpty()
        ? R"(модуль platforms\qwindows.dll отсутствует или повреждён)" : settings.join(", ");
    const QByteArray english = settings.isEmpty()
        ? R"(platforms\qwindows.dll is missing or damaged)" : settings.join(", ");
#else
    const QByteArray russian =
        settings.isEmpty() ? "ни DISPLAY, ни WAYLAND_DISPLAY не заданы" : settings.join(", ");
    const QByteArray english =
        settings.isEmpty() ? "neither DISPLAY nor WAYLAND_DISPLAY is set" : settings.join(", ");
#endif
    const QByteArray report =
        "metals-quiz: не удалось открыть окно: нет графического экрана (" + russian + ").\n"
        "metals-quiz: cannot open the window: no graphical display (" + english + ").\n";
    std::fputs(report.constData(), stderr);
#ifdef Q_OS_WIN
    MessageBoxW(nullptr, qUtf16Printable(QString::fromUtf8(report)),
                L"Знаете ли вы металлы?", MB_OK | MB_ICONERROR);
#endif
    // Nothing of the half-built application may run on the way out.
    std::_Exit(EXIT_FAILURE);
}

// While the application is being created, the one fatal message Qt sends is
// that no platform plugin could connect. Its warnings before that, which say
// what each plugin tried, pass through unchanged.
void handleStartupMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtFatalMsg)
        reportNoWindowSystem();
    qtMessageHandler(type, context, message);
}

} // namespace

std::unique_ptr<QApplication> startApplication(int &argc, char **argv)
{
    qtMessageHandler = qInstallMessageHandler(handleStartupMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    // A failure from here on is not one of start-up; Qt reports it its own way.
    qInstallMessageHandler(qtMessageHandler);
    return application;
}

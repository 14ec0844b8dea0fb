#include "startup.h"

#include <QByteArrayList>

#include <cstdio>
#include <cstdlib>

namespace {

QtMessageHandler qtMessageHandler = nullptr;

[[noreturn]] void reportNoWindowSystem()
{
    // The settings that chose the window system, as the user can check them.
    QByteArrayList settings;
    for (const char *name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"})
        if (qEnvironmentVariableIsSet(name))
            settings << name + QByteArray("=") + qgetenv(name);
    const QByteArray russian =
        settings.isEmpty() ? "ни DISPLAY, ни WAYLAND_DISPLAY не заданы" : settings.join(", ");
    const QByteArray english =
        settings.isEmpty() ? "neither DISPLAY nor WAYLAND_DISPLAY is set" : settings.join(", ");
    std::fprintf(stderr,
                 "metals-quiz: не удалось открыть окно: нет графического экрана (%s).\n"
                 "metals-quiz: cannot open the window: no graphical display (%s).\n",
                 russian.constData(), english.constData());
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

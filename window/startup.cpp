// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup.h"

#include <QByteArrayList>

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

// A Windows program started from the desktop has no console, so the report
// is also shown in a message box there.
#ifdef Q_OS_WIN
#include <qt_windows.h>

#include <cwchar>
#elif defined(Q_OS_WASM)
#include <emscripten.h>
#endif

namespace {

QtMessageHandler qtMessageHandler = nullptr;

#ifdef Q_OS_WIN
// Windows always has a screen: what failed is Qt's Windows plugin, unless
// Qt's own setting chose another. A DISPLAY there, set for an X server that
// other programs use, plays no part.
constexpr std::initializer_list<const char *> settingNames = {"QT_QPA_PLATFORM"};
constexpr char russianCause[] = R"(модуль platforms\qwindows.dll отсутствует или повреждён)";
constexpr char englishCause[] = R"(platforms\qwindows.dll is missing or damaged)";

// Just before its fatal message, Qt shows a box of its own, in English only.
// While the application is being created, no dialog may open on this thread,
// so the user sees only the report.
HHOOK dialogRefusal = nullptr;

LRESULT CALLBACK refuseDialog(int code, WPARAM window, LPARAM details)
{
    wchar_t className[8] = {};
    if (code == HCBT_CREATEWND && GetClassNameW(HWND(window), className, 8)
        && std::wcscmp(className, L"#32770") == 0)
        return 1;
    return CallNextHookEx(nullptr, code, window, details);
}
#elif defined(Q_OS_WASM)
// In a browser the page itself is the screen: only a build without Qt's
// platform plugin for it, or Qt's setting for another, keeps the window shut.
constexpr std::initializer_list<const char *> settingNames = {"QT_QPA_PLATFORM"};
constexpr char russianCause[] = "в программу не встроен модуль платформы wasm";
constexpr char englishCause[] = "the wasm platform plugin is not built into the program";
#else
constexpr std::initializer_list<const char *> settingNames = {"QT_QPA_PLATFORM",
                                                              "WAYLAND_DISPLAY", "DISPLAY"};
constexpr char russianCause[] = "ни DISPLAY, ни WAYLAND_DISPLAY не заданы";
constexpr char englishCause[] = "neither DISPLAY nor WAYLAND_DISPLAY is set";
#endif

[[noreturn]] void reportNoWindowSystem()
{
    // The settings that chose the window system, as the user can check them.
    QByteArrayList settings;
    for (const char *name : settingNames)
        if (qEnvironmentVariableIsSet(name))
            settings << name + QByteArray("=") + qgetenv(name);
    const QByteArray russian = settings.isEmpty() ? russianCause : settings.join(", ");
    const QByteArray english = settings.isEmpty() ? englishCause : settings.join(", ");
    const QByteArray report =
        "metals-quiz: не удалось открыть окно: нет графического экрана (" + russian + ").\n"
        "metals-quiz: cannot open the window: no graphical display (" + english + ").\n";
    std::fputs(report.constData(), stderr);
#ifdef Q_OS_WIN
    UnhookWindowsHookEx(dialogRefusal);
    MessageBoxW(nullptr, qUtf16Printable(QString::fromUtf8(report)),
                L"Знаете ли вы металлы?", MB_OK | MB_ICONERROR);
#endif
    // Nothing of the half-built application may run on the way out.
#ifdef Q_OS_WASM
    // A plain exit would leave the page waiting; this one tells the page.
    emscripten_force_exit(EXIT_FAILURE);
#endif
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
#ifdef Q_OS_WIN // Qt's own box, above.
    dialogRefusal = SetWindowsHookExW(WH_CBT, refuseDialog, nullptr, GetCurrentThreadId());
#endif
    auto application = std::make_unique<QApplication>(argc, argv);
#ifdef Q_OS_WIN // Other boxes may open from here on.
    UnhookWindowsHookEx(dialogRefusal);
#endif
    // A failure from here on is not one of start-up; Qt reports it its own way.
    qInstallMessageHandler(qtMessageHandler);
    return application;
}

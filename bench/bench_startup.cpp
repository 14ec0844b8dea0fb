// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Start-up of the quiz against a one-label Qt window, as a desktop user sees
// it: from exec to the window being mapped, and to the first readable frame,
// when the heading is drawn; with the processor time spent until then and
// the resident memory once settled. Medians of interleaved runs.
//
// It needs a session like a desktop's: an X server, and a session bus of its
// own on which the accessibility bus is up (no screen reader is running, so
// Qt's accessibility bridge stays idle). Run it as (one line)
//   xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96 -noreset"
//       dbus-run-session -- build/bench/bench_startup [runs]
#include "x11session.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

namespace {

// The heading, Label1, where both programs draw it in their window.
const QRect headingBox(240, 8, 217, 25);

struct Sample
{
    double mappedMilliseconds;
    double firstFrameMilliseconds;
    double processorMilliseconds;
    double residentKiB;
    QImage heading;
};

// Time on the processor of all the process's threads, those that have ended
// too, which unlike the elapsed time does not grow when the machine is busy.
double processorMilliseconds(qint64 pid)
{
    clockid_t clock;
    timespec time;
    if (clock_getcpuclockid(pid_t(pid), &clock) != 0 || clock_gettime(clock, &time) != 0)
        return 0;
    return time.tv_sec * 1e3 + time.tv_nsec / 1e6;
}

// The machine's load over the last minute: elapsed times are only
// comparable between runs on a machine as quiet.
QByteArray loadAverage()
{
    QFile average(u"/proc/loadavg"_s);
    return average.open(QIODevice::ReadOnly) ? average.readAll().split(' ').first() : "?";
}

double residentKiB(qint64 pid)
{
    QFile status(u"/proc/%1/status"_s.arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line; !(line = status.readLine()).isEmpty();)
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    return 0;
}

// Dark text on a light background: two thirds of the box light (the heading
// leaves four fifths so) and a fiftieth dark (it has a ninth), for letters. A
// window not yet painted shows black, garbage, or the root window's
// black-and-white weave beneath it, half of it light.
bool readable(const QImage &box)
{
    qsizetype light = 0, dark = 0;
    for (int y = 0; y < box.height(); ++y) {
        for (int x = 0; x < box.width(); ++x) {
            const int gray = qGray(box.pixel(x, y));
            light += gray >= 192;
            dark += gray < 96;
        }
    }
    const qsizetype all = qsizetype(box.width()) * box.height();
    return all > 0 && light * 3 >= all * 2 && dark * 50 >= all;
}

std::optional<Sample> run(X11Session &session, const QString &program,
                          const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    const std::optional<xcb_window_t> window = session.waitForMappedWindow(20s);
    const double mapped = clock.nsecsElapsed() / 1e6;
    if (!window)
        return std::nullopt;

    // Read the heading's box from the server every millisecond until it shows.
    while (!readable(session.image(*window, headingBox))) {
        if (clock.elapsed() > 20'000)
            return std::nullopt;
        QThread::usleep(1000);
    }
    const double firstFrame = clock.nsecsElapsed() / 1e6;
    const double processor = processorMilliseconds(process.processId());

    // Settled: no processor time spent for 100 ms.
    for (double before = processor, now = 0; clock.elapsed() < 25'000; before = now) {
        QThread::msleep(100);
        if ((now = processorMilliseconds(process.processId())) - before < 0.1)
            break;
    }
    Sample sample{mapped, firstFrame, processor, residentKiB(process.processId()),
                  session.image(*window, headingBox)};
    session.requestClose(*window);
    if (!process.waitForFinished(5000))
        process.kill();
    return sample;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Starts the accessibility bus on this session bus, as a desktop does at
// log-in. It starts with a new user's settings, accessibility off (no screen
// reader), whatever screen-reader sessions before left in this account's
// settings.
bool startAccessibilityBus(const QDBusConnection &bus)
{
    QDBusMessage environment =
        QDBusMessage::createMethodCall(u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s,
                                       u"org.freedesktop.DBus"_s, u"UpdateActivationEnvironment"_s);
    using Variables = QMap<QString, QString>;
    qDBusRegisterMetaType<Variables>();
    environment << QVariant::fromValue(Variables{{u"GSETTINGS_BACKEND"_s, u"memory"_s}});
    bus.call(environment);

    const QString service = u"org.a11y.Bus"_s;
    const QDBusMessage address = bus.call(
        QDBusMessage::createMethodCall(service, u"/org/a11y/bus"_s, service, u"GetAddress"_s));
    return address.type() == QDBusMessage::ReplyMessage;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;

    const char *usage = "run it as: xvfb-run -a -s \"-screen 0 1280x1024x24 -dpi 96 -noreset\" "
                        "dbus-run-session -- bench_startup [runs]\n";
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "bench_startup needs a session bus of its own; %s", usage);
        return 1;
    }
    // A desktop's own bus already has an accessibility bus; it is left alone.
    if (bus.interface()->isServiceRegistered(u"org.a11y.Bus"_s)) {
        std::fprintf(stderr, "bench_startup needs a session bus of its own; %s", usage);
        return 1;
    }
    if (!startAccessibilityBus(bus)) {
        std::fprintf(stderr, "bench_startup: the accessibility bus (at-spi2-core) did not start\n");
        return 1;
    }
    X11Session session;
    if (!session.connected()) {
        std::fprintf(stderr, "bench_startup needs an X server; %s", usage);
        return 1;
    }

    // Both programs on this X server, whatever the desktop around it.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    environment.remove(u"WAYLAND_DISPLAY"_s);
    environment.remove(u"QT_LINUX_ACCESSIBILITY_ALWAYS_ON"_s);

    const QString programs[] = {QStringLiteral(METALS_QUIZ), QStringLiteral(STARTUP_BASELINE)};
    const QByteArray loadBefore = loadAverage();
    std::vector<double> figures[2][4];
    QImage headings[2];
    // Round 0 only warms the caches and is not counted.
    for (int round = 0; round <= runs; ++round) {
        for (int which = 0; which < 2; ++which) {
            const int index = (round % 2) ? 1 - which : which; // alternate who goes first
            const std::optional<Sample> sample = run(session, programs[index], environment);
            if (!sample) {
                std::fprintf(stderr, "%s showed no readable heading\n",
                             qPrintable(programs[index]));
                return 1;
            }
            if (round == 0)
                continue;
            figures[index][0].push_back(sample->mappedMilliseconds);
            figures[index][1].push_back(sample->firstFrameMilliseconds);
            figures[index][2].push_back(sample->processorMilliseconds);
            figures[index][3].push_back(sample->residentKiB);
            headings[index] = sample->heading;
        }
    }

    double medians[2][4];
    for (int index = 0; index < 2; ++index)
        for (int figure = 0; figure < 4; ++figure)
            medians[index][figure] = median(figures[index][figure]);
    std::printf("medians over %d interleaved runs; session bus and accessibility bus up, no screen"
                " reader\nfrom exec to the window mapped and to the heading first drawn; processor"
                " time of all threads until then; resident memory once settled\n",
                runs);
    std::printf("%-10s %10s %12s %10s %14s\n", "", "mapped ms", "1st frame ms", "cpu ms",
                "resident KiB");
    const char *names[] = {"quiz", "baseline"};
    for (int index = 0; index < 2; ++index)
        std::printf("%-10s %10.1f %12.1f %10.1f %14.0f\n", names[index], medians[index][0],
                    medians[index][1], medians[index][2], medians[index][3]);
    std::printf("%-10s %10.3f %12.3f %10.3f %14.3f\n", "ratio", medians[0][0] / medians[1][0],
                medians[0][1] / medians[1][1], medians[0][2] / medians[1][2],
                medians[0][3] / medians[1][3]);
    std::printf("load average (1 min) %s before, %s after\n", loadBefore.constData(),
                loadAverage().constData());
    if (headings[0] != headings[1])
        std::printf("note: the two programs' headings differ on screen\n");
    return 0;
}

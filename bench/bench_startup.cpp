// Start-up time (process start to window mapped) and resident memory of the
// quiz against a bare Qt window, in interleaved runs on the X server named by
// DISPLAY. Run it under a private server:
//   xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" build/bench/bench_startup [runs]
#include "x11session.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace std::chrono_literals;

namespace {

struct Sample
{
    double milliseconds;
    double processorMilliseconds;
    double residentKiB;
};

// Time on the processor of all the process's threads, which unlike the
// elapsed time does not grow when the machine is busy.
double processorMilliseconds(qint64 pid)
{
    double nanoseconds = 0;
    const QDir threads(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &thread : threads.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedule(threads.filePath(thread + QStringLiteral("/schedstat")));
        if (schedule.open(QIODevice::ReadOnly))
            nanoseconds += schedule.readAll().split(' ').first().toDouble();
    }
    return nanoseconds / 1e6;
}

double residentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line; !(line = status.readLine()).isEmpty();)
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    return 0;
}

std::optional<Sample> run(X11Session &session, const QString &program)
{
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(program, {});
    const std::optional<xcb_window_t> window = session.waitForMappedWindow(20s);
    const double milliseconds = clock.nsecsElapsed() / 1e6;
    if (!window)
        return std::nullopt;
    const double processor = processorMilliseconds(process.processId());
    QThread::msleep(300); // let the first paint finish before reading memory
    const double memory = residentKiB(process.processId());
    session.requestClose(*window);
    if (!process.waitForFinished(5000))
        process.kill();
    return Sample{milliseconds, processor, memory};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    X11Session session;
    if (!session.connected()) {
        std::fputs("bench_startup needs an X server (run it under xvfb-run)\n", stderr);
        return 1;
    }
    const QString programs[] = {QStringLiteral(METALS_QUIZ), QStringLiteral(STARTUP_BASELINE)};
    std::vector<double> milliseconds[2], processor[2], memory[2];
    for (int round = 0; round < runs; ++round) {
        for (int which = 0; which < 2; ++which) {
            const int index = (round % 2) ? 1 - which : which; // alternate who goes first
            const std::optional<Sample> sample = run(session, programs[index]);
            if (!sample) {
                std::fprintf(stderr, "%s showed no window\n", qPrintable(programs[index]));
                return 1;
            }
            milliseconds[index].push_back(sample->milliseconds);
            processor[index].push_back(sample->processorMilliseconds);
            memory[index].push_back(sample->residentKiB);
        }
    }
    const double quiz[] = {median(milliseconds[0]), median(processor[0]), median(memory[0])};
    const double baseline[] = {median(milliseconds[1]), median(processor[1]), median(memory[1])};
    std::printf("medians over %d interleaved runs, from process start to window mapped\n", runs);
    std::printf("%-10s %10s %10s %14s\n", "", "start ms", "cpu ms", "resident KiB");
    std::printf("%-10s %10.1f %10.1f %14.0f\n", "quiz", quiz[0], quiz[1], quiz[2]);
    std::printf("%-10s %10.1f %10.1f %14.0f\n", "baseline", baseline[0], baseline[1], baseline[2]);
    std::printf("%-10s %10.3f %10.3f %14.3f\n", "ratio", quiz[0] / baseline[0],
                quiz[1] / baseline[1], quiz[2] / baseline[2]);
    return 0;
}

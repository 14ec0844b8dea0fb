// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x11session.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// The built program started from outside: on a real X server, seen as a
// window manager sees it (run under a private X server, xvfb-run), and in
// sessions where no window system can be reached.
class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void showsWindowAndClosesWhenAsked();
    void failsPlainlyWithoutWindowSystem_data();
    void failsPlainlyWithoutWindowSystem();

private:
    QTemporaryDir runtime; // a private XDG_RUNTIME_DIR with no compositor in it
    QString deadSocket;
};

// What a compositor that died leaves behind: its socket, with nobody
// listening on it.
void StartupTest::initTestCase()
{
    QVERIFY(runtime.isValid());
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    deadSocket = runtime.filePath(u"wayland-gone"_s);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(deadSocket);
    QVERIFY(size_t(path.size()) < sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(listener >= 0);
    QCOMPARE(bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    close(listener);
}

void StartupTest::showsWindowAndClosesWhenAsked()
{
    X11Session session;
    QVERIFY2(session.connected(), "run this test under an X server");

    QProcess quiz;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(u"QT_QPA_PLATFORM"_s);
    quiz.setProcessEnvironment(environment);
    quiz.start(QStringLiteral(METALS_QUIZ), {});
    QVERIFY(quiz.waitForStarted());

    const std::optional<xcb_window_t> window = session.waitForMappedWindow(10s);
    QVERIFY2(window, "no window was mapped");
    QCOMPARE(session.title(*window), u"Знаете ли вы металлы?"_s);
    QCOMPARE(session.size(*window), QSize(722, 534));

    session.requestClose(*window);
    QVERIFY2(quiz.waitForFinished(2000), "still running 2 s after the close request");
    QCOMPARE(quiz.exitStatus(), QProcess::NormalExit);
    QVERIFY2(quiz.exitCode() == 0, quiz.readAllStandardError().constData());
}

// Each row is the environment of a session in which no window can be
// opened; everything else that could name a window system is removed.
void StartupTest::failsPlainlyWithoutWindowSystem_data()
{
    QTest::addColumn<QStringList>("environment");

    const QString runtimeDirectory = u"XDG_RUNTIME_DIR="_s + runtime.path();
    const QString waylandSession = u"XDG_SESSION_TYPE=wayland"_s;
    QTest::newRow("no display at all") << QStringList{};
    QTest::newRow("X server gone") << QStringList{u"DISPLAY=:250"_s};
    QTest::newRow("X display malformed") << QStringList{u"DISPLAY=not a display"_s};
    QTest::newRow("stale Wayland name, SSH login")
        << QStringList{runtimeDirectory, u"WAYLAND_DISPLAY=wayland-7"_s};
    QTest::newRow("stale Wayland name, Wayland session")
        << QStringList{runtimeDirectory, waylandSession, u"WAYLAND_DISPLAY=wayland-7"_s};
    QTest::newRow("stale Wayland socket path")
        << QStringList{waylandSession, u"WAYLAND_DISPLAY=/nonexistent/wayland-0"_s};
    QTest::newRow("Wayland compositor gone")
        << QStringList{runtimeDirectory, waylandSession, u"WAYLAND_DISPLAY="_s + deadSocket};
    QTest::newRow("Wayland without a runtime directory")
        << QStringList{waylandSession, u"WAYLAND_DISPLAY=wayland-0"_s};
    QTest::newRow("X11 asked for, none there") << QStringList{u"QT_QPA_PLATFORM=xcb"_s};
    QTest::newRow("Wayland asked for, none there")
        << QStringList{runtimeDirectory, u"QT_QPA_PLATFORM=wayland"_s};
    QTest::newRow("fallback list, none starts")
        << QStringList{runtimeDirectory, u"QT_QPA_PLATFORM=wayland;xcb"_s, u"DISPLAY=:250"_s};
    QTest::newRow("platform that does not exist")
        << QStringList{u"QT_QPA_PLATFORM=no-such-platform"_s};
}

void StartupTest::failsPlainlyWithoutWindowSystem()
{
    QFETCH(QStringList, environment);

    QProcessEnvironment session = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"QT_QPA_PLATFORM"_s, u"WAYLAND_DISPLAY"_s, u"DISPLAY"_s,
                                u"XDG_SESSION_TYPE"_s, u"XDG_RUNTIME_DIR"_s})
        session.remove(name);
    for (const QString &setting : environment)
        session.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));

    QProcess quiz;
    quiz.setProcessEnvironment(session);
    quiz.start(QStringLiteral(METALS_QUIZ), {});
    QVERIFY2(quiz.waitForFinished(5000), "still running after 5 s");

    // A normal exit: no abort, so no core dump.
    const QString errors = QString::fromUtf8(quiz.readAllStandardError());
    QVERIFY2(quiz.exitStatus() == QProcess::NormalExit, qPrintable(errors));
    QCOMPARE(quiz.exitCode(), 1);
    // Qt's own lines say what each platform tried; ours end the report.
    const QStringList lines = errors.split(u'\n', Qt::SkipEmptyParts);
    QVERIFY2(lines.size() >= 2, qPrintable(errors));
    QVERIFY2(lines.at(lines.size() - 2)
                 .startsWith(u"metals-quiz: не удалось открыть окно: нет графического экрана"_s),
             qPrintable(errors));
    QVERIFY2(
        lines.last().startsWith(u"metals-quiz: cannot open the window: no graphical display"_s),
        qPrintable(errors));
}

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"

#include "x11session.h"

#include <QProcess>
#include <QTest>

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

// The built program on a real X server, seen from outside as a window
// manager sees it. Run under a private X server (xvfb-run).
class X11Test : public QObject
{
    Q_OBJECT

private slots:
    void showsWindowAndClosesWhenAsked();
    void failsPlainlyWithoutDisplay_data();
    void failsPlainlyWithoutDisplay();
};

void X11Test::showsWindowAndClosesWhenAsked()
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

void X11Test::failsPlainlyWithoutDisplay_data()
{
    QTest::addColumn<QString>("display");

    QTest::newRow("DISPLAY unset") << QString();
    QTest::newRow("nobody answers on :250") << u":250"_s;
}

void X11Test::failsPlainlyWithoutDisplay()
{
    QFETCH(QString, display);

    QProcess quiz;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"QT_QPA_PLATFORM"_s, u"WAYLAND_DISPLAY"_s, u"DISPLAY"_s})
        environment.remove(name);
    if (!display.isEmpty())
        environment.insert(u"DISPLAY"_s, display);
    quiz.setProcessEnvironment(environment);
    quiz.start(QStringLiteral(METALS_QUIZ), {});
    QVERIFY(quiz.waitForFinished(10000));

    QCOMPARE(quiz.exitStatus(), QProcess::NormalExit);
    QCOMPARE(quiz.exitCode(), 1);
    const QStringList lines =
        QString::fromUtf8(quiz.readAllStandardError()).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1);
    QVERIFY2(lines[0].contains(u"Не удалось открыть дисплей"_s), qPrintable(lines[0]));
    QVERIFY2(lines[0].contains(u"Cannot open a display"_s), qPrintable(lines[0]));
}

QTEST_GUILESS_MAIN(X11Test)
#include "tst_x11.moc"

// The least a Qt window with text costs to start: one window of the quiz's
// size holding its heading, for comparison with the quiz itself.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(722, 534);
    window.setWindowTitle(QStringLiteral("Знаете ли вы металлы?"));
    QLabel heading(QStringLiteral("Знаете ли Вы металлы?"), &window);
    heading.move(240, 8);
    window.show();
    return application.exec();
}

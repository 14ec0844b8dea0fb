// The least a Qt window with text costs to start: one window of the quiz's
// size holding only its heading, drawn as the quiz draws Label1 (same text,
// face, size, box and alignment), for comparison with the quiz itself.
#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(722, 534);
    window.setWindowTitle(QStringLiteral("Знаете ли вы металлы?"));
    QLabel heading(QStringLiteral("Знаете ли Вы металлы?"), &window);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(13.5);
    heading.setFont(font);
    heading.setGeometry(240, 8, 217, 25);
    heading.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    heading.setWordWrap(true);
    window.show();
    return application.exec();
}

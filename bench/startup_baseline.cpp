// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The least a Qt window with text costs to start: one window of the quiz's
// size holding only its heading, drawn as the quiz draws Label1 (same text,
// face, size, box and alignment), started by the quiz's own start-up, for
// comparison with the quiz itself.
#include "startup.h"

#include <QDirIterator>
#include <QFontDatabase>
#include <QLabel>

int main(int argc, char *argv[])
{
    const std::unique_ptr<QApplication> application = startApplication(argc, argv);
    // The faces the build carries, as the quiz adds them: none on a desktop.
    for (QDirIterator face(QStringLiteral(":/fonts"), QDir::Files); face.hasNext();)
        QFontDatabase::addApplicationFont(face.next());
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
    return application->exec();
}

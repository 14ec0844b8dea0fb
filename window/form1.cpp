// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"
#include "ui_form1.h"

#include "command1_click.h"
#include "lineeditaccessible.h"
#include "runtimeerror.h"

#include <QAccessible>
#include <QDirIterator>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include <initializer_list>

using namespace Qt::StringLiterals;

namespace {

// The .ui format holds whole point sizes only.
void setFractionalPointSize(std::initializer_list<QWidget *> widgets, qreal pointSize)
{
    for (QWidget *widget : widgets) {
        QFont font = widget->font();
        font.setPointSizeF(pointSize);
        widget->setFont(font);
    }
}

// The answers and the score as screen readers should read them back: see
// LineEditAccessible.
QAccessibleInterface *accessibleTextField(const QString &className, QObject *object)
{
    if (className == "QLineEdit"_L1)
        return new LineEditAccessible(static_cast<QLineEdit *>(object));
    return nullptr;
}

// The faces the build carries under :/fonts, once per program: none where the
// system has its own, Liberation Sans in a browser, which offers a page none.
void addCarriedFonts()
{
    static const bool added = [] {
        for (QDirIterator face(u":/fonts"_s, QDir::Files); face.hasNext();)
            QFontDatabase::addApplicationFont(face.next());
        return true;
    }();
    Q_UNUSED(added);
}

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::Form1>())
{
    // Before the text fields exist: with a screen reader listening, setting
    // up their names already creates their accessible interfaces.
    QAccessible::installFactory(&accessibleTextField);
    ui->setupUi(this);

    // The window's face, which every control takes: Arial, which Windows has,
    // or else its metric twin Liberation Sans, which Linux has (package
    // fonts-liberation2). The .ui format holds one face only; a system
    // without it would fall back to a face of its own choosing, even a serif
    // one. Before the sizes below, which keep the face their widget has.
    addCarriedFonts();
    QFont windowFont = font();
    windowFont.setFamilies({u"Arial"_s, u"Liberation Sans"_s});
    setFont(windowFont);
    // A control with a style sheet of its own keeps the face it had when
    // the sheet was set.
    QFont optionFont = ui->O9->font();
    optionFont.setFamilies(windowFont.families());
    ui->O9->setFont(optionFont);
    setFractionalPointSize({ui->O1, ui->O2, ui->O3, ui->O4, ui->O5, ui->O6, ui->O7, ui->O8, ui->O10,
                            ui->O11, ui->O12, ui->O13, ui->O14, ui->O15, ui->O17},
                           9.75);
    setFractionalPointSize({ui->Label1}, 13.5);
    setFractionalPointSize({ui->Label13, ui->T7, ui->Label14}, 15.75);

    // The score sits on the system's 3-D light colour rather than the field colour.
    QPalette scorePalette = ui->T7->palette();
    scorePalette.setBrush(QPalette::Base, scorePalette.midlight());
    ui->T7->setPalette(scorePalette);

    // Labels lie beneath every other control, so a click where a question
    // reaches into its answer field lands in the field.
    for (QLabel *label : findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
        label->lower();

    connect(ui->Command1, &QPushButton::clicked, this, &Form1::dispatchCommand1Click);
}

Form1::~Form1() = default;

// A run-time error stops here, before it could reach the event loop: the user
// is told, the answers stay as they are, and no partial total is left in T7.
void Form1::dispatchCommand1Click()
{
    try {
        Command1_Click(controls);
    } catch (const RuntimeError &error) {
        ui->T7->clear();
        QMessageBox::critical(this, windowTitle(),
                              tr("Ошибка выполнения %1:\n%2")
                                  .arg(error.number())
                                  .arg(error.description()));
    }
}

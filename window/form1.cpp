#include "form1.h"
#include "ui_form1.h"

#include "command1_click.h"
#include "runtimeerror.h"

#include <QMessageBox>

Form1::Form1(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::Form1>())
{
    ui->setupUi(this);
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

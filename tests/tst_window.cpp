// SPDX-FileCopyrightText: 2026 Metals Quiz developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form1.h"
#include "showandactivate.h"
#include "wrappingpushbutton.h"

#include <QApplication>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QStyle>
#include <QStyleFactory>
#include <QScreen>
#include <QStyleHints>
#include <QStyleOptionButton>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The faces every control asks for, in turn: Arial, which Windows has, and
// its metric twin Liberation Sans, which Linux has.
const QStringList faces{u"Arial"_s, u"Liberation Sans"_s};
constexpr qreal dialogPointSize = 8;

struct Control
{
    const char *name;
    const char *className;
    const char *parent;
    int left, top, width, height; // twips, 15 to the pixel at 96 dpi
    qreal pointSize;
    QString caption;
};

// Every control, in Tab order.
const Control layoutTable[] = {
    {"Label2", "QLabel", "Form1", 240, 480, 10455, 495, 9,
     u"Проверьте свои знания! Наименования металлов следует вводить с маленькой буквы, например, "
     u"латунь, никель. Знак % вводить не следует, введите только число. Дробное число введите "
     u"через запятую.  "_s},
    {"Label3", "QLabel", "Form1", 120, 1080, 7095, 375, 9,
     u"1. Что означают буквы Бр в наименовании сплава БрБ2? (1 балл)"_s},
    {"T1", "QLineEdit", "Form1", 6720, 1080, 3375, 375, 9, {}},
    {"Label4", "QLabel", "Form1", 120, 1440, 7095, 375, 9,
     u"2. Что означает буква В в наименовании сплава В95? (2 балла)"_s},
    {"T2", "QLineEdit", "Form1", 6720, 1440, 3375, 375, 9, {}},
    {"Label5", "QLabel", "Form1", 120, 1800, 7095, 375, 9,
     u"3. Сколько процентов никеля содержится в сплаве 12Х18Н10Т? (2 балла) "_s},
    {"T3", "QLineEdit", "Form1", 6720, 1800, 3375, 375, 9, {}},
    {"Label6", "QLabel", "Form1", 120, 2160, 7095, 495, 9,
     u"4. Сколько процентов углерода содержится в сплаве 12Х18Н10Т? (3 балла)"_s},
    {"T4", "QLineEdit", "Form1", 6720, 2160, 3375, 375, 9, {}},
    {"Label7", "QLabel", "Form1", 120, 2640, 6135, 255, 9,
     u"5. Что означает буква Т в наименовании сплава Х23Ю5Т? (2 балла)"_s},
    {"Frame1", "QGroupBox", "Form1", 120, 2880, 10575, 615, 9, {}},
    {"O1", "QRadioButton", "Frame1", 120, 120, 1095, 375, 9.75, u"твердый"_s},
    {"O2", "QRadioButton", "Frame1", 3960, 120, 2175, 375, 9.75, u"термообработанный"_s},
    {"O3", "QRadioButton", "Frame1", 7920, 120, 2415, 375, 9.75, u"с добавлением титана"_s},
    {"Label8", "QLabel", "Form1", 120, 3600, 7215, 255, 9,
     u"6. На каком предприятии производится пруток марки БрБ2? (2 балла)"_s},
    {"Frame2", "QGroupBox", "Form1", 120, 3840, 10575, 615, 9, {}},
    {"O4", "QRadioButton", "Frame2", 120, 120, 1575, 375, 9.75, u"КУМЗ"_s},
    {"O5", "QRadioButton", "Frame2", 1800, 120, 1335, 375, 9.75, u"КУЗОЦМ"_s},
    {"O6", "QRadioButton", "Frame2", 3600, 120, 1335, 375, 9.75, u"РЗОЦМ"_s},
    {"O7", "QRadioButton", "Frame2", 5400, 120, 2055, 375, 9.75, u"Кольчугцветмет"_s},
    {"O8", "QRadioButton", "Frame2", 8040, 120, 2175, 375, 9.75, u"Красный выборжец"_s},
    {"Label9", "QLabel", "Form1", 120, 4560, 7215, 255, 9,
     u"7. К сплавам какой системы относится алюминиевый сплав 1561? (3 балла)"_s},
    {"Frame3", "QGroupBox", "Form1", 120, 4800, 10575, 615, 9, {}},
    {"O9", "QRadioButton", "Frame3", 120, 240, 1455, 195, dialogPointSize, u"Al-Cu-Mg"_s},
    {"O10", "QRadioButton", "Frame3", 2640, 240, 1575, 255, 9.75, u"Al-Mn"_s},
    {"O11", "QRadioButton", "Frame3", 5400, 120, 1815, 375, 9.75, u"Al-Mg"_s},
    {"O12", "QRadioButton", "Frame3", 8040, 120, 1935, 375, 9.75, u"Al-Zn"_s},
    {"Label10", "QLabel", "Form1", 120, 5520, 6975, 375, 9,
     u"8. Сколько процентов марганца содержится в сплаве БрАЖМц? (2 балла)"_s},
    {"T5", "QLineEdit", "Form1", 6600, 5520, 3375, 375, 9, {}},
    {"Label11", "QLabel", "Form1", 120, 5880, 6135, 375, 9,
     u"9. Что означает буква Ю в наименовании сплава Х23Ю5Т? (4 балла)"_s},
    {"T6", "QLineEdit", "Form1", 6600, 5880, 3375, 375, 9, {}},
    {"Label12", "QLabel", "Form1", 120, 6360, 7095, 255, 9,
     u"10. На каком заводе производится медно-никелевый сплав №273? (4 балла)"_s},
    {"Frame4", "QGroupBox", "Form1", 0, 6600, 10575, 615, 9, {}},
    {"O13", "QRadioButton", "Frame4", 120, 240, 2295, 255, 9.75, u"Красный выборжец"_s},
    {"O14", "QRadioButton", "Frame4", 2520, 240, 1935, 255, 9.75, u"Туимский ЗОЦМ"_s},
    {"O15", "QRadioButton", "Frame4", 4560, 240, 1455, 255, 9.75, u"Тулачермет"_s},
    {"O16", "QRadioButton", "Frame4", 6120, 240, 1335, 255, dialogPointSize, u"ALCOA СМЗ"_s},
    {"O17", "QRadioButton", "Frame4", 7680, 240, 2535, 255, 9.75, u"ВСМПО-АВИСМА"_s},
    {"Command1", "WrappingPushButton", "Form1", 120, 7320, 3975, 615, 9,
     u"Нажмите эту кнопку для получения результата"_s},
    {"Label13", "QLabel", "Form1", 4200, 7320, 2415, 375, 15.75, u"Вы получили"_s},
    {"T7", "QLineEdit", "Form1", 6960, 7320, 1575, 495, 15.75, {}},
    {"Label14", "QLabel", "Form1", 8760, 7320, 1935, 495, 15.75, u"из 25 баллов"_s},
    {"Label1", "QLabel", "Form1", 3600, 120, 3255, 375, 13.5, u"Знаете ли Вы металлы?"_s},
};

QRect pixels(const Control &control)
{
    return QRect(control.left / 15, control.top / 15, control.width / 15, control.height / 15);
}

QString captionOf(const QWidget *widget)
{
    if (const auto *frame = qobject_cast<const QGroupBox *>(widget))
        return frame->title();
    return widget->property("text").toString();
}

// The part of a label's box that no other control covers.
QRect uncoveredPart(const QLabel *label)
{
    QRect uncovered = label->geometry();
    for (const QWidget *sibling :
         label->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<const QLabel *>(sibling) || !sibling->geometry().intersects(uncovered))
            continue;
        if (sibling->x() > uncovered.x())
            uncovered.setRight(sibling->x() - 1);
        else
            uncovered.setBottom(sibling->y() - 1);
    }
    return uncovered;
}

// What of a control's caption does not show: the part cut off at the edge
// of the box it is drawn in, hidden under another control or, on a button,
// drawn over the bevel, pressed or not; and an option's indicator cut off.
// Empty where all of it shows.
QString clipping(const QWidget *control)
{
    const QStyle *style = control->style();
    QStyleOptionButton option;
    option.initFrom(control);
    QRect box;
    int flags = Qt::TextShowMnemonic;
    if (const auto *label = qobject_cast<const QLabel *>(control)) {
        box = uncoveredPart(label);
        flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
    } else if (qobject_cast<const QRadioButton *>(control)) {
        box = style->subElementRect(QStyle::SE_RadioButtonContents, &option, control);
        flags |= Qt::AlignLeft | Qt::AlignVCenter;
    } else {
        box = qobject_cast<const WrappingPushButton *>(control)->captionRect(option);
        flags |= Qt::AlignCenter | Qt::TextWordWrap;
    }

    const QSize needed =
        control->fontMetrics()
            .boundingRect(QRect(0, 0, box.width(), QWIDGETSIZE_MAX), flags, captionOf(control))
            .size();
    if (needed.width() > box.width() || needed.height() > box.height())
        return u"needs %1 x %2, has %3 x %4"_s.arg(needed.width())
            .arg(needed.height())
            .arg(box.width())
            .arg(box.height());

    if (const auto *button = qobject_cast<const WrappingPushButton *>(control)) {
        const QRect inside = style->subElementRect(QStyle::SE_PushButtonContents, &option, control);
        for (const QStyle::State pressed : {QStyle::State_None, QStyle::State_Sunken}) {
            option.state |= pressed;
            const QRect drawn = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, needed,
                                                    button->captionRect(option));
            if (!inside.contains(drawn))
                return u"rows %1 to %2 reach the bevel outside rows %3 to %4"_s.arg(drawn.top())
                    .arg(drawn.bottom())
                    .arg(inside.top())
                    .arg(inside.bottom());
        }
    }

    if (qobject_cast<const QRadioButton *>(control)) {
        const QRect indicator =
            style->subElementRect(QStyle::SE_RadioButtonIndicator, &option, control);
        if (!control->rect().contains(indicator))
            return u"indicator %1 x %2 cut off"_s.arg(indicator.width()).arg(indicator.height());
    }
    return {};
}

} // namespace

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void window();
    void controlsStayPutOnResize();
    void opensEmptyWithFocusInFirstAnswer();
    void scoreField();
    void tabVisitsQuestionsInOrder_data();
    void tabVisitsQuestionsInOrder();
    void clickOnOverlapReachesControl_data();
    void clickOnOverlapReachesControl();
    void optionGroups_data();
    void optionGroups();
    void nothingClipped_data();
    void nothingClipped();

private:
    template <typename T = QWidget> T *named(const QString &name) const
    {
        T *found = form->findChild<T *>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    void showActive();

    // Declared first, so that it outlives the controls drawn in it.
    std::unique_ptr<QStyle> styleUnderTest;
    std::unique_ptr<Form1> form;
};

void WindowTest::init()
{
    form = std::make_unique<Form1>();
    // Every size in pixels below assumes 96 dpi.
    QCOMPARE(form->logicalDpiX(), 96);
    QCOMPARE(form->logicalDpiY(), 96);
}

void WindowTest::cleanup()
{
    form.reset();
    styleUnderTest.reset();
}

void WindowTest::showActive()
{
    QVERIFY(showAndActivate(form.get()));
}

void WindowTest::controls_data()
{
    QTest::addColumn<QString>("className");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<qreal>("pointSize");
    QTest::addColumn<QString>("caption");

    for (const Control &control : layoutTable)
        QTest::newRow(control.name)
            << QString::fromLatin1(control.className) << QString::fromLatin1(control.parent)
            << pixels(control) << control.pointSize << control.caption;
}

void WindowTest::controls()
{
    QFETCH(QString, className);
    QFETCH(QString, parent);
    QFETCH(QRect, geometry);
    QFETCH(qreal, pointSize);
    QFETCH(QString, caption);

    const QWidget *widget = named(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(widget->metaObject()->className(), className);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QCOMPARE(widget->geometry(), geometry);
    QCOMPARE(widget->font().families(), faces);
    const QString face = QFontInfo(widget->font()).family();
    QVERIFY2(faces.contains(face), qPrintable(u"draws in the fallback face "_s + face));
    // Every letter of the caption comes from that face, none from a fallback.
    const QRawFont drawn = QRawFont::fromFont(widget->font());
    for (const uint letter : caption.toUcs4())
        QVERIFY2(drawn.supportsCharacter(letter),
                 qPrintable(u"no U+%1 in %2"_s.arg(QString::number(letter, 16), face)));
    QCOMPARE(widget->font().pointSizeF(), pointSize);
    QCOMPARE(QFontInfo(widget->font()).weight(), int(QFont::Normal));
    QVERIFY(!widget->font().italic());
    QCOMPARE(captionOf(widget), caption);
}

void WindowTest::window()
{
    QCOMPARE(form->windowTitle(), u"Знаете ли вы металлы?"_s);
    QCOMPARE(form->font().families(), faces);
    QVERIFY(faces.contains(QFontInfo(form->font()).family()));
    QCOMPARE(form->font().pointSizeF(), dialogPointSize);
    QVERIFY(showAndActivate(form.get()));

    if (QGuiApplication::styleHints()->showIsFullScreen()) {
        // In a browser every window opens full screen: the screen is the
        // frame that the page keeps for it, at the window's own size.
        QCOMPARE(form->windowState(), Qt::WindowFullScreen);
        QCOMPARE(form->size(), form->screen()->size());
    } else {
        QCOMPARE(form->windowState(), Qt::WindowNoState);
    }
    QCOMPARE(form->size(), QSize(10830 / 15, 8010 / 15));
    const Qt::WindowFlags flags = form->windowFlags();
    QCOMPARE(flags & Qt::WindowType_Mask, Qt::Window);
    QVERIFY(flags.testFlags(Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::MSWindowsFixedSizeDialogHint));
    QCOMPARE(form->minimumSize(), QSize(0, 0));
    QCOMPARE(form->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

void WindowTest::controlsStayPutOnResize()
{
    showActive();
    for (const QSize size : {QSize(1000, 800), QSize(300, 200)}) {
        form->resize(size);
        QTRY_COMPARE(form->size(), size);
        for (const Control &control : layoutTable)
            QCOMPARE(named(QString::fromLatin1(control.name))->geometry(), pixels(control));
    }
    form->showMaximized();
    QTRY_VERIFY(form->isMaximized());
    QCOMPARE(named(u"Command1"_s)->geometry(), QRect(8, 488, 265, 41));
}

void WindowTest::opensEmptyWithFocusInFirstAnswer()
{
    showActive();
    const QList<QLineEdit *> fields = form->findChildren<QLineEdit *>();
    QCOMPARE(fields.size(), 7);
    for (const QLineEdit *field : fields)
        QVERIFY2(field->text().isEmpty(), qPrintable(field->objectName()));
    const QList<QRadioButton *> options = form->findChildren<QRadioButton *>();
    QCOMPARE(options.size(), 17);
    for (const QRadioButton *option : options)
        QVERIFY2(!option->isChecked(), qPrintable(option->objectName()));
    QCOMPARE(QApplication::focusWidget(), named(u"T1"_s));
}

void WindowTest::scoreField()
{
    // Flat on the 3-D light colour, and crisp: neither greyed out nor
    // read-only. A Tab stop, so a screen reader reads it after scoring.
    showActive();
    auto *score = named<QLineEdit>(u"T7"_s);
    const QColor midlight = QApplication::palette().color(QPalette::Active, QPalette::Midlight);
    QCOMPARE(score->palette().color(QPalette::Active, QPalette::Base), midlight);
    QVERIFY(score->isEnabled());
    QVERIFY(!score->isReadOnly());
    QCOMPARE(score->focusPolicy(), Qt::StrongFocus);

    // No sunken border: the light colour reaches every edge.
    score->setText(u"25"_s);
    const QImage drawn = score->grab().toImage();
    const QRect edges = drawn.rect();
    for (const QPoint point :
         {QPoint(edges.center().x(), edges.top()), QPoint(edges.center().x(), edges.bottom()),
          QPoint(edges.left(), edges.center().y()), QPoint(edges.right(), edges.center().y())})
        QCOMPARE(drawn.pixelColor(point).name(), midlight.name());
}

void WindowTest::tabVisitsQuestionsInOrder_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("visited");

    // Each frame's options are one stop, entered at the first option going
    // forward and at the last going back; the arrow keys move within it.
    // The score field is the last stop, right after the button.
    QTest::newRow("Tab") << int(Qt::Key_Tab)
                         << QStringList{u"T2"_s,  u"T3"_s,       u"T4"_s, u"O1"_s,
                                        u"O4"_s,  u"O9"_s,       u"T5"_s, u"T6"_s,
                                        u"O13"_s, u"Command1"_s, u"T7"_s, u"T1"_s};
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab)
                               << QStringList{u"T7"_s, u"Command1"_s, u"O17"_s, u"T6"_s,
                                              u"T5"_s, u"O12"_s,      u"O8"_s,  u"O3"_s,
                                              u"T4"_s, u"T3"_s,       u"T2"_s,  u"T1"_s};
}

void WindowTest::tabVisitsQuestionsInOrder()
{
    QFETCH(int, key);
    QFETCH(QStringList, visited);

    showActive();
    QCOMPARE(QApplication::focusWidget(), named(u"T1"_s));
    QStringList order;
    for (qsizetype step = 0; step < visited.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, visited);
}

void WindowTest::clickOnOverlapReachesControl_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("control");

    const char *overlaps[][2] = {{"Label3", "T1"},     {"Label4", "T2"},     {"Label5", "T3"},
                                 {"Label6", "T4"},     {"Label10", "T5"},    {"Label7", "Frame1"},
                                 {"Label8", "Frame2"}, {"Label9", "Frame3"}, {"Label12", "Frame4"}};
    for (const auto &[label, control] : overlaps)
        QTest::addRow("%s over %s", label, control)
            << QString::fromLatin1(label) << QString::fromLatin1(control);
}

void WindowTest::clickOnOverlapReachesControl()
{
    QFETCH(QString, label);
    QFETCH(QString, control);

    showActive();
    QWidget *target = named(control);
    const QRect overlap = named(label)->geometry() & target->geometry();
    QVERIFY(!overlap.isEmpty());
    const QPoint point = overlap.center();
    QCOMPARE(form->childAt(point), target);

    QTest::mouseClick(form->windowHandle(), Qt::LeftButton, {}, point);
    if (target->focusPolicy() & Qt::ClickFocus)
        QTRY_COMPARE(QApplication::focusWidget(), target);
    else
        QCOMPARE(QApplication::focusWidget(), named(u"T1"_s));
}

void WindowTest::optionGroups_data()
{
    QTest::addColumn<QStringList>("clicked");
    QTest::addColumn<QStringList>("selected");

    QTest::newRow("one option") << QStringList{u"O2"_s} << QStringList{u"O2"_s};
    QTest::newRow("another in the same frame")
        << QStringList{u"O1"_s, u"O3"_s} << QStringList{u"O3"_s};
    QTest::newRow("through a whole frame")
        << QStringList{u"O13"_s, u"O14"_s, u"O15"_s, u"O16"_s, u"O17"_s} << QStringList{u"O17"_s};
    QTest::newRow("one in each frame") << QStringList{u"O3"_s, u"O5"_s, u"O11"_s, u"O13"_s}
                                       << QStringList{u"O3"_s, u"O5"_s, u"O11"_s, u"O13"_s};
    QTest::newRow("change in one frame keeps the others")
        << QStringList{u"O1"_s, u"O4"_s, u"O9"_s, u"O13"_s, u"O6"_s}
        << QStringList{u"O1"_s, u"O6"_s, u"O9"_s, u"O13"_s};
    QTest::newRow("clicked again stays selected")
        << QStringList{u"O10"_s, u"O10"_s} << QStringList{u"O10"_s};
    QTest::newRow("O8 is not O13") << QStringList{u"O8"_s} << QStringList{u"O8"_s};
    QTest::newRow("O13 is not O8") << QStringList{u"O13"_s} << QStringList{u"O13"_s};
    QTest::newRow("O8 and O13 together")
        << QStringList{u"O8"_s, u"O13"_s} << QStringList{u"O8"_s, u"O13"_s};
}

void WindowTest::optionGroups()
{
    QFETCH(QStringList, clicked);
    QFETCH(QStringList, selected);

    showActive();
    for (const QString &name : clicked) {
        auto *option = named<QRadioButton>(name);
        QStyleOptionButton style;
        style.initFrom(option);
        const QPoint indicator =
            option->style()
                ->subElementRect(QStyle::SE_RadioButtonIndicator, &style, option)
                .center();
        QTest::mouseClick(option, Qt::LeftButton, {}, indicator);
    }
    for (const QRadioButton *option : form->findChildren<QRadioButton *>())
        QVERIFY2(option->isChecked() == selected.contains(option->objectName()),
                 qPrintable(option->objectName()));
}

void WindowTest::nothingClipped_data()
{
    QTest::addColumn<QString>("styleName");

    // Each style leaves its own room inside a button and beside an option's
    // indicator.
    for (const QString &styleName : QStyleFactory::keys())
        QTest::newRow(qPrintable(styleName)) << styleName;
}

// Under every style, in the fonts the captions really get: a heading or
// question that does not fit its box would be cut off or hidden under its
// answer field.
void WindowTest::nothingClipped()
{
    QFETCH(QString, styleName);

    styleUnderTest.reset(QStyleFactory::create(styleName));
    for (QWidget *control : form->findChildren<QWidget *>())
        control->setStyle(styleUnderTest.get());
    QVERIFY(showAndActivate(form.get()));

    QStringList clipped;
    for (const Control &control : layoutTable) {
        if (control.caption.isEmpty())
            continue;
        const QString name = QString::fromLatin1(control.name);
        if (const QString lost = clipping(named(name)); !lost.isEmpty())
            clipped << name + u": "_s + lost;
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(u"; "_s)));
}

QTEST_MAIN(WindowTest)
#include "tst_window.moc"

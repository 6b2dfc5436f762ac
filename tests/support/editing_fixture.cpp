#include "support/editing_fixture.h"

#include <QListView>
#include <QPushButton>
#include <QTest>

namespace dravelin::test {

const char* const kBoxNames[6] = {"Ind_B", "Nom_B", "Pre_B", "Adr_B", "Vil_B", "Cod_B"};

QString resultLine(const QString& callsign, const QString& name, const QString& rest)
{
    return callsign.leftJustified(12, QLatin1Char(' ')) + name.leftJustified(40, QLatin1Char(' ')) + rest;
}

void pressExpertChord(MainHarness& main)
{
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : main.window.get();
    QTest::keyClick(target, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
}

namespace {
QPoint centreOfRow(MainHarness& main, int row)
{
    auto* list = main.control<QListView>("Liste_OM");
    return list->visualRect(list->model()->index(row, 0)).center();
}
} // namespace

void clickLine(MainHarness& main, int row)
{
    auto* list = main.control<QListView>("Liste_OM");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centreOfRow(main, row));
}

void doubleClickLine(MainHarness& main, int row)
{
    // The system delivers the press and release of the first click, then the double-click.
    auto* list = main.control<QListView>("Liste_OM");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centreOfRow(main, row));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, centreOfRow(main, row));
}

void Editing::open(const QString& callsign)
{
    main_.search("Option1", callsign);
    clickLine(main_, 0);
    if (main_.control<QPushButton>("Expert")->isHidden())
        pressExpertChord(main_);
    QTest::mouseClick(main_.control<QPushButton>("Expert"), Qt::LeftButton);
    // The window system gives the focus to the window just shown.
    if (window() && window()->isVisible())
        QApplication::setActiveWindow(window());
}

void Editing::click(const char* button) const
{
    QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
}

void Editing::enter(const char* boxName, const QString& text) const
{
    FieldLineEdit* target = box(boxName);
    target->setFocus();
    target->selectAll();
    QTest::keyClick(target, Qt::Key_Backspace);
    typeText(target, text);
    QTest::keyClick(target, Qt::Key_Return);
}

void Editing::walk(const QStringList& sixFields) const
{
    for (int i = 0; i < sixFields.size() && i < 6; ++i)
        enter(kBoxNames[i], sixFields[i]);
}

QStringList Editing::boxTexts() const
{
    QStringList texts;
    for (const char* name : kBoxNames)
        texts << box(name)->text();
    return texts;
}

} // namespace dravelin::test

#include "support/directory_fixture.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QListView>
#include <QRadioButton>
#include <QTest>

#include "widgets/typing_line_edit.h"

namespace dravelin::test {

void typeText(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        const QChar upper = c.toUpper();
        int key = Qt::Key_unknown;
        if (upper >= QLatin1Char('A') && upper <= QLatin1Char('Z'))
            key = Qt::Key_A + (upper.unicode() - 'A');
        else if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            key = Qt::Key_0 + (c.unicode() - '0');
        else if (c == QLatin1Char(' '))
            key = Qt::Key_Space;
        QTest::sendKeyEvent(QTest::Press, widget, static_cast<Qt::Key>(key), QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, static_cast<Qt::Key>(key), QString(c), Qt::NoModifier);
    }
}

QByteArray crlfLines(std::initializer_list<QByteArray> lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

ProgramFolder::ProgramFolder(const QByteArray& directoryBytes, const QString& parentFolder)
    : folder_((parentFolder.isEmpty() ? QDir::tempPath() : parentFolder) + QStringLiteral("/dravelin-XXXXXX"))
{
    writeDirectory(directoryBytes);
}

QString ProgramFolder::directoryFile() const
{
    return folder_.filePath(QStringLiteral("Annuaire_Amat.csv"));
}

QByteArray ProgramFolder::directoryBytes() const
{
    QFile file(directoryFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void ProgramFolder::writeDirectory(const QByteArray& bytes) const
{
    QFile file(directoryFile());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

void ProgramFolder::removeDirectory() const
{
    QFile::remove(directoryFile());
}

MainHarness::MainHarness(const QByteArray& directoryBytes, const QString& parentFolder)
    : folder(directoryBytes, parentFolder), platform(toFilesystemPath(folder.path())),
      window(std::make_unique<Main>(platform, shared))
{
    loaded = window->loadWindow();
    if (loaded) {
        window->activateWindow();
        QApplication::setActiveWindow(window.get());
    }
}

void MainHarness::search(const char* option, const QString& typed)
{
    QTest::mouseClick(control<QRadioButton>(option), Qt::LeftButton);
    auto* libelle = control<TypingLineEdit>("Libelle");
    typeText(libelle, typed);
    QTest::keyClick(libelle, Qt::Key_Return);
}

QStringList MainHarness::listLines() const
{
    const QAbstractItemModel* model = control<QListView>("Liste_OM")->model();
    QStringList lines;
    for (int row = 0; row < model->rowCount(); ++row)
        lines << model->index(row, 0).data().toString();
    return lines;
}

QString MainHarness::countCaption() const
{
    return control<QGroupBox>("Frame3")->title();
}

} // namespace dravelin::test

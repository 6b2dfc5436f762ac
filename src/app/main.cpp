#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "main_window/main_window.h"
#include "platform/qt_platform.h"
#include "printing/print_dialog_french.h"
#include "shared/sous_programmes.h"

namespace {

// Qt's own texts (Oui / Non, Enregistrer / Annuler) in French, from the program folder
// where a portable install puts them, else from Qt's installation.
void installFrenchTranslations(QApplication& app, QTranslator& translator)
{
    const QLocale french(QLocale::French, QLocale::France);
    for (const QString& folder : {QApplication::applicationDirPath() + QStringLiteral("/translations"),
                                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator.load(french, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            app.installTranslator(&translator);
            return;
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dravelin"));
    QIcon icon(QStringLiteral(":/icons/dravelin-32.png"));
    icon.addFile(QStringLiteral(":/icons/dravelin-128.png"));
    QApplication::setWindowIcon(icon);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTranslator translator;
    installFrenchTranslations(app, translator);
    // Asked before Qt's translation, for the print dialog's texts that it leaves in English.
    dravelin::PrintDialogFrench printDialogFrench;
    QApplication::installTranslator(&printDialogFrench);

    dravelin::QtPlatform platform;
    dravelin::Sous_Programmes shared;
    dravelin::Main window(platform, shared);
    if (!window.loadWindow())
        return 1;
    return app.exec();
}

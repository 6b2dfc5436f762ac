#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "database/directory_file.h"
#include "platform/file_filter.h"
#include "platform/qt_platform.h"
#include "printing/print_dialog_french.h"
#include "shared/sous_programmes.h"
#include "support/child_process.h"
#include "support/file_faults.h"

namespace dravelin {

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

class TestQtPlatform : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // With no printer installed, printing is not refused: the dialog offers a PDF file.
    void withoutAPrinterTheDialogOffersAPdfFile()
    {
        if (!QPrinterInfo::availablePrinterNames().isEmpty())
            QSKIP("this machine has a printer");
        QTemporaryDir folder;
        const QString pdf = folder.filePath(QStringLiteral("liste.pdf"));
        QtPlatform platform;
        Printer* printer = platform.defaultPrinter();
        QVERIFY(printer);
        printer->printLine(QStringLiteral("Ville PARIS"));

        QStringList offered;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            for (QComboBox* choice : dialog->findChildren<QComboBox*>())
                for (int i = 0; i < choice->count(); ++i)
                    offered << choice->itemText(i);
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                name->setText(pdf);
            dialog->accept();
        });
        QVERIFY(platform.showPrinterDialog(nullptr, *printer));
        QVERIFY2(offered.filter(QStringLiteral("PDF")).size() > 0, qPrintable(offered.join(", ")));
        QCOMPARE(printer->endJob(), std::optional<QString>());
        QVERIFY(fileBytes(pdf).startsWith("%PDF"));
    }

    // Qt's print dialog in French where Qt's own translation leaves it in English: the
    // printer's properties, their Advanced tab and the help on page ranges.
    void printDialogTextsAreFrench_data()
    {
        QTest::addColumn<QString>("context"); // empty: the page-range box of a real dialog
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("french");
        QTest::newRow("Printer Properties") << "QPrintPropertiesDialog"
                                            << "Printer Properties"
                                            << "Propriétés de l'imprimante";
        QTest::newRow("Advanced") << "QPrintPropertiesWidget"
                                  << "Advanced"
                                  << "Avancé";
        QTest::newRow("Job Options") << "QPrintPropertiesWidget"
                                     << "Job Options"
                                     << "Options de la tâche";
        QTest::newRow("page ranges tooltip") << ""
                                             << ""
                                             << "Indiquez des pages ou des intervalles séparés par des virgules. Un "
                                                "intervalle s'écrit avec deux numéros séparés par un tiret. Par "
                                                "exemple, 3,5-7,9 imprime les pages 3, 5, 6, 7 et 9.";
    }
    void printDialogTextsAreFrench()
    {
        QFETCH(QString, context);
        QFETCH(QString, english);
        QFETCH(QString, french);
        PrintDialogFrench translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        QString shown;
        if (context.isEmpty()) {
            QPrinter printer;
            QPrintDialog dialog(&printer);
            auto* pages = dialog.findChild<QLineEdit*>(QStringLiteral("pagesLineEdit"));
            QVERIFY(pages);
            shown = pages->toolTip();
        } else {
            shown = QCoreApplication::translate(context.toLatin1().constData(), english.toLatin1().constData());
        }
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(shown, french);
    }

    // The version history shows one line per version: a long line does not wrap and shift
    // the alignment of the lines below it.
    void aMessageKeepsItsLinesWhole()
    {
        const QString history = Sous_Programmes::historyText();
        QStringList lines = history.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QStringList wrapped;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
            for (const QString& line : lines)
                if (!label || label->contentsRect().width() < label->fontMetrics().horizontalAdvance(line))
                    wrapped << line;
            box->accept();
        });
        QtPlatform().showMessage(nullptr, history, MessageButtons::Ok);
        QVERIFY2(wrapped.isEmpty(), qPrintable(wrapped.join(QLatin1Char('\n'))));
    }

    void settingsAreWrittenUnderApplicationSectionAndKey()
    {
        QtPlatform platform;
        platform.writeSetting(QStringLiteral("Annuaire"), QStringLiteral("Setup "), QStringLiteral("Chemin Repertoire"),
                              QStringLiteral("/opt/dravelin"));
        platform.writeSetting(QStringLiteral("Annuaire"), QStringLiteral("Setup "), QStringLiteral("Chemin Repertoire"),
                              QStringLiteral("/opt/autre"));
        QSettings settings(QSettings::UserScope, QStringLiteral("Annuaire"));
        QCOMPARE(settings.value(QStringLiteral("Setup /Chemin Repertoire")).toString(), QStringLiteral("/opt/autre"));
        // Read back the same way; a key never written reads empty.
        QCOMPARE(platform.readSetting(QStringLiteral("Annuaire"), QStringLiteral("Setup "),
                                      QStringLiteral("Chemin Repertoire")),
                 QStringLiteral("/opt/autre"));
        QCOMPARE(platform.readSetting(QStringLiteral("Annuaire"), QStringLiteral("Setup "),
                                      QStringLiteral("Planche Etiquettes")),
                 QString());
        settings.clear();
    }

    // "Étiquettes": the sheets offered, the first label kept within the sheet chosen, OK and Annuler.
    void theLabelDialogAsksTheSheetAndTheFirstLabel_data()
    {
        QTest::addColumn<int>("proposedSheet");
        QTest::addColumn<int>("proposedFirst");
        QTest::addColumn<int>("chosenSheet"); // -1: left as proposed
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("lastLabel"); // of the sheet shown when the dialog closes
        QTest::addColumn<int>("sheet");     // in the answer; -1: no answer
        QTest::addColumn<int>("first");
        QTest::newRow("OK keeps what was proposed") << 1 << 3 << -1 << true << 14 << 1 << 3;
        QTest::newRow("a smaller sheet brings the first label back onto it") << 0 << 20 << 1 << true << 14 << 1 << 14;
        QTest::newRow("a first label beyond the sheet is its last") << 2 << 99 << -1 << true << 21 << 2 << 21;
        QTest::newRow("Annuler gives no answer") << 0 << 5 << 2 << false << 21 << -1 << 0;
    }
    void theLabelDialogAsksTheSheetAndTheFirstLabel()
    {
        QFETCH(int, proposedSheet);
        QFETCH(int, proposedFirst);
        QFETCH(int, chosenSheet);
        QFETCH(bool, accepted);
        QFETCH(int, lastLabel);
        QFETCH(int, sheet);
        QFETCH(int, first);
        QStringList sheets;
        QString title;
        QStringList buttons;
        int shownLastLabel = 0;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            title = dialog->windowTitle();
            auto* format = dialog->findChild<QComboBox*>(QStringLiteral("Format_Planche"));
            auto* firstLabel = dialog->findChild<QSpinBox*>(QStringLiteral("Premiere_Etiquette"));
            if (!format || !firstLabel)
                return dialog->reject();
            for (int i = 0; i < format->count(); ++i)
                sheets << format->itemText(i);
            for (QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
                buttons << button->text();
            if (chosenSheet >= 0)
                format->setCurrentIndex(chosenSheet);
            shownLastLabel = firstLabel->maximum();
            if (accepted)
                dialog->accept();
            else
                dialog->reject();
        });
        const std::optional<LabelChoice> answer = QtPlatform().chooseLabels(
            nullptr, {static_cast<std::size_t>(proposedSheet), static_cast<std::size_t>(proposedFirst)});
        QCOMPARE(title, QStringLiteral("Étiquettes"));
        QCOMPARE(sheets, (QStringList{QStringLiteral("A4, 3 × 8 étiquettes de 70 × 37 mm"),
                                      QStringLiteral("A4, 2 × 7 étiquettes de 99,1 × 38,1 mm"),
                                      QStringLiteral("A4, 3 × 7 étiquettes de 70 × 42,3 mm")}));
        buttons.sort();
        QCOMPARE(buttons, (QStringList{QStringLiteral("Annuler"), QStringLiteral("OK")}));
        QCOMPARE(shownLastLabel, lastLabel);
        QCOMPARE(answer.has_value(), sheet >= 0);
        if (answer) {
            QCOMPARE(answer->sheet, std::size_t(sheet));
            QCOMPARE(answer->firstLabel, std::size_t(first));
        }
    }

    void programFolderIsTheExecutablesFolder()
    {
        QCOMPARE(QtPlatform().programFolder(), toFilesystemPath(QCoreApplication::applicationDirPath()));
    }

    void programFolderKeepsTheBytesOfItsName_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("accents in UTF-8") << QByteArray("Annuaire d\xC3\xA9j\xC3\xA0 vu");
#ifndef _WIN32
        // Copied from a system that wrote names in Latin-1: Qt alone decodes it to nothing usable.
        QTest::newRow("Latin-1 bytes") << QByteArray("caf\xE9");
#endif
    }
    void programFolderKeepsTheBytesOfItsName()
    {
        QFETCH(QByteArray, name);
        test::TemporaryFolder root;
        const std::filesystem::path folder = root.path() / std::filesystem::path(name.toStdString());
        std::filesystem::create_directory(folder);
        const std::filesystem::path probe = folder / std::filesystem::path(PROGRAM_FOLDER_PROBE).filename();
        std::filesystem::copy_file(PROGRAM_FOLDER_PROBE, probe);
        // A portable folder: the directory file beside the executable keeps the list there.
        test::writeBytes(folder / kDirectoryFileName, "Base Rev 255  du 11/08/2009\r\n");
        test::ChildProcess run(probe, {});
        QVERIFY2(run.started(), run.startError().c_str());
        const std::string found = run.readLine();
        QCOMPARE(run.wait(), 0);
        QCOMPARE(QByteArray::fromStdString(found), QByteArray::fromStdString(folder.u8string()));
    }

    // The save dialog gives a name typed without an extension the one of the format, and
    // never asks itself before replacing a file: the program asks, after its own checks.
    void theSaveDialogAddsTheDefaultSuffixAndAsksNothing_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("defaultSuffix");
        QTest::addColumn<QString>("returned");

        QTest::newRow("a name without extension gets the default suffix") << ""
                                                                          << "liste"
                                                                          << "xlsx"
                                                                          << "liste.xlsx";
        QTest::newRow("an existing file is not asked about") << "liste.txt"
                                                             << "liste.txt"
                                                             << ""
                                                             << "liste.txt";
        QTest::newRow("an existing file of the suffixed name is not asked about") << "liste.xlsx"
                                                                                  << "liste"
                                                                                  << "xlsx"
                                                                                  << "liste.xlsx";
    }
    void theSaveDialogAddsTheDefaultSuffixAndAsksNothing()
    {
        QFETCH(QString, existing);
        QFETCH(QString, typed);
        QFETCH(QString, defaultSuffix);
        QFETCH(QString, returned);
        QTemporaryDir folder;
        if (!existing.isEmpty())
            QVERIFY(writeFile(folder.filePath(existing), "earlier\r\n"));

        QStringList questions;
        bool shown = false;
        bool answered = false;
        // The timers below end with this row: their context goes before the variables they read.
        QObject timers;
        // A question about replacing the file would open inside the dialog's accept: it is
        // noted and answered No, until the dialog has given its answer.
        std::function<void()> watchForQuestions = [&] {
            if (answered)
                return;
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(window);
                if (box && box->isVisible()) {
                    questions << box->text();
                    box->done(QMessageBox::No);
                    return;
                }
            }
            QTimer::singleShot(0, &timers, watchForQuestions);
        };
        QTimer::singleShot(0, &timers, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            shown = true;
            dialog->setDirectory(folder.path());
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(typed);
            QTimer::singleShot(0, &timers, watchForQuestions);
            static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own, as its Save button calls it
            if (dialog->isVisible())
                dialog->reject();
        });
        QtPlatform platform;
        const QString chosen = platform.saveFileName(nullptr, QStringLiteral("Recherche_ville_PARIS"),
                                                     QStringLiteral(".txt |*.txt"), defaultSuffix);
        answered = true;
        QVERIFY(shown);
        QCOMPARE(questions, QStringList());
        QCOMPARE(chosen, folder.filePath(returned));
        if (!existing.isEmpty())
            QCOMPARE(fileBytes(folder.filePath(existing)), QByteArray("earlier\r\n"));
    }

    void saveFiltersTakeQtsForm_data()
    {
        QTest::addColumn<QString>("pairs");
        QTest::addColumn<QString>("qtForm");
        QTest::newRow("text") << ".txt |*.txt"
                              << ".txt (*.txt)";
        QTest::newRow("csv") << ".csv |*.csv"
                             << ".csv (*.csv)";
        QTest::newRow("two entries") << "Texte|*.txt|Tous|*.*"
                                     << "Texte (*.txt);;Tous (*.*)";
        QTest::newRow("several patterns") << "Listes|*.txt;*.csv"
                                          << "Listes (*.txt *.csv)";
        QTest::newRow("description without pattern") << "Tous"
                                                     << "Tous (*)";
        QTest::newRow("none") << ""
                              << "";
    }
    void saveFiltersTakeQtsForm()
    {
        QFETCH(QString, pairs);
        QFETCH(QString, qtForm);
        QCOMPARE(qtFileFilter(pairs), qtForm);
    }

    void wholeFilesAreWrittenOrReplaced_data()
    {
        QTest::addColumn<QByteArray>("earlier");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("new file") << QByteArray() << QByteArray("F1ABC;DUPONT Jean;\r\n");
        QTest::newRow("longer earlier file") << QByteArray(10000, 'x') << QByteArray("liste\r\n");
        QTest::newRow("nothing to write") << QByteArray("ancien\r\n") << QByteArray();
    }
    void wholeFilesAreWrittenOrReplaced()
    {
        QFETCH(QByteArray, earlier);
        QFETCH(QByteArray, bytes);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("liste"));
        if (!earlier.isEmpty())
            QVERIFY(writeFile(path, earlier));

        QCOMPARE(QtPlatform().writeFileAtomically(path, bytes), std::optional<QString>());
        QCOMPARE(fileBytes(path), bytes);
        // No temporary file is left beside it.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"liste"});
    }

    void unwritableFilesAreToldInFrench_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("missing folder") << "absent/liste.csv"
                                        << "n'existe pas";
        QTest::newRow("a folder of that name") << "dossier"
                                               << "un dossier porte déjà ce nom";
        QTest::newRow("no name") << ""
                                 << "le nom du fichier est vide";
    }
    void unwritableFilesAreToldInFrench()
    {
        QFETCH(QString, name);
        QFETCH(QString, description);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("dossier")));
        const QString path = name.isEmpty() ? QString() : folder.filePath(name);

        const std::optional<QString> failure = QtPlatform().writeFileAtomically(path, "liste\r\n");
        QVERIFY(failure);
        QVERIFY2(failure->contains(description), qPrintable(*failure));
        QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"dossier"});
    }

    void aFailedWriteKeepsTheEarlierFile()
    {
        // The temporary file takes the name plus a few characters. A name that fits the file
        // system while that longer one does not makes the write fail after the earlier file exists.
        QTemporaryDir folder;
        const QString tooLong = folder.filePath(QString(257, QLatin1Char('b')));
        if (writeFile(tooLong, "x"))
            QSKIP("This file system takes names longer than 255 characters.");
        const QString path = folder.filePath(QString(252, QLatin1Char('a')));
        if (!writeFile(path, "earlier list\r\n"))
            QSKIP("This file system refuses names of 252 characters.");

        const std::optional<QString> failure = QtPlatform().writeFileAtomically(path, QByteArray(1000, 'n'));
        QVERIFY(failure);
        QCOMPARE(fileBytes(path), QByteArray("earlier list\r\n"));
    }

    void aFullDiskIsToldAndKeepsTheEarlierFile()
    {
        // The bytes wait in a buffer until the file is flushed: the full disk shows only then,
        // and must not let a cut-off file take the earlier one's place.
        test::SmallFileSystem disk(std::size_t{1} << 20);
        if (!disk.mounted())
            QSKIP("no right to mount a small file system here");
        const QString path = QString::fromStdString((disk.path() / "liste").string());
        QVERIFY(writeFile(path, "earlier list\r\n"));
        QVERIFY(disk.fill());

        const std::optional<QString> failure = QtPlatform().writeFileAtomically(path, QByteArray(300, 'n'));
        QCOMPARE(failure,
                 std::optional<QString>(QStringLiteral("l'écriture a échoué (disque plein ou support retiré ?).")));
        QCOMPARE(fileBytes(path), QByteArray("earlier list\r\n"));
        QCOMPARE(QDir(QString::fromStdString(disk.path().string())).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"filler", "liste"}));
    }
};

} // namespace dravelin

QTEST_MAIN(dravelin::TestQtPlatform)
#include "test_qt_platform.moc"

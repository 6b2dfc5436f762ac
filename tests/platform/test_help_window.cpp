#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <filesystem>

#include "help_window/help_browser.h"
#include "help_window/help_window.h"
#include "platform/qt_platform.h"

namespace dravelin {

namespace {

const QString kShippedManual = QStringLiteral(DRAVELIN_HELP_SOURCE);

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QSet<QString> captures(const QString& text, const QString& pattern)
{
    QSet<QString> found;
    auto matches = QRegularExpression(pattern).globalMatch(text);
    while (matches.hasNext())
        found.insert(matches.next().captured(1));
    return found;
}

} // namespace

class TestHelpWindow : public QObject {
    Q_OBJECT

private slots:
    void theBuildPutsTheManualBesideTheExecutable()
    {
        const QString besideExecutable = QCoreApplication::applicationDirPath() + QStringLiteral("/Dravelin.hlp");
        QVERIFY(QFile::exists(besideExecutable));
        QCOMPARE(fileBytes(besideExecutable), fileBytes(kShippedManual));
    }

    void everyLinkOfTheManualLeadsToASection()
    {
        const QString html = QString::fromUtf8(fileBytes(kShippedManual));
        const QSet<QString> links = captures(html, QStringLiteral("href=\"#([^\"]+)\""));
        const QSet<QString> anchors = captures(html, QStringLiteral("name=\"([^\"]+)\""));
        QVERIFY(!links.isEmpty());
        for (const QString& link : links)
            QVERIFY2(anchors.contains(link), qPrintable(link));
        for (const char* topic : {"recherche", "indicatif", "nom", "ville", "departement", "exact", "enregistrer",
                                  "imprimer", "modification", "revision"})
            QVERIFY2(links.contains(QString::fromLatin1(topic)), topic);
    }

    void showsTheManualWithItsNavigation()
    {
        QtPlatform platform;
        QWidget main;
        platform.showHelp(&main, toFilesystemPath(kShippedManual));
        HelpWindow* window = platform.helpWindow();
        QVERIFY(window);
        QVERIFY(window->isVisible());
        QTextBrowser* browser = window->browser();
        QCOMPARE(browser->documentTitle(), QStringLiteral("Dravelin - Mode d'emploi"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("La règle de l'égalité exacte")));

        auto* back = window->findChild<QAction*>(QStringLiteral("Aide_Precedent"));
        auto* forward = window->findChild<QAction*>(QStringLiteral("Aide_Suivant"));
        auto* home = window->findChild<QAction*>(QStringLiteral("Aide_Sommaire"));
        QVERIFY(back && forward && home);
        QVERIFY(!back->isEnabled());

        QUrl section = browser->source();
        section.setFragment(QStringLiteral("revision"));
        browser->setSource(section);
        QVERIFY(back->isEnabled());
        back->trigger();
        QVERIFY(browser->source().fragment().isEmpty());
        QVERIFY(forward->isEnabled());
        forward->trigger();
        QCOMPARE(browser->source().fragment(), QStringLiteral("revision"));
        home->trigger();
        QVERIFY(browser->source().fragment().isEmpty());

        // A second request reuses the same window.
        platform.showHelp(&main, toFilesystemPath(kShippedManual));
        QCOMPARE(platform.helpWindow(), window);
        QCOMPARE(main.findChildren<HelpWindow*>().size(), 1);
    }

    void everyToolbarButtonHasAFrenchName_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("name");
        QTest::newRow("back") << "Aide_Precedent"
                              << "Précédent";
        QTest::newRow("forward") << "Aide_Suivant"
                                 << "Suivant";
        QTest::newRow("contents") << "Aide_Sommaire"
                                  << "Sommaire";
    }
    void everyToolbarButtonHasAFrenchName()
    {
        QFETCH(QString, action);
        QFETCH(QString, name);
        HelpWindow window;
        auto* bar = window.findChild<QToolBar*>();
        QVERIFY(bar);
        QWidget* button = bar->widgetForAction(window.findChild<QAction*>(action));
        QVERIFY(button);
        // The name a screen reader speaks, without the arrow drawn beside it.
        QCOMPARE(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name), name);
    }

    // Screen readers find each link of the manual as a link, with its words, and follow it.
    void linksAreExposedAsLinks()
    {
        QtPlatform platform;
        QWidget main;
        platform.showHelp(&main, toFilesystemPath(kShippedManual));
        QTextBrowser* browser = platform.helpWindow()->browser();
        QAccessibleInterface* text = QAccessible::queryAccessibleInterface(browser);
        QVERIFY(text && text->textInterface());
        QVERIFY(text->textInterface()
                    ->text(0, text->textInterface()->characterCount())
                    .contains(QStringLiteral("La règle de l'égalité exacte")));

        const int linksInTheFile =
            static_cast<int>(QString::fromUtf8(fileBytes(kShippedManual)).count(QStringLiteral("<a href=")));
        QStringList names;
        QAccessibleInterface* revision = nullptr;
        for (int i = 0; i < text->childCount(); ++i) {
            QAccessibleInterface* link = text->child(i);
            QVERIFY(link);
            QCOMPARE(link->role(), QAccessible::Link);
            QCOMPARE(link->parent(), text);
            QVERIFY(!link->rect().isEmpty());
            names << link->text(QAccessible::Name);
            if (link->text(QAccessible::Name) == QStringLiteral("La révision de l'annuaire"))
                revision = link;
        }
        QCOMPARE(names.size(), linksInTheFile);
        QVERIFY2(names.contains(QStringLiteral("Rechercher dans l'annuaire")), qPrintable(names.join(", ")));
        QVERIFY(revision && revision->actionInterface());
        revision->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(browser->source().fragment(), QStringLiteral("revision"));
    }

    // The window fits the screen, frame and all, whatever the screen and the text size.
    void theWindowFitsTheScreen()
    {
        QtPlatform platform;
        QWidget main;
        platform.showHelp(&main, toFilesystemPath(kShippedManual));
        HelpWindow* window = platform.helpWindow();
        const QRect available = window->screen()->availableGeometry();
        // As large text makes the window on a small screen: larger than the screen.
        window->hide();
        window->resize(available.size() * 3 / 2);
        window->show();
        QVERIFY2(available.contains(window->frameGeometry()), qPrintable(QStringLiteral("%1x%2 on %3x%4")
                                                                             .arg(window->frameGeometry().width())
                                                                             .arg(window->frameGeometry().height())
                                                                             .arg(available.width())
                                                                             .arg(available.height())));
        QCOMPARE(window->windowTitle(), QStringLiteral("Dravelin - Mode d'emploi"));
    }

    void escapeClosesTheWindow()
    {
        QtPlatform platform;
        QWidget main;
        platform.showHelp(&main, toFilesystemPath(kShippedManual));
        HelpWindow* window = platform.helpWindow();
        QApplication::setActiveWindow(window);
        QTest::keyClick(window->browser(), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
    }

    // In a program folder copied from a system that wrote names in Latin-1, the manual is
    // still found and its links still lead to their sections.
    void theManualIsReadFromAFolderWhoseNameIsNotUtf8()
    {
#ifdef _WIN32
        QSKIP("Windows names folders in UTF-16: every name is valid there");
#else
        QTemporaryDir root;
        const std::filesystem::path folder =
            toFilesystemPath(root.path()) / std::filesystem::path(std::string("caf\xE9"));
        std::filesystem::create_directory(folder);
        std::filesystem::copy_file(toFilesystemPath(kShippedManual), folder / "Dravelin.hlp");
        QtPlatform platform;
        QWidget main;
        platform.showHelp(&main, folder / "Dravelin.hlp");
        QTextBrowser* browser = platform.helpWindow()->browser();
        QCOMPARE(browser->documentTitle(), QStringLiteral("Dravelin - Mode d'emploi"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("La règle de l'égalité exacte")));
        QVERIFY(platform.helpWindow()->findChild<QAction*>(QStringLiteral("Aide_Sommaire"))->isEnabled());
        static_cast<HelpBrowser*>(browser)->followLink(QStringLiteral("#revision"));
        QCOMPARE(browser->source().fragment(), QStringLiteral("revision"));
        QVERIFY(browser->toPlainText().contains(QStringLiteral("La règle de l'égalité exacte")));
#endif
    }

    void aMissingManualIsExplainedInTheWindow()
    {
        QTemporaryDir folder;
        const QString missing = folder.filePath(QStringLiteral("Dravelin.hlp"));
        QtPlatform platform;
        QWidget main;
        platform.showHelp(&main, toFilesystemPath(missing));
        HelpWindow* window = platform.helpWindow();
        QVERIFY(window && window->isVisible());
        const QString text = window->browser()->toPlainText();
        QVERIFY2(text.contains(QStringLiteral("Mode d'emploi indisponible")), qPrintable(text));
        QVERIFY2(text.contains(QDir::toNativeSeparators(missing)), qPrintable(text));
        QVERIFY(!window->findChild<QAction*>(QStringLiteral("Aide_Sommaire"))->isEnabled());
    }
};

} // namespace dravelin

QTEST_MAIN(dravelin::TestHelpWindow)
#include "test_help_window.moc"

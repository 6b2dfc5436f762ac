#include "help_window/help_window.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "help_window/help_browser.h"
#include "platform/platform.h"

namespace dravelin {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Aide"));
    setWindowTitle(QStringLiteral("Dravelin - Mode d'emploi"));
    setAccessibleName(windowTitle());
    resize(760, 620);

    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("Aide_Navigation"));
    back_ = toolBar->addAction(QStringLiteral("◀ Précédent"));
    back_->setObjectName(QStringLiteral("Aide_Precedent"));
    back_->setShortcut(QKeySequence::Back);
    forward_ = toolBar->addAction(QStringLiteral("Suivant ▶"));
    forward_->setObjectName(QStringLiteral("Aide_Suivant"));
    forward_->setShortcut(QKeySequence::Forward);
    home_ = toolBar->addAction(QStringLiteral("Sommaire"));
    home_->setObjectName(QStringLiteral("Aide_Sommaire"));
    // Screen readers speak the word alone, not the arrow drawn beside it.
    const std::pair<QAction*, QString> spoken[] = {
        {back_, QStringLiteral("Précédent")},
        {forward_, QStringLiteral("Suivant")},
        {home_, QStringLiteral("Sommaire")},
    };
    for (const auto& [action, name] : spoken)
        toolBar->widgetForAction(action)->setAccessibleName(name);

    // Escape closes the manual, as it closes a dialog; the main window keeps its place.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setObjectName(QStringLiteral("Aide_Fermer"));
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    browser_ = new HelpBrowser(this);
    browser_->setObjectName(QStringLiteral("Aide_Texte"));
    browser_->setAccessibleName(QStringLiteral("Mode d'emploi"));
    browser_->setOpenExternalLinks(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addWidget(browser_);

    back_->setEnabled(false);
    forward_->setEnabled(false);
    connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(home_, &QAction::triggered, browser_, &QTextBrowser::home);
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
}

void HelpWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Large text (150 %, 200 %) on a small screen: the window, with its frame, stays on the
    // screen it opens on, the text wrapping to the narrower width.
    const QScreen* shown = screen();
    if (!shown)
        return;
    const QRect available = shown->availableGeometry();
    QSize frame = frameGeometry().size() - size();
    if (frame.width() <= 0 || frame.height() <= 0) // not known before the window manager framed it
        frame = QSize(16, style()->pixelMetric(QStyle::PM_TitleBarHeight) + 16);
    const QSize fitting = size().boundedTo(available.size() - frame);
    if (fitting != size())
        resize(fitting);
    QRect placed = frameGeometry();
    placed.moveLeft(std::clamp(placed.left(), available.left(), available.right() + 1 - placed.width()));
    placed.moveTop(std::clamp(placed.top(), available.top(), available.bottom() + 1 - placed.height()));
    move(placed.topLeft());
}

QTextBrowser* HelpWindow::browser() const
{
    return browser_;
}

void HelpWindow::showFile(const std::filesystem::path& path)
{
    if (!browser_->setManual(path)) {
        browser_->clearHistory();
        browser_->setHtml(QStringLiteral("<h2>Mode d'emploi indisponible</h2>"
                                         "<p>Le fichier d'aide <b>%1</b> est introuvable ou ne peut pas être lu.</p>"
                                         "<p>Il est livré avec Dravelin et doit se trouver dans le dossier du "
                                         "programme, à côté de l'annuaire <b>Annuaire_Amat.csv</b>.</p>")
                              .arg(displayPath(path).toHtmlEscaped()));
        home_->setEnabled(false);
        return;
    }
    // The name ends in .hlp, so the browser is told the file is HTML.
    browser_->setSource(browser_->manualUrl(), QTextDocument::HtmlResource);
    home_->setEnabled(true);
}

} // namespace dravelin

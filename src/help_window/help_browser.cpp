#include "help_window/help_browser.h"

#include <QAccessibleWidget>
#include <QDesktopServices>
#include <QDir>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QWindow>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/platform.h"

namespace dravelin {

namespace {

// The text between two positions of the document, paragraphs ending in line breaks.
QString documentText(const QTextDocument* document, int start, int end)
{
    QTextCursor cursor(const_cast<QTextDocument*>(document));
    const int last = document->characterCount() - 1;
    cursor.setPosition(std::clamp(start, 0, last));
    cursor.setPosition(std::clamp(end, 0, last), QTextCursor::KeepAnchor);
    return cursor.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

// One link of the page: its words, where it stands, and the action that follows it.
class HelpLinkAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    HelpLinkAccessible(HelpBrowser* browser, int start, int end, QString href)
        : browser_(browser), start_(start), end_(end), href_(std::move(href))
    {
    }

    bool isValid() const override { return !browser_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return browser_ ? browser_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(browser_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override
    {
        if (!browser_)
            return {};
        if (t == QAccessible::Name)
            return documentText(browser_->document(), start_, end_).simplified();
        if (t == QAccessible::Value)
            return href_;
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        if (!browser_)
            return {};
        QTextCursor cursor(browser_->document());
        cursor.setPosition(start_);
        QRect area = browser_->cursorRect(cursor);
        cursor.setPosition(end_);
        area = area.united(browser_->cursorRect(cursor));
        return QRect(browser_->viewport()->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override { return QAccessible::Link; }
    // Whether the link holds the position of the document `position`.
    bool holds(int position) const { return start_ <= position && position < end_; }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.focusable = true;
        state.linked = true;
        // The browser marks the link it reached from the keyboard by selecting it.
        state.focused = browser_ && browser_->hasFocus() && browser_->textCursor().hasSelection() &&
                        holds(browser_->textCursor().selectionStart());
        state.invisible = !browser_ || !browser_->isVisible();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& actionName) override
    {
        if (browser_ && actionName == pressAction())
            browser_->followLink(href_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<HelpBrowser> browser_;
    int start_;
    int end_;
    QString href_;
};

// The browser's text for screen readers, read-only, with the page's links as its children.
class HelpTextAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit HelpTextAccessible(HelpBrowser* browser) : QAccessibleWidget(browser, QAccessible::EditableText) {}

    HelpBrowser* browser() const { return static_cast<HelpBrowser*>(widget()); }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.focusable = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    int childCount() const override { return static_cast<int>(browser()->linkIds().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const auto& ids = browser()->linkIds();
        if (index < 0 || index >= static_cast<int>(ids.size()))
            return nullptr;
        return QAccessible::accessibleInterface(ids[static_cast<std::size_t>(index)]);
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const auto& ids = browser()->linkIds();
        for (std::size_t i = 0; i < ids.size(); ++i)
            if (QAccessible::accessibleInterface(ids[i]) == child)
                return static_cast<int>(i);
        return -1;
    }

    // The text interface, over the document the browser shows.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override
    {
        const QTextCursor cursor = browser()->textCursor();
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && cursor.hasSelection()) {
            *startOffset = cursor.selectionStart();
            *endOffset = cursor.selectionEnd();
        }
    }
    int selectionCount() const override { return browser()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int) override
    {
        QTextCursor cursor = browser()->textCursor();
        cursor.clearSelection();
        browser()->setTextCursor(cursor);
    }
    void setSelection(int, int startOffset, int endOffset) override
    {
        QTextCursor cursor(browser()->document());
        cursor.setPosition(clamped(startOffset));
        cursor.setPosition(clamped(endOffset), QTextCursor::KeepAnchor);
        browser()->setTextCursor(cursor);
    }
    int cursorPosition() const override { return browser()->textCursor().position(); }
    void setCursorPosition(int position) override
    {
        QTextCursor cursor = browser()->textCursor();
        cursor.setPosition(clamped(position));
        browser()->setTextCursor(cursor);
    }
    QString text(int startOffset, int endOffset) const override
    {
        return documentText(browser()->document(), startOffset, endOffset);
    }
    int characterCount() const override { return browser()->document()->characterCount() - 1; }
    QRect characterRect(int offset) const override
    {
        QTextCursor cursor(browser()->document());
        cursor.setPosition(clamped(offset));
        const QRect caret = browser()->cursorRect(cursor);
        const int width = browser()->fontMetrics().averageCharWidth();
        return QRect(browser()->viewport()->mapToGlobal(caret.topLeft()), QSize(width, caret.height()));
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return browser()->cursorForPosition(browser()->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        setSelection(0, startIndex, endIndex);
        browser()->ensureCursorVisible();
    }
    QString attributes(int offset, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }

private:
    int clamped(int position) const { return std::clamp(position, 0, characterCount()); }
};

QAccessibleInterface* helpBrowserAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String(HelpBrowser::staticMetaObject.className()))
        if (auto* browser = qobject_cast<HelpBrowser*>(object))
            return new HelpTextAccessible(browser);
    return nullptr;
}

} // namespace

HelpBrowser::HelpBrowser(QWidget* parent) : QTextBrowser(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(helpBrowserAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    // The arrow keys move a caret through the text, so that screen readers read it line by
    // line; Tab still goes from link to link.
    setTextInteractionFlags(textInteractionFlags() | Qt::TextSelectableByKeyboard);
    connect(document(), &QTextDocument::contentsChanged, this, &HelpBrowser::collectLinks);
    connect(this, &QTextBrowser::sourceChanged, this, &HelpBrowser::collectLinks);
    connect(this, &QTextBrowser::sourceChanged, this, &HelpBrowser::readFromTarget);
}

HelpBrowser::~HelpBrowser()
{
    // The document outlives this part of the object: it must not call back into it.
    document()->disconnect(this);
    dropLinks();
}

void HelpBrowser::followLink(const QString& href)
{
    const QUrl target = source().resolved(QUrl(href));
    if (target.isLocalFile() || target.isRelative() || target.scheme() == source().scheme())
        setSource(target);
    else
        QDesktopServices::openUrl(target);
}

bool HelpBrowser::setManual(const std::filesystem::path& file)
{
    std::error_code error;
    const bool readable =
        std::filesystem::is_regular_file(file, error) && std::ifstream(file, std::ios::binary).is_open();
    manualFile_ = readable ? file : std::filesystem::path();
    // A name for the browser's history and links; the file itself is read by manualFile_.
    manualUrl_ =
        readable ? QUrl::fromLocalFile(QDir::fromNativeSeparators(displayPath(std::filesystem::absolute(file, error))))
                 : QUrl();
    return readable;
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name)
{
    if (manualUrl_.isEmpty() || name.adjusted(QUrl::RemoveFragment) != manualUrl_)
        return QTextBrowser::loadResource(type, name);
    std::ifstream in(manualFile_, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

bool HelpBrowser::focusNextPrevChild(bool next)
{
    // Tab and Shift+Tab go to the next link without any signal: tell screen readers here.
    const bool stayed = QTextBrowser::focusNextPrevChild(next);
    if (stayed && hasFocus())
        tellReachedLink();
    return stayed;
}

void HelpBrowser::readFromTarget(const QUrl& target)
{
    // The caret goes where the link led, so that the arrows read on from there, and screen
    // readers leave the link they spoke for the text.
    QTextCursor cursor(document());
    const QString anchor = target.fragment();
    for (QTextBlock block = document()->begin(); !anchor.isEmpty() && block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            if (fragment.fragment().charFormat().anchorNames().contains(anchor)) {
                cursor.setPosition(block.position());
                block = document()->end().previous(); // ends the outer loop after this block
                break;
            }
        }
    }
    setTextCursor(cursor);
    if (QAccessible::isActive() && hasFocus()) {
        QAccessibleEvent focusOnText(this, QAccessible::Focus);
        QAccessible::updateAccessibility(&focusOnText);
    }
}

void HelpBrowser::tellReachedLink()
{
    // Tab selects the link it reaches.
    const QTextCursor cursor = textCursor();
    if (!QAccessible::isActive() || !hasFocus() || !cursor.hasSelection())
        return;
    for (const QAccessible::Id id : linkIds_) {
        auto* link = static_cast<HelpLinkAccessible*>(QAccessible::accessibleInterface(id));
        if (link && link->holds(cursor.selectionStart())) {
            QAccessibleEvent focusOnLink(link, QAccessible::Focus);
            QAccessible::updateAccessibility(&focusOnLink);
            return;
        }
    }
}

void HelpBrowser::dropLinks()
{
    for (const QAccessible::Id id : linkIds_)
        QAccessible::deleteAccessibleInterface(id);
    linkIds_.clear();
}

void HelpBrowser::collectLinks()
{
    dropLinks();
    // A link may be cut into several fragments (bold words inside it): adjacent fragments of
    // the same target make one link.
    int start = -1;
    int end = -1;
    QString href;
    const auto close = [&] {
        if (start >= 0)
            linkIds_.push_back(
                QAccessible::registerAccessibleInterface(new HelpLinkAccessible(this, start, end, href)));
        start = -1;
    };
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextFragment piece = fragment.fragment();
            const QTextCharFormat format = piece.charFormat();
            const bool isLink = format.isAnchor() && !format.anchorHref().isEmpty();
            if (isLink && start >= 0 && format.anchorHref() == href && piece.position() == end) {
                end = piece.position() + piece.length();
                continue;
            }
            close();
            if (isLink) {
                start = piece.position();
                end = piece.position() + piece.length();
                href = format.anchorHref();
            }
        }
        close();
    }
    if (QAccessible::isActive()) {
        QAccessibleEvent event(this, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace dravelin

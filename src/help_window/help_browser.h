#pragma once

#include <QAccessible>
#include <QTextBrowser>
#include <filesystem>
#include <vector>

namespace dravelin {

// The text browser of the help window. Besides its text, it shows screen readers each link of
// the page as a link of its own, with its words and an action that follows it; the widget's
// usual accessible text has no links.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit HelpBrowser(QWidget* parent = nullptr);
    ~HelpBrowser() override;

    // The accessible links of the page shown, in reading order.
    const std::vector<QAccessible::Id>& linkIds() const { return linkIds_; }

    // Follows a link of the page, as a click on it does.
    void followLink(const QString& href);

    // The manual's file, read by its own name's bytes: Qt cannot open a name that is not
    // UTF-8 by itself. False when it is not a readable file. It is shown under manualUrl().
    bool setManual(const std::filesystem::path& file);
    QUrl manualUrl() const { return manualUrl_; }
    // The manual's text for its URL; any other resource as the browser finds it.
    QVariant loadResource(int type, const QUrl& name) override;

private:
    bool focusNextPrevChild(bool next) override;
    // Screen readers speak the link that Tab has reached.
    void tellReachedLink();
    void readFromTarget(const QUrl& target);
    void collectLinks();
    void dropLinks();

    std::vector<QAccessible::Id> linkIds_;
    std::filesystem::path manualFile_;
    QUrl manualUrl_;
};

} // namespace dravelin

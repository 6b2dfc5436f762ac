#pragma once

#include <QWidget>
#include <filesystem>

class QAction;
class QTextBrowser;

namespace dravelin {

class HelpBrowser;

// The program's own help window: the HTML user manual in a text browser, with back,
// forward and contents buttons. Not modal, so the manual can stay open beside the work.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Opens the file on its first page; a missing or unreadable file is explained in place.
    // The path is the system's own name, which need not be UTF-8.
    void showFile(const std::filesystem::path& path);

    QTextBrowser* browser() const;

private:
    void showEvent(QShowEvent* event) override;

    HelpBrowser* browser_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QAction* home_ = nullptr;
};

} // namespace dravelin

#pragma once

#include <QWidget>

class QAction;
class QTextBrowser;

namespace dravelin {

// The program's own help window: the HTML user manual in a text browser, with back,
// forward and contents buttons. Not modal, so the manual can stay open beside the work.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Opens the file on its first page; a missing or unreadable file is explained in place.
    void showFile(const QString& path);

    QTextBrowser* browser() const { return browser_; }

private:
    void showEvent(QShowEvent* event) override;

    QTextBrowser* browser_ = nullptr;
    QAction* back_ = nullptr;
    QAction* forward_ = nullptr;
    QAction* home_ = nullptr;
};

} // namespace dravelin

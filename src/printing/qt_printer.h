#pragma once

#include <QFont>
#include <QPrinter>
#include <optional>
#include <vector>

#include "platform/platform.h"

namespace dravelin {

// Printing on a QPrinter. The lines of a job are held until the job ends and painted then,
// so what the user chooses in the printer dialog (another printer, copies) applies to the
// whole job, a discarded job leaves no trace on paper, and the number of pages is known
// before the first page foot is painted.
class QtPrinter : public Printer {
public:
    // The system's default printer; a PDF file when the system has no printer at all.
    QtPrinter();
    // A PDF file in place of paper.
    explicit QtPrinter(const QString& pdfFile);

    QString fontName() const override { return fontName_; }
    float fontSize() const override { return fontSize_; }
    bool fontBold() const override { return bold_; }
    void setFontName(const QString& face) override;
    void setFontSize(float points) override;
    void setFontBold(bool bold) override;

    void printLine(const QString& text) override;
    void setPageFoot(const QString& foot) override;
    void setWrapIndent(int characters) override;
    std::optional<QString> endJob() override;
    void discardJob() override;
    // Painted at once (qt_printer_labels.cpp): the job of the list lines is left as it is.
    std::optional<QString> printLabels(const QSizeF& paper, const std::vector<PrintedLabel>& labels) override;
    void proposePdfName(const QString& fileName) override;

    QPrinter& device() { return printer_; }

private:
    struct Line {
        QString text;
        QFont font;
        int wrapIndent = 0; // in characters, for the printed lines it goes on over
    };
    // One printed line of the page layout: a line of the job, or a piece of a wide one.
    struct Placed {
        std::size_t line; // in the job
        QString text;
        int left;
        int top;
        int page;
    };
    void updateFont();
    std::optional<QString> paint(const std::vector<Line>& lines, const std::optional<Line>& foot);

    QPrinter printer_;
    QString proposedPdf_; // the PDF file proposed last, while the user has chosen none
    QString fontName_;
    float fontSize_ = 10;
    bool bold_ = false;
    QFont font_; // built from the three settings above, shared by the lines printed in it
    std::vector<Line> job_;
    std::optional<Line> pageFoot_; // of the open job, with its font
    int wrapIndent_ = 0;
};

// Why the printer or the PDF file refused a job, for the French message of the list and the labels.
QString printerRefusal(const QPrinter& printer);

} // namespace dravelin

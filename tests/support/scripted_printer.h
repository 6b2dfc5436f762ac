#pragma once

#include <QStringList>
#include <vector>

#include "platform/platform.h"

namespace dravelin {

// A printer for tests: records every line with the font it was printed in, and what
// became of each job.
class ScriptedPrinter : public Printer {
public:
    struct Line {
        QString text;
        QString fontName;
        float fontSize;
        bool bold;
        bool operator==(const Line& other) const;
    };
    using Job = std::vector<Line>;

    QString fontName() const override { return fontName_; }
    float fontSize() const override { return fontSize_; }
    bool fontBold() const override { return bold_; }
    void setFontName(const QString& face) override { fontName_ = face; }
    void setFontSize(float points) override { fontSize_ = points; }
    void setFontBold(bool bold) override { bold_ = bold; }

    void printLine(const QString& text) override;
    void setPageFoot(const QString& foot) override { openPageFoot = foot; }
    void setWrapIndent(int characters) override { openWrapIndent = characters; }
    std::optional<QString> endJob() override;
    void discardJob() override;
    std::optional<QString> printLabels(const QSizeF& paper, const std::vector<PrintedLabel>& labels) override;
    void proposePdfName(const QString& fileName) override { proposedPdfNames.push_back(fileName); }

    QStringList proposedPdfNames; // every PDF name proposed, in order

    // When set, the next jobs fail at their end with this description and print nothing.
    std::optional<QString> endFailure;

    Job openJob;                         // lines of the job not yet ended
    std::vector<Job> printed;            // jobs handed to the printer
    std::vector<Job> discarded;          // jobs thrown away, or refused at their end
    QString openPageFoot;                // the page foot of the open job
    QStringList printedPageFeet;         // the page foot of each job in `printed`
    int openWrapIndent = 0;              // the indent of wide lines in the open job
    std::vector<int> printedWrapIndents; // that indent for each job in `printed`

    struct LabelJob {
        QSizeF paper;
        std::vector<PrintedLabel> labels;
    };
    std::vector<LabelJob> labelJobs; // label jobs handed to the printer

    static QStringList texts(const Job& job);

private:
    QString fontName_ = QStringLiteral("Arial");
    float fontSize_ = 10;
    bool bold_ = false;
};

} // namespace dravelin

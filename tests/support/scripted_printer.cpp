#include "support/scripted_printer.h"

#include <utility>

namespace dravelin {

bool ScriptedPrinter::Line::operator==(const Line& other) const
{
    return text == other.text && fontName == other.fontName && fontSize == other.fontSize && bold == other.bold;
}

void ScriptedPrinter::printLine(const QString& text)
{
    openJob.push_back({text, fontName_, fontSize_, bold_});
}

std::optional<QString> ScriptedPrinter::endJob()
{
    const QString foot = std::exchange(openPageFoot, {});
    const int wrapIndent = std::exchange(openWrapIndent, 0);
    if (endFailure) {
        discarded.push_back(std::exchange(openJob, {}));
        return endFailure;
    }
    if (!openJob.empty()) {
        printed.push_back(std::exchange(openJob, {}));
        printedPageFeet << foot;
        printedWrapIndents.push_back(wrapIndent);
    }
    return std::nullopt;
}

void ScriptedPrinter::discardJob()
{
    openPageFoot.clear();
    openWrapIndent = 0;
    discarded.push_back(std::exchange(openJob, {}));
}

std::optional<QString> ScriptedPrinter::printLabels(const QSizeF& paper, const std::vector<PrintedLabel>& labels)
{
    if (endFailure)
        return endFailure;
    if (!labels.empty())
        labelJobs.push_back({paper, labels});
    return std::nullopt;
}

QStringList ScriptedPrinter::texts(const Job& job)
{
    QStringList lines;
    for (const Line& line : job)
        lines << line.text;
    return lines;
}

} // namespace dravelin

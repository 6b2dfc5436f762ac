#include "main_window/main_window.h"

#include <QAction>

#include "database/label_sheet.h"
#include "database/result_line.h"
#include "main_window/result_list_model.h"
#include "main_window/settings_section.h"
#include "platform/platform.h"
#include "widgets/windows1252_text.h"

namespace dravelin {

namespace {

// The sheet chosen last, kept by its name.
const QString kSheetSetting = QStringLiteral("Planche Etiquettes");

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Each label at its place on the sheets, in millimetres, its lines in the widgets' text.
std::vector<PrintedLabel> placedLabels(const LabelSheet& sheet, std::size_t firstLabel,
                                       const std::vector<LabelLines>& labels)
{
    const std::vector<LabelPlace> places = labelPlaces(sheet, firstLabel, labels.size());
    std::vector<PrintedLabel> placed;
    placed.reserve(labels.size());
    for (std::size_t index = 0; index < labels.size(); ++index) {
        const LabelPlace& place = places[index];
        const LabelBox box = labelBox(sheet, place.row, place.column);
        QStringList lines;
        for (const std::string& line : labels[index])
            lines << Windows1252::decode(line);
        placed.push_back({static_cast<int>(place.page), QRectF(box.left, box.top, box.width, box.height), lines});
    }
    return placed;
}

} // namespace

void Main::connectLabelMenu()
{
    connect(printLabelsAction_, &QAction::triggered, this, &Main::printLabels);
}

std::vector<ListedEntry> Main::listedEntries() const
{
    // The fields of each listed entry, taken from the entry itself.
    const ResultRows& rows = resultModel_->rows();
    std::vector<ListedEntry> entries;
    entries.reserve(rows.size());
    for (std::size_t index = 0; index < rows.size(); ++index) {
        ListedEntry entry = rows.entryAt(index);
        // An entry stored with "LISTE ORANGE" as its surname is listed in full, yet marked too.
        entry.orangeList = entry.orangeList || isOrangeListSurname(entry.surname);
        entries.push_back(std::move(entry));
    }
    return entries;
}

void Main::printLabels()
{
    const LabelRun run = labelRunOf(listedEntries());
    if (const std::string nothing = nothingToLabelMessage(run); !nothing.empty()) {
        showMessage(fromUtf8(nothing));
        return;
    }
    Printer* printer = platform_.defaultPrinter();
    if (!printer) {
        showMessage(
            QStringLiteral("Aucune imprimante n'est installée : les étiquettes ne peuvent pas être imprimées."));
        return;
    }

    const QString lastSheet = platform_.readSetting(settingsApplication(), settingsSection(), kSheetSetting);
    const std::optional<LabelChoice> choice =
        platform_.chooseLabels(this, {labelSheetNamed(lastSheet.toStdString()), 1});
    if (!choice || choice->sheet >= labelSheets().size())
        return;
    const LabelSheet& sheet = labelSheets()[choice->sheet];
    platform_.writeSetting(settingsApplication(), settingsSection(), kSheetSetting, fromUtf8(sheet.name));
    printer->proposePdfName(QStringLiteral("Étiquettes Dravelin.pdf"));
    if (!platform_.showPrinterDialog(this, *printer))
        return;

    const std::optional<QString> failure = printer->printLabels(QSizeF(sheet.paperWidth, sheet.paperHeight),
                                                                placedLabels(sheet, choice->firstLabel, run.labels));
    if (failure)
        showMessage(QStringLiteral("Les étiquettes n'ont pas été imprimées : %1").arg(*failure));
    else
        showMessage(fromUtf8(labelsPrintedMessage(run)));
}

} // namespace dravelin

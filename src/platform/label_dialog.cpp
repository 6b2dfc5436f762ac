#include "platform/label_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "database/label_sheet.h"

namespace dravelin {

LabelDialog::LabelDialog(const LabelChoice& proposed, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Etiquettes"));
    setWindowTitle(QStringLiteral("Étiquettes"));
    setAccessibleName(QStringLiteral("Étiquettes"));

    Format_Planche = new QComboBox(this);
    Format_Planche->setObjectName(QStringLiteral("Format_Planche"));
    Format_Planche->setAccessibleName(QStringLiteral("Format de la planche"));
    for (const LabelSheet& sheet : labelSheets())
        Format_Planche->addItem(QString::fromUtf8(sheet.name.data(), static_cast<qsizetype>(sheet.name.size())));

    Premiere_Etiquette = new QSpinBox(this);
    Premiere_Etiquette->setObjectName(QStringLiteral("Premiere_Etiquette"));
    Premiere_Etiquette->setAccessibleName(QStringLiteral("Première étiquette à utiliser"));
    Premiere_Etiquette->setAccessibleDescription(
        QStringLiteral("Pour une planche déjà entamée : les étiquettes sont comptées de gauche à droite, "
                       "rangée après rangée, à partir de 1 en haut à gauche."));

    auto* form = new QFormLayout;
    auto* sheetLabel = new QLabel(QStringLiteral("&Format de la planche :"), this);
    sheetLabel->setBuddy(Format_Planche);
    form->addRow(sheetLabel, Format_Planche);
    auto* firstLabel = new QLabel(QStringLiteral("&Première étiquette à utiliser :"), this);
    firstLabel->setBuddy(Premiere_Etiquette);
    form->addRow(firstLabel, Premiere_Etiquette);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(Format_Planche, &QComboBox::currentIndexChanged, this, &LabelDialog::sheetChosen);
    const std::size_t sheet = proposed.sheet < labelSheets().size() ? proposed.sheet : kDefaultLabelSheet;
    Format_Planche->setCurrentIndex(static_cast<int>(sheet));
    sheetChosen(Format_Planche->currentIndex());
    Premiere_Etiquette->setValue(static_cast<int>(clampedFirstLabel(labelSheets()[sheet], proposed.firstLabel)));
    Format_Planche->setFocus();
}

LabelChoice LabelDialog::choice() const
{
    return {static_cast<std::size_t>(Format_Planche->currentIndex()),
            static_cast<std::size_t>(Premiere_Etiquette->value())};
}

void LabelDialog::sheetChosen(int index)
{
    if (index < 0)
        return;
    const LabelSheet& sheet = labelSheets()[static_cast<std::size_t>(index)];
    Premiere_Etiquette->setRange(1, static_cast<int>(sheet.labelsPerSheet()));
}

} // namespace dravelin

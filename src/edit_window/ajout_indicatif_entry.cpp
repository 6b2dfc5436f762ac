#include "edit_window/ajout_indicatif.h"

#include <QPushButton>

#include "database/expert_lookup.h"
#include "edit_window/field_line_edit.h"
#include "shared/sous_programmes.h"
#include "widgets/colours.h"

namespace dravelin {

void Ajout_Indicatif::fillBoxes(const ExpertEntry& entry, const std::string& key)
{
    shownKey_ = key;
    // Only Modifier on this entry, then the entry chain, lead to a save again.
    shared_.Mode_Modification = false;
    Enregistrer->setEnabled(false);
    Ind_B->setText(codec_.decode(entry.callsign));
    Nom_B->setText(codec_.decode(entry.surname));
    Pre_B->setText(codec_.decode(entry.firstName));
    Adr_B->setText(codec_.decode(entry.address));
    Vil_B->setText(codec_.decode(entry.city));
    Cod_B->setText(codec_.decode(entry.postcode));
}

bool Ajout_Indicatif::fieldAccepted(EntryField field)
{
    const QString text = box(field)->text();
    const std::string bytes = codec_.encode(text);
    const std::string rejection = fieldRejection(field, bytes);
    if (!rejection.empty()) {
        showMessage(QString::fromStdString(rejection));
        return false;
    }
    // Pasted text may hold characters that the file's character set cannot store; they
    // would be written as "?" without a word.
    if (codec_.decode(bytes) != text) {
        const std::string_view caption = fieldCaption(field);
        showMessage(QStringLiteral("Le champ « %1 » contient un caractère que le fichier de l'annuaire ne peut pas "
                                   "enregistrer.")
                        .arg(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()))));
        return false;
    }
    return true;
}

void Ajout_Indicatif::openControl(QWidget* control)
{
    control->setEnabled(true);
    if (auto* fieldBoxControl = qobject_cast<FieldLineEdit*>(control))
        fieldBoxControl->setReadOnly(false);
    setBackgroundColour(control, kFieldOpenColour);
    control->setFocus();
}

void Ajout_Indicatif::fieldEntered(EntryField field)
{
    // A box that only shows the entry is not part of the chain.
    if (box(field)->isReadOnly())
        return;
    if (!fieldAccepted(field))
        return;
    setBackgroundColour(box(field), kFieldDoneColour);
    const auto next = static_cast<std::size_t>(field) + 1;
    openControl(next < kEntryFieldCount ? static_cast<QWidget*>(boxes_[next]) : Enregistrer);
}

} // namespace dravelin

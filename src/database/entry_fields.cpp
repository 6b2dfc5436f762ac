#include "database/entry_fields.h"

namespace dravelin {

namespace {

struct FieldRule {
    std::string_view caption;
    std::size_t minimumLength;
    std::size_t maximumLength;
    std::string_view wrongLength;
};

const FieldRule& ruleOf(EntryField field)
{
    static const std::array<FieldRule, kEntryFieldCount> rules = {{
        {"Indicatif", 0, 12, "12 caracteres maxi pour l'indicatif"},
        {"Nom", 0, 32, "32 caracteres maxi pour le nom"},
        {"Prenom", 0, 23, "23 caracteres maxi pour le prenom"},
        {"Adresse", 0, 68, "68 caracteres maxi pour l'adresse"},
        {"Ville", 0, 36, "36 caracteres maxi pour la ville"},
        {"Code postal", 5, 5, "5 caracteres pour le code postal"},
    }};
    return rules[static_cast<std::size_t>(field)];
}

} // namespace

std::string_view fieldCaption(EntryField field)
{
    return ruleOf(field).caption;
}

std::string fieldRejection(EntryField field, std::string_view bytes)
{
    const FieldRule& rule = ruleOf(field);
    if (bytes.size() < rule.minimumLength || bytes.size() > rule.maximumLength)
        return std::string(rule.wrongLength);
    if (bytes.find(';') != std::string_view::npos)
        return "Le caractère « ; » n'est pas permis dans le champ « " + std::string(rule.caption) +
               " » : il sépare les champs de l'annuaire.";
    if (bytes.find_first_of("\r\n") != std::string_view::npos)
        return "Le champ « " + std::string(rule.caption) + " » ne peut pas contenir de retour à la ligne.";
    return {};
}

std::string joinRecordFields(const std::array<std::string, kEntryFieldCount>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ';';
        line += fields[i];
    }
    return line;
}

} // namespace dravelin

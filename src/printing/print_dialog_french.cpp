#include "printing/print_dialog_french.h"

#include <cstring>
#include <iterator>

namespace dravelin {

namespace {

struct FrenchText {
    const char* context;
    const char* english;
    const char* french;
};

// As Qt 6's print dialog writes them, with the class that asks for each where the English
// word alone is too common to be translated everywhere (nullptr: whichever class asks).
const FrenchText kTexts[] = {
    {"QPrintPropertiesDialog", "Printer Properties", "Propriétés de l'imprimante"},
    {"QPrintPropertiesWidget", "Advanced", "Avancé"},
    {"QPrintPropertiesWidget", "Page", "Page"},
    {nullptr, "Job Options", "Options de la tâche"},
    {nullptr,
     "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a hyphen. "
     "E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
     "Indiquez des pages ou des intervalles séparés par des virgules. Un intervalle s'écrit avec deux numéros "
     "séparés par un tiret. Par exemple, 3,5-7,9 imprime les pages 3, 5, 6, 7 et 9."},
    {nullptr, "Advanced Option Conflicts", "Conflits entre options avancées"},
    {nullptr, "There are conflicts in some advanced options. Do you want to fix them?",
     "Certaines options avancées sont en conflit. Voulez-vous les corriger ?"},
    {nullptr, "Invalid Pages Definition", "Pages mal indiquées"},
};

} // namespace

QString PrintDialogFrench::translate(const char* context, const char* sourceText, const char*, int) const
{
    if (!context || !sourceText)
        return {};
    for (const FrenchText& text : kTexts)
        if ((!text.context || std::strcmp(text.context, context) == 0) && std::strcmp(text.english, sourceText) == 0)
            return QString::fromUtf8(text.french);
    return {};
}

} // namespace dravelin

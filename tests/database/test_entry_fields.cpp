#include <gtest/gtest.h>

#include <string>

#include "database/entry_fields.h"

namespace dravelin {
namespace {

TEST(EntryFields, LengthsSemicolonsAndLineBreaksAreRefused)
{
    struct Case {
        const char* name;
        EntryField field;
        std::string bytes;
        std::string message; // empty: accepted
    };
    const std::string semicolon = "Le caractère « ; » n'est pas permis dans le champ « ";
    const Case cases[] = {
        {"callsign of 12", EntryField::Callsign, std::string(12, 'F'), ""},
        {"callsign of 13", EntryField::Callsign, std::string(13, 'F'), "12 caracteres maxi pour l'indicatif"},
        {"empty callsign", EntryField::Callsign, "", ""},
        {"surname of 32", EntryField::Surname, std::string(32, 'D'), ""},
        {"surname of 33", EntryField::Surname, std::string(33, 'D'), "32 caracteres maxi pour le nom"},
        {"first name of 23", EntryField::FirstName, std::string(23, 'J'), ""},
        {"first name of 24", EntryField::FirstName, std::string(24, 'J'), "23 caracteres maxi pour le prenom"},
        {"address of 68", EntryField::Address, std::string(68, 'R'), ""},
        {"address of 69", EntryField::Address, std::string(69, 'R'), "68 caracteres maxi pour l'adresse"},
        {"city of 36", EntryField::City, std::string(36, 'P'), ""},
        {"city of 37", EntryField::City, std::string(37, 'P'), "36 caracteres maxi pour la ville"},
        {"empty city", EntryField::City, "", ""},
        {"postcode of 5 letters", EntryField::Postcode, "ABCDE", ""},
        {"postcode of 4", EntryField::Postcode, "7500", "5 caracteres pour le code postal"},
        {"postcode of 6", EntryField::Postcode, "750011", "5 caracteres pour le code postal"},
        {"empty postcode", EntryField::Postcode, "", "5 caracteres pour le code postal"},
        // One Windows-1252 byte is one character: twelve accented letters still fit.
        {"accented callsign of 12", EntryField::Callsign, std::string(12, '\xC9'), ""},
        {"semicolon in the callsign", EntryField::Callsign, "F1;AB",
         semicolon + "Indicatif » : il sépare les champs de l'annuaire."},
        {"semicolon in the postcode", EntryField::Postcode, "7500;",
         semicolon + "Code postal » : il sépare les champs de l'annuaire."},
        {"line feed in the address", EntryField::Address, "1 rue A\nB",
         "Le champ « Adresse » ne peut pas contenir de retour à la ligne."},
        {"carriage return in the city", EntryField::City, "PARIS\r",
         "Le champ « Ville » ne peut pas contenir de retour à la ligne."},
        {"length is checked first", EntryField::Callsign, std::string(13, ';'), "12 caracteres maxi pour l'indicatif"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fieldRejection(c.field, c.bytes), c.message);
    }
}

TEST(EntryFields, RecordLineIsTheSixFieldsJoinedAsTyped)
{
    EXPECT_EQ(joinRecordFields({"F1ABC", "DUPONT", "Jean", "1 rue A", "PARIS", "75001"}),
              "F1ABC;DUPONT;Jean;1 rue A;PARIS;75001");
    EXPECT_EQ(joinRecordFields({"", "", "", "", "", "75001"}), ";;;;;75001");
    EXPECT_EQ(joinRecordFields({" F1 ", "L\xC9VY", "", "", "\xC9VREUX", "1000 "}), " F1 ;L\xC9VY;;;\xC9VREUX;1000 ");
}

} // namespace
} // namespace dravelin

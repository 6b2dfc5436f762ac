// The synthetic radio amateur directory of generate_directory, in the same
// layout as the published list (Windows-1252, CR LF, ';' separated).
// Every person in it is invented; communes and postcodes are real so that
// department searches behave as they would on the real file.
//
// Output must be byte-identical for the same arguments on any platform, so
// the PRNG and all range reductions are our own (no <random>, no rand()).
// Non-ASCII bytes below are Windows-1252 octal escapes on purpose: the file
// we write is Windows-1252, the source stays plain ASCII, and an octal escape
// (unlike \x) never swallows the letter after it.

#include "directory_generator.h"
#include "splitmix64.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

namespace {

constexpr const char* kRevisionLine = "Base Rev 255  du 11/08/2009";
constexpr const char* kHiddenMarker = "CET INDICATIF EST ATTRIBUE MAIS";
constexpr const char* kHiddenSurname = "N'EST PAS PUBLIABLE";
constexpr const char* kOrangeSurname = "LISTE ORANGE";

constexpr std::size_t kMaxCallsign = 12;
constexpr std::size_t kMaxSurname = 32;
constexpr std::size_t kMaxFirstName = 23;
constexpr std::size_t kMaxAddress = 68;

// The generator's draws on top of splitmix64.
class Rng : public dravelin::SplitMix64 {
public:
    using dravelin::SplitMix64::SplitMix64;

    // Uniform in [0, n) by multiply-shift on the top 32 bits; n must be > 0.
    std::uint32_t below(std::uint32_t n) { return static_cast<std::uint32_t>(((next() >> 32) * n) >> 32); }

    bool perMille(std::uint32_t p) { return below(1000) < p; }

    template <typename T, std::size_t N>
    const T& pick(const T (&table)[N])
    {
        return table[below(static_cast<std::uint32_t>(N))];
    }
};

// ---------------------------------------------------------------------------
// Communes: name as the administration writes it, its postcodes (several for
// cities split into districts), and a weight so that big towns come up more.

struct Commune {
    const char* name;
    const char* postcodes; // space separated
    std::uint32_t weight;
};

const Commune kCommunes[] = {
    // 01 Ain
    {"BOURG EN BRESSE", "01000", 8},
    {"AMBERIEU EN BUGEY", "01500", 4},
    {"OYONNAX", "01100", 5},
    {"BELLEY", "01300", 3},
    {"GEX", "01170", 3},
    {"FERNEY VOLTAIRE", "01210", 3},
    {"TREVOUX", "01600", 2},
    // 02 Aisne
    {"LAON", "02000", 5},
    {"SAINT QUENTIN", "02100", 8},
    {"SOISSONS", "02200", 5},
    {"CHATEAU THIERRY", "02400", 4},
    {"HIRSON", "02500", 3},
    {"CHAUNY", "02300", 3},
    // 03 Allier
    {"MOULINS", "03000", 5},
    {"VICHY", "03200", 6},
    {"MONTLUCON", "03100", 6},
    {"CUSSET", "03300", 3},
    {"YZEURE", "03400", 3},
    // 04 Alpes de Haute Provence
    {"DIGNE LES BAINS", "04000", 4},
    {"MANOSQUE", "04100", 5},
    {"SISTERON", "04200", 3},
    {"FORCALQUIER", "04300", 2},
    {"BARCELONNETTE", "04400", 2},
    // 05 Hautes Alpes
    {"GAP", "05000", 5},
    {"BRIANCON", "05100", 4},
    {"EMBRUN", "05200", 2},
    {"LARAGNE MONTEGLIN", "05300", 2},
    // 06 Alpes Maritimes
    {"NICE", "06000 06100 06200 06300", 28},
    {"CANNES", "06400", 9},
    {"ANTIBES", "06600", 9},
    {"GRASSE", "06130", 6},
    {"MENTON", "06500", 5},
    {"CAGNES SUR MER", "06800", 6},
    {"\310ZE", "06360", 2},
    {"VALLAURIS", "06220", 4},
    {"LE CANNET", "06110", 5},
    {"SAINT LAURENT DU VAR", "06700", 4},
    {"VENCE", "06140", 4},
    // 07 Ardeche
    {"PRIVAS", "07000", 3},
    {"AUBENAS", "07200", 4},
    {"ANNONAY", "07100", 4},
    {"TOURNON SUR RHONE", "07300", 3},
    {"LE TEIL", "07400", 2},
    {"GUILHERAND GRANGES", "07500", 3},
    // 08 Ardennes
    {"CHARLEVILLE MEZIERES", "08000", 7},
    {"SEDAN", "08200", 4},
    {"RETHEL", "08300", 2},
    {"GIVET", "08600", 2},
    {"REVIN", "08500", 2},
    // 09 Ariege
    {"FOIX", "09000", 3},
    {"PAMIERS", "09100", 4},
    {"SAINT GIRONS", "09200", 3},
    {"LAVELANET", "09300", 2},
    {"TARASCON SUR ARIEGE", "09400", 2},
    {"SAVERDUN", "09700", 2},
    // 10 Aube
    {"TROYES", "10000", 9},
    {"ROMILLY SUR SEINE", "10100", 3},
    {"BAR SUR AUBE", "10200", 2},
    {"NOGENT SUR SEINE", "10400", 2},
    // 11 Aude
    {"CARCASSONNE", "11000", 7},
    {"NARBONNE", "11100", 7},
    {"CASTELNAUDARY", "11400", 3},
    {"LIMOUX", "11300", 3},
    {"LEZIGNAN CORBIERES", "11200", 3},
    // 12 Aveyron
    {"RODEZ", "12000", 5},
    {"MILLAU", "12100", 4},
    {"VILLEFRANCHE DE ROUERGUE", "12200", 3},
    {"DECAZEVILLE", "12300", 2},
    {"ESPALION", "12500", 2},
    // 13 Bouches du Rhone
    {"MARSEILLE",
     "13001 13002 13003 13004 13005 13006 13007 13008 13009 13010 13011 "
     "13012 13013 13014 13015 13016",
     42},
    {"AIX EN PROVENCE", "13090 13100", 14},
    {"ARLES", "13200", 7},
    {"MARTIGUES", "13500", 6},
    {"AUBAGNE", "13400", 6},
    {"ISTRES", "13800", 6},
    {"SALON DE PROVENCE", "13300", 6},
    {"LA CIOTAT", "13600", 5},
    {"VITROLLES", "13127", 5},
    {"MARIGNANE", "13700", 5},
    // 14 Calvados
    {"CAEN", "14000", 12},
    {"LISIEUX", "14100", 4},
    {"BAYEUX", "14400", 3},
    {"HEROUVILLE SAINT CLAIR", "14200", 4},
    {"VIRE", "14500", 3},
    {"HONFLEUR", "14600", 2},
    {"FALAISE", "14700", 2},
    // 15 Cantal
    {"AURILLAC", "15000", 5},
    {"SAINT FLOUR", "15100", 2},
    {"MAURIAC", "15200", 2},
    // 16 Charente
    {"ANGOULEME", "16000", 7},
    {"COGNAC", "16100", 4},
    {"SOYAUX", "16800", 2},
    {"RUFFEC", "16700", 2},
    // 17 Charente Maritime
    {"LA ROCHELLE", "17000", 10},
    {"SAINTES", "17100", 5},
    {"ROCHEFORT", "17300", 5},
    {"ROYAN", "17200", 5},
    {"SAINT JEAN D ANGELY", "17400", 2},
    {"JONZAC", "17500", 2},
    // 18 Cher
    {"BOURGES", "18000", 8},
    {"VIERZON", "18100", 4},
    {"SAINT AMAND MONTROND", "18200", 3},
    // 19 Correze
    {"TULLE", "19000", 4},
    {"BRIVE LA GAILLARDE", "19100", 6},
    {"USSEL", "19200", 2},
    // 2A Corse du Sud
    {"AJACCIO", "20000", 6},
    {"PORTO VECCHIO", "20137", 3},
    {"SARTENE", "20100", 2},
    {"PROPRIANO", "20110", 2},
    // 2B Haute Corse
    {"BASTIA", "20200", 6},
    {"CORTE", "20250", 2},
    {"CALVI", "20260", 2},
    {"L ILE ROUSSE", "20220", 2},
    // 21 Cote d'Or
    {"DIJON", "21000", 13},
    {"BEAUNE", "21200", 4},
    {"CHENOVE", "21300", 3},
    {"TALANT", "21240", 2},
    {"MONTBARD", "21500", 2},
    {"AUXONNE", "21130", 2},
    // 22 Cotes d'Armor
    {"SAINT BRIEUC", "22000", 7},
    {"LANNION", "22300", 4},
    {"DINAN", "22100", 3},
    {"GUINGAMP", "22200", 3},
    {"LAMBALLE", "22400", 3},
    {"LOUDEAC", "22600", 2},
    {"PAIMPOL", "22500", 2},
    {"PERROS GUIREC", "22700", 2},
    // 23 Creuse
    {"GUERET", "23000", 3},
    {"AUBUSSON", "23200", 2},
    {"LA SOUTERRAINE", "23300", 2},
    // 24 Dordogne
    {"PERIGUEUX", "24000", 6},
    {"BERGERAC", "24100", 5},
    {"SARLAT LA CANEDA", "24200", 3},
    {"NONTRON", "24300", 2},
    // 25 Doubs
    {"BESANCON", "25000", 11},
    {"MONTBELIARD", "25200", 5},
    {"PONTARLIER", "25300", 4},
    {"AUDINCOURT", "25400", 3},
    {"VALDAHON", "25800", 2},
    // 26 Drome
    {"VALENCE", "26000", 9},
    {"MONTELIMAR", "26200", 6},
    {"ROMANS SUR ISERE", "26100", 5},
    {"PIERRELATTE", "26700", 3},
    {"DIE", "26150", 2},
    {"NYONS", "26110", 2},
    // 27 Eure
    {"\311VREUX", "27000", 7},
    {"VERNON", "27200", 4},
    {"LOUVIERS", "27400", 3},
    {"BERNAY", "27300", 3},
    {"PONT AUDEMER", "27500", 2},
    {"GISORS", "27140", 2},
    // 28 Eure et Loir
    {"CHARTRES", "28000", 7},
    {"DREUX", "28100", 5},
    {"CHATEAUDUN", "28200", 3},
    {"NOGENT LE ROTROU", "28400", 2},
    // 29 Finistere
    {"BREST", "29200", 12},
    {"QUIMPER", "29000", 8},
    {"MORLAIX", "29600", 4},
    {"CONCARNEAU", "29900", 4},
    {"LANDERNEAU", "29800", 3},
    {"DOUARNENEZ", "29100", 3},
    {"QUIMPERLE", "29300", 3},
    {"LANDIVISIAU", "29400", 2},
    // 30 Gard
    {"NIMES", "30000 30900", 12},
    {"ALES", "30100", 6},
    {"BAGNOLS SUR CEZE", "30200", 4},
    {"BEAUCAIRE", "30300", 3},
    {"VAUVERT", "30600", 2},
    {"UZES", "30700", 2},
    // 31 Haute Garonne
    {"TOULOUSE", "31000 31100 31200 31300 31400 31500", 30},
    {"COLOMIERS", "31770", 6},
    {"TOURNEFEUILLE", "31170", 5},
    {"MURET", "31600", 5},
    {"BLAGNAC", "31700", 5},
    {"SAINT GAUDENS", "31800", 3},
    {"BALMA", "31130", 3},
    // 32 Gers
    {"AUCH", "32000", 4},
    {"CONDOM", "32100", 2},
    {"FLEURANCE", "32500", 2},
    {"L ISLE JOURDAIN", "32600", 2},
    // 33 Gironde
    {"BORDEAUX", "33000 33100 33200 33300 33800", 22},
    {"MERIGNAC", "33700", 8},
    {"PESSAC", "33600", 7},
    {"TALENCE", "33400", 6},
    {"LIBOURNE", "33500", 5},
    {"ARCACHON", "33120", 3},
    {"LA TESTE DE BUCH", "33260", 4},
    {"BEGLES", "33130", 4},
    // 34 Herault
    {"MONTPELLIER", "34000 34070 34080 34090", 22},
    {"BEZIERS", "34500", 9},
    {"SETE", "34200", 5},
    {"AGDE", "34300", 4},
    {"LUNEL", "34400", 4},
    {"FRONTIGNAN", "34110", 3},
    {"LODEVE", "34700", 2},
    // 35 Ille et Vilaine
    {"RENNES", "35000 35200 35700", 18},
    {"SAINT MALO", "35400", 6},
    {"FOUGERES", "35300", 4},
    {"VITRE", "35500", 4},
    {"CESSON SEVIGNE", "35510", 3},
    {"REDON", "35600", 3},
    {"BRUZ", "35170", 3},
    // 36 Indre
    {"CHATEAUROUX", "36000", 6},
    {"ISSOUDUN", "36100", 3},
    {"LE BLANC", "36300", 2},
    {"LA CHATRE", "36400", 2},
    // 37 Indre et Loire
    {"TOURS", "37000 37100 37200", 13},
    {"JOUE LES TOURS", "37300", 5},
    {"AMBOISE", "37400", 3},
    {"CHINON", "37500", 3},
    {"LOCHES", "37600", 2},
    {"SAINT CYR SUR LOIRE", "37540", 3},
    // 38 Isere
    {"GRENOBLE", "38000 38100", 16},
    {"SAINT MARTIN D HERES", "38400", 5},
    {"ECHIROLLES", "38130", 5},
    {"VIENNE", "38200", 5},
    {"BOURGOIN JALLIEU", "38300", 5},
    {"VOIRON", "38500", 4},
    {"MEYLAN", "38240", 3},
    {"FONTAINE", "38600", 3},
    // 39 Jura
    {"LONS LE SAUNIER", "39000", 4},
    {"DOLE", "39100", 4},
    {"SAINT CLAUDE", "39200", 3},
    {"CHAMPAGNOLE", "39300", 2},
    // 40 Landes
    {"MONT DE MARSAN", "40000", 5},
    {"DAX", "40100", 4},
    {"BISCARROSSE", "40600", 3},
    {"SAINT PAUL LES DAX", "40990", 3},
    {"MIMIZAN", "40200", 2},
    // 41 Loir et Cher
    {"BLOIS", "41000", 6},
    {"VENDOME", "41100", 3},
    {"ROMORANTIN LANTHENAY", "41200", 3},
    // 42 Loire
    {"SAINT ETIENNE", "42000 42100", 15},
    {"ROANNE", "42300", 6},
    {"SAINT CHAMOND", "42400", 5},
    {"FIRMINY", "42700", 3},
    {"MONTBRISON", "42600", 3},
    {"RIVE DE GIER", "42800", 3},
    // 43 Haute Loire
    {"LE PUY EN VELAY", "43000", 5},
    {"YSSINGEAUX", "43200", 2},
    {"BRIOUDE", "43100", 2},
    {"MONISTROL SUR LOIRE", "43120", 2},
    // 44 Loire Atlantique
    {"NANTES", "44000 44100 44200 44300", 22},
    {"SAINT NAZAIRE", "44600", 8},
    {"SAINT HERBLAIN", "44800", 6},
    {"REZE", "44400", 6},
    {"ORVAULT", "44700", 4},
    {"LA BAULE ESCOUBLAC", "44500", 3},
    {"ANCENIS", "44150", 2},
    {"CHATEAUBRIANT", "44110", 3},
    // 45 Loiret
    {"ORLEANS", "45000 45100", 12},
    {"MONTARGIS", "45200", 4},
    {"GIEN", "45500", 3},
    {"PITHIVIERS", "45300", 2},
    {"FLEURY LES AUBRAIS", "45400", 3},
    {"OLIVET", "45160", 3},
    // 46 Lot
    {"CAHORS", "46000", 4},
    {"FIGEAC", "46100", 3},
    {"GOURDON", "46300", 2},
    {"SOUILLAC", "46200", 2},
    // 47 Lot et Garonne
    {"AGEN", "47000", 6},
    {"VILLENEUVE SUR LOT", "47300", 4},
    {"MARMANDE", "47200", 3},
    {"NERAC", "47600", 2},
    {"TONNEINS", "47400", 2},
    // 48 Lozere
    {"MENDE", "48000", 3},
    {"MARVEJOLS", "48100", 2},
    {"FLORAC", "48400", 1},
    {"LANGOGNE", "48300", 1},
    // 49 Maine et Loire
    {"ANGERS", "49000 49100", 14},
    {"CHOLET", "49300", 6},
    {"SAUMUR", "49400", 5},
    {"AVRILLE", "49240", 3},
    {"SEGRE", "49500", 2},
    {"TRELAZE", "49800", 3},
    // 50 Manche
    {"SAINT LO", "50000", 4},
    {"CHERBOURG EN COTENTIN", "50100", 8},
    {"GRANVILLE", "50400", 3},
    {"COUTANCES", "50200", 3},
    {"AVRANCHES", "50300", 3},
    {"VALOGNES", "50700", 2},
    // 51 Marne
    {"REIMS", "51100", 15},
    {"CHALONS EN CHAMPAGNE", "51000", 6},
    {"\311PERNAY", "51200", 4},
    {"VITRY LE FRANCOIS", "51300", 3},
    // 52 Haute Marne
    {"CHAUMONT", "52000", 4},
    {"SAINT DIZIER", "52100", 4},
    {"LANGRES", "52200", 2},
    {"JOINVILLE", "52300", 2},
    // 53 Mayenne
    {"LAVAL", "53000", 6},
    {"MAYENNE", "53100", 3},
    {"CHATEAU GONTIER", "53200", 3},
    // 54 Meurthe et Moselle
    {"NANCY", "54000 54100", 12},
    {"VANDOEUVRE LES NANCY", "54500", 5},
    {"LUNEVILLE", "54300", 4},
    {"TOUL", "54200", 3},
    {"LONGWY", "54400", 3},
    {"PONT A MOUSSON", "54700", 3},
    // 55 Meuse
    {"BAR LE DUC", "55000", 3},
    {"VERDUN", "55100", 4},
    {"COMMERCY", "55200", 2},
    // 56 Morbihan
    {"VANNES", "56000", 7},
    {"LORIENT", "56100", 7},
    {"LANESTER", "56600", 4},
    {"PONTIVY", "56300", 3},
    {"AURAY", "56400", 3},
    {"PLOERMEL", "56800", 2},
    {"HENNEBONT", "56700", 3},
    // 57 Moselle
    {"METZ", "57000 57050 57070", 12},
    {"THIONVILLE", "57100", 6},
    {"FORBACH", "57600", 4},
    {"SARREGUEMINES", "57200", 4},
    {"MONTIGNY LES METZ", "57950", 3},
    {"SARREBOURG", "57400", 3},
    {"CREUTZWALD", "57150", 2},
    {"HAYANGE", "57700", 3},
    // 58 Nievre
    {"NEVERS", "58000", 5},
    {"COSNE COURS SUR LOIRE", "58200", 3},
    {"DECIZE", "58300", 2},
    {"CLAMECY", "58500", 2},
    // 59 Nord
    {"LILLE", "59000 59800", 18},
    {"ROUBAIX", "59100", 8},
    {"TOURCOING", "59200", 8},
    {"DUNKERQUE", "59140 59240 59640", 8},
    {"VILLENEUVE D ASCQ", "59650", 7},
    {"VALENCIENNES", "59300", 6},
    {"DOUAI", "59500", 6},
    {"WATTRELOS", "59150", 4},
    {"MAUBEUGE", "59600", 4},
    {"CAMBRAI", "59400", 4},
    {"MARCQ EN BAROEUL", "59700", 4},
    {"ARMENTIERES", "59280", 3},
    {"HAZEBROUCK", "59190", 3},
    {"LAMBERSART", "59130", 3},
    // 60 Oise
    {"BEAUVAIS", "60000", 7},
    {"COMPIEGNE", "60200", 6},
    {"CREIL", "60100", 5},
    {"NOGENT SUR OISE", "60180", 3},
    {"SENLIS", "60300", 3},
    {"NOYON", "60400", 3},
    {"CHANTILLY", "60500", 2},
    {"CLERMONT", "60600", 2},
    // 61 Orne
    {"ALENCON", "61000", 5},
    {"FLERS", "61100", 3},
    {"ARGENTAN", "61200", 3},
    {"L AIGLE", "61300", 2},
    {"MORTAGNE AU PERCHE", "61400", 2},
    // 62 Pas de Calais
    {"ARRAS", "62000", 6},
    {"CALAIS", "62100", 8},
    {"BOULOGNE SUR MER", "62200", 7},
    {"LENS", "62300", 5},
    {"LIEVIN", "62800", 5},
    {"BETHUNE", "62400", 4},
    {"SAINT OMER", "62500", 3},
    {"BERCK", "62600", 3},
    {"HENIN BEAUMONT", "62110", 4},
    {"BRUAY LA BUISSIERE", "62700", 3},
    // 63 Puy de Dome
    {"CLERMONT FERRAND", "63000 63100", 15},
    {"RIOM", "63200", 4},
    {"THIERS", "63300", 3},
    {"ISSOIRE", "63500", 3},
    {"CHAMALIERES", "63400", 3},
    {"AMBERT", "63600", 2},
    // 64 Pyrenees Atlantiques
    {"PAU", "64000", 9},
    {"BAYONNE", "64100", 6},
    {"BIARRITZ", "64200", 5},
    {"ANGLET", "64600", 5},
    {"ORTHEZ", "64300", 3},
    {"OLORON SAINTE MARIE", "64400", 3},
    {"SAINT JEAN DE LUZ", "64500", 3},
    {"HENDAYE", "64700", 3},
    // 65 Hautes Pyrenees
    {"TARBES", "65000", 6},
    {"LOURDES", "65100", 3},
    {"BAGNERES DE BIGORRE", "65200", 2},
    {"LANNEMEZAN", "65300", 2},
    // 66 Pyrenees Orientales
    {"PERPIGNAN", "66000 66100", 12},
    {"CANET EN ROUSSILLON", "66140", 3},
    {"ARGELES SUR MER", "66700", 3},
    {"PRADES", "66500", 2},
    {"CERET", "66400", 2},
    {"RIVESALTES", "66600", 2},
    {"ELNE", "66200", 2},
    // 67 Bas Rhin
    {"STRASBOURG", "67000 67100 67200", 20},
    {"HAGUENAU", "67500", 5},
    {"SCHILTIGHEIM", "67300", 4},
    {"ILLKIRCH GRAFFENSTADEN", "67400", 4},
    {"SELESTAT", "67600", 3},
    {"SAVERNE", "67700", 3},
    {"BISCHHEIM", "67800", 3},
    {"OBERNAI", "67210", 2},
    {"MOLSHEIM", "67120", 2},
    // 68 Haut Rhin
    {"MULHOUSE", "68100 68200", 11},
    {"COLMAR", "68000", 8},
    {"SAINT LOUIS", "68300", 4},
    {"GUEBWILLER", "68500", 3},
    {"RIXHEIM", "68170", 3},
    {"ALTKIRCH", "68130", 2},
    {"THANN", "68800", 2},
    // 69 Rhone
    {"LYON", "69001 69002 69003 69004 69005 69006 69007 69008 69009", 30},
    {"VILLEURBANNE", "69100", 10},
    {"VENISSIEUX", "69200", 6},
    {"VAULX EN VELIN", "69120", 5},
    {"CALUIRE ET CUIRE", "69300", 4},
    {"VILLEFRANCHE SUR SAONE", "69400", 4},
    {"BRON", "69500", 4},
    {"OULLINS", "69600", 3},
    {"GIVORS", "69700", 3},
    {"TARARE", "69170", 2},
    {"\311CULLY", "69130", 3},
    // 70 Haute Saone
    {"VESOUL", "70000", 4},
    {"LURE", "70200", 2},
    {"HERICOURT", "70400", 2},
    {"GRAY", "70100", 2},
    {"LUXEUIL LES BAINS", "70300", 2},
    // 71 Saone et Loire
    {"MACON", "71000", 5},
    {"CHALON SUR SAONE", "71100", 7},
    {"LE CREUSOT", "71200", 4},
    {"MONTCEAU LES MINES", "71300", 4},
    {"AUTUN", "71400", 3},
    {"PARAY LE MONIAL", "71600", 2},
    {"LOUHANS", "71500", 2},
    // 72 Sarthe
    {"LE MANS", "72000 72100", 13},
    {"LA FLECHE", "72200", 3},
    {"SABLE SUR SARTHE", "72300", 3},
    {"LA FERTE BERNARD", "72400", 2},
    {"ALLONNES", "72700", 2},
    // 73 Savoie
    {"CHAMBERY", "73000", 8},
    {"AIX LES BAINS", "73100", 5},
    {"ALBERTVILLE", "73200", 4},
    {"SAINT JEAN DE MAURIENNE", "73300", 2},
    {"LA MOTTE SERVOLEX", "73290", 3},
    {"BOURG SAINT MAURICE", "73700", 2},
    {"MOUTIERS", "73600", 2},
    // 74 Haute Savoie
    {"ANNECY", "74000", 10},
    {"ANNEMASSE", "74100", 5},
    {"THONON LES BAINS", "74200", 5},
    {"CLUSES", "74300", 3},
    {"SALLANCHES", "74700", 3},
    {"CHAMONIX MONT BLANC", "74400", 2},
    {"EVIAN LES BAINS", "74500", 2},
    {"RUMILLY", "74150", 3},
    {"LA ROCHE SUR FORON", "74800", 2},
    // 75 Paris
    {"PARIS",
     "75001 75002 75003 75004 75005 75006 75007 75008 75009 75010 75011 75012 "
     "75013 75014 75015 75016 75017 75018 75019 75020",
     18},
    // 76 Seine Maritime
    {"ROUEN", "76000 76100", 12},
    {"LE HAVRE", "76600 76610 76620", 13},
    {"DIEPPE", "76200", 4},
    {"SOTTEVILLE LES ROUEN", "76300", 4},
    {"FECAMP", "76400", 3},
    {"ELBEUF", "76500", 3},
    {"YVETOT", "76190", 2},
    {"BOLBEC", "76210", 2},
    {"MONTIVILLIERS", "76290", 3},
    {"SAINT \311TIENNE DU ROUVRAY", "76800", 4},
    // 77 Seine et Marne
    {"MEAUX", "77100", 6},
    {"MELUN", "77000", 5},
    {"CHELLES", "77500", 6},
    {"PONTAULT COMBAULT", "77340", 4},
    {"SAVIGNY LE TEMPLE", "77176", 4},
    {"FONTAINEBLEAU", "77300", 3},
    {"PROVINS", "77160", 2},
    {"NEMOURS", "77140", 2},
    {"COULOMMIERS", "77120", 2},
    {"TORCY", "77200", 3},
    {"LAGNY SUR MARNE", "77400", 3},
    {"CHAMPS SUR MARNE", "77420", 3},
    // 78 Yvelines
    {"VERSAILLES", "78000", 9},
    {"SAINT GERMAIN EN LAYE", "78100", 6},
    {"MANTES LA JOLIE", "78200", 5},
    {"POISSY", "78300", 5},
    {"SARTROUVILLE", "78500", 5},
    {"RAMBOUILLET", "78120", 3},
    {"LE CHESNAY", "78150", 3},
    {"HOUILLES", "78800", 4},
    {"CHATOU", "78400", 3},
    {"PLAISIR", "78370", 4},
    {"LES MUREAUX", "78130", 4},
    {"TRAPPES", "78190", 3},
    {"CONFLANS SAINTE HONORINE", "78700", 4},
    {"MAISONS LAFFITTE", "78600", 3},
    // 79 Deux Sevres
    {"NIORT", "79000", 7},
    {"BRESSUIRE", "79300", 3},
    {"PARTHENAY", "79200", 2},
    {"THOUARS", "79100", 2},
    {"MELLE", "79500", 2},
    // 80 Somme
    {"AMIENS", "80000 80080 80090", 12},
    {"ABBEVILLE", "80100", 4},
    {"ALBERT", "80300", 2},
    {"PERONNE", "80200", 2},
    {"DOULLENS", "80600", 2},
    {"MONTDIDIER", "80500", 2},
    // 81 Tarn
    {"ALBI", "81000", 6},
    {"CASTRES", "81100", 5},
    {"GAILLAC", "81600", 3},
    {"GRAULHET", "81300", 2},
    {"MAZAMET", "81200", 2},
    {"CARMAUX", "81400", 2},
    {"LAVAUR", "81500", 2},
    // 82 Tarn et Garonne
    {"MONTAUBAN", "82000", 7},
    {"CASTELSARRASIN", "82100", 3},
    {"MOISSAC", "82200", 3},
    {"CAUSSADE", "82300", 2},
    {"VALENCE", "82400", 2},
    // 83 Var
    {"TOULON", "83000 83100 83200", 15},
    {"LA SEYNE SUR MER", "83500", 7},
    {"HYERES", "83400", 6},
    {"FREJUS", "83600", 6},
    {"DRAGUIGNAN", "83300", 5},
    {"SIX FOURS LES PLAGES", "83140", 4},
    {"SAINT RAPHAEL", "83700", 4},
    {"BRIGNOLES", "83170", 3},
    {"SANARY SUR MER", "83110", 3},
    {"LA VALETTE DU VAR", "83160", 3},
    // 84 Vaucluse
    {"AVIGNON", "84000", 10},
    {"CARPENTRAS", "84200", 4},
    {"ORANGE", "84100", 4},
    {"CAVAILLON", "84300", 4},
    {"APT", "84400", 2},
    {"PERTUIS", "84120", 3},
    {"BOLLENE", "84500", 2},
    {"L ISLE SUR LA SORGUE", "84800", 3},
    // 85 Vendee
    {"LA ROCHE SUR YON", "85000", 7},
    {"LES SABLES D OLONNE", "85100", 5},
    {"CHALLANS", "85300", 3},
    {"FONTENAY LE COMTE", "85200", 3},
    {"LUCON", "85400", 2},
    {"LES HERBIERS", "85500", 3},
    // 86 Vienne
    {"POITIERS", "86000", 10},
    {"CHATELLERAULT", "86100", 5},
    {"LOUDUN", "86200", 2},
    {"MONTMORILLON", "86500", 2},
    {"CIVRAY", "86400", 2},
    // 87 Haute Vienne
    {"LIMOGES", "87000 87100 87280", 13},
    {"SAINT JUNIEN", "87200", 3},
    {"PANAZOL", "87350", 2},
    {"SAINT YRIEIX LA PERCHE", "87500", 2},
    {"BELLAC", "87300", 2},
    // 88 Vosges
    {"\311PINAL", "88000", 6},
    {"SAINT DIE DES VOSGES", "88100", 4},
    {"GERARDMER", "88400", 2},
    {"REMIREMONT", "88200", 2},
    {"NEUFCHATEAU", "88300", 2},
    {"MIRECOURT", "88500", 2},
    // 89 Yonne
    {"AUXERRE", "89000", 6},
    {"SENS", "89100", 4},
    {"JOIGNY", "89300", 2},
    {"AVALLON", "89200", 2},
    {"TONNERRE", "89700", 2},
    // 90 Territoire de Belfort
    {"BELFORT", "90000", 7},
    {"DELLE", "90100", 2},
    {"VALDOIE", "90300", 2},
    {"BEAUCOURT", "90500", 2},
    // 91 Essonne
    {"EVRY", "91000", 5},
    {"CORBEIL ESSONNES", "91100", 5},
    {"MASSY", "91300", 5},
    {"SAVIGNY SUR ORGE", "91600", 4},
    {"PALAISEAU", "91120", 4},
    {"\311TAMPES", "91150", 3},
    {"DRAVEIL", "91210", 3},
    {"ATHIS MONS", "91200", 3},
    {"VIRY CHATILLON", "91170", 3},
    {"YERRES", "91330", 3},
    {"ORSAY", "91400", 3},
    {"BRETIGNY SUR ORGE", "91220", 3},
    {"LES ULIS", "91940", 3},
    {"GIF SUR YVETTE", "91190", 3},
    // 92 Hauts de Seine
    {"BOULOGNE BILLANCOURT", "92100", 9},
    {"NANTERRE", "92000", 7},
    {"COLOMBES", "92700", 7},
    {"ASNIERES SUR SEINE", "92600", 7},
    {"COURBEVOIE", "92400", 6},
    {"RUEIL MALMAISON", "92500", 6},
    {"ISSY LES MOULINEAUX", "92130", 5},
    {"LEVALLOIS PERRET", "92300", 5},
    {"NEUILLY SUR SEINE", "92200", 5},
    {"ANTONY", "92160", 5},
    {"CLAMART", "92140", 4},
    {"SURESNES", "92150", 4},
    {"MONTROUGE", "92120", 4},
    {"MEUDON", "92190 92360", 4},
    {"CLICHY", "92110", 4},
    {"GENNEVILLIERS", "92230", 4},
    {"SCEAUX", "92330", 2},
    {"CHATILLON", "92320", 3},
    {"BAGNEUX", "92220", 3},
    // 93 Seine Saint Denis
    {"SAINT DENIS", "93200", 7},
    {"MONTREUIL", "93100", 7},
    {"AUBERVILLIERS", "93300", 6},
    {"AULNAY SOUS BOIS", "93600", 6},
    {"DRANCY", "93700", 5},
    {"NOISY LE GRAND", "93160", 5},
    {"PANTIN", "93500", 4},
    {"BONDY", "93140", 4},
    {"EPINAY SUR SEINE", "93800", 4},
    {"SEVRAN", "93270", 4},
    {"LE BLANC MESNIL", "93150", 4},
    {"BOBIGNY", "93000", 4},
    {"ROSNY SOUS BOIS", "93110", 3},
    {"LIVRY GARGAN", "93190", 3},
    {"SAINT OUEN", "93400", 4},
    {"LE RAINCY", "93340", 2},
    // 94 Val de Marne
    {"CRETEIL", "94000", 7},
    {"VITRY SUR SEINE", "94400", 7},
    {"CHAMPIGNY SUR MARNE", "94500", 6},
    {"SAINT MAUR DES FOSSES", "94100 94210", 6},
    {"IVRY SUR SEINE", "94200", 5},
    {"MAISONS ALFORT", "94700", 5},
    {"FONTENAY SOUS BOIS", "94120", 4},
    {"VILLEJUIF", "94800", 4},
    {"VINCENNES", "94300", 4},
    {"NOGENT SUR MARNE", "94130", 3},
    {"CHOISY LE ROI", "94600", 3},
    {"L HAY LES ROSES", "94240", 3},
    {"LE PERREUX SUR MARNE", "94170", 3},
    {"ALFORTVILLE", "94140", 3},
    {"THIAIS", "94320", 3},
    {"SUCY EN BRIE", "94370", 3},
    // 95 Val d'Oise
    {"ARGENTEUIL", "95100", 8},
    {"CERGY", "95000", 6},
    {"SARCELLES", "95200", 5},
    {"GARGES LES GONESSE", "95140", 4},
    {"FRANCONVILLE", "95130", 3},
    {"GOUSSAINVILLE", "95190", 3},
    {"PONTOISE", "95300", 3},
    {"BEZONS", "95870", 3},
    {"ERMONT", "95120", 3},
    {"VILLIERS LE BEL", "95400", 3},
    {"GONESSE", "95500", 3},
    {"SANNOIS", "95110", 3},
    {"HERBLAY", "95220", 3},
    {"TAVERNY", "95150", 3},
    {"EAUBONNE", "95600", 3},
    {"ENGHIEN LES BAINS", "95880", 2},
    // 971 Guadeloupe
    {"POINTE A PITRE", "97110", 2},
    {"BASSE TERRE", "97100", 1},
    {"LES ABYMES", "97139", 2},
    // 972 Martinique
    {"FORT DE FRANCE", "97200", 2},
    {"LE LAMENTIN", "97232", 1},
    // 973 Guyane
    {"CAYENNE", "97300", 2},
    {"KOUROU", "97310", 1},
    // 974 Reunion
    {"SAINT DENIS", "97400", 3},
    {"SAINT PIERRE", "97410", 2},
    {"LE TAMPON", "97430", 2},
    {"SAINT PAUL", "97460", 2},
};

// ---------------------------------------------------------------------------
// People. Surnames are drawn from common French family names, built from
// syllables, or combined, so the people are invented even when a name is
// common.

const char* const kSurnames[] = {
    "MARTIN",    "BERNARD",  "DUBOIS",    "THOMAS",      "ROBERT",    "RICHARD",   "PETIT",      "DURAND",
    "LEROY",     "MOREAU",   "SIMON",     "LAURENT",     "LEFEBVRE",  "MICHEL",    "GARCIA",     "DAVID",
    "BERTRAND",  "ROUX",     "VINCENT",   "FOURNIER",    "MOREL",     "GIRARD",    "ANDRE",      "LEFEVRE",
    "MERCIER",   "DUPONT",   "LAMBERT",   "BONNET",      "FRANCOIS",  "MARTINEZ",  "LEGRAND",    "GARNIER",
    "FAURE",     "ROUSSEAU", "BLANC",     "GUERIN",      "MULLER",    "HENRY",     "ROUSSEL",    "NICOLAS",
    "PERRIN",    "MORIN",    "MATHIEU",   "CLEMENT",     "GAUTHIER",  "DUMONT",    "LOPEZ",      "FONTAINE",
    "CHEVALIER", "ROBIN",    "MASSON",    "SANCHEZ",     "GERARD",    "NGUYEN",    "BOYER",      "DENIS",
    "LEMAIRE",   "DUFOUR",   "MEYER",     "MEUNIER",     "BRUN",      "BLANCHARD", "GIRAUD",     "JOLY",
    "RIVIERE",   "LUCAS",    "BRUNET",    "GAILLARD",    "BARBIER",   "ARNAUD",    "ROCHE",      "RENARD",
    "SCHMITT",   "ROY",      "LEROUX",    "COLIN",       "VIDAL",     "CARON",     "PICARD",     "ROGER",
    "FABRE",     "AUBERT",   "LEMOINE",   "RENAUD",      "DUMAS",     "LACROIX",   "OLIVIER",    "PHILIPPE",
    "BOURGEOIS", "PIERRE",   "BENOIT",    "REY",         "LECLERC",   "PAYET",     "ROLLAND",    "LECLERCQ",
    "GUILLAUME", "LECOMTE",  "DUPUY",     "GUILLOT",     "HUBERT",    "BERGER",    "CARPENTIER", "DUPUIS",
    "MOULIN",    "LOUIS",    "DESCHAMPS", "HUET",        "VASSEUR",   "PEREZ",     "BOUCHER",    "FLEURY",
    "ROYER",     "KLEIN",    "JACQUET",   "ADAM",        "POIRIER",   "MARTY",     "AUBRY",      "GUYOT",
    "CARRE",     "CHARLES",  "RENAULT",   "CHARPENTIER", "MENARD",    "MAILLARD",  "BARON",      "BERTIN",
    "BAILLY",    "HERVE",    "SCHNEIDER", "FERNANDEZ",   "COLLET",    "LEGER",     "BOUVIER",    "JULIEN",
    "PREVOST",   "MILLET",   "PERROT",    "DANIEL",      "COUSIN",    "GERMAIN",   "BRETON",     "BESSON",
    "LANGLOIS",  "REMY",     "PELLETIER", "LEVEQUE",     "PERRIER",   "LEBLANC",   "BARRE",      "LEBRUN",
    "MARCHAL",   "WEBER",    "MALLET",    "HAMON",       "BOULANGER", "JACOB",     "MONNIER",    "MICHAUD",
    "RODRIGUEZ", "GUICHARD", "GILLET",    "ETIENNE",     "GRONDIN",   "POULAIN",   "TESSIER",    "CHEVALLIER",
    "COLLIN",    "CHAUVIN",  "BOUCHET",   "GAY",         "LEMAITRE",  "MARECHAL",  "HUMBERT",    "REYNAUD",
    "ANTOINE",   "HOARAU",   "PERRET",    "BARTHELEMY",  "CORDIER",   "PICHON",    "LEJEUNE",    "GILBERT",
    "LAMY",      "DELAUNAY", "PASQUIER",  "CARLIER",     "LAPORTE",   "FISCHER",   "HOFFMANN",   "KERBRAT",
    "TANGUY",    "RIOU",     "JEZEQUEL",  "QUEMENER",    "CASTEL",    "ESTEVE",    "SERRE",      "BOUSQUET",
    "VIGUIER",   "FOURCADE",
};

// Particles and Breton prefixes: kept whole so they stay believable.
const char* const kCompoundSurnames[] = {
    "LE GALL",
    "LE GOFF",
    "LE BRIS",
    "LE ROUX",
    "LE BIHAN",
    "LE CORRE",
    "LE MOAL",
    "LE GUEN",
    "LE BERRE",
    "LE FLOCH",
    "DE LA FONTAINE",
    "DE LA TOUR",
    "DE LA CROIX",
    "DU PONT",
    "DES ROCHES",
    "DE SAINT JEAN",
    "DA SILVA",
    "DOS SANTOS",
    "D ALMEIDA",
    "LA ROCHE",
    "DE OLIVEIRA",
    "VAN DER BERG",
    "LE BOUCHER DE LA MARE",
};

const char* const kAccentedSurnames[] = {
    "LEF\310VRE", "H\311BERT", "G\311RARD",   "M\311NARD", "RIVI\310RE",    "PR\311VOST",  "B\311NARD", "CL\311MENT",
    "F\311RAUD",  "TH\311RY",  "B\311RANGER", "CH\311RON", "L\311V\312QUE", "GR\311GOIRE", "F\310VRE",  "LEMA\316TRE",
};

const char* const kSurnameHeads[] = {
    "BEAU", "BEL", "BON", "BOUR", "CHAR", "CHAM", "DEL", "FON", "GRAND", "LAM",  "MAR", "MON", "PER", "RO",
    "VIL",  "SAU", "CHA", "BRE",  "COR",  "GAR",  "LAN", "MOR", "PAS",   "TOUR", "BER", "CAS", "DES", "GUI",
    "JAC",  "LAB", "MAL", "NOR",  "QUES", "RAB",  "TAR", "VAL", "BOIS",  "CLO",  "DAR", "FOU",
};

const char* const kSurnameTails[] = {
    "CHAMP", "MONT", "LIN", "LOT",  "NIER", "VILLE", "TIER", "RAUD",  "CHET",  "DIN",  "GEOT", "NEAU",
    "MIER",  "QUET", "RIN", "SSON", "BERT", "LARD",  "VAL",  "FORT",  "GNON",  "LIER", "NARD", "RAT",
    "TEAU",  "VIER", "ZAC", "DRIN", "GUET", "MAS",   "TOUX", "BAULT", "CHARD", "LEUX", "RET",
};

const char* const kMaleNames[] = {
    "Jean",        "Pierre",          "Michel",        "Andr\351",         "Philippe",     "Ren\351",
    "Louis",       "Alain",           "Jacques",       "Bernard",          "Marcel",       "Daniel",
    "Roger",       "Robert",          "Claude",        "Christian",        "G\351rard",    "Henri",
    "Patrick",     "Serge",           "Jean-Pierre",   "Fran\347ois",      "Yves",         "Guy",
    "Paul",        "Georges",         "Jo\353l",       "No\353l",          "J\351r\364me", "Fr\351d\351ric",
    "St\351phane", "Thierry",         "Pascal",        "\311ric",          "Laurent",      "Olivier",
    "Didier",      "Dominique",       "Nicolas",       "S\351bastien",     "Christophe",   "Julien",
    "Vincent",     "Herv\351",        "Francis",       "Gilles",           "Jean-Claude",  "Jean-Louis",
    "Jean-Marc",   "Jean-Luc",        "Jean-Michel",   "Jean-Fran\347ois", "Marc",         "Bruno",
    "Denis",       "Raymond",         "Maurice",       "Lucien",           "Gaston",       "Hubert",
    "Beno\356t",   "R\351mi",         "C\351dric",     "Gr\351gory",       "Micka\353l",   "Lo\357c",
    "Anthony",     "Ludovic",         "Fabrice",       "R\351gis",         "Guillaume",    "Antoine",
    "Maxime",      "Thomas",          "Alexandre",     "Romain",           "Mathieu",      "Damien",
    "Yannick",     "Ga\353l",         "Hugues",        "Xavier",           "Emmanuel",     "Arnaud",
    "Bertrand",    "Franck",          "Lionel",        "Rapha\353l",       "Joseph",       "\311mile",
    "Fernand",     "Jean-Christophe", "Jean-Baptiste", "Jean-Jacques",     "Pierre-Yves",  "Marc-Antoine",
    "\311douard",  "Roland",          "Gilbert",       "Jean-Yves",        "Yvon",         "Erwan",
    "Ronan",       "Killian",         "K\351vin",      "Aur\351lien",      "Jean-No\353l",
};

const char* const kFemaleNames[] = {
    "Marie",
    "Jeanne",
    "Fran\347oise",
    "Monique",
    "Catherine",
    "Nathalie",
    "Isabelle",
    "Sylvie",
    "Christine",
    "Martine",
    "Nicole",
    "H\351l\350ne",
    "C\351line",
    "Val\351rie",
    "Sandrine",
    "Sophie",
    "Anne",
    "Brigitte",
    "Chantal",
    "V\351ronique",
    "Christiane",
    "Danielle",
    "Josiane",
    "Annie",
    "\311lisabeth",
    "Ga\353lle",
    "No\353lle",
    "Aur\351lie",
    "\311milie",
    "M\351lanie",
    "St\351phanie",
    "Laurence",
    "Patricia",
    "Corinne",
    "Agn\350s",
    "Odile",
    "Genevi\350ve",
    "Th\351r\350se",
    "Colette",
    "Jacqueline",
    "Mich\350le",
    "B\351atrice",
    "Claire",
    "Pascale",
    "Karine",
    "Virginie",
    "Marie-Claude",
    "Marie-Christine",
    "Anne-Marie",
    "Marie-France",
    "Anne-Sophie",
    "Marie-Th\351r\350se",
    "Marie-H\351l\350ne",
    "Ginette",
    "Lucie",
    "Pauline",
    "Camille",
    "Chlo\351",
    "L\351a",
    "Zo\351",
};

// ---------------------------------------------------------------------------
// Addresses.

const char* const kStreetTypes[] = {
    "rue",     "rue",    "rue",    "rue",   "rue",   "avenue", "avenue", "boulevard", "bd",      "all\351e", "impasse",
    "impasse", "chemin", "chemin", "place", "route", "square", "quai",   "cours",     "passage", "sentier",  "cit\351",
};

const char* const kStreetNames[] = {
    "des Lilas",
    "de la Gare",
    "du Moulin",
    "Jean Jaur\350s",
    "Victor Hugo",
    "Pasteur",
    "de la R\351publique",
    "des \311coles",
    "de l'\311glise",
    "du Ch\342teau",
    "des Acacias",
    "des Tilleuls",
    "Gambetta",
    "Jules Ferry",
    "du 8 Mai 1945",
    "du 11 Novembre",
    "de Verdun",
    "de la Lib\351ration",
    "des Peupliers",
    "du Stade",
    "du G\351n\351ral de Gaulle",
    "du Mar\351chal Foch",
    "\311mile Zola",
    "Anatole France",
    "Louis Pasteur",
    "des Roses",
    "des Mimosas",
    "des Vignes",
    "de la Mairie",
    "de la Paix",
    "des Fleurs",
    "du Lavoir",
    "des Pr\351s",
    "de la Fontaine",
    "des Jardins",
    "de Bretagne",
    "de Paris",
    "Saint-Martin",
    "Notre-Dame",
    "des Ch\352nes",
    "des Pins",
    "des Sapins",
    "du Bois",
    "de la For\352t",
    "de la Mer",
    "du Port",
    "des P\352cheurs",
    "de l'Oc\351an",
    "du March\351",
    "de la Poste",
    "Sadi Carnot",
    "Voltaire",
    "Moli\350re",
    "Jean Moulin",
    "Georges Clemenceau",
    "L\351on Blum",
    "Paul Bert",
    "Denis Papin",
    "Pierre et Marie Curie",
    "Albert Camus",
    "Jean Monnet",
    "Charles de Gaulle",
    "des Cerisiers",
    "des Noyers",
    "du Verger",
    "des Hirondelles",
    "des Alouettes",
    "de la Croix",
    "du Calvaire",
    "des Aub\351pines",
    "de Normandie",
    "de Provence",
    "des Alpes",
    "de la Source",
    "de l'Abbaye",
    "du Prieur\351",
    "Racine",
    "Corneille",
    "Lamartine",
    "Alphonse Daudet",
    "Fr\351d\351ric Mistral",
    "Jean de la Fontaine",
    "Amp\350re",
    "\311douard Herriot",
    "Gustave Eiffel",
    "Hector Berlioz",
    "Claude Debussy",
    "Maurice Ravel",
    "des Rosiers",
    "de la Plaine",
    "des Coquelicots",
    "des Bleuets",
    "des Marronniers",
    "du Parc",
    "Principale",
    "Neuve",
    "du Four",
    "des Tanneurs",
    "de la Libert\351",
    "de l'Europe",
    "des Fr\350res Lumi\350re",
    "de la R\351sistance",
    "des Glycines",
    "du Belv\351d\350re",
    "de la Tour",
    "des Remparts",
    "du Vieux Pont",
    "du G\351n\351ral Leclerc",
    "du Mar\351chal de Lattre de Tassigny",
    "de la Division Leclerc",
    "du Docteur Schweitzer",
    "Antoine de Saint-Exup\351ry",
    "des Anciens Combattants",
    "des D\351port\351s",
    "du Commandant Charcot",
    "des Martyrs de la R\351sistance",
    "Pierre Mend\350s France",
    "Jean-Baptiste Cl\351ment",
    "de la C\364te Saint-Jacques",
};

const char* const kPlaceNames[] = {
    "La Croix Blanche",    "Les Pr\351s",      "Le Bourg",        "La Garenne",        "Les Granges",
    "Le Moulin Neuf",      "La Fontaine",      "Les Bruy\350res", "La Vigne",          "Le Pont",
    "La Ferme Neuve",      "Les Hauts",        "Le Ch\342teau",   "La Bergerie",       "Les Essarts",
    "La M\351tairie",      "Kerbrat",          "Kervennec",       "Ker Ar Stang",      "Le Mas Blanc",
    "Mas des Oliviers",    "La Bastide",       "Les Chaumes",     "Le Clos",           "La Grange aux Loups",
    "Les C\364tes",        "Le Pr\351 Vert",   "La Ch\352naie",   "Les Grands Champs", "Le Haut du Bourg",
    "La Pi\350ce du Four", "Les Quatre Vents",
};

const char* const kResidenceNames[] = {
    "du Parc",     "les Pins",       "les Tilleuls",  "Le Clos Fleuri",     "Les Jardins de la Gare",
    "Bellevue",    "Beau Site",      "Les Terrasses", "Le Belv\351d\350re", "Les C\350dres",
    "Val Fleuri",  "Les Hortensias", "Le Panorama",   "Les \311rables",     "Le Forum",
    "Les Castors",
};

const char* const kRouteTowns[] = {
    "Paris",    "Lyon",       "Nantes",  "Bordeaux", "Rennes", "Toulouse", "Grenoble", "Besan\347on",
    "Chartres", "Orl\351ans", "Rouen",   "Caen",     "Brest",  "Quimper",  "Dijon",    "Limoges",
    "N\356mes", "Avignon",    "Valence", "Troyes",   "Reims",  "Metz",     "Nancy",    "Angers",
};

// ---------------------------------------------------------------------------

std::string upperCp1252(const std::string& s)
{
    std::string out(s);
    for (char& ch : out) {
        auto c = static_cast<unsigned char>(ch);
        if (c >= 'a' && c <= 'z')
            c = static_cast<unsigned char>(c - 0x20);
        else if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
            c = static_cast<unsigned char>(c - 0x20);
        else if (c == 0x9C) // oe ligature
            c = 0x8C;
        else if (c == 0xFF)
            c = 0x9F;
        ch = static_cast<char>(c);
    }
    return out;
}

void appendNumber(std::string& out, std::uint32_t n)
{
    char buf[12];
    int len = std::snprintf(buf, sizeof buf, "%u", static_cast<unsigned>(n));
    out.append(buf, static_cast<std::size_t>(len));
}

// Callsigns are packed base 37 (0-9, A-Z, 1-based so length is implied) into
// a 64-bit key: 12 characters fit, so the key is exact.
std::uint64_t packCallsign(const std::string& call)
{
    std::uint64_t key = 0;
    for (char ch : call) {
        std::uint64_t v = (ch >= '0' && ch <= '9') ? static_cast<std::uint64_t>(ch - '0') + 1
                                                   : static_cast<std::uint64_t>(ch - 'A') + 11;
        key = key * 37 + v;
    }
    return key;
}

struct Place {
    std::string name;
    std::vector<std::string> postcodes;
    const char* prefix; // callsign prefix of the region
};

class Generator {
public:
    explicit Generator(std::uint64_t seed) : rng_(seed)
    {
        std::uint64_t total = 0;
        for (const Commune& c : kCommunes) {
            Place p;
            p.name = c.name;
            const char* s = c.postcodes;
            while (*s) {
                while (*s == ' ')
                    ++s;
                const char* e = s;
                while (*e && *e != ' ')
                    ++e;
                if (e > s)
                    p.postcodes.emplace_back(s, e);
                s = e;
            }
            p.prefix = prefixFor(p.postcodes.front());
            places_.push_back(std::move(p));
            total += c.weight;
            cumulative_.push_back(total);
        }
    }

    void appendEntry(std::string& out)
    {
        const std::uint32_t kind = rng_.below(1000);
        const Place& place = pickPlace();
        const std::string postcode = postcodeFor(place);

        if (kind < 10) {
            // Published as assigned but withheld: the callsign shares its
            // field with the notice, with or without a space between them.
            out += newCallsign(place);
            if (rng_.below(2) == 0)
                out += ' ';
            out += kHiddenMarker;
            out += ';';
            out += kHiddenSurname;
            out += ";;;";
        } else if (kind < 20) {
            out += newCallsign(place);
            out += ';';
            out += kOrangeSurname;
            out += ";;;";
        } else {
            if (rng_.below(10000) < 22 && !dupCandidates_.empty()) {
                // Reuse a callsign already in the file, once, for someone else.
                std::uint32_t i = rng_.below(static_cast<std::uint32_t>(dupCandidates_.size()));
                out += dupCandidates_[i];
                dupCandidates_[i] = std::move(dupCandidates_.back());
                dupCandidates_.pop_back();
                ++duplicates_;
            } else {
                std::string call = newCallsign(place);
                out += call;
                dupCandidates_.push_back(std::move(call));
            }
            out += ';';
            out += surname();
            out += ';';
            out += firstName();
            out += ';';
            out += address();
            out += ';';
        }
        out += place.name;
        out += ';';
        out += postcode;
        out += "\r\n";
    }

    std::uint64_t duplicates() const { return duplicates_; }

private:
    static const char* prefixFor(const std::string& postcode)
    {
        if (postcode.compare(0, 2, "20") == 0)
            return "TK";
        if (postcode.compare(0, 3, "971") == 0)
            return "FG";
        if (postcode.compare(0, 3, "972") == 0)
            return "FM";
        if (postcode.compare(0, 3, "973") == 0)
            return "FY";
        if (postcode.compare(0, 3, "974") == 0)
            return "FR";
        return "F";
    }

    const Place& pickPlace()
    {
        std::uint64_t r = rng_.below(static_cast<std::uint32_t>(cumulative_.back()));
        std::size_t lo = 0, hi = cumulative_.size() - 1;
        while (lo < hi) {
            std::size_t mid = (lo + hi) / 2;
            if (cumulative_[mid] > r)
                hi = mid;
            else
                lo = mid + 1;
        }
        return places_[lo];
    }

    std::string postcodeFor(const Place& place)
    {
        std::string pc = place.postcodes[rng_.below(static_cast<std::uint32_t>(place.postcodes.size()))];
        // The published list loses the leading zero of departments 01 to 09
        // on a good share of its lines.
        if (pc[0] == '0' && rng_.perMille(300))
            pc.erase(0, 1);
        return pc;
    }

    void appendLetters(std::string& out, int count)
    {
        for (int i = 0; i < count; ++i)
            out += static_cast<char>('A' + rng_.below(26));
    }

    // One candidate callsign. `extra` widens the suffix once the usual
    // ranges are crowded, so a very large file still gets unique callsigns.
    std::string candidateCallsign(const Place& place, int extra)
    {
        std::string call;
        if (place.prefix[1] != '\0' && rng_.perMille(850)) {
            // Corsica and overseas: regional prefix, mostly 2 or 3 letters.
            static const char kDigits[] = "55541";
            call = place.prefix;
            call += kDigits[rng_.below(5)];
            appendLetters(call, (rng_.below(3) == 0 ? 2 : 3) + extra);
            return call;
        }
        call = "F";
        std::uint32_t r = rng_.below(1000);
        int letters = 3;
        char digit;
        if (r < 270)
            digit = '4';
        else if (r < 450)
            digit = '5';
        else if (r < 620)
            digit = '6';
        else if (r < 770)
            digit = '1';
        else if (r < 830)
            digit = '8';
        else if (r < 890)
            digit = '0';
        else {
            // Older two-letter calls.
            static const char kOld[] = "5566689923";
            digit = kOld[rng_.below(10)];
            letters = 2;
        }
        call += digit;
        appendLetters(call, letters + extra);
        return call;
    }

    std::string newCallsign(const Place& place)
    {
        for (int attempt = 0;; ++attempt) {
            int extra = attempt < 4 ? 0 : 1 + (attempt - 4) / 8;
            std::string call = candidateCallsign(place, extra);
            if (call.size() > kMaxCallsign)
                call.resize(kMaxCallsign);
            if (used_.insert(packCallsign(call)).second)
                return call;
        }
    }

    std::string surname()
    {
        std::uint32_t r = rng_.below(1000);
        std::string s;
        if (r < 690) {
            s = rng_.pick(kSurnames);
        } else if (r < 870) {
            s = rng_.pick(kSurnameHeads);
            s += rng_.pick(kSurnameTails);
        } else if (r < 940) {
            s = rng_.pick(kCompoundSurnames);
        } else if (r < 975) {
            s = rng_.pick(kAccentedSurnames);
        } else {
            s = rng_.pick(kSurnames);
            s += rng_.below(4) == 0 ? " " : "-";
            s += rng_.pick(kSurnames);
        }
        if (s.size() > kMaxSurname)
            s.resize(kMaxSurname);
        return s;
    }

    std::string firstName()
    {
        std::uint32_t r = rng_.below(1000);
        if (r < 12)
            return std::string();
        std::string s;
        if (r < 80) {
            s = rng_.pick(kFemaleNames);
        } else if (r < 130) {
            // Compound name built on the fly, e.g. Jean-Paul.
            static const char* const kHeads[] = {"Jean", "Pierre", "Jean", "Paul"};
            s = rng_.pick(kHeads);
            const char* tail = rng_.pick(kMaleNames);
            if (std::strchr(tail, '-') == nullptr && s != tail) {
                s += '-';
                s += tail;
            }
        } else {
            s = rng_.pick(kMaleNames);
        }
        if (s.size() > kMaxFirstName)
            s.resize(kMaxFirstName);
        return s;
    }

    std::uint32_t houseNumber()
    {
        // Small numbers are far more common than large ones.
        return 1 + rng_.below(1 + rng_.below(rng_.below(4) == 0 ? 300 : 60));
    }

    void appendStreet(std::string& out)
    {
        appendNumber(out, houseNumber());
        std::uint32_t r = rng_.below(100);
        if (r < 3)
            out += " bis";
        else if (r < 4)
            out += " ter";
        out += ' ';
        out += rng_.pick(kStreetTypes);
        out += ' ';
        out += rng_.pick(kStreetNames);
    }

    std::string address()
    {
        std::string a;
        std::uint32_t r = rng_.below(1000);
        if (r < 25)
            return a;
        if (r < 320) {
            appendStreet(a);
            if (rng_.below(4) == 0) {
                // Rural addresses often add the hamlet after the street.
                a += ' ';
                a += rng_.pick(kPlaceNames);
            }
        } else if (r < 580) {
            a += "R\351sidence ";
            a += rng_.pick(kResidenceNames);
            if (rng_.below(3) == 0) {
                a += " B\342t ";
                a += static_cast<char>('A' + rng_.below(8));
            }
            a += ' ';
            appendStreet(a);
        } else if (r < 700) {
            appendStreet(a);
            if (rng_.below(2) == 0) {
                a += " Appt ";
                appendNumber(a, 1 + rng_.below(60));
            } else {
                a += " B\342t ";
                a += static_cast<char>('A' + rng_.below(8));
            }
        } else if (r < 790) {
            std::uint32_t k = rng_.below(4);
            if (k == 0)
                a += "Lieu-dit ";
            else if (k == 1)
                a += "Hameau ";
            a += rng_.pick(kPlaceNames);
            if (rng_.below(2) == 0) {
                a += ' ';
                appendStreet(a);
            }
        } else if (r < 810) {
            a += "BP ";
            appendNumber(a, 1 + rng_.below(400));
            if (rng_.below(2) == 0) {
                a += ' ';
                appendStreet(a);
            }
        } else if (r < 900) {
            a += "R\351sidence ";
            a += rng_.pick(kResidenceNames);
            a += " B\342t ";
            a += static_cast<char>('A' + rng_.below(8));
            a += " apt ";
            appendNumber(a, 1 + rng_.below(80));
        } else {
            appendNumber(a, houseNumber());
            a += rng_.below(3) ? " route " : " chemin ";
            const char* town = rng_.pick(kRouteTowns);
            a += std::strchr("AEIOU", town[0]) != nullptr ? "d'" : "de ";
            a += town;
            if (rng_.below(3) == 0) {
                a += ' ';
                a += rng_.pick(kPlaceNames);
            }
        }
        // Some lines were keyed in capitals.
        if (rng_.perMille(90))
            a = upperCp1252(a);
        if (a.size() > kMaxAddress)
            a.resize(kMaxAddress);
        return a;
    }

    Rng rng_;
    std::vector<Place> places_;
    std::vector<std::uint64_t> cumulative_;
    std::unordered_set<std::uint64_t> used_;
    std::vector<std::string> dupCandidates_;
    std::uint64_t duplicates_ = 0;
};

} // namespace

namespace dravelin::tools {

struct DirectoryGenerator::State {
    explicit State(std::uint64_t seed) : generator(seed) {}
    Generator generator;
};

DirectoryGenerator::DirectoryGenerator(std::uint64_t seed) : state_(std::make_unique<State>(seed)) {}

DirectoryGenerator::~DirectoryGenerator() = default;

void DirectoryGenerator::appendEntry(std::string& out)
{
    state_->generator.appendEntry(out);
}

std::uint64_t DirectoryGenerator::duplicates() const
{
    return state_->generator.duplicates();
}

void appendRevisionLine(std::string& out)
{
    out += kRevisionLine;
    out += "\r\n";
}

std::string makeDirectory(std::uint64_t entries, std::uint64_t seed)
{
    std::string out;
    appendRevisionLine(out);
    DirectoryGenerator generator(seed);
    for (std::uint64_t i = 0; i < entries; ++i)
        generator.appendEntry(out);
    return out;
}

} // namespace dravelin::tools

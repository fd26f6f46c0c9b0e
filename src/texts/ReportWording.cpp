#include "texts/ReportWording.h"

#include "texts/Phrases.h"

namespace pb {

namespace {

// The texts of the report in the four languages.
const Phrase kPhrases[] = {
    // The window's fields and button.
    {"technician field", {"Technician:", "Technicus:", "Techniker:", "Technicien :"}},
    {"site field", {"Site:", "Locatie:", "Standort:", "Site :"}},
    {"save report", {"Save report…", "Rapport opslaan…", "Protokoll speichern…", "Enregistrer le rapport…"}},
    // The header.
    {"title", {"Commissioning report", "Opleveringsrapport", "Inbetriebnahmeprotokoll", "Rapport de mise en service"}},
    {"program", {"Program", "Programma", "Programm", "Programme"}},
    {"made", {"Made", "Gemaakt", "Erstellt", "Établi"}},
    {"computer", {"Computer", "Computer", "Computer", "Ordinateur"}},
    {"port", {"Port", "Poort", "Port", "Port"}},
    {"stands for", {"%1, standing for %2", "%1, staat voor %2", "%1, steht für %2", "%1, désignant %2"}},
    {"source", {"Source", "Bron", "Quelle", "Source"}},
    {"from file", {"the settings file %1, without a unit", "het instellingenbestand %1, zonder unit",
                   "die Einstellungsdatei %1, ohne Einheit", "le fichier de réglages %1, sans unité"}},
    {"unit type", {"Unit type", "Unit-type", "Einheitentyp", "Type d'unité"}},
    {"technician", {"Technician", "Technicus", "Techniker", "Technicien"}},
    {"site", {"Site", "Locatie", "Standort", "Site"}},
    // The settings.
    {"settings", {"Settings", "Instellingen", "Einstellungen", "Réglages"}},
    {"row", {"Row", "Regel", "Zeile", "Ligne"}},
    {"setting", {"Setting", "Instelling", "Einstellung", "Réglage"}},
    {"value", {"Value for the unit", "Waarde voor de unit", "Wert für die Einheit", "Valeur pour l'unité"}},
    {"note", {"Note", "Opmerking", "Hinweis", "Remarque"}},
    {"no option", {"(no option)", "(geen optie)", "(keine Option)", "(aucune option)"}},
    {"not from unit", {"not read from the unit", "niet uit de unit gelezen", "nicht aus der Einheit gelesen",
                       "non lu dans l'unité"}},
    {"unnamed", {"the unit holds %1, which no option names", "de unit bevat %1, wat geen optie noemt",
                 "die Einheit enthält %1, was keine Option benennt", "l'unité contient %1, qu'aucune option ne désigne"}},
    // The differences.
    {"differences", {"Differences from %1", "Verschillen met %1", "Unterschiede zu %1", "Différences avec %1"}},
    {"reference", {"Reference", "Referentie", "Referenz", "Référence"}},
    {"unit", {"Unit", "Unit", "Einheit", "Unité"}},
    {"no differences", {"No differences: the unit holds what the reference holds.",
                        "Geen verschillen: de unit bevat wat de referentie bevat.",
                        "Keine Unterschiede: die Einheit enthält, was die Referenz enthält.",
                        "Aucune différence : l'unité contient ce que contient la référence."}},
    {"no reference", {"%1 could not be read: no comparison.", "%1 kon niet worden gelezen: geen vergelijking.",
                      "%1 konnte nicht gelesen werden: kein Vergleich.", "%1 n'a pas pu être lu : aucune comparaison."}},
    // The test call.
    {"test call", {"Test call", "Testoproep", "Testruf", "Appel de test"}},
    {"no call", {"No test call was made.", "Er is geen testoproep gedaan.", "Es wurde kein Testruf gesendet.",
                 "Aucun appel de test n'a été fait."}},
    {"call taken", {"the unit took the call", "de unit nam de oproep aan", "die Einheit nahm den Ruf an",
                    "l'unité a accepté l'appel"}},
    {"call not taken", {"the unit did not take the call", "de unit nam de oproep niet aan",
                        "die Einheit nahm den Ruf nicht an", "l'unité n'a pas accepté l'appel"}},
    // The fingerprint.
    {"fingerprint", {"Fingerprint", "Vingerafdruk", "Fingerabdruck", "Empreinte"}},
    {"fingerprint note", {"SHA-256 of the settings file that pagerbench-cli read --out saves for these values",
                          "SHA-256 van het instellingenbestand dat pagerbench-cli read --out voor deze waarden opslaat",
                          "SHA-256 der Einstellungsdatei, die pagerbench-cli read --out für diese Werte speichert",
                          "SHA-256 du fichier de réglages que pagerbench-cli read --out enregistre pour ces valeurs"}},
};

} // namespace

QString ReportWords(const char* key, int language)
{
    return PhraseText(kPhrases, key, language);
}

} // namespace pb

#include "texts/CheckWording.h"

#include "texts/Phrases.h"

#include <QJsonArray>
#include <algorithm>

namespace pb {

namespace {

constexpr int kTickMs = 25;
const QString kUnitLine = QStringLiteral("19200,N,8,1");

// The texts of the check in the four languages.
const Phrase kPhrases[] = {
    // The controls that start a check.
    {"frame title", {"Connection check", "Verbindingscontrole", "Verbindungsprüfung", "Vérification de la connexion"}},
    {"check button", {"Check the connection", "Verbinding controleren", "Verbindung prüfen", "Vérifier la connexion"}},
    {"check port", {"Check", "Controleer", "Prüfen", "Vérifier"}},
    // The steps' names.
    {"name", {"Name", "Naam", "Name", "Nom"}},
    {"reach", {"Reach", "Bereik", "Gerät", "Accès"}},
    {"open", {"Open", "Openen", "Öffnen", "Ouvrir"}},
    {"line", {"Line", "Lijn", "Leitung", "Ligne"}},
    {"listen", {"Listen", "Luister", "Lauschen", "Écoute"}},
    {"echo", {"Echo", "Echo", "Echo", "Écho"}},
    {"ask", {"Ask", "Vraag", "Frage", "Question"}},
    {"verdict", {"Verdict", "Oordeel", "Befund", "Verdict"}},
    // Name
    {"stands for nothing", {"%1 stands for no device (%2)", "%1 staat voor geen apparaat (%2)",
                            "%1 steht für kein Gerät (%2)", "%1 ne désigne aucun appareil (%2)"}},
    {"is itself", {"%1 (%2)", "%1 (%2)", "%1 (%2)", "%1 (%2)"}},
    {"stands for", {"%1 stands for %2 (%3)", "%1 staat voor %2 (%3)", "%1 steht für %2 (%3)", "%1 désigne %2 (%3)"}},
    // Reach
    {"connected", {"the device server took the connection in %1 ms", "de device server nam de verbinding aan in %1 ms",
                   "der Geräteserver nahm die Verbindung in %1 ms an", "le serveur a accepté la connexion en %1 ms"}},
    {"not connected", {"no connection to the device server after %1 ms: %2",
                       "geen verbinding met de device server na %1 ms: %2",
                       "keine Verbindung zum Geräteserver nach %1 ms: %2",
                       "pas de connexion au serveur après %1 ms : %2"}},
    {"missing", {"%1 is not there", "%1 is er niet", "%1 ist nicht da", "%1 n'existe pas"}},
    {"present", {"%1 is there", "%1 is er", "%1 ist da", "%1 existe"}},
    {"link", {", a link to %1", ", een koppeling naar %1", ", ein Link auf %1", ", un lien vers %1"}},
    {"serial number", {", serial number %1", ", serienummer %1", ", Seriennummer %1", ", numéro de série %1"}},
    // Open
    {"opened", {"opened at %1", "geopend met %1", "geöffnet mit %1", "ouvert à %1"}},
    {"cannot open", {"cannot open: ", "kan niet openen: ", "nicht zu öffnen: ", "ouverture impossible : "}},
    {"no such device", {"no such device", "dit apparaat bestaat niet", "kein solches Gerät", "appareil inexistant"}},
    {"forbidden", {"this user may not open it", "deze gebruiker mag het niet openen",
                   "dieser Benutzer darf es nicht öffnen", "cet utilisateur n'a pas le droit de l'ouvrir"}},
    {"busy", {"another program holds it", "een ander programma houdt het bezet", "ein anderes Programm belegt es",
              "un autre programme l'occupe"}},
    {"holder", {": process %1 (%2), seen by its %3", ": proces %1 (%2), gezien aan zijn %3",
                ": Prozess %1 (%2), erkannt an %3", " : processus %1 (%2), vu par %3"}},
    {"open files", {"open files", "open bestanden", "seinen offenen Dateien", "ses fichiers ouverts"}},
    {"lock file", {"lock file", "lock-bestand", "seiner Lock-Datei", "son fichier de verrou"}},
    {"holder unseen", {"; which one cannot be seen from this user: %1 names it",
                       "; welk is voor deze gebruiker niet te zien: %1 noemt het",
                       "; welches, kann dieser Benutzer nicht sehen: %1 nennt es",
                       " ; lequel, cet utilisateur ne peut le voir : %1 le nomme"}},
    {"advice", {"; to be allowed: %1", "; om het te mogen: %1", "; um es zu dürfen: %1", " ; pour y avoir droit : %1"}},
    {"modem manager", {"; ModemManager runs and may be probing this adapter: it may let go within a minute, or can be"
                       " told to leave it alone (udev: ENV{ID_MM_DEVICE_IGNORE}=\"1\")",
                       "; ModemManager draait en onderzoekt deze adapter misschien: hij laat hem vaak binnen een"
                       " minuut los, of laat hem met rust met een udev-regel (ENV{ID_MM_DEVICE_IGNORE}=\"1\")",
                       "; ModemManager läuft und prüft diesen Adapter vielleicht: er gibt ihn oft nach einer Minute"
                       " frei, oder lässt ihn mit einer udev-Regel in Ruhe (ENV{ID_MM_DEVICE_IGNORE}=\"1\")",
                       " ; ModemManager tourne et sonde peut-être cet adaptateur : il le lâche souvent en une minute,"
                       " ou le laisse tranquille avec une règle udev (ENV{ID_MM_DEVICE_IGNORE}=\"1\")"}},
    // Line
    {"own settings", {"the device keeps its own settings (a raw device server: set it to %1)",
                      "het apparaat houdt zijn eigen instellingen (een device server in raw mode: zet hem op %1)",
                      "das Gerät behält seine eigenen Einstellungen (ein Geräteserver im Raw-Modus: auf %1 stellen)",
                      "l'appareil garde ses propres réglages (un serveur en mode brut : le régler sur %1)"}},
    {"server asked", {"the server was asked for %1", "de server werd gevraagd om %1", "der Server wurde um %1 gebeten",
                      "le serveur a reçu la demande %1"}},
    {"confirmed", {" and confirmed it", " en bevestigde dat", " und bestätigte es", " et l'a confirmée"}},
    {"not confirmed", {" and did not confirm: %1", " en bevestigde niet: %1", " und bestätigte nicht: %1",
                       " et n'a pas confirmé : %1"}},
    {"set to", {"set to %1", "ingesteld op %1", "eingestellt auf %1", "réglé sur %1"}},
    {"not taken", {", not %1: the driver did not take the settings", ", niet %1: de driver nam de instellingen niet over",
                   ", nicht %1: der Treiber übernahm die Einstellungen nicht",
                   ", pas %1 : le pilote n'a pas pris les réglages"}},
    {"on", {"on", "aan", "an", "actif"}},
    {"off", {"off", "uit", "aus", "inactif"}},
    {"latency", {"; latency timer %1 ms: ", "; latency timer %1 ms: ", "; Latency-Timer %1 ms: ",
                 " ; latency timer %1 ms : "}},
    {"latency short", {"a reply's last bytes wait at most that long, within one tick",
                       "de laatste bytes van een antwoord wachten hooguit zo lang, binnen één tick",
                       "die letzten Bytes einer Antwort warten höchstens so lange, innerhalb eines Ticks",
                       "les derniers octets d'une réponse attendent au plus autant, dans un tick"}},
    {"latency long", {"longer than a 25 ms tick, so replies arrive a tick late or more",
                      "langer dan een tick van 25 ms, dus antwoorden komen een tick of meer te laat",
                      "länger als ein Tick von 25 ms, Antworten kommen also einen Tick oder mehr zu spät",
                      "plus long qu'un tick de 25 ms : les réponses arrivent un tick en retard ou plus"}},
    // Listen
    {"quiet", {"nothing came in a quiet second", "er kwam niets in een stille seconde",
               "in einer stillen Sekunde kam nichts", "rien n'est venu en une seconde de silence"}},
    {"text", {"%1 bytes of text came unasked, the unit's own diagnose output (\"%2\"): the line from the unit to this"
              " computer works",
              "%1 bytes tekst kwamen ongevraagd, de eigen diagnose-uitvoer van de unit (\"%2\"): de lijn van de unit"
              " naar deze computer werkt",
              "%1 Bytes Text kamen ungefragt, die eigene Diagnoseausgabe der Einheit (\"%2\"): die Leitung von der"
              " Einheit zu diesem Computer funktioniert",
              "%1 octets de texte sont venus sans demande, la sortie de diagnostic de l'unité (\"%2\") : la ligne de"
              " l'unité vers cet ordinateur fonctionne"}},
    {"other bytes", {"%1 bytes came unasked that form no text and no frame: another speed or format?",
                     "%1 bytes kwamen ongevraagd die geen tekst en geen frame vormen: een andere snelheid of opmaak?",
                     "%1 Bytes kamen ungefragt, die weder Text noch Rahmen bilden: eine andere Geschwindigkeit oder"
                     " ein anderes Format?",
                     "%1 octets sont venus sans demande, ni texte ni trame : une autre vitesse ou un autre format ?"}},
    // Echo
    {"echoed", {"our wake-up sequence came straight back (%1)", "onze wekreeks kwam meteen terug (%1)",
                "unsere Wecksequenz kam sofort zurück (%1)", "notre séquence de réveil est revenue aussitôt (%1)"}},
    {"no echo", {"our bytes did not come back", "onze bytes kwamen niet terug", "unsere Bytes kamen nicht zurück",
                 "nos octets ne sont pas revenus"}},
    // Ask
    {"try", {"try %1: ", "poging %1: ", "Versuch %1: ", "essai %1 : "}},
    {"answered", {"answered in %1 ms (row %2 holds %3)", "beantwoord in %1 ms (regel %2 bevat %3)",
                  "beantwortet in %1 ms (Zeile %2 enthält %3)", "réponse en %1 ms (la ligne %2 contient %3)"}},
    {"no reply", {"no reply", "geen antwoord", "keine Antwort", "pas de réponse"}},
    {"garbled", {"bytes came, but no good frame", "er kwamen bytes, maar geen goed frame",
                 "es kamen Bytes, aber kein gültiger Rahmen", "des octets sont venus, mais aucune trame valable"}},
    {"own request", {"our own request came back, no answer", "ons eigen verzoek kwam terug, geen antwoord",
                     "unsere eigene Anfrage kam zurück, keine Antwort", "notre propre demande est revenue, pas de réponse"}},
    {"no value", {"a reply without a value", "een antwoord zonder waarde", "eine Antwort ohne Wert",
                  "une réponse sans valeur"}},
    {"not codable", {"row %1 cannot be asked of this unit type", "regel %1 kan bij dit unit-type niet gevraagd worden",
                     "Zeile %1 kann bei diesem Einheitentyp nicht abgefragt werden",
                     "la ligne %1 ne peut pas être demandée à ce type d'unité"}},
    // Verdict
    {"answers", {"The unit answers.", "De unit antwoordt.", "Die Einheit antwortet.", "L'unité répond."}},
    {"answers later", {"The unit answers, but not at the first try: it woke up late. If a read fails now and then, look"
                       " at the unit's power and the cable.",
                       "De unit antwoordt, maar niet bij de eerste poging: hij werd laat wakker. Mislukt een lezing af"
                       " en toe, kijk dan naar de voeding van de unit en de kabel.",
                       "Die Einheit antwortet, aber nicht beim ersten Versuch: sie wurde spät wach. Schlägt ein Lesen"
                       " hin und wieder fehl, Stromversorgung der Einheit und Kabel prüfen.",
                       "L'unité répond, mais pas au premier essai : elle s'est réveillée tard. Si une lecture échoue"
                       " de temps en temps, vérifiez l'alimentation de l'unité et le câble."}},
    {"held", {"Another program holds the port: close it, then try again.",
              "Een ander programma houdt de poort bezet: sluit het en probeer opnieuw.",
              "Ein anderes Programm belegt den Port: es schließen und erneut versuchen.",
              "Un autre programme occupe le port : fermez-le, puis réessayez."}},
    {"not allowed", {"This user may not open the port: see Open.", "Deze gebruiker mag de poort niet openen: zie Openen.",
                     "Dieser Benutzer darf den Port nicht öffnen: siehe Öffnen.",
                     "Cet utilisateur n'a pas le droit d'ouvrir le port : voir Ouvrir."}},
    {"not there", {"The device is not there: check the port's name or number, and that the adapter is plugged in.",
                   "Het apparaat is er niet: controleer de naam of het nummer van de poort, en of de adapter erin zit.",
                   "Das Gerät ist nicht da: Namen oder Nummer des Ports prüfen, und ob der Adapter steckt.",
                   "L'appareil n'est pas là : vérifiez le nom ou le numéro du port, et que l'adaptateur est branché."}},
    {"no server", {"The port does not open: check the device server's address, port and network.",
                   "De poort gaat niet open: controleer adres, poort en netwerk van de device server.",
                   "Der Port öffnet nicht: Adresse, Port und Netzwerk des Geräteservers prüfen.",
                   "Le port ne s'ouvre pas : vérifiez l'adresse, le port et le réseau du serveur."}},
    {"server echoes", {"Our own bytes come back: the device server echoes them. Switch its echo off.",
                       "Onze eigen bytes komen terug: de device server stuurt ze terug. Zet zijn echo uit.",
                       "Unsere eigenen Bytes kommen zurück: der Geräteserver sendet sie zurück. Sein Echo abschalten.",
                       "Nos propres octets reviennent : le serveur les renvoie. Désactivez son écho."}},
    {"adapter echoes", {"Our own bytes come back beside the unit's text: a two-wire (RS-485) adapter with echo on. Switch"
                        " its echo off, or use a four-wire (RS-232) connection.",
                        "Onze eigen bytes komen terug naast de tekst van de unit: een tweedraads (RS-485) adapter met"
                        " echo aan. Zet zijn echo uit, of gebruik een vierdraads (RS-232) verbinding.",
                        "Unsere eigenen Bytes kommen neben dem Text der Einheit zurück: ein Zweidraht-Adapter (RS-485)"
                        " mit Echo. Sein Echo abschalten oder eine Vierdraht-Verbindung (RS-232) nehmen.",
                        "Nos propres octets reviennent avec le texte de l'unité : un adaptateur deux fils (RS-485) avec"
                        " écho. Désactivez son écho, ou utilisez une liaison quatre fils (RS-232)."}},
    {"loopback", {"Our own bytes come back and nothing else: a loopback plug, or a two-wire (RS-485) adapter with echo on"
                  " and no unit behind it. Connect the unit's diagnose port.",
                  "Alleen onze eigen bytes komen terug: een loopback-stekker, of een tweedraads (RS-485) adapter met echo"
                  " aan zonder unit erachter. Sluit de diagnosepoort van de unit aan.",
                  "Nur unsere eigenen Bytes kommen zurück: ein Loopback-Stecker, oder ein Zweidraht-Adapter (RS-485) mit"
                  " Echo ohne Einheit dahinter. Den Diagnoseport der Einheit anschließen.",
                  "Seuls nos propres octets reviennent : une fiche de bouclage, ou un adaptateur deux fils (RS-485) avec"
                  " écho sans unité derrière. Branchez le port de diagnostic de l'unité."}},
    {"wrong speed", {"Bytes come, but never a good frame: another speed or format on the way. A device server in raw mode"
                     " keeps its own settings: set it to 19200,N,8,1.",
                     "Er komen bytes, maar nooit een goed frame: een andere snelheid of opmaak onderweg. Een device"
                     " server in raw mode houdt zijn eigen instellingen: zet hem op 19200,N,8,1.",
                     "Es kommen Bytes, aber nie ein gültiger Rahmen: eine andere Geschwindigkeit oder ein anderes"
                     " Format unterwegs. Ein Geräteserver im Raw-Modus behält seine Einstellungen: auf 19200,N,8,1"
                     " stellen.",
                     "Des octets viennent, mais jamais une trame valable : une autre vitesse ou un autre format en"
                     " chemin. Un serveur en mode brut garde ses réglages : réglez-le sur 19200,N,8,1."}},
    {"text only", {"The unit's text comes, but it does not answer: the line from this computer to the unit does not reach"
                   " it (a broken wire, or a null-modem adapter in between).",
                   "De tekst van de unit komt, maar hij antwoordt niet: de lijn van deze computer naar de unit bereikt"
                   " hem niet (een gebroken draad, of een null-modemadapter ertussen).",
                   "Der Text der Einheit kommt, aber sie antwortet nicht: die Leitung von diesem Computer zur Einheit"
                   " erreicht sie nicht (ein gebrochener Draht, oder ein Nullmodem-Adapter dazwischen).",
                   "Le texte de l'unité arrive, mais elle ne répond pas : la ligne de cet ordinateur vers l'unité ne"
                   " l'atteint pas (un fil coupé, ou un adaptateur null-modem entre les deux)."}},
    {"values missing", {"Replies come without values: check the unit type.",
                        "Er komen antwoorden zonder waarden: controleer het unit-type.",
                        "Antworten kommen ohne Werte: den Einheitentyp prüfen.",
                        "Des réponses viennent sans valeurs : vérifiez le type d'unité."}},
    {"nothing", {"Nothing came back and nothing came unasked: the cable may be on the wrong connector (the ESPA port"
                 " instead of the diagnose port), the unit without power, or TX and RX crossed.",
                 "Er kwam niets terug en niets ongevraagd: de kabel zit misschien op de verkeerde connector (de"
                 " ESPA-poort in plaats van de diagnosepoort), de unit heeft geen voeding, of TX en RX zijn gekruist.",
                 "Nichts kam zurück und nichts ungefragt: das Kabel steckt vielleicht am falschen Anschluss (am"
                 " ESPA-Port statt am Diagnoseport), die Einheit hat keinen Strom, oder TX und RX sind gekreuzt.",
                 "Rien n'est revenu et rien n'est venu sans demande : le câble est peut-être sur le mauvais connecteur"
                 " (le port ESPA au lieu du port de diagnostic), l'unité sans alimentation, ou TX et RX croisés."}},
};

struct Words {
    int language;

    QString operator()(const char* key) const { return PhraseText(kPhrases, key, language); }
};

QString Text(const QJsonObject& values, const char* key)
{
    return values.value(QLatin1String(key)).toVariant().toString();
}

bool Is(const CheckFinding& f, const char* result)
{
    return f.result == QLatin1String(result);
}

QString NameLine(const CheckFinding& f, const Words& say)
{
    const QJsonObject& v = f.values;
    if (Is(f, "nothing"))
        return say("stands for nothing").arg(Text(v, "name"), Text(v, "rule"));
    if (Text(v, "name") == Text(v, "device"))
        return say("is itself").arg(Text(v, "device"), Text(v, "rule"));
    return say("stands for").arg(Text(v, "name"), Text(v, "device"), Text(v, "rule"));
}

QString ReachLine(const CheckFinding& f, const Words& say)
{
    const QJsonObject& v = f.values;
    if (Is(f, "connected"))
        return say("connected").arg(Text(v, "ms"));
    if (Is(f, "failed"))
        return say("not connected").arg(Text(v, "ms"), Text(v, "systemText"));
    if (Is(f, "missing"))
        return say("missing").arg(Text(v, "device"));
    QString line = say("present").arg(Text(v, "device"));
    if (v.contains(QStringLiteral("linkTarget")))
        line += say("link").arg(Text(v, "linkTarget"));
    const QString adapter = QStringList{Text(v, "maker"), Text(v, "product")}.join(u' ').trimmed();
    if (!adapter.isEmpty())
        line += QStringLiteral(": ") + adapter;
    if (v.contains(QStringLiteral("serialNumber")))
        line += say("serial number").arg(Text(v, "serialNumber"));
    return line;
}

QString OpenLine(const CheckFinding& f, const Words& say)
{
    const QJsonObject& v = f.values;
    if (Is(f, "opened"))
        return say("opened").arg(kUnitLine);
    QString line = say("cannot open");
    if (Is(f, "missing"))
        line += say("no such device");
    else if (Is(f, "forbidden"))
        line += say("forbidden");
    else if (Is(f, "busy"))
        line += say("busy");
    else
        line += f.result;
    if (!Text(v, "systemText").isEmpty())
        line += QStringLiteral(" (%1)").arg(Text(v, "systemText"));
    if (v.contains(QStringLiteral("holderPid")))
        line += say("holder").arg(Text(v, "holderPid"), Text(v, "holderCommand"), say(Text(v, "seenBy").toLatin1().constData()));
    else if (v.contains(QStringLiteral("findHolder")))
        line += say("holder unseen").arg(Text(v, "findHolder"));
    if (v.contains(QStringLiteral("advice")))
        line += say("advice").arg(Text(v, "advice"));
    if (v.value(QStringLiteral("modemManager")).toBool())
        line += say("modem manager");
    return line;
}

QString LineLine(const CheckFinding& f, const Words& say)
{
    const QJsonObject& v = f.values;
    QString line;
    if (Is(f, "unknown")) {
        line = say("own settings").arg(kUnitLine);
    } else if (Is(f, "server")) {
        const QStringList untaken = v.value(QStringLiteral("notConfirmed")).toVariant().toStringList();
        line = say("server asked").arg(Text(v, "settings"));
        line += untaken.isEmpty() ? say("confirmed") : say("not confirmed").arg(untaken.join(QStringLiteral(", ")));
    } else {
        line = say("set to").arg(Text(v, "settings"));
        if (Text(v, "settings") != kUnitLine)
            line += say("not taken").arg(kUnitLine);
    }
    if (v.contains(QStringLiteral("modemLines"))) {
        const QJsonObject lines = v.value(QStringLiteral("modemLines")).toObject();
        QStringList states;
        for (const char* name : {"cts", "dsr", "dcd", "ri"}) {
            states << QString::fromLatin1(name).toUpper() + u' '
                    + say(lines.value(QLatin1String(name)).toBool() ? "on" : "off");
        }
        line += QStringLiteral("; ") + states.join(QStringLiteral(", "));
    }
    if (v.contains(QStringLiteral("latencyTimerMs"))) {
        const int latency = v.value(QStringLiteral("latencyTimerMs")).toInt();
        line += say("latency").arg(latency) + say(latency <= kTickMs ? "latency short" : "latency long");
    }
    return line;
}

QString ListenLine(const CheckFinding& f, const Words& say)
{
    if (Is(f, "nothing"))
        return say("quiet");
    if (Is(f, "text"))
        return say("text").arg(Text(f.values, "bytes"), Text(f.values, "sample"));
    return say("other bytes").arg(Text(f.values, "bytes"));
}

QString EchoLine(const CheckFinding& f, const Words& say)
{
    return Is(f, "echo") ? say("echoed").arg(Text(f.values, "bytes")) : say("no echo");
}

QString AskLine(const CheckFinding& f, const Words& say)
{
    const QJsonObject& v = f.values;
    const QString tryNumber = say("try").arg(Text(v, "try"));
    if (Is(f, "answered"))
        return tryNumber + say("answered").arg(Text(v, "ms"), Text(v, "row"), Text(v, "value"));
    if (Is(f, "silent"))
        return tryNumber + say("no reply");
    if (Is(f, "garbled"))
        return tryNumber + say("garbled");
    if (Is(f, "echo"))
        return tryNumber + say("own request");
    if (Is(f, "no-value"))
        return tryNumber + say("no value");
    return tryNumber + say("not codable").arg(Text(v, "row"));
}

QString VerdictLine(const CheckFinding& f, const Words& say)
{
    const QString kind = Text(f.values, "kind");
    if (Is(f, "answers"))
        return say("answers");
    if (Is(f, "answers-later"))
        return say("answers later");
    if (Is(f, "not-opened")) {
        if (kind == QStringLiteral("busy"))
            return say("held");
        if (kind == QStringLiteral("forbidden"))
            return say("not allowed");
        if (kind == QStringLiteral("missing"))
            return say("not there");
        return say("no server");
    }
    if (Is(f, "echo")) {
        const QString source = Text(f.values, "looksLike");
        return say(source == QStringLiteral("server")    ? "server echoes"
                   : source == QStringLiteral("adapter") ? "adapter echoes"
                                                         : "loopback");
    }
    if (Is(f, "garbled"))
        return say("wrong speed");
    if (Is(f, "text-only"))
        return say("text only");
    if (Is(f, "no-value"))
        return say("values missing");
    return say("nothing");
}

} // namespace

QString CheckControlText(CheckControl control, int language)
{
    static const char* const kKeys[] = {"frame title", "check button", "check port"};
    return Words{language}(kKeys[int(control)]);
}

QString CheckLine(const CheckFinding& finding, int language)
{
    using Wording = QString (*)(const CheckFinding&, const Words&);
    static const Wording kWordings[] = {NameLine, ReachLine, OpenLine, LineLine, ListenLine, EchoLine, AskLine, VerdictLine};
    static const char* const kSteps[] = {"name", "reach", "open", "line", "listen", "echo", "ask", "verdict"};
    const Words say{language};
    // The steps' names in one column, as wide as the language's longest.
    qsizetype width = 0;
    for (const char* step : kSteps)
        width = std::max(width, say(step).size());
    return say(kSteps[int(finding.step)]).leftJustified(width + 1) + kWordings[int(finding.step)](finding, say);
}

} // namespace pb

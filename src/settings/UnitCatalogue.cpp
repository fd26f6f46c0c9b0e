#include "settings/UnitCatalogue.h"

#include "settings/OptionText.h"
#include "settings/UnitTypes.h"

#include <initializer_list>
#include <utility>
#include <vector>

namespace pb {

namespace {

// One line of a type's table: rows first..last in the same state with the
// same options.
struct TableLine {
    int first;
    int last;
    RowState state;
    OptionList options;
};
using RowTable = std::vector<TableLine>;

constexpr RowState Shown = RowState::Shown;
constexpr RowState Hidden = RowState::Hidden;

RowTable row(int r, RowState state, OptionList options)
{
    return {{r, r, state, std::move(options)}};
}

RowTable empty(int first, int last) { return {{first, last, RowState::Empty, {}}}; }
RowTable filler(int first, int last) { return {{first, last, RowState::Filler, {}}}; }

RowTable join(std::initializer_list<RowTable> parts)
{
    RowTable all;
    for (const RowTable& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// ---- Option lists shared by several types -------------------------------

// Texts 31, 33, 34 and 35 & " " & 34, each after the prefix.
OptionList diagnosticLevel(const OptionText& prefix = {})
{
    return {opt(prefix + text(31)),
            opt(prefix + text(33)),
            opt(prefix + text(34)),
            opt(prefix + text(35) + lit(" ") + text(34))};
}

// Text 65 is empty in every language; the options keep the blank before it.
OptionRun handshakeNone(int h) { return opt(text(h) + lit(": ") + text(70) + lit(" ") + text(65)); }
OptionRun handshakeNoneRts(int h)
{
    return opt(text(h) + lit(": ") + text(70) + lit(" ") + text(65) + lit("[") + text(66) + lit("]"));
}
OptionRun handshakeCtsRts(int h) { return opt(text(h) + lit(": ") + lit("CTS/RTS ") + text(65)); }
OptionList handshake(int h) { return {handshakeNone(h), handshakeNoneRts(h), handshakeCtsRts(h)}; }

OptionList statusOutput()
{
    return {opt(lit("Status output (M) normal.")), opt(lit("Status output (M) inverted."))};
}

// Rows 13 to 16: speed, data bits, stop bits, parity of the serial line.
struct SerialTexts {
    int speed;
    int bits;
    int stopbits;
    int parity;
};
constexpr SerialTexts kEspaLine{48, 49, 50, 51};
constexpr SerialTexts kTapLine{144, 145, 146, 147};

RowTable serialLine(SerialTexts t, bool parityWord)
{
    const OptionText parityEnd = parityWord ? lit(" ") + text(64) : OptionText();
    return join({
        row(13, Shown, {opt(text(t.speed) + lit(": 1200 baud")),
                        opt(text(t.speed) + lit(": 2400 baud")),
                        opt(text(t.speed) + lit(": 4800 baud")),
                        opt(text(t.speed) + lit(": 9600 baud")),
                        opt(text(t.speed) + lit(": 19200 baud"))}),
        row(14, Shown, {opt(text(t.bits) + lit(": 7 bits")), opt(text(t.bits) + lit(": 8 bits"))}),
        row(15, Shown, {opt(text(t.stopbits) + lit(": 1 bit")), opt(text(t.stopbits) + lit(": 2 bits"))}),
        row(16, Shown, {opt(text(t.parity) + lit(": ") + text(61) + parityEnd),
                        opt(text(t.parity) + lit(": ") + text(62) + parityEnd),
                        opt(text(t.parity) + lit(": ") + text(63) + parityEnd)}),
    });
}

// ---- Rows shared by the converters of types 1, 2, 5 and 6 ---------------

OptionRun fixedCodeInfo() { return range(1, 9, lit("Fixed CodeInfo: ") + k()); }

RowTable firstGenerationRows3To7(int addressLengthLast)
{
    return join({
        row(3, Hidden, {range(0, 19, text(139) + lit(": ") + k() + lit(" ") + text(140))}),
        row(4, Hidden, {range(0, 30, text(42) + lit(" ") + text(138) + lit(": ") + k())}),
        row(5, Shown, {opt(text(42) + lit(" ") + text(60)),
                       range(1, addressLengthLast, text(42) + lit(" ") + text(54) + lit(": ") + k())}),
        row(6, Hidden, {range(0, 30, text(141) + lit(" ") + text(138) + lit(": ") + k())}),
        row(7, Shown, {range(0, 10, text(141) + lit(" ") + text(54) + lit(": ") + k())}),
    });
}

OptionList codInfo(bool withNone)
{
    OptionList options{opt(text(143) + lit(" CodInfo")), opt(text(142) + lit(" CodInfo"))};
    if (withNone)
        options.push_back(opt(text(61) + lit(" CodInfo")));
    return options;
}

RowTable dtmfRows()
{
    return join({
        row(10, Shown, {range(0, 20, lit("DTMF ON time: ") + k(10) + lit("msec"))}),
        row(11, Shown, {range(0, 20, lit("DTMF OFF time: ") + k(10) + lit("msec"))}),
        row(12, Shown, {opt(lit("Not waiting for DailTone")), opt(lit("Waiting for DailTone"))}),
    });
}

// The first option reads > 5 sec, so position p stands for (p + 1) * 5 seconds.
RowTable espaPollRow()
{
    return row(18, Shown, {range(1, 10, lit("Espa ERROR occurs at poll interval > ") + k(5) + lit(" sec"))});
}

RowTable tapPollRow(int steps)
{
    return row(18, Shown, {opt(lit("TAP ERROR not active")),
                           range(1, steps, lit("TAP ERROR occurs at poll interval > ") + k(5) + lit(" sec"))});
}

RowTable tapStatusRows()
{
    return join({
        row(19, Shown, {opt(lit("Serial TAP Status forwarded from ESPA")),
                        opt(lit("Serial TAP Status always PAGED"))}),
        row(20, Shown, {opt(lit("No Auto-add # at end of Espa443.")),
                        opt(lit("Auto-add # at end of Espa443."))}),
    });
}

// Rows 0 to 12 of the newer firmware generations (types 5 and 6).
RowTable newGenerationRows0To12()
{
    return join({
        row(0, Shown, diagnosticLevel()),
        row(1, Shown, statusOutput()),
        row(2, Shown, {opt(lit("Status input (E) normal.")), opt(lit("Status input (E) inverted."))}),
        row(3, Shown, {opt(text(139) + lit(" ") + text(60) + lit(". ") + text(162)),
                       range(1, 28, text(139) + lit(": ") + k() + lit(" ") + text(140))}),
        row(4, Shown, {opt(text(42) + lit(" ") + text(71)),
                       range(1, 28, text(42) + lit(" ") + text(138) + lit(": ") + k())}),
        row(5, Shown, {opt(text(42) + lit(" ") + text(60)),
                       range(1, 28, text(42) + lit(" ") + text(54) + lit(": ") + k())}),
        row(6, Shown, {opt(text(141) + lit(" ") + text(71)),
                       range(1, 28, text(141) + lit(" ") + text(138) + lit(": ") + k())}),
        row(7, Shown, {opt(text(141) + lit(" ") + text(60)),
                       range(1, 28, text(141) + lit(" ") + text(54) + lit(": ") + k())}),
        row(8, Shown, codInfo(true)),
        row(9, Shown, {opt(lit("No Fixed CodeInfo, use 444 input.")), fixedCodeInfo()}),
        dtmfRows(),
    });
}

// ---- The tables of the unit types ----------------------------------------

// Espa444 to Espa 443 Converter.
RowTable type1()
{
    return join({
        row(0, Shown, diagnosticLevel()),
        empty(1, 2),
        firstGenerationRows3To7(25),
        row(8, Shown, codInfo(false)),
        row(9, Shown, {opt(lit("No Fixed CodeInfo, use 444 input.")), fixedCodeInfo()}),
        dtmfRows(),
        serialLine(kEspaLine, true),
        row(17, Shown, {handshakeNone(59), handshakeCtsRts(59)}),
        espaPollRow(),
        filler(19, 25),
    });
}

// TAP to Espa443 Converter.
RowTable type2()
{
    return join({
        row(0, Shown, diagnosticLevel()),
        empty(1, 2),
        firstGenerationRows3To7(20),
        row(8, Shown, codInfo(true)),
        row(9, Shown, {opt(lit("Use fixed CodInfo in Converter.")), fixedCodeInfo()}),
        dtmfRows(),
        serialLine(kTapLine, true),
        row(17, Shown, handshake(149)),
        tapPollRow(10),
        tapStatusRows(),
        filler(21, 25),
    });
}

// Espa443 to Espa444 Converter: apart from row 0, literals only.
RowTable type3()
{
    return join({
        row(0, Shown, diagnosticLevel()),
        empty(1, 1),
        row(2, Shown, statusOutput()),
        row(3, Shown, {opt(lit("Espa 443 Nr of Digits to receive: None")),
                       range(1, 30, lit("Espa 443 Nr of Digits to receive: ") + k())}),
        row(4, Shown, {opt(lit("Adres data starts at pos: None")),
                       range(1, 30, lit("Adres data starts at pos: ") + k())}),
        row(5, Shown, {opt(lit("Adres data length: None")), range(1, 30, lit("Adres data length: ") + k())}),
        row(6, Shown, {opt(lit("Info data starts at pos: None")),
                       range(1, 30, lit("Info data starts at pos: ") + k())}),
        row(7, Shown, {opt(lit("Info data length: None")), range(1, 30, lit("Info data length: ") + k())}),
        row(8, Shown, {opt(lit("CodeInf starts at pos: None")),
                       range(1, 30, lit("CodeInf starts at pos: ") + k())}),
        row(9, Shown, {opt(lit("No Fixed CodeInfo, use 443 input.")), fixedCodeInfo()}),
        row(10, Shown, {opt(lit("Kick M timer (Reset) disabled.")),
                        range(1, 10, lit("Kick M timer (Reset) after: ") + k() + lit(" min."))}),
        row(11, Shown, {opt(lit("DailTone Disabled.")), opt(lit("DailTone Enabled."))}),
        row(12, Shown, {opt(lit("Espa 443 status from Espa444.")), opt(lit("Espa 443 always paged."))}),
        row(13, Shown, {opt(lit("Serial ESPA speed 1200 baud")),
                        opt(lit("Serial ESPA speed 2400 baud")),
                        opt(lit("Serial ESPA speed 4800 baud")),
                        opt(lit("Serial ESPA speed 9600 baud")),
                        opt(lit("Serial ESPA speed 19200 baud"))}),
        row(14, Shown, {opt(lit("Serial ESPA bits 7")), opt(lit("Serial ESPA bits 8"))}),
        row(15, Shown, {opt(lit("Serial ESPA stopbits 1")), opt(lit("Serial ESPA stopbits 2"))}),
        row(16, Shown, {opt(lit("Serial ESPA parity NONE")),
                        opt(lit("Serial ESPA parity EVEN")),
                        opt(lit("Serial ESPA parity ODD"))}),
        row(17, Shown, {opt(lit("Serial ESPA No HandShake")),
                        opt(lit("Serial ESPA No HandShake (RTS active)")),
                        opt(lit("Serial ESPA CTS/RTS HandShake"))}),
        row(18, Shown, {opt(lit("Paging equipment: Ascom Nira.")),
                        opt(lit("Paging equipment: Bosch LBB5800.")),
                        opt(lit("Paging equipment: Bosch Alphadesk")),
                        opt(lit("Paging equipment: Commtech Wireless")),
                        opt(lit("Paging equipment: SwissPhone"))}),
        row(19, Shown, {opt(lit("Bosch Paging Fixed info: None")),
                        range(1, 10, lit("Bosch Paging Fixed info: ") + k())}),
        row(20, Shown, {opt(lit("Bosch Paging Alfa only, Info Fixed.")),
                        opt(lit("Bosch Paging Alfa only.")),
                        opt(lit("Bosch Paging Alfa and Info.")),
                        opt(lit("Bosch Paging Info only."))}),
        row(21, Shown, {opt(lit("Request status on Espa444 Call.")),
                        opt(lit("No status request on Espa444 Call."))}),
        row(22, Shown, {opt(lit("Paging AddressLength as is.")),
                        range(1, 10, lit("Paging AddressLength extend to ") + k() + lit(" digits."))}),
        row(23, Shown, {opt(lit("Sharp (#) digit is a digit.")),
                        opt(lit("Sharp (#) digit marks end of Espa443. (include)")),
                        opt(lit("Sharp (#) digit marks end of Espa443. (exclude)"))}),
        row(24, Shown, {range(0, 60, lit("ESPA443 timeout ") + k() + lit(" sec"))}),
        row(25, Shown, {opt(lit("ESPA443 AllDigitsReceivedDelay: None")),
                        range(1, 20, lit("ESPA443 AllDigitsReceivedDelay: ") + k(10) + lit(" msec"))}),
    });
}

// DP6000 to Espa444 Converter.
RowTable type4()
{
    return join({
        row(0, Shown, diagnosticLevel(text(26) + lit(" "))),
        empty(1, 5),
        row(6, Shown, {opt(text(141) + lit(" ") + text(60)),
                       range(1, 50, text(141) + lit(" Max ") + text(54) + lit(": ") + k())}),
        row(7, Shown, {opt(text(42) + lit(" ") + text(60)),
                       range(1, 25, text(42) + lit(" ") + text(54) + lit(": ") + k())}),
        row(8, Shown, {opt(text(159) + lit(".")), range(1, 9, text(160) + lit(": ") + k())}),
        row(9, Shown, {opt(text(158)), opt(text(157))}),
        row(10, Shown, {opt(text(152)), opt(text(151))}),
        row(11, Shown, {opt(text(154)), opt(text(153))}),
        row(12, Shown, {opt(text(156)), opt(text(155))}),
        serialLine(kEspaLine, false),
        row(17, Shown, handshake(59)),
        row(18, Shown, {opt(lit("Ascom/Nira")), opt(lit("Bosch LBB5800")), opt(lit("Bosch AlfaDesk"))}),
        row(19, Shown, {opt(lit("Bosch: ") + text(77)),
                        opt(lit("Bosch: ") + text(78)),
                        opt(lit("Bosch: ") + text(79)),
                        opt(lit("Bosch: ") + text(80))}),
        row(20, Shown, {opt(text(61) + lit(" ") + text(69)), range(0, 15, text(69) + lit(": ") + hexk())}),
        row(21, Shown, {opt(text(67)), opt(text(68))}),
        empty(22, 25),
    });
}

// Espa444 to Espa 443 Converter, FW V2.00 and up.
RowTable type5()
{
    return join({
        newGenerationRows0To12(),
        serialLine(kEspaLine, true),
        row(17, Shown, handshake(59)),
        espaPollRow(),
        filler(19, 25),
    });
}

// TAP to Espa 443 Converter, FW V2.10 and up.
RowTable type6()
{
    return join({
        newGenerationRows0To12(),
        serialLine(kTapLine, true),
        row(17, Shown, handshake(149)),
        tapPollRow(20),
        tapStatusRows(),
        filler(21, 25),
    });
}

RowTable TableOf(int16_t unitType)
{
    switch (unitType) {
    case 1: return type1();
    case 2: return type2();
    case 3: return type3();
    case 4: return type4();
    case 5: return type5();
    case 6: return type6();
    default: return filler(0, kGridRows - 1); // no settings
    }
}

} // namespace

GridDefinition GridRows(int16_t unitType, const TextTable& texts)
{
    GridDefinition grid;
    for (const TableLine& line : TableOf(unitType)) {
        const QStringList options =
            line.state == RowState::Filler ? QStringList{kNoItemPossible} : BuildOptions(line.options, texts);
        for (int r = line.first; r <= line.last; ++r)
            grid[r] = {line.state, options};
    }
    return grid;
}

GridDefinition GridLayout(int16_t unitType)
{
    return GridRows(unitType, TextTable{});
}

QStringList BleepCodeOptions()
{
    const TextTable none{}; // the bleep codes are literals
    return BuildOptions({range(0, 15, lit("BleepCode: ") + hexk())}, none);
}

} // namespace pb

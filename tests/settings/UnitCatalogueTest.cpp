// The rows of each unit type, checked against the published row tables in
// English: state, number of options, first and last option text.
#include "EnglishTexts.h"
#include "settings/UnitCatalogue.h"

#include <gtest/gtest.h>

#include <vector>

using pb::GridRows;
using pb::RowState;

namespace {

struct RowExpect {
    int row;
    RowState state;
    int count;
    const char* first;
    const char* last;
};
using TypeExpect = std::vector<RowExpect>;

constexpr RowState Shown = RowState::Shown;
constexpr RowState Hidden = RowState::Hidden;
constexpr RowState Filler = RowState::Filler;
constexpr RowState Empty = RowState::Empty;

TypeExpect operator+(TypeExpect a, const TypeExpect& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TypeExpect Rows(int first, int last, RowState state)
{
    TypeExpect rows;
    for (int r = first; r <= last; ++r) {
        if (state == Filler)
            rows.push_back({r, Filler, 1, "No item possible", "No item possible"});
        else
            rows.push_back({r, state, 0, nullptr, nullptr});
    }
    return rows;
}

const TypeExpect kDiagnostic{{0, Shown, 4, "None", "Protocol Debug"}};
const TypeExpect kDtmf{
    {10, Shown, 21, "DTMF ON time: 0msec", "DTMF ON time: 200msec"},
    {11, Shown, 21, "DTMF OFF time: 0msec", "DTMF OFF time: 200msec"},
    {12, Shown, 2, "Not waiting for DailTone", "Waiting for DailTone"},
};
const TypeExpect kEspaLine{
    {13, Shown, 5, "ESPA serial speed: 1200 baud", "ESPA serial speed: 19200 baud"},
    {14, Shown, 2, "ESPA nr of bits: 7 bits", "ESPA nr of bits: 8 bits"},
    {15, Shown, 2, "ESPA nr of stopbits: 1 bit", "ESPA nr of stopbits: 2 bits"},
    {16, Shown, 3, "ESPA parity: No Parity", "ESPA parity: Odd Parity"},
};
const TypeExpect kTapLine{
    {13, Shown, 5, "TAP serial speed: 1200 baud", "TAP serial speed: 19200 baud"},
    {14, Shown, 2, "TAP nr of bits: 7 bits", "TAP nr of bits: 8 bits"},
    {15, Shown, 2, "TAP nr of stopbits: 1 bit", "TAP nr of stopbits: 2 bits"},
    {16, Shown, 3, "TAP parity: No Parity", "TAP parity: Odd Parity"},
};
const TypeExpect kEspaPoll{
    {18, Shown, 10, "Espa ERROR occurs at poll interval > 5 sec", "Espa ERROR occurs at poll interval > 50 sec"}};
const TypeExpect kTapStatus{
    {19, Shown, 2, "Serial TAP Status forwarded from ESPA", "Serial TAP Status always PAGED"},
    {20, Shown, 2, "No Auto-add # at end of Espa443.", "Auto-add # at end of Espa443."},
};
const TypeExpect kOldRows3To7Hidden{
    {3, Hidden, 20, "MaxLength of Buffer: 0 digits", "MaxLength of Buffer: 19 digits"},
    {4, Hidden, 31, "Address starts at pos: 0", "Address starts at pos: 30"},
};
const TypeExpect kNewRows0To12 = kDiagnostic + TypeExpect{
    {1, Shown, 2, "Status output (M) normal.", "Status output (M) inverted."},
    {2, Shown, 2, "Status input (E) normal.", "Status input (E) inverted."},
    {3, Shown, 29, "MaxLength of Buffer Not limited. Use # as final digit", "MaxLength of Buffer: 28 digits"},
    {4, Shown, 29, "Address Not used", "Address starts at pos: 28"},
    {5, Shown, 29, "Address Not limited", "Address Length: 28"},
    {6, Shown, 29, "Info data Not used", "Info data starts at pos: 28"},
    {7, Shown, 29, "Info data Not limited", "Info data Length: 28"},
    {8, Shown, 3, "No Leading CodInfo", "No CodInfo"},
    {9, Shown, 10, "No Fixed CodeInfo, use 444 input.", "Fixed CodeInfo: 9"},
} + kDtmf;

const TypeExpect kType1 = kDiagnostic + Rows(1, 2, Empty) + kOldRows3To7Hidden + TypeExpect{
    {5, Shown, 26, "Address Not limited", "Address Length: 25"},
    {6, Hidden, 31, "Info data starts at pos: 0", "Info data starts at pos: 30"},
    {7, Shown, 11, "Info data Length: 0", "Info data Length: 10"},
    {8, Shown, 2, "No Leading CodInfo", "Leading CodInfo"},
    {9, Shown, 10, "No Fixed CodeInfo, use 444 input.", "Fixed CodeInfo: 9"},
} + kDtmf + kEspaLine + TypeExpect{
    {17, Shown, 2, "ESPA handshake: None ", "ESPA handshake: CTS/RTS "},
} + kEspaPoll + Rows(19, 25, Filler);

const TypeExpect kType2 = kDiagnostic + Rows(1, 2, Empty) + kOldRows3To7Hidden + TypeExpect{
    {5, Shown, 21, "Address Not limited", "Address Length: 20"},
    {6, Hidden, 31, "Info data starts at pos: 0", "Info data starts at pos: 30"},
    {7, Shown, 11, "Info data Length: 0", "Info data Length: 10"},
    {8, Shown, 3, "No Leading CodInfo", "No CodInfo"},
    {9, Shown, 10, "Use fixed CodInfo in Converter.", "Fixed CodeInfo: 9"},
} + kDtmf + kTapLine + TypeExpect{
    {17, Shown, 3, "TAP handshake: None ", "TAP handshake: CTS/RTS "},
    {18, Shown, 11, "TAP ERROR not active", "TAP ERROR occurs at poll interval > 50 sec"},
} + kTapStatus + Rows(21, 25, Filler);

const TypeExpect kType3 = kDiagnostic + Rows(1, 1, Empty) + TypeExpect{
    {2, Shown, 2, "Status output (M) normal.", "Status output (M) inverted."},
    {3, Shown, 31, "Espa 443 Nr of Digits to receive: None", "Espa 443 Nr of Digits to receive: 30"},
    {4, Shown, 31, "Adres data starts at pos: None", "Adres data starts at pos: 30"},
    {5, Shown, 31, "Adres data length: None", "Adres data length: 30"},
    {6, Shown, 31, "Info data starts at pos: None", "Info data starts at pos: 30"},
    {7, Shown, 31, "Info data length: None", "Info data length: 30"},
    {8, Shown, 31, "CodeInf starts at pos: None", "CodeInf starts at pos: 30"},
    {9, Shown, 10, "No Fixed CodeInfo, use 443 input.", "Fixed CodeInfo: 9"},
    {10, Shown, 11, "Kick M timer (Reset) disabled.", "Kick M timer (Reset) after: 10 min."},
    {11, Shown, 2, "DailTone Disabled.", "DailTone Enabled."},
    {12, Shown, 2, "Espa 443 status from Espa444.", "Espa 443 always paged."},
    {13, Shown, 5, "Serial ESPA speed 1200 baud", "Serial ESPA speed 19200 baud"},
    {14, Shown, 2, "Serial ESPA bits 7", "Serial ESPA bits 8"},
    {15, Shown, 2, "Serial ESPA stopbits 1", "Serial ESPA stopbits 2"},
    {16, Shown, 3, "Serial ESPA parity NONE", "Serial ESPA parity ODD"},
    {17, Shown, 3, "Serial ESPA No HandShake", "Serial ESPA CTS/RTS HandShake"},
    {18, Shown, 5, "Paging equipment: Ascom Nira.", "Paging equipment: SwissPhone"},
    {19, Shown, 11, "Bosch Paging Fixed info: None", "Bosch Paging Fixed info: 10"},
    {20, Shown, 4, "Bosch Paging Alfa only, Info Fixed.", "Bosch Paging Info only."},
    {21, Shown, 2, "Request status on Espa444 Call.", "No status request on Espa444 Call."},
    {22, Shown, 11, "Paging AddressLength as is.", "Paging AddressLength extend to 10 digits."},
    {23, Shown, 3, "Sharp (#) digit is a digit.", "Sharp (#) digit marks end of Espa443. (exclude)"},
    {24, Shown, 61, "ESPA443 timeout 0 sec", "ESPA443 timeout 60 sec"},
    {25, Shown, 21, "ESPA443 AllDigitsReceivedDelay: None", "ESPA443 AllDigitsReceivedDelay: 200 msec"},
};

const TypeExpect kType4 = TypeExpect{
    {0, Shown, 4, "Diagnostic Serial Info None", "Diagnostic Serial Info Protocol Debug"},
} + Rows(1, 5, Empty) + TypeExpect{
    {6, Shown, 51, "Info data Not limited", "Info data Max Length: 50"},
    {7, Shown, 26, "Address Not limited", "Address Length: 25"},
    {8, Shown, 10, "No Fixed Bleepcode, use DP6000 input.", "Fixed Bleepcode: 9"},
    {9, Shown, 2, "Reject Invalid WSA calls", "Accept Invalid WSA calls"},
    {10, Shown, 2, "No Status in message", "Write Status in message"},
    {11, Shown, 2, "No Source in message", "Write Source in message"},
    {12, Shown, 2, "No Num-Info in message", "Write Num-Info in message"},
    {13, Shown, 5, "ESPA serial speed: 1200 baud", "ESPA serial speed: 19200 baud"},
    {14, Shown, 2, "ESPA nr of bits: 7 bits", "ESPA nr of bits: 8 bits"},
    {15, Shown, 2, "ESPA nr of stopbits: 1 bit", "ESPA nr of stopbits: 2 bits"},
    {16, Shown, 3, "ESPA parity: No", "ESPA parity: Odd"},
    {17, Shown, 3, "ESPA handshake: None ", "ESPA handshake: CTS/RTS "},
    {18, Shown, 3, "Ascom/Nira", "Bosch AlfaDesk"},
    {19, Shown, 4, "Bosch: Fixed num info and variable textinfo", "Bosch: Num info only"},
    {20, Shown, 17, "No Fixed Info", "Fixed Info: F"},
    {21, Shown, 2, "Request for status", "No request for status. Mark as PAGED"},
} + Rows(22, 25, Empty);

const TypeExpect kType5 = kNewRows0To12 + kEspaLine + TypeExpect{
    {17, Shown, 3, "ESPA handshake: None ", "ESPA handshake: CTS/RTS "},
} + kEspaPoll + Rows(19, 25, Filler);

const TypeExpect kType6 = kNewRows0To12 + kTapLine + TypeExpect{
    {17, Shown, 3, "TAP handshake: None ", "TAP handshake: CTS/RTS "},
    {18, Shown, 21, "TAP ERROR not active", "TAP ERROR occurs at poll interval > 100 sec"},
} + kTapStatus + Rows(21, 25, Filler);

void ExpectGrid(int16_t unitType, const TypeExpect& expect)
{
    ASSERT_EQ(expect.size(), size_t(pb::kGridRows)) << "expectation of type " << unitType;
    const pb::GridDefinition grid = GridRows(unitType, pbtest::EnglishGridTexts());
    for (const RowExpect& e : expect) {
        SCOPED_TRACE(testing::Message() << "type " << unitType << " row " << e.row);
        const pb::RowDefinition& def = grid[e.row];
        EXPECT_EQ(def.state, e.state);
        ASSERT_EQ(def.options.size(), e.count);
        if (e.count > 0) {
            EXPECT_EQ(def.options.first(), QString::fromUtf8(e.first));
            EXPECT_EQ(def.options.last(), QString::fromUtf8(e.last));
        }
    }
}

} // namespace

TEST(UnitCatalogue, Type1RowsMatchTheirTable) { ExpectGrid(1, kType1); }
TEST(UnitCatalogue, Type2RowsMatchTheirTable) { ExpectGrid(2, kType2); }
TEST(UnitCatalogue, Type3RowsMatchTheirTable) { ExpectGrid(3, kType3); }
TEST(UnitCatalogue, Type4RowsMatchTheirTable) { ExpectGrid(4, kType4); }
TEST(UnitCatalogue, Type5RowsMatchTheirTable) { ExpectGrid(5, kType5); }
TEST(UnitCatalogue, Type6RowsMatchTheirTable) { ExpectGrid(6, kType6); }

TEST(UnitCatalogue, TypesWithoutSettingsGiveOnlyFillerRows)
{
    for (int16_t type : {int16_t(0), int16_t(7), int16_t(-1), int16_t(100)})
        ExpectGrid(type, Rows(0, 25, Filler));
}

TEST(UnitCatalogue, OptionsInsideRangesFollowTheLoopNumber)
{
    const pb::TextTable en = pbtest::EnglishGridTexts();
    const pb::GridDefinition t1 = GridRows(1, en);
    EXPECT_EQ(t1[0].options[1], "Diagnostic");
    EXPECT_EQ(t1[0].options[2], "Debug");
    EXPECT_EQ(t1[5].options[1], "Address Length: 1");
    EXPECT_EQ(t1[10].options[1], "DTMF ON time: 10msec");
    EXPECT_EQ(t1[13].options[3], "ESPA serial speed: 9600 baud");
    EXPECT_EQ(t1[16].options[1], "ESPA parity: Even Parity");
    // The first option reads > 5 sec, so position 2 reads 15.
    EXPECT_EQ(t1[18].options[2], "Espa ERROR occurs at poll interval > 15 sec");
    EXPECT_EQ(t1[9].options[1], "Fixed CodeInfo: 1");

    const pb::GridDefinition t2 = GridRows(2, en);
    EXPECT_EQ(t2[17].options[1], "TAP handshake: None [RTS active]");
    EXPECT_EQ(t2[18].options[1], "TAP ERROR occurs at poll interval > 5 sec");
    EXPECT_EQ(t2[8].options[1], "Leading CodInfo");

    const pb::GridDefinition t3 = GridRows(3, en);
    EXPECT_EQ(t3[25].options[1], "ESPA443 AllDigitsReceivedDelay: 10 msec");
    EXPECT_EQ(t3[22].options[1], "Paging AddressLength extend to 1 digits.");
    EXPECT_EQ(t3[17].options[1], "Serial ESPA No HandShake (RTS active)");
    EXPECT_EQ(t3[23].options[1], "Sharp (#) digit marks end of Espa443. (include)");

    const pb::GridDefinition t4 = GridRows(4, en);
    EXPECT_EQ(t4[6].options[1], "Info data Max Length: 1");
    EXPECT_EQ(t4[17].options[1], "ESPA handshake: None [RTS active]");
    EXPECT_EQ(t4[20].options[1], "Fixed Info: 0");
    EXPECT_EQ(t4[20].options[11], "Fixed Info: A");
    EXPECT_EQ(t4[19].options[1], "Bosch: Variable textinfo only");

    const pb::GridDefinition t5 = GridRows(5, en);
    EXPECT_EQ(t5[3].options[1], "MaxLength of Buffer: 1 digits");
    EXPECT_EQ(t5[4].options[1], "Address starts at pos: 1");
}

TEST(UnitCatalogue, BleepCodesRunFromZeroToF)
{
    const QStringList codes = pb::BleepCodeOptions();
    ASSERT_EQ(codes.size(), 16);
    EXPECT_EQ(codes.first(), "BleepCode: 0");
    EXPECT_EQ(codes[1], "BleepCode: 1");
    EXPECT_EQ(codes[10], "BleepCode: A");
    EXPECT_EQ(codes.last(), "BleepCode: F");
    EXPECT_EQ(pb::kDefaultBleepCodePosition, 1);
}

// The unit's diagnose text, arriving in arbitrary pieces. Input: a byte n
// (its low five bits), then n bytes that arrive together, after which the
// engine drains them; and so on.
//
// Every byte but CR and LF must come out rendered, in order, split over the
// logged lines and the line still waiting, whatever the pieces were.
#include "FuzzInput.h"
#include "support/CoreState.h"
#include "link/protocol/MonitorInput.h"
#include "log/LogBuffer.h"

#include <deque>

namespace {

class PieceLine : public pb::SerialLine {
public:
    int16_t ReadByte() override
    {
        if (waiting.empty())
            return -1;
        const int16_t byte = waiting.front();
        waiting.pop_front();
        return byte;
    }
    int16_t SendByte(int16_t) override
    {
        FUZZ_CHECK(!"the monitor never sends");
        return -1;
    }
    void FlushInput() override { FUZZ_CHECK(!"the monitor never discards input"); }

    std::deque<uint8_t> waiting;
};

constexpr int kTimeWidth = 9; // "HH:mm:ss "
// A rendered byte is at most "[RUBOUT]".
constexpr int kLongestName = 8;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    pbtest::CoreState state;
    state.config.logging = 2;
    state.folder.path = QStringLiteral("/dev/null"); // no Log folder can be made there
    state.now = [] { return QDateTime(QDate(2027, 3, 1), QTime(9, 5, 7)); };

    PieceLine line;
    QString MonitorLine;
    QString expected;
    QString logged;
    pbfuzz::FuzzInput input(data, size);
    while (!input.empty()) {
        const QByteArray piece = input.take(input.next() & 0x1F);
        for (char c : piece) {
            const auto byte = uint8_t(c);
            line.waiting.push_back(byte);
            if (byte != 10 && byte != 13)
                expected += pb::CharName(byte);
        }

        pb::ClearLogLines(state.log);
        pb::MonitorInput(line, MonitorLine, state.logfile);

        FUZZ_CHECK(line.waiting.empty());
        // 31 bytes end at most 16 lines, so the buffer has them all.
        FUZZ_CHECK(state.log.lineCount < pb::kLogWindowLines);
        for (int i = 0; i < state.log.lineCount; ++i) {
            const QString text = state.log.lines[i].mid(kTimeWidth);
            FUZZ_CHECK(!text.isEmpty());
            FUZZ_CHECK(text.size() <= pb::kMonitorLineLimit + kLongestName);
            FUZZ_CHECK(!text.contains(u'\r') && !text.contains(u'\n'));
            logged += text;
        }
        FUZZ_CHECK(MonitorLine.size() <= pb::kMonitorLineLimit);
        FUZZ_CHECK(!MonitorLine.contains(u'\r') && !MonitorLine.contains(u'\n'));
    }
    FUZZ_CHECK(logged + MonitorLine == expected);
    return 0;
}

// The failure limit: in RowsAndBulk the engine gives up every pending row
// once kErrorLimit exchanges in a row failed, ending their requests failed;
// Rows has no limit. A served row clears the count, a reply too long keeps
// it, and read all and write all start it anew when taken up.
#include "link/EngineRig.h"
#include "link/FrameBytes.h"

#include <gtest/gtest.h>

namespace {

using pb::ServingMode;

struct LimitCase {
    const char* before; // reads of row 0 in Rows, each cancelled after its first
                        // report: N the unit is silent, G it answers, L too long
    bool readAll;       // of rows 0 to 2; otherwise a read of row 0
    ServingMode mode;
    int tries; // frames of row 0 on a silent line within 700 ticks
    bool ends; // given up at the limit
};

const LimitCase kCases[] = {
    {"", true, ServingMode::RowsAndBulk, 3, true},
    {"NN", true, ServingMode::RowsAndBulk, 3, true},
    {"NNN", false, ServingMode::RowsAndBulk, 0, true},
    {"NN", false, ServingMode::RowsAndBulk, 1, true},
    {"NNNG", false, ServingMode::RowsAndBulk, 3, true},
    {"NNL", false, ServingMode::RowsAndBulk, 1, true},
    {"NNN", false, ServingMode::Rows, 6, false},
};

TEST(EngineFailureLimit, RowsAndBulkGivesUpAtTheLimitRowsNever)
{
    for (const LimitCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.before << (c.readAll ? " read all" : " read") << " mode " << int(c.mode));
        pbtest::EngineRig rig;
        const QByteArray before(c.before);
        int answered = 0;
        rig.line.answer = [&](const QByteArray&) {
            const char reply = answered < before.size() ? before[answered++] : 'N';
            return reply == 'G' ? pbtest::ReadReply(0, 1)
                : reply == 'L'  ? pbtest::Hex("01 FF") + QByteArray(100, '\0')
                                : QByteArray();
        };
        int dropped = 0;
        rig.engine.onRowsDropped = [&] { ++dropped; };
        rig.start(ServingMode::Rows);
        for (int i = 0; i < before.size(); ++i) {
            const pb::RequestId id = rig.engine.request(pb::UnitRequest::ReadRow(0));
            const size_t reports = rig.reports.size();
            for (int t = 0; t < 200 && rig.reports.size() == reports; ++t)
                rig.tick();
            rig.engine.cancelRows(); // leaves the engine ready for the mode of the next tick
            ASSERT_TRUE(rig.ended(id));
        }
        rig.line.sent.clear();
        rig.outcomes.clear();

        rig.mode = c.mode;
        const pb::RequestId id = rig.engine.request(
            c.readAll ? pb::UnitRequest::ReadAll([] { return QList<pb::RowValue>{{0, -1}, {1, -1}, {2, -1}}; })
                      : pb::UnitRequest::ReadRow(0));
        const bool ended = rig.tickUntilEnded(id, 700) > 0;
        EXPECT_EQ(int(rig.line.sent.count(pbtest::ReadRequestFrame(0))), c.tries);
        ASSERT_EQ(ended, c.ends);
        EXPECT_EQ(dropped, c.ends ? 1 : 0);
        if (ended) {
            EXPECT_EQ(rig.outcomes.back().status, pb::OutcomeStatus::Failed);
            EXPECT_EQ(rig.outcomes.back().reports.size(), size_t(c.tries)) << "the reports that say why";
            EXPECT_FALSE(rig.engine.busy()) << "no row of it is left";
        }
    }
}

} // namespace

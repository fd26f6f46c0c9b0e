#include "app/Startup.h"

#include <gtest/gtest.h>

namespace {

using pb::DebugLevelFromCommandLine;

TEST(CommandLine, SwitchesAreCaseSensitiveSubstringsAnywhere)
{
    EXPECT_EQ(DebugLevelFromCommandLine(""), 0);
    EXPECT_EQ(DebugLevelFromCommandLine("/log"), 0);
    EXPECT_EQ(DebugLevelFromCommandLine("/debug"), 0);
    EXPECT_EQ(DebugLevelFromCommandLine("/LOG"), 1);
    EXPECT_EQ(DebugLevelFromCommandLine("x/LOGy"), 1);
    EXPECT_EQ(DebugLevelFromCommandLine("abc/DEBUGdef"), 2);
    EXPECT_EQ(DebugLevelFromCommandLine("foo bar"), 0);
}

TEST(CommandLine, DebugWinsOverLogInEitherOrder)
{
    EXPECT_EQ(DebugLevelFromCommandLine("/LOG /DEBUG"), 2);
    EXPECT_EQ(DebugLevelFromCommandLine("/DEBUG /LOG"), 2);
    EXPECT_EQ(DebugLevelFromCommandLine("/DEBUG/LOG"), 2);
}

} // namespace

#include "app/Startup.h"

#include <gtest/gtest.h>

namespace {

using pb::ServiceLevelFromCommandLine;

TEST(CommandLine, SwitchesAreCaseSensitiveSubstringsAnywhere)
{
    EXPECT_EQ(ServiceLevelFromCommandLine(""), 0);
    EXPECT_EQ(ServiceLevelFromCommandLine("/log"), 0);
    EXPECT_EQ(ServiceLevelFromCommandLine("/debug"), 0);
    EXPECT_EQ(ServiceLevelFromCommandLine("/LOG"), 1);
    EXPECT_EQ(ServiceLevelFromCommandLine("x/LOGy"), 1);
    EXPECT_EQ(ServiceLevelFromCommandLine("abc/DEBUGdef"), 2);
    EXPECT_EQ(ServiceLevelFromCommandLine("foo bar"), 0);
}

TEST(CommandLine, DebugWinsOverLogInEitherOrder)
{
    EXPECT_EQ(ServiceLevelFromCommandLine("/LOG /DEBUG"), 2);
    EXPECT_EQ(ServiceLevelFromCommandLine("/DEBUG /LOG"), 2);
    EXPECT_EQ(ServiceLevelFromCommandLine("/DEBUG/LOG"), 2);
}

} // namespace

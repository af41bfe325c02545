#include "store/program/TraceLog.h"
#include "store/program/Settings.h"
#include "tests/support/TestEnvironment.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

std::string ReadLog()
{
    std::ifstream in(DebugLogPath(), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

TEST(TraceLog, WritesNothingWhileTracingIsOff)
{
    SetTraceEnabled(false);
    std::filesystem::remove(DebugLogPath());
    DebugLogNumber(20001);
    DebugLogString("SELECT 1");
    EXPECT_FALSE(std::filesystem::exists(DebugLogPath()));
}

TEST(TraceLog, AppendsLinesAndStartsAnewWhenTheFileIsGone)
{
    SetTraceEnabled(true);
    std::filesystem::remove(DebugLogPath());
    DebugLogNumber(20001);
    AppendLogString("SQL: ", "SELECT * FROM AREAS");
    AppendLogNumberAndText(-5, "x");
    EXPECT_EQ(ReadLog(), "version2.0\r\n20001\r\nSQL: SELECT * FROM AREAS\r\n-5x\r\n");
    std::filesystem::remove(DebugLogPath());
    DebugLogNumber(7);
    EXPECT_EQ(ReadLog(), "version2.0\r\n7\r\n");
    SetTraceEnabled(false);
}

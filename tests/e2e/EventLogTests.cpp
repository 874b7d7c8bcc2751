// The event log as the saved file shows it.
#include <gmock/gmock.h>

#include <regex>

#include "E2eEnvironment.h"
#include "SubstituteModule.h"
#include "module/ModuleMemoryMap.h"

using EventLogTest = ProgramTest;

namespace {

// "HH:MM:SS" of a valid time of day.
bool IsTimeOfDay(const std::string& text)
{
    static const std::regex timeOfDay("([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]");
    return std::regex_match(text, timeOfDay);
}

}  // namespace

TEST_F(EventLogTest, DebugModeLogsTheStartUpCommandWithItsTime)
{
    // With the device's switch off, the reader's start block is not written
    // and so not logged.
    SubstituteModule::Poke(ModuleMap::KeyParameter, {0x00});
    StartProgram("-debug");
    std::string log;
    ASSERT_TRUE(WaitUntil([&] { return !(log = SaveLog()).empty(); })) << "the command was never logged";
    ASSERT_GE(log.size(), 8u);
    EXPECT_TRUE(IsTimeOfDay(log.substr(0, 8))) << log;
    EXPECT_EQ(log.substr(8), "\tCommand to Cantora: 203  Data: WmAppcommand=0\r\n");
}

TEST_F(EventLogTest, WithoutDebugSaveWritesAnEmptyFile)
{
    StartProgram("");
    const std::string path = m_folder + "\\VantrelRemote.log";
    {
        std::string previous;
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fputs("an earlier log\r\n", file);
        std::fclose(file);
    }
    Click(kSaveButton);
    std::string content = "unread";
    ASSERT_TRUE(ReadWholeFile(path, content));
    EXPECT_EQ(content, "") << "the file is truncated, not appended to";
}

TEST_F(EventLogTest, ClearThenSaveGivesAnEmptyFile)
{
    StartProgram("-debug");
    ASSERT_TRUE(WaitUntil([&] { return !SaveLog().empty(); }));
    Click(kClearButton);
    EXPECT_EQ(SaveLog(), "");
}

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

TEST_F(EventLogTest, DebugModeLogsTheModuleLibraryInUseThenTheStartUpCommandWithTheirTimes)
{
    // With the device's switch off, the reader's start block is not written
    // and so not logged.
    SubstituteModule::Poke(ModuleMap::KeyParameter, {0x00});
    StartProgram("-debug");
    std::string log;
    ASSERT_TRUE(WaitUntil([&] { return LogTexts(log = SaveLog()).size() >= 2; })) << "the command was never logged";
    EXPECT_THAT(LogTexts(log), ::testing::ElementsAre("Module library: " + ProgramFolder() + "\\rzmb.dll",
                                                      "Command to Cantora: 203  Data: WmAppcommand=0"));
    for (size_t start = 0, end; (end = log.find("\r\n", start)) != std::string::npos; start = end + 2)
        EXPECT_TRUE(IsTimeOfDay(log.substr(start, 8)) && log.compare(start + 8, 1, "\t") == 0) << log;
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

// The real program and our module library in two processes: the device's
// switch read at start-up, the hidden button's block, the saved write lines.
#include <gmock/gmock.h>

#include <algorithm>

#include "E2eEnvironment.h"
#include "SubstituteModule.h"
#include "module/ModuleMemoryMap.h"

namespace {

const std::vector<std::string> kButtonWrites{"a4f4: 02 a2 21", "a4f2: 00", "b0a0: c0"};
const std::vector<std::string> kButtonLogLines{"RzmaSetMem: a4f4, 3 :02 a2 21 ", "RzmaSetMem: a4f2, 1 :00 ",
                                               "RzmaSetMem: b0a0, 1 :c0 "};

bool ContainsInOrder(const std::vector<std::string>& all, const std::vector<std::string>& run)
{
    return std::search(all.begin(), all.end(), run.begin(), run.end()) != all.end();
}

bool Contains(const std::vector<std::string>& all, const std::string& one)
{
    return std::find(all.begin(), all.end(), one) != all.end();
}

bool AnyWriteLine(const std::vector<std::string>& texts)
{
    return std::any_of(texts.begin(), texts.end(),
                       [](const std::string& text) { return text.rfind("RzmaSetMem:", 0) == 0; });
}

class ModuleMailboxTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        SubstituteModule::Reset();
    }
};

}  // namespace

TEST_F(ModuleMailboxTest, TheSwitchReadAtStartUpLetsTheButtonsBlockThrough)
{
    SubstituteModule::Poke(ModuleMap::KeyParameter, {0x01});
    StartProgram("-debug");
    EXPECT_TRUE(Contains(SubstituteModule::Reads(), "a4c1+1")) << "start-up reads the device's switch";
    SubstituteModule::Poke(ModuleMap::KeyParameter, {0x00});  // read once: only key 35 reads it again

    Click(kQueryHardwareIdButton);
    ASSERT_TRUE(WaitUntil([] { return Contains(SubstituteModule::Blocks(), "02 a2 21"); }));
    EXPECT_TRUE(ContainsInOrder(SubstituteModule::Writes(), kButtonWrites));
    EXPECT_TRUE(ContainsInOrder(LogTexts(SaveLog()), kButtonLogLines)) << "three write lines for the block";
}

TEST_F(ModuleMailboxTest, WithTheSwitchOffAtStartUpTheButtonsBlockIsDropped)
{
    SubstituteModule::Poke(ModuleMap::KeyParameter, {0x00});
    StartProgram("-debug");
    Click(kQueryHardwareIdButton);
    const auto texts = LogTexts(SaveLogAfterQueuedWork());
    EXPECT_FALSE(Contains(SubstituteModule::Writes(), kButtonWrites[0]));
    EXPECT_FALSE(AnyWriteLine(texts)) << "nothing written, nothing logged";
    EXPECT_FALSE(texts.empty()) << "the log was saved in debug mode";
}

TEST_F(ModuleMailboxTest, HiddenTheProgramWritesBlocksButLogsNothing)
{
    SubstituteModule::Poke(ModuleMap::KeyParameter, {0x01});
    StartProgram("");
    Click(kQueryHardwareIdButton);
    ASSERT_TRUE(WaitUntil([] { return Contains(SubstituteModule::Blocks(), "02 a2 21"); }));
    EXPECT_TRUE(ContainsInOrder(SubstituteModule::Writes(), kButtonWrites));
    EXPECT_EQ(SaveLog(), "");
}

// A jukebox that the program itself starts announces its launch, and the
// program gives it the setting again. Runs in a Wine session of its own: the
// test lets the jukebox's server end so that the program starts it anew.
#include <gmock/gmock.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "SubstituteModule.h"
#include "module/ModuleMemoryMap.h"

using ::testing::ElementsAre;

namespace {

bool HasBlock(const std::string& block)
{
    const auto blocks = SubstituteModule::Blocks();
    return std::find(blocks.begin(), blocks.end(), block) != blocks.end();
}

class JukeboxLaunchTest : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        // The test control would keep the server running, and a server that a
        // test connected to first stays quiet about its launch.
        DisconnectJukebox();
        ASSERT_TRUE(WaitUntil([] { return !JukeboxServerRuns(); })) << "the jukebox server did not end";
        SubstituteModule::Reset();
        SubstituteModule::Poke(ModuleMap::KeyParameter, {0x01});
    }

    void TearDown() override
    {
        ProgramTest::TearDown();
        ReconnectJukebox();
    }
};

}  // namespace

TEST_F(JukeboxLaunchTest, AJukeboxTheProgramStartsAnnouncesItsLaunchAndGetsTheSettingAgain)
{
    m_run = std::make_unique<ProgramRun>("-debug", m_folder);
    ASSERT_TRUE(m_run->Started());
    m_window = m_run->WaitForMainWindow();
    ASSERT_NE(m_window, nullptr);
    ASSERT_TRUE(WaitUntil([] { return HasBlock("02 a9 20"); })) << "the launch never reached the module";

    // The block is delivered after both commands were sent: the launch event
    // was queued while the program registered its window, ahead of the
    // start-up command, and its handler queued the command before the block.
    ReconnectJukebox();
    ASSERT_TRUE(Jukebox().Connected());
    ASSERT_THAT(Operations(Jukebox().Journal()),
                ElementsAre("CreateJukeboxLink", "CreateJukeboxCompanion", "RegisterWindow", "GetEventData",
                            "SendCommandWithData", "SendCommandWithData"));
    for (const JournalEntry& entry : Jukebox().Journal()) {
        if (entry.operation == "SendCommandWithData") {
            EXPECT_EQ(entry.text, L"WmAppcommand=0");
        }
    }
    // The reader's start block was posted first, as the dialog initialised.
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a2 20", "02 a9 20"));
}

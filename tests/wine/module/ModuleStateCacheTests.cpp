// The device's state query on another thread, answered from what the
// user-interface thread stored, and delivered through the mailbox.
#include "ModuleDialogFixture.h"
#include "SubstituteModule.h"
#include "WineTestSupport.h"
#include "module/ModuleMemoryMap.h"
#include "module/ModuleStateCache.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

using ModuleStateCacheTest = ModuleDialogTest;

namespace {

// Asks for code on a thread of its own, as the reader thread does, and lets
// the dialog deliver what it posted.
void QueryOnOtherThread(unsigned char code)
{
    SubstituteModule::Poke(ModuleMap::KeyParameter, {code});
    EXPECT_TRUE(RunOnOtherThreadPumping([] { AnswerStateQuery(); }));
}

}  // namespace

TEST_F(ModuleStateCacheTest, TheReaderThreadGetsTheLatestValueStoredOnTheUserInterfaceThread)
{
    StoreModuleState(0xA6, 0x40);
    QueryOnOtherThread(0xA6);
    StoreModuleState(0xA6, 0x41);
    StoreModuleState(0xA1, 0x0B);
    QueryOnOtherThread(0xA6);
    QueryOnOtherThread(0xA1);
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a6 40", "02 a6 41", "02 a1 0b"));
}

TEST_F(ModuleStateCacheTest, CodesOutsideTheCacheAnswerZeroAndA4IsNotAnswered)
{
    StoreModuleState(0xA4, 0x01);
    StoreModuleState(0xA5, 0x01);
    QueryOnOtherThread(0xA4);
    EXPECT_THAT(SubstituteModule::Blocks(), IsEmpty());
    QueryOnOtherThread(0xA5);
    QueryOnOtherThread(0x33);
    EXPECT_THAT(SubstituteModule::Blocks(), ElementsAre("02 a5 00", "02 33 00"));
}

TEST_F(ModuleStateCacheTest, AnUnreadableQueryPostsNothing)
{
    RzmbFailReads(0, 1);
    QueryOnOtherThread(0xA6);
    EXPECT_THAT(SubstituteModule::Blocks(), IsEmpty());
    EXPECT_THAT(SubstituteModule::Writes(), IsEmpty());
}

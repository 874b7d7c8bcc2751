#include "EventDialogFixture.h"

#include <algorithm>

#include "SubstituteModule.h"
#include "WineTestSupport.h"
#include "module/ModuleMemoryMap.h"
#include "module/RemoteKeyDispatch.h"

void EventDialogTest::RaiseEvent(long number, const std::wstring& text, bool withoutText)
{
    const size_t before = EventLines().size();
    ASSERT_TRUE(m_jukebox->PostEvent(number, text, withoutText));
    WaitForEventLines(before + 1);
}

void EventDialogTest::WaitForEventLines(size_t count)
{
    EXPECT_TRUE(PumpMessagesUntil([&] { return EventLines().size() >= count; }))
        << "only " << EventLines().size() << " of " << count << " events arrived";
    DrainMessages();
}

void EventDialogTest::SwitchModuleWrites(unsigned char parameter)
{
    SubstituteModule::Poke(ModuleMap::KeyParameter, {parameter});
    PressKey(35);
}

void EventDialogTest::PressKey(unsigned char code)
{
    EXPECT_TRUE(RunOnOtherThreadPumping([code] { DispatchRemoteKey(code); })) << "key " << int{code};
}

std::vector<std::string> EventDialogTest::EventLines() const
{
    std::vector<std::string> lines = LogDetails();
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const std::string& line) { return line.rfind("Event ", 0) != 0; }),
                lines.end());
    return lines;
}

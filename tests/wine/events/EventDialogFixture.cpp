#include "EventDialogFixture.h"

#include <objbase.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "JournalText.h"
#include "SubstituteModule.h"
#include "WineTestSupport.h"
#include "app/VantrelRemoteApp.h"
#include "module/ModuleMailbox.h"
#include "module/RemoteKeyDispatch.h"

extern CVantrelRemoteApp theApp;

namespace {

constexpr int kClearButton = 1002;
constexpr std::uint32_t kKeyParameter = 0xA4C1;

// This test program's own module: the section is shared by name, and nothing
// else may write into it.
class ModuleInstanceEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        SubstituteModule::UseInstance("wine-events-" + std::to_string(::GetCurrentProcessId()));
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ModuleInstanceEnvironment);

void OnReaderLikeThread(unsigned char code)
{
    std::atomic<bool> done{false};
    std::thread reader([&] {
        DispatchRemoteKey(code);
        done = true;
    });
    EXPECT_TRUE(PumpMessagesUntil([&] { return done.load(); }));
    reader.join();
}

}  // namespace

void EventDialogTest::SetUp()
{
    ::CoInitialize(nullptr);
    m_jukebox = std::make_unique<JukeboxControl>();
    ASSERT_TRUE(m_jukebox->Connected());
    // Before the dialog registers, so the restart's own events go nowhere.
    ASSERT_TRUE(m_jukebox->RestartPlayer());
    m_jukebox->ClearJournal();
    SubstituteModule::Reset();
    SubstituteModule::Poke(kKeyParameter, {0x01});
    ModuleWritesEnabled = 0;

    ASSERT_TRUE(theApp.InitInstance());  // this test program's command line holds " -debug"
    m_dialog = dynamic_cast<CVantrelRemoteDlg*>(theApp.GetMainWnd());
    ASSERT_NE(m_dialog, nullptr);
    ASSERT_TRUE(m_dialog->m_debugMode);
    ASSERT_TRUE(PumpMessagesUntil([&] {
        const auto journal = m_jukebox->Journal();
        return std::any_of(journal.begin(), journal.end(), [](const JournalEntry& entry) { return entry.number == 203; });
    })) << "start-up command 203 never arrived";
    Drain();
    ASSERT_EQ(ModuleWritesEnabled, 1);

    RzmbClearJournals();
    m_jukebox->ClearJournal();
    m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(kClearButton, BN_CLICKED));
}

void EventDialogTest::TearDown()
{
    if (m_dialog != nullptr && m_dialog->m_hWnd != nullptr)
        m_dialog->SendMessage(WM_CLOSE);
    Drain();
    theApp.ExitInstance();
    m_jukebox.reset();
    ::CoUninitialize();
}

void EventDialogTest::Drain()
{
    PumpMessagesUntil([] { return true; });
}

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
    Drain();
}

void EventDialogTest::SwitchModuleWrites(unsigned char parameter)
{
    SubstituteModule::Poke(kKeyParameter, {parameter});
    OnReaderLikeThread(35);
    Drain();
}

void EventDialogTest::PressKey(unsigned char code)
{
    OnReaderLikeThread(code);
    Drain();
}

std::vector<std::string> EventDialogTest::LogDetails() const
{
    return ::LogDetails(m_dialog->m_eventLog);
}

std::vector<std::string> EventDialogTest::EventLines() const
{
    std::vector<std::string> lines = LogDetails();
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const std::string& line) { return line.rfind("Event ", 0) != 0; }),
                lines.end());
    return lines;
}

std::string Hex(const std::vector<unsigned char>& bytes)
{
    return HexBytes(bytes.data(), static_cast<std::uint32_t>(bytes.size()));
}

std::string TextReplyHex(unsigned char code, const std::string& text)
{
    std::vector<unsigned char> block{static_cast<unsigned char>(text.size() + 2), code, 0x82};
    block.insert(block.end(), text.begin(), text.end());
    return Hex(block);
}

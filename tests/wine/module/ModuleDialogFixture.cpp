#include "ModuleDialogFixture.h"

#include <objbase.h>

#include <algorithm>

#include "SubstituteModule.h"
#include "WineTestSupport.h"
#include "app/VantrelRemoteApp.h"
#include "module/ModuleMailbox.h"
#include "module/ModuleMemoryMap.h"
#include "res/resource.h"

extern CVantrelRemoteApp theApp;

namespace {

// This test program's own module: the section is shared by name, and nothing
// else may write into it.
class ModuleInstanceEnvironment : public ::testing::Environment
{
public:
    void SetUp() override { SubstituteModule::UseInstance("wine-" + std::to_string(::GetCurrentProcessId())); }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ModuleInstanceEnvironment);

}  // namespace

void ModuleDialogTest::SetUp()
{
    ::CoInitialize(nullptr);
    m_jukebox = std::make_unique<JukeboxControl>();
    ASSERT_TRUE(m_jukebox->Connected());
    // Before the dialog registers, so the restart's own events go nowhere.
    ASSERT_TRUE(m_jukebox->RestartPlayer());
    SubstituteModule::Reset();
    SubstituteModule::Poke(ModuleMap::KeyParameter, {0x01});
    ModuleWritesEnabled = 0;

    ASSERT_TRUE(theApp.InitInstance());  // this test program's command line holds " -debug"
    m_dialog = dynamic_cast<CVantrelRemoteDlg*>(theApp.GetMainWnd());
    ASSERT_NE(m_dialog, nullptr);
    ASSERT_TRUE(m_dialog->m_debugMode);
    ASSERT_TRUE(PumpMessagesUntil([&] {
        const auto journal = m_jukebox->Journal();
        return std::any_of(journal.begin(), journal.end(), [](const JournalEntry& entry) { return entry.number == 203; });
    })) << "start-up command 203 never arrived";
    DrainMessages();
    ASSERT_EQ(ModuleWritesEnabled, 1) << "the dialog's start-up reads the device's switch";

    RzmbClearJournals();
    m_jukebox->ClearJournal();
    m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CLEAR, BN_CLICKED));
}

void ModuleDialogTest::TearDown()
{
    RzmbSetOutboxMode(RzmbOutboxImmediate, 0);
    RzmbFailReads(0, 0);
    RzmbFailWrites(0, 0);
    if (m_dialog != nullptr && m_dialog->m_hWnd != nullptr)
        m_dialog->SendMessage(WM_CLOSE);
    DrainMessages();
    theApp.ExitInstance();
    m_jukebox.reset();
    ::CoUninitialize();
}

void ModuleDialogTest::Deliver(const std::vector<unsigned char>& block)
{
    PostModuleWrite(static_cast<std::uint32_t>(block.size()), block.data());
    DrainMessages();
}

std::vector<std::string> ModuleDialogTest::LogDetails() const
{
    return ::LogDetails(m_dialog->m_eventLog);
}

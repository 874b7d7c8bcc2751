#include "ModuleDialogFixture.h"

#include <objbase.h>

#include "SubstituteModule.h"
#include "WineTestSupport.h"
#include "app/VantrelRemoteApp.h"
#include "module/ModuleMailbox.h"

extern CVantrelRemoteApp theApp;

namespace {

constexpr int kClearButton = 1002;

// This test program's own module: the section is shared by name, and nothing
// else may write into it.
class ModuleInstanceEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        SubstituteModule::UseInstance("wine-module-" + std::to_string(::GetCurrentProcessId()));
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ModuleInstanceEnvironment);

}  // namespace

void ModuleDialogTest::SetUp()
{
    ::CoInitialize(nullptr);
    // Connected before the dialog registers, the jukebox does not announce
    // its launch: no block but the test's own reaches the module.
    m_jukebox = std::make_unique<JukeboxControl>();
    ASSERT_TRUE(m_jukebox->Connected());
    SubstituteModule::Reset();
    SubstituteModule::Poke(0xA4C1, {0x01});
    ModuleWritesEnabled = 0;
    ASSERT_TRUE(theApp.InitInstance());  // this test program's command line holds " -debug"
    m_dialog = dynamic_cast<CVantrelRemoteDlg*>(theApp.GetMainWnd());
    ASSERT_NE(m_dialog, nullptr);
    ASSERT_TRUE(m_dialog->m_debugMode);
    Drain();
    ASSERT_EQ(ModuleWritesEnabled, 1) << "the dialog's start-up reads the device's switch";
    RzmbClearJournals();
    m_dialog->SendMessage(WM_COMMAND, MAKEWPARAM(kClearButton, BN_CLICKED));
}

void ModuleDialogTest::TearDown()
{
    RzmbSetOutboxMode(RzmbOutboxImmediate, 0);
    RzmbFailReads(0, 0);
    RzmbFailWrites(0, 0);
    if (m_dialog != nullptr && m_dialog->m_hWnd != nullptr)
        m_dialog->SendMessage(WM_CLOSE);
    Drain();
    theApp.ExitInstance();
    m_jukebox.reset();
    ::CoUninitialize();
}

void ModuleDialogTest::Drain()
{
    PumpMessagesUntil([] { return true; });
}

void ModuleDialogTest::Deliver(const std::vector<unsigned char>& block)
{
    PostModuleWrite(static_cast<std::uint32_t>(block.size()), block.data());
    Drain();
}

std::vector<std::string> ModuleDialogTest::LogDetails() const
{
    return ::LogDetails(m_dialog->m_eventLog);
}

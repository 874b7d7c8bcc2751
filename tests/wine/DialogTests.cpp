// The framework's dialog: attaching, message maps, default processing,
// exceptions at the boundary, modal and modeless runs.
#include "framework/Dialog.h"
#include "framework/FatalError.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "WineTestSupport.h"
#include "res/resource.h"

namespace {

constexpr UINT WM_TEST_FIRST = WM_APP + 20;
constexpr UINT WM_TEST_THROW = WM_APP + 21;
constexpr UINT WM_TEST_FATAL = WM_APP + 22;
UINT g_registeredTestMessage = ::RegisterWindowMessageA("VantrelRemoteDialogTest");
UINT g_unregisteredMessage = 0;

struct TestFatal : FatalError
{
};

class CTestDlg : public CDialog
{
public:
    CTestDlg() : CDialog(IDD_ABOUTBOX) {}

    std::vector<const char*> calls;
    CWnd okButton;
    HWND windowSeenAtInit = nullptr;
    int cancels = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDOK, okButton); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        windowSeenAtInit = m_hWnd;
        calls.push_back("init");
        return TRUE;
    }
    void OnCancel() override
    {
        ++cancels;
        CDialog::OnCancel();
    }
    LRESULT OnFirst(WPARAM wParam, LPARAM) { calls.push_back("first"); return static_cast<LRESULT>(wParam) + 1; }
    LRESULT OnFirstAgain(WPARAM, LPARAM) { calls.push_back("first again"); return 0; }
    LRESULT OnRegistered(WPARAM, LPARAM) { calls.push_back("registered"); return 42; }
    LRESULT OnUnregistered(WPARAM, LPARAM) { calls.push_back("unregistered"); return 0; }
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::runtime_error("must not unwind into the system"); }
    LRESULT OnFatal(WPARAM, LPARAM) { throw TestFatal(); }
    void OnClose()
    {
        calls.push_back("close");
        CDialog::OnClose();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)
    ON_MESSAGE(WM_TEST_FIRST, OnFirst)
    ON_MESSAGE(WM_TEST_FIRST, OnFirstAgain)
    ON_REGISTERED_MESSAGE(g_unregisteredMessage, OnUnregistered)
    ON_REGISTERED_MESSAGE(g_registeredTestMessage, OnRegistered)
    ON_MESSAGE(WM_TEST_THROW, OnThrow)
    ON_MESSAGE(WM_TEST_FATAL, OnFatal)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

}  // namespace

TEST(DialogTest, ModelessCreateAttachesAtInitAndExchangesData)
{
    CTestDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUTBOX));
    EXPECT_EQ(dialog.windowSeenAtInit, dialog.m_hWnd);
    EXPECT_EQ(dialog.okButton.m_hWnd, ::GetDlgItem(dialog.m_hWnd, IDOK));
    ASSERT_EQ(dialog.calls.size(), 1u);
    dialog.DestroyWindow();
    EXPECT_EQ(dialog.m_hWnd, nullptr) << "detached at WM_NCDESTROY";
}

TEST(DialogTest, MessageMapTakesTheFirstMatchingEntryWithItsResult)
{
    CTestDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUTBOX));
    EXPECT_EQ(dialog.SendMessage(WM_TEST_FIRST, 6), 7);
    EXPECT_EQ(dialog.SendMessage(g_registeredTestMessage), 42);
    EXPECT_EQ(dialog.calls, (std::vector<const char*>{"init", "first", "registered"}))
        << "an unregistered (0) message variable matches nothing";
    dialog.DestroyWindow();
}

TEST(DialogTest, DefaultProcessingOfCloseReachesTheSystemOnce)
{
    // The system's answer to WM_CLOSE in a dialog is the Cancel command,
    // which ends a modeless dialog by hiding it.
    CTestDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUTBOX));
    dialog.ShowWindow(SW_SHOW);
    dialog.SendMessage(WM_CLOSE);
    PumpMessagesUntil([&] { return dialog.cancels > 0; });
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
    EXPECT_FALSE(dialog.IsWindowVisible());
    dialog.DestroyWindow();
}

TEST(DialogTest, EnterAndEscEndTheModelessDialogByHidingIt)
{
    CTestDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUTBOX));
    dialog.ShowWindow(SW_SHOW);
    MSG escape{dialog.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(dialog.PreTranslateMessage(&escape));
    PumpMessagesUntil([&] { return dialog.cancels > 0; });
    EXPECT_EQ(dialog.cancels, 1);
    EXPECT_FALSE(dialog.IsWindowVisible());
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));

    MSG posted{dialog.m_hWnd, WM_TEST_FIRST, 0, 0, 0, {}};
    EXPECT_FALSE(dialog.PreTranslateMessage(&posted)) << "only keyboard and mouse input is translated";
    dialog.DestroyWindow();
}

TEST(DialogTest, ExceptionsStopAtTheWindowProcedure)
{
    CTestDlg dialog;
    ASSERT_TRUE(dialog.Create(IDD_ABOUTBOX));
    EXPECT_EQ(dialog.SendMessage(WM_TEST_THROW), 0);
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
    EXPECT_EQ(dialog.SendMessage(WM_TEST_FIRST, 1), 2) << "the dialog goes on working";
    dialog.DestroyWindow();
}

TEST(DialogDeathTest, FatalErrorsEndTheProcessThroughTerminate)
{
    ::testing::FLAGS_gtest_death_test_style = "threadsafe";
    EXPECT_EXIT(
        {
            std::set_terminate([] { ::ExitProcess(77); });
            CTestDlg dialog;
            dialog.Create(IDD_ABOUTBOX);
            dialog.SendMessage(WM_TEST_FATAL);
            ::ExitProcess(0);
        },
        ::testing::ExitedWithCode(77), "");
}

TEST(DialogTest, DoModalReturnsTheEndDialogResult)
{
    class CQuickDlg : public CDialog
    {
    public:
        CQuickDlg() : CDialog(IDD_ABOUTBOX) {}

    protected:
        BOOL OnInitDialog() override
        {
            CDialog::OnInitDialog();
            PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
            return TRUE;
        }
    } dialog;
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

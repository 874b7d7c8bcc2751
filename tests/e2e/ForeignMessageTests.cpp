// Any process can post to the window by its public class name: what the
// program did not send itself must change nothing.
#include <gmock/gmock.h>

#include <random>

#include "E2eEnvironment.h"

using ForeignMessageTest = ProgramTest;

TEST_F(ForeignMessageTest, AFloodOfForeignHandOverMessagesIsHarmless)
{
    StartProgram("-debug");
    std::string startUpLog;
    ASSERT_TRUE(WaitUntil([&] { return !(startUpLog = SaveLog()).empty(); }));
    const auto journalBefore = Jukebox().Journal();

    std::mt19937_64 random(20261207);
    const HANDLE ownHeapBlock = ::HeapAlloc(::GetProcessHeap(), 0, 64);
    for (int i = 0; i < 3000; ++i) {
        const UINT message = WM_APP + 1 + static_cast<UINT>(i % 2) * 2;  // the command and module hand-overs
        LPARAM lParam = static_cast<LPARAM>(random());
        if (i % 5 == 0)
            lParam = reinterpret_cast<LPARAM>(ownHeapBlock) + (i % 64);  // plausible heap addresses
        if (i % 7 == 0)
            lParam = i;
        ::PostMessageA(m_window, message, static_cast<WPARAM>(random()), lParam);
        if (i % 300 == 0)
            ::SendMessageA(m_window, WM_APP + 4, static_cast<WPARAM>(random()), static_cast<LPARAM>(random()));
    }
    ::HeapFree(::GetProcessHeap(), 0, ownHeapBlock);

    // A posted click queues behind the flood: once its file holds the log,
    // every foreign message has been handled.
    const std::string path = m_folder + "\\VantrelRemote.log";
    ::DeleteFileA(path.c_str());
    ::PostMessageA(m_window, WM_COMMAND, MAKEWPARAM(kSaveButton, BN_CLICKED), 0);
    std::string log;
    EXPECT_TRUE(WaitUntil([&] { return ReadWholeFile(path, log) && log == startUpLog; }))
        << "nothing was sent or logged, but the log reads:\n" << log;
    EXPECT_EQ(Jukebox().Journal().size(), journalBefore.size());
    EXPECT_FALSE(m_run->HasExited());
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
}

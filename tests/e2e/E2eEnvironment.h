// Shared set-up of the end-to-end tests: COM on the test thread, one
// connection to the reference jukebox that keeps its server running, and a
// fixture that runs the program and closes it again.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "JukeboxControl.h"
#include "ProgramRun.h"
#include "standins/remotesim/RemoteSimulator.h"

// The connection to the reference jukebox; null while a test has let go of it.
JukeboxControl& Jukebox();
// Drops the connection (the server may then end) and makes a new one.
void DisconnectJukebox();
void ReconnectJukebox();

// The simulated remotes, served from this process.
RemoteSimulator& Remote();

// The texts of a saved log, without their times.
std::vector<std::string> LogTexts(const std::string& log);

// Ids of the main dialog's buttons.
constexpr int kQueryHardwareIdButton = 1000;
constexpr int kClearButton = 1002;
constexpr int kSaveButton = 1003;

class ProgramTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program in a scratch folder and waits for its main window
    // and for the end of its start-up (command 203 reached the jukebox).
    void StartProgram(const std::string& arguments, const std::string& program = "VantrelRemote.exe");
    // The same in two steps: the start, and the wait.
    void LaunchProgram(const std::string& arguments, const std::string& program = "VantrelRemote.exe");
    void WaitForStartUp();
    // Clicks a button of the main dialog from this process; returns when the
    // program has handled the click.
    void Click(int button) const;
    // Clicks Save and returns the saved log. The click is sent, so it can be
    // handled before work the program had queued, or even while the program
    // waits in a call to the jukebox.
    std::string SaveLog() const;
    // Returns the saved log once every message the program had queued is
    // handled: a posted click queues behind them; once its file appears that
    // click is being handled, and a sent click (handled only after it) saves
    // the whole log.
    std::string SaveLogAfterQueuedWork() const;
    // Closes the program with WM_CLOSE and waits for its end.
    void CloseProgram();

    std::string m_folder;
    std::unique_ptr<ProgramRun> m_run;
    HWND m_window = nullptr;
};

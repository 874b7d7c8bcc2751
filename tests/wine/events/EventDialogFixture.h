// The main dialog of this process, started as the application starts it,
// beside the reference jukebox (connected first, so it announces no launch;
// its player freshly restarted) and our module library (block delivery on,
// journals empty). The event log is empty when a test begins.
#pragma once

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "JukeboxControl.h"
#include "app/VantrelRemoteDlg.h"

class EventDialogTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Handles every message queued for this thread, and what they queue.
    static void Drain();
    // Has the jukebox post the event, then waits until the dialog has logged
    // it and handled what its handler queued.
    void RaiseEvent(long number, const std::wstring& text, bool withoutText = false);
    // Waits until the event log holds count lines that begin with "Event ",
    // then handles what is still queued.
    void WaitForEventLines(size_t count);
    // Sets the device's parameter byte and runs key 35 on another thread, as
    // the reader thread would: 0 switches block delivery off, else on.
    static void SwitchModuleWrites(unsigned char parameter);
    // Runs the action of key code on another thread, as the reader thread
    // does, and handles what it queued.
    static void PressKey(unsigned char code);

    std::vector<std::string> LogDetails() const;
    std::vector<std::string> EventLines() const;

    std::unique_ptr<JukeboxControl> m_jukebox;
    CVantrelRemoteDlg* m_dialog = nullptr;
};

// The blocks' text form for expectations: "02 a2 01".
std::string Hex(const std::vector<unsigned char>& bytes);
// A text reply as the device gets it: {n + 2, code, 0x82, the n bytes}.
std::string TextReplyHex(unsigned char code, const std::string& text);

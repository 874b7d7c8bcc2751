// The main dialog of the module tests, for jukebox events: raising them
// through the reference jukebox, and running keys as the reader thread does.
#pragma once

#include <string>
#include <vector>

#include "ModuleDialogFixture.h"

class EventDialogTest : public ModuleDialogTest
{
protected:
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

    std::vector<std::string> EventLines() const;
};

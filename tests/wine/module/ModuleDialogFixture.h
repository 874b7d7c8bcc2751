// The main dialog of this process, started as the application starts it,
// over our module library: the device wants blocks from the start, the
// journals are empty when a test begins, and so is the event log.
#pragma once

#include <gmock/gmock.h>

#include <memory>
#include <string>
#include <vector>

#include "JukeboxControl.h"
#include "app/VantrelRemoteDlg.h"

class ModuleDialogTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Handles every message queued for this thread, and what they queue.
    static void Drain();
    // Posts the block and lets the dialog handle it.
    static void Deliver(const std::vector<unsigned char>& block);
    std::vector<std::string> LogDetails() const;

    std::unique_ptr<JukeboxControl> m_jukebox;
    CVantrelRemoteDlg* m_dialog = nullptr;
};

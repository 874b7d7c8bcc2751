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

class ModuleDialogTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Posts the block and lets the dialog handle it.
    static void Deliver(const std::vector<unsigned char>& block);
    std::vector<std::string> LogDetails() const;

    std::unique_ptr<JukeboxControl> m_jukebox;
    CVantrelRemoteDlg* m_dialog = nullptr;
};

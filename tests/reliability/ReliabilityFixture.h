// What the reliability cases share: the program started with a remote, the
// program's own traffic (keys whose commands the stopped player answers with
// nothing, and volume answers whose blocks carry their number), followed in
// the jukebox's and the module's journals as it arrives, and the counts of
// the short (CI) and the full form (VANTREL_RELIABILITY=full).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "E2eEnvironment.h"
#include "SubstituteModule.h"

// shortCount in the short form, fullCount in the full one.
int Scaled(int shortCount, int fullCount);
// Whether every one of part appears in whole, in the same order, at most once.
bool InOrderWithin(const std::vector<std::string>& part, const std::vector<std::string>& whole);

class ReliabilityTest : public ProgramTest
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Plugs the remote, starts the program and waits until its start-up has
    // settled; the followers start there.
    void StartWithRemote(const std::string& arguments);
    // One round of the program's own traffic: keys 10, 2 and 22, then the
    // volume answer round % 101 from the jukebox.
    void OwnRound();
    // Collects what arrived; true once all rounds so far have.
    bool CollectOwnTraffic();
    // Waits (generously) until all rounds so far have arrived.
    bool WaitForOwnTraffic();
    // What the rounds so far must have brought, each once and in order.
    std::vector<long> ExpectedCommands() const;
    std::vector<std::string> ExpectedBlocks() const;
    // The blocks of volume answers the module took.
    std::vector<std::string> VolumeBlocks() const;
    // Whether the program appended to its crash report since SetUp.
    bool CrashReported() const;

    SimulatedDeviceId m_remote = 0;
    int m_rounds = 0;
    std::vector<long> m_commands;  // the jukebox's, as they arrive; 204 left out
    std::unique_ptr<JournalFollower> m_journal;
    std::unique_ptr<SubstituteModule::Follower> m_module;

private:
    long m_reportSize = 0;
};

// The remote's key table as test cases, run natively against the simulated
// module and under Wine against our rzmb.dll: for each key, what lies in
// module memory before, and what the action posts, reads and writes.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "module/KeyActionPorts.h"
#include "JournalText.h"

// Records what is posted, as text: "command 20 \"7\"", "command 1",
// "block 02 18 81".
class RecordingPoster : public ActionPoster
{
public:
    void PostCommand(int command, const char* text) override;
    void PostBlock(std::uint32_t length, const unsigned char* data) override;

    std::vector<std::string> posts;
};

// A module the cases can prepare and inspect, with the ModuleAccess that the
// actions run against.
class KeyCaseModule
{
public:
    virtual ~KeyCaseModule() = default;
    // Zero memory, empty journals, no failures.
    virtual void Reset() = 0;
    virtual void Poke(std::uint32_t address, const std::vector<unsigned char>& bytes) = 0;
    virtual void FailReads(std::uint32_t after, std::uint32_t count) = 0;
    virtual std::vector<RzmbGetMemEntry> Reads() = 0;
    virtual std::vector<RzmbSetMemEntry> Writes() = 0;
    virtual void SetWritesSwitch(int enabled) = 0;
    virtual int WritesSwitch() = 0;
    virtual void StoreState(unsigned char code, unsigned char value) = 0;
    virtual ModuleAccess& Access() = 0;
};

struct MemoryPatch
{
    std::uint32_t address;
    std::vector<unsigned char> bytes;
};

struct KeyCase
{
    std::string name;
    unsigned char code = 0;
    std::vector<MemoryPatch> memory;
    std::uint32_t readsBeforeFailure = 0;
    std::uint32_t failingReads = 0;  // after readsBeforeFailure successes
    std::vector<std::pair<unsigned char, unsigned char>> states;
    int writesEnabledBefore = 0;
    std::vector<std::string> posts;
    std::vector<std::string> reads;   // "a4c1+1"
    std::vector<std::string> writes;  // "a4f3: 01"
    int writesEnabledAfter = -1;      // -1: as before
};

// Every key with an action, with its failure cases.
std::vector<KeyCase> KeyCases();

// The codes that KeyCases() does not cover: they must do nothing.
std::vector<unsigned char> CodesWithoutCases();

// Each of those codes as a case that reads, writes and posts nothing and
// leaves the switch on, with a parameter ready in module memory.
std::vector<KeyCase> NoActionCases();

// Prepares module, dispatches the case's key and checks the outcome.
void RunKeyCase(const KeyCase& keyCase, KeyCaseModule& module);

// Names the case in failure messages.
void PrintTo(const KeyCase& keyCase, std::ostream* out);

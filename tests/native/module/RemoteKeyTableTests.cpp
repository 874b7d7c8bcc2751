// Every key of the remote against the simulated module and a recording poster.
#include <gmock/gmock.h>

#include <memory>

#include "JournalText.h"
#include "RemoteKeyCases.h"
#include "module/ModuleStateTable.h"
#include "module/RemoteKeyActions.h"
#include "standins/rzmb/SimulatedModule.h"

namespace {

class SimulatedKeyCaseModule : public KeyCaseModule, private ModuleAccess
{
public:
    SimulatedKeyCaseModule() : m_module(std::make_unique<SimulatedModule>()) {}

    void Reset() override { m_module->Reset(); }
    void Poke(std::uint32_t address, const std::vector<unsigned char>& bytes) override
    {
        ASSERT_TRUE(m_module->Poke(address, static_cast<std::uint32_t>(bytes.size()), bytes.data()));
    }
    void FailReads(std::uint32_t after, std::uint32_t count) override { m_module->FailReads(after, count); }
    std::vector<RzmbGetMemEntry> Reads() override { return Entries(m_module->getMemJournal); }
    std::vector<RzmbSetMemEntry> Writes() override { return Entries(m_module->setMemJournal); }
    void SetWritesSwitch(int enabled) override { m_writesEnabled = enabled; }
    int WritesSwitch() override { return m_writesEnabled; }
    void StoreState(unsigned char code, unsigned char value) override { m_states.Store(code, value); }
    ModuleAccess& Access() override { return *this; }

private:
    bool Read(std::uint32_t address, std::uint32_t length, unsigned char* buffer) override
    {
        return m_module->GetMem(address, length, buffer);
    }
    bool Write(std::uint32_t address, std::uint32_t length, const unsigned char* bytes) override
    {
        return m_module->SetMem(address, length, bytes);
    }
    void SetWritesEnabled(bool enabled) override { m_writesEnabled = enabled ? 1 : 0; }
    std::optional<unsigned char> StateAnswer(unsigned char code) override { return m_states.Answer(code); }

    std::unique_ptr<SimulatedModule> m_module;
    int m_writesEnabled = 0;
    ModuleStateTable m_states;
};

class RemoteKeyTableTest : public ::testing::TestWithParam<KeyCase>
{
protected:
    SimulatedKeyCaseModule m_module;
};

TEST_P(RemoteKeyTableTest, PostsReadsAndWritesWhatTheTableSays)
{
    RunKeyCase(GetParam(), m_module);
}

INSTANTIATE_TEST_SUITE_P(EveryKey, RemoteKeyTableTest, ::testing::ValuesIn(KeyCases()),
                         [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(CodesWithoutAnAction, RemoteKeyTableTest, ::testing::ValuesIn(NoActionCases()),
                         [](const auto& info) { return info.param.name; });

TEST(RemoteKeyTableTest, FortyFiveCodesHaveAnAction)
{
    EXPECT_EQ(CodesWithoutCases().size(), 256u - 45u);
}

TEST(RemoteKeyTableTest, TheSameKeyTwiceActsTwice)
{
    SimulatedKeyCaseModule module;
    module.Reset();
    module.Poke(0xA4C1, {9});
    RecordingPoster poster;
    DispatchRemoteKey(24, module.Access(), poster);
    DispatchRemoteKey(24, module.Access(), poster);
    EXPECT_THAT(poster.posts, ::testing::ElementsAre("command 20 \"9\"", "command 20 \"9\""));
}

}  // namespace

// Every key of the remote as the program binds the table: reads through our
// rzmb.dll, the logged echo write, the real switch and state cache; only the
// posting is recorded instead of sent.
#include <gmock/gmock.h>

#include "RemoteKeyCases.h"
#include "SubstituteModule.h"
#include "module/ModuleMailbox.h"
#include "module/ModuleStateCache.h"
#include "module/ProgramKeyPorts.h"

namespace {

class SubstituteKeyCaseModule : public KeyCaseModule
{
public:
    void Reset() override { SubstituteModule::Reset(); }
    void Poke(std::uint32_t address, const std::vector<unsigned char>& bytes) override
    {
        SubstituteModule::Poke(address, bytes);
    }
    void FailReads(std::uint32_t after, std::uint32_t count) override { RzmbFailReads(after, count); }
    std::vector<RzmbGetMemEntry> Reads() override { return SubstituteModule::GetMems(); }
    std::vector<RzmbSetMemEntry> Writes() override { return SubstituteModule::SetMems(); }
    void SetWritesSwitch(int enabled) override { ModuleWritesEnabled = enabled; }
    int WritesSwitch() override { return ModuleWritesEnabled; }
    void StoreState(unsigned char code, unsigned char value) override { StoreModuleState(code, value); }
    ModuleAccess& Access() override { return m_access; }

private:
    ProgramModuleAccess m_access;
};

class RemoteKeyTableTest : public ::testing::TestWithParam<KeyCase>
{
protected:
    void TearDown() override { ModuleWritesEnabled = 0; }

    SubstituteKeyCaseModule m_module;
};

TEST_P(RemoteKeyTableTest, PostsReadsAndWritesWhatTheTableSays)
{
    RunKeyCase(GetParam(), m_module);
}

INSTANTIATE_TEST_SUITE_P(EveryKey, RemoteKeyTableTest, ::testing::ValuesIn(KeyCases()),
                         [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(CodesWithoutAnAction, RemoteKeyTableTest, ::testing::ValuesIn(NoActionCases()),
                         [](const auto& info) { return info.param.name; });

}  // namespace

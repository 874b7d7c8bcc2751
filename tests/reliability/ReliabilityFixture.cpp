#include "ReliabilityFixture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "module/ModuleMemoryMap.h"

namespace {

// Keys 10, 2 and 22 ask for stop, pause and a seek: the stopped player
// answers none of them.
const std::vector<std::uint8_t> kRoundKeys{10, 2, 22};
const std::vector<long> kRoundCommands{3, 2, 18};
constexpr long kVolumeEvent = 12;
constexpr char kVolumeBlock[] = "04 4c 82 00 ";

long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    return ::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes) ? static_cast<long>(attributes.nFileSizeLow) : 0;
}

std::string CrashReportPath()
{
    return ProgramFolder() + "\\VantrelRemote.RPT";
}

std::string VolumeBlock(int round)
{
    char block[32];
    std::snprintf(block, sizeof block, "%s%02x", kVolumeBlock, (round % 101) * 255 / 100);
    return block;
}

}  // namespace

int Scaled(int shortCount, int fullCount)
{
    const char* form = std::getenv("VANTREL_RELIABILITY");
    return form != nullptr && std::strcmp(form, "full") == 0 ? fullCount : shortCount;
}

bool InOrderWithin(const std::vector<std::string>& part, const std::vector<std::string>& whole)
{
    auto at = whole.begin();
    for (const std::string& one : part) {
        at = std::find(at, whole.end(), one);
        if (at == whole.end())
            return false;
        ++at;
    }
    return true;
}

void ReliabilityTest::SetUp()
{
    ProgramTest::SetUp();
    SubstituteModule::Reset();
    SubstituteModule::Poke(ModuleMap::KeyParameter, {0x01});  // blocks are written
    m_reportSize = FileSize(CrashReportPath());
}

void ReliabilityTest::TearDown()
{
    ProgramTest::TearDown();
    if (m_remote != 0)
        Remote().Unplug(m_remote, false);
}

void ReliabilityTest::StartWithRemote(const std::string& arguments)
{
    m_remote = Remote().Plug();
    StartProgram(arguments);
    ASSERT_TRUE(WaitUntil([&] { return Remote().Connections(m_remote) > 0; })) << "the remote was not opened";
    SaveLogAfterQueuedWork();
    Click(kClearButton);
    m_journal = std::make_unique<JournalFollower>(Jukebox());
    m_module = std::make_unique<SubstituteModule::Follower>();
}

void ReliabilityTest::OwnRound()
{
    for (const std::uint8_t key : kRoundKeys)
        ASSERT_TRUE(Remote().Press(m_remote, key)) << "round " << m_rounds;
    ASSERT_TRUE(Jukebox().PostEvent(kVolumeEvent, std::to_wstring(m_rounds % 101))) << "round " << m_rounds;
    ++m_rounds;
}

bool ReliabilityTest::CollectOwnTraffic()
{
    for (const JournalEntry& entry : m_journal->Next()) {
        if (entry.operation == "SendCommand" && entry.number != 204)
            m_commands.push_back(entry.number);
    }
    m_module->Collect();
    return m_commands.size() >= kRoundCommands.size() * static_cast<std::size_t>(m_rounds) &&
           VolumeBlocks().size() >= static_cast<std::size_t>(m_rounds);
}

bool ReliabilityTest::WaitForOwnTraffic()
{
    return WaitUntil([&] { return CollectOwnTraffic(); }, std::chrono::minutes(2));
}

std::vector<long> ReliabilityTest::ExpectedCommands() const
{
    std::vector<long> commands;
    for (int round = 0; round < m_rounds; ++round)
        commands.insert(commands.end(), kRoundCommands.begin(), kRoundCommands.end());
    return commands;
}

std::vector<std::string> ReliabilityTest::ExpectedBlocks() const
{
    std::vector<std::string> blocks;
    for (int round = 0; round < m_rounds; ++round)
        blocks.push_back(VolumeBlock(round));
    return blocks;
}

std::vector<std::string> ReliabilityTest::VolumeBlocks() const
{
    std::vector<std::string> blocks;
    for (const std::string& block : m_module->blocks) {
        if (block.rfind(kVolumeBlock, 0) == 0)
            blocks.push_back(block);
    }
    return blocks;
}

bool ReliabilityTest::CrashReported() const
{
    return FileSize(CrashReportPath()) != m_reportSize;
}

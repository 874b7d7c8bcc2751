#include "tools/narration/SessionNarrator.h"

#include <chrono>
#include <cstdarg>
#include <cstdio>

#include "module/ModuleMemoryMap.h"
#include "standins/rzmb/RzmbControl.h"
#include "tools/narration/KeyNames.h"

std::string AnsiToUtf8(const std::string& text)
{
    if (text.empty())
        return text;
    std::wstring wide(text.size(), L'\0');
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                             static_cast<int>(wide.size()));
    wide.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return Utf8(wide);
}

namespace {

// A journal entry in words; empty for the program fetching an event's text,
// which every event brings and which tells nothing new.
std::string CallWords(const JournalEntry& entry)
{
    if (entry.operation == "SendCommand")
        return "command " + std::to_string(entry.number);
    if (entry.operation == "SendCommandWithData")
        return "command " + std::to_string(entry.number) + " with \"" + Utf8(entry.text) + "\"";
    if (entry.operation == "RegisterWindow")
        return "RegisterWindow (the program's window)";
    if (entry.operation == "GetEventData")
        return std::string();
    return entry.operation;
}

}  // namespace

void Say(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::vprintf(format, arguments);
    va_end(arguments);
    std::fflush(stdout);
}

SessionNarrator::SessionNarrator(RemoteSimulator& remote, const JukeboxControl& jukebox)
    : m_remote(remote), m_jukebox(jukebox), m_callsTold(jukebox.JournalCount()), m_writesTold(RzmbSetMemCount())
{
}

void SessionNarrator::PrepareModule()
{
    RzmbReset();
    const std::uint8_t writesAllowed = 0x01;
    RzmbPokeMemory(ModuleMap::KeyParameter, 1, &writesAllowed);
    const std::uint8_t moduleInfo[ModuleMap::kModuleInfoLength] = {0x12, 0x34, 0x56, 0x78};
    RzmbPokeMemory(ModuleMap::ModuleInfo, sizeof moduleInfo, moduleInfo);
}

bool SessionNarrator::FollowStart(const ProgramRun& run)
{
    m_window = run.WaitForMainWindow();
    if (m_window == nullptr) {
        Say("The program did not start.\n");
        return false;
    }
    m_jukebox.WaitForEntry([](const JournalEntry& entry) { return entry.number == 203; });
    Settle();
    return true;
}

int SessionNarrator::Close(const ProgramRun& run)
{
    ::PostMessageA(m_window, WM_CLOSE, 0, 0);
    const bool exited = run.WaitForExit();
    Settle();
    if (!exited) {
        Say("  VantrelRemote.exe did not end\n");
        return 1;
    }
    Say("  VantrelRemote.exe ended, exit code %lu\n", run.ExitCode());
    return static_cast<int>(run.ExitCode());
}

void SessionNarrator::PlugIn()
{
    if (m_plugged) {
        Say("  the remote is plugged in already\n");
        return;
    }
    Say("  plugging the remote in\n");
    m_device = m_remote.Plug();
    m_plugged = true;
    m_remote.AnnounceArrival(m_window, m_device);
    Settle();
    // The program has the module's block delivery off after opening the
    // remote; the module switches it on again, as it does when it sees the
    // host attached.
    Say("  the module switches block delivery on\n");
    Press(35, {0x01});
}

void SessionNarrator::Unplug()
{
    if (!m_plugged) {
        Say("  the remote is not plugged in\n");
        return;
    }
    Say("  pulling the remote out\n");
    m_remote.Unplug(m_device);
    m_plugged = false;
    m_remote.AnnounceRemoval(m_window, m_device);
    Settle();
}

bool SessionNarrator::Press(std::uint8_t code, const std::vector<std::uint8_t>& parameter)
{
    if (!m_plugged) {
        Say("  the remote is not plugged in (plug it in first)\n");
        return false;
    }
    std::string bytes;
    for (const std::uint8_t byte : parameter) {
        char text[8];
        std::snprintf(text, sizeof text, " %02x", byte);
        bytes += text;
    }
    Say("  key %s%s%s\n", KeyLabel(code).c_str(), bytes.empty() ? "" : ", parameter bytes", bytes.c_str());
    const bool pressed = m_remote.Press(m_device, code, parameter);
    Settle();
    return pressed;
}

bool SessionNarrator::JukeboxActs(long command, const char* what)
{
    Say("  the jukebox, by itself: %s\n", what);
    const bool done = m_jukebox.RunPlayerCommand(command);
    Settle();
    return done;
}

void SessionNarrator::Settle()
{
    long calls = -1;
    std::uint32_t writes = 0;
    auto quietSince = std::chrono::steady_clock::now();
    WaitUntil(
        [&] {
            const long nowCalls = m_jukebox.JournalCount();
            const std::uint32_t nowWrites = RzmbSetMemCount();
            if (nowCalls != calls || nowWrites != writes) {
                calls = nowCalls;
                writes = nowWrites;
                quietSince = std::chrono::steady_clock::now();
            }
            return std::chrono::steady_clock::now() - quietSince > std::chrono::milliseconds(250);
        },
        std::chrono::seconds(5));
    TellJukebox();
    TellModule();
}

void SessionNarrator::TellJukebox()
{
    const std::vector<JournalEntry> calls = m_jukebox.Journal(m_callsTold);
    m_callsTold += static_cast<long>(calls.size());
    bool commands = false;
    for (const JournalEntry& call : calls) {
        const std::string words = CallWords(call);
        if (words.empty())
            continue;
        Say("    jukebox received: %s\n", words.c_str());
        commands = commands || call.operation.rfind("SendCommand", 0) == 0;
    }
    if (commands)
        Say("    jukebox now: %s\n", m_jukebox.DescribePlayer().c_str());
}

void SessionNarrator::TellModule()
{
    const std::uint32_t count = RzmbSetMemCount();
    for (; m_writesTold < count; ++m_writesTold) {
        RzmbSetMemEntry write{};
        if (!RzmbSetMemAt(m_writesTold, &write))
            continue;
        const std::uint32_t recorded = write.length < RZMB_RECORDED_BYTES ? write.length : RZMB_RECORDED_BYTES;
        if (const auto words = m_display.Write(write.address, write.bytes, recorded, write.succeeded != 0))
            Say("    %s\n", words->c_str());
    }
}

void SessionNarrator::ShowState() const
{
    Say("  jukebox: %s\n", m_jukebox.DescribePlayer().c_str());
    Say("  module display: %s\n", m_display.Render().c_str());
}

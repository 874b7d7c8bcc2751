#include "JukeboxControl.h"

#include <algorithm>
#include <optional>
#include <sstream>

#include "ProgramRun.h"
#include "framework/UniqueBstr.h"
#include "framework/UniqueHandle.h"

namespace {

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (const wchar_t character : text)
        narrow += character < 128 ? static_cast<char>(character) : '?';
    return narrow;
}

}  // namespace

JukeboxControl::JukeboxControl()
{
    // A server on its way out refuses new clients for a moment; an
    // unregistered one never takes them.
    WaitUntil(
        [&] {
            const HRESULT result =
                ::CoCreateInstance(__uuidof(JukeboxTestControl), nullptr, CLSCTX_LOCAL_SERVER,
                                   __uuidof(IJukeboxTestControl), m_control.ReleaseAndGetAddressOf());
            return SUCCEEDED(result) || result == REGDB_E_CLASSNOTREG;
        },
        std::chrono::seconds(15));
}

long JukeboxControl::JournalCount() const
{
    long count = 0;
    if (!m_control || FAILED(m_control->GetJournalCount(&count)))
        return 0;
    return count;
}

double JukeboxControl::JournalTime(long index) const
{
    double microseconds = 0;
    if (!m_control || FAILED(m_control->GetJournalTime(index, &microseconds)))
        return 0;
    return microseconds;
}

std::vector<JournalEntry> JukeboxControl::Journal(long first) const
{
    std::vector<JournalEntry> journal;
    const long count = JournalCount();
    for (long index = first < 0 ? 0 : first; index < count; ++index) {
        UniqueBstr operation;
        UniqueBstr text;
        JournalEntry entry;
        long textIsNull = 0;
        if (FAILED(m_control->GetJournalEntry(index, operation.ReleaseAndGetAddressOf(), &entry.windowHandle,
                                              &entry.number, text.ReleaseAndGetAddressOf(), &textIsNull)))
            break;
        if (operation.Get() != nullptr)
            entry.operation = Narrow(std::wstring(operation.Get(), ::SysStringLen(operation.Get())));
        if (text.Get() != nullptr)
            entry.text.assign(text.Get(), ::SysStringLen(text.Get()));
        entry.textIsNull = textIsNull != 0;
        journal.push_back(std::move(entry));
    }
    return journal;
}

void JukeboxControl::ClearJournal() const
{
    if (m_control)
        m_control->ClearJournal();
}

bool JukeboxControl::PostEvent(long number, const std::wstring& text, bool withoutText) const
{
    if (!m_control)
        return false;
    UniqueBstr data(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
    long posted = 0;
    return SUCCEEDED(m_control->PostEvent(number, data.Get(), withoutText ? 1 : 0, &posted)) && posted != 0;
}

bool JukeboxControl::RestartPlayer() const
{
    return m_control && SUCCEEDED(m_control->RestartPlayer());
}

std::string JukeboxControl::DescribePlayer() const
{
    UniqueBstr description;
    if (!m_control || FAILED(m_control->DescribePlayer(description.ReleaseAndGetAddressOf())) ||
        description.Get() == nullptr)
        return std::string();
    return Utf8(std::wstring(description.Get(), ::SysStringLen(description.Get())));
}

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    std::string narrow(text.size() * 3, '\0');
    const int written = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), narrow.data(),
                                              static_cast<int>(narrow.size()), nullptr, nullptr);
    narrow.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return narrow;
}

bool JukeboxControl::RunPlayerCommand(long command) const
{
    long done = 0;
    return m_control && SUCCEEDED(m_control->RunPlayerCommand(command, &done)) && done != 0;
}

bool JukeboxControl::HoldCompanionCreation(bool hold) const
{
    return m_control && SUCCEEDED(m_control->HoldCompanionCreation(hold ? 1 : 0));
}

long JukeboxControl::HeldCompanionCreations() const
{
    long count = 0;
    if (m_control)
        m_control->GetHeldCompanionCreations(&count);
    return count;
}

HWND JukeboxControl::RegisteredWindow() const
{
    long window = 0;
    if (m_control)
        m_control->GetRegisteredWindow(&window);
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(window));
}

std::vector<JournalEntry> JukeboxControl::WaitForEntry(const std::function<bool(const JournalEntry&)>& match,
                                                       std::chrono::milliseconds limit) const
{
    std::vector<JournalEntry> journal;
    WaitUntil(
        [&] {
            journal = Journal();
            return std::any_of(journal.begin(), journal.end(), match);
        },
        limit);
    return journal;
}

std::vector<JournalEntry> JukeboxControl::WaitForOperation(const std::string& operation,
                                                           std::chrono::milliseconds limit) const
{
    return WaitForEntry([&](const JournalEntry& entry) { return entry.operation == operation; }, limit);
}

std::vector<std::string> Operations(const std::vector<JournalEntry>& journal)
{
    std::vector<std::string> operations;
    for (const JournalEntry& entry : journal)
        operations.push_back(entry.operation);
    return operations;
}

std::vector<long> CommandNumbers(const std::vector<JournalEntry>& journal)
{
    std::vector<long> numbers;
    for (const JournalEntry& entry : journal) {
        if (entry.operation == "SendCommand" || entry.operation == "SendCommandWithData")
            numbers.push_back(entry.number);
    }
    return numbers;
}

std::string Describe(const JournalEntry& entry)
{
    std::ostringstream text;
    text << entry.operation << "(window " << entry.windowHandle << ", number " << entry.number << ", text "
         << (entry.textIsNull ? std::string("null") : "\"" + Narrow(entry.text) + "\"") << ")";
    return text.str();
}

std::vector<JournalEntry> JournalFollower::Next()
{
    std::vector<JournalEntry> entries = m_jukebox.Journal(m_next);
    m_next += static_cast<long>(entries.size());
    return entries;
}

namespace {

// The ids of the reference jukebox's server processes; nothing when the
// processes cannot be listed.
std::optional<std::vector<DWORD>> JukeboxServerIds()
{
    return ProcessIdsNamed("RefJukebox.exe");
}

}  // namespace

bool JukeboxServerRuns()
{
    const auto ids = JukeboxServerIds();
    return !ids || !ids->empty();
}

int KillJukeboxServers()
{
    int killed = 0;
    for (const DWORD id : JukeboxServerIds().value_or(std::vector<DWORD>{})) {
        UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (process && ::TerminateProcess(process.Get(), 1) &&
            ::WaitForSingleObject(process.Get(), 10000) == WAIT_OBJECT_0)
            ++killed;
    }
    return killed;
}

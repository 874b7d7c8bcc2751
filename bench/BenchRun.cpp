#include "BenchRun.h"

namespace {

constexpr char kBaselineClass[] = "VantrelStartUpBaseline";

// The window by its class, for the program as for the baseline: one cheap
// look, so that watching for it costs both the same.
HWND FindWindowOf(const ProgramRun& run, const std::string& program)
{
    const HWND window = ::FindWindowA(IsProgram(program) ? kMainWindowClass : kBaselineClass, nullptr);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    return owner == run.ProcessId() ? window : nullptr;
}

}  // namespace

HWND Run::Window(DWORD lookMs)
{
    if (m_window == nullptr && lookMs > 0) {
        ::Sleep(lookMs);
        m_window = FindWindowOf(m_run, m_program);
    } else if (m_window == nullptr) {
        WaitUntil([&] { return (m_window = FindWindowOf(m_run, m_program)) != nullptr || m_run.HasExited(); });
    }
    return m_window;
}

void Run::Close()
{
    if (m_run.HasExited())
        return;
    if (Window() != nullptr)
        ::SendMessageTimeoutA(m_window, WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, nullptr);
    m_run.WaitForExit();
}

#include "module/ModuleOutbox.h"

#include <cstdio>
#include <optional>

#include "common/EventLog.h"
#include "framework/UniqueResource.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "module/ModuleMailbox.h"
#include "module/ModuleMemoryMap.h"
#include "module/ModuleMemoryWrites.h"
#include "module/ModuleWriteLine.h"
#include "module/OutboxWatch.h"
#include "module/rzmb.h"

namespace {

using Clock = OutboxWatch::Clock;

constexpr DWORD kPollPauseMs = 1;
// A module back from a stall takes a block some tens of milliseconds after
// its doorbell; a look at this pace sees it soon after, at the cost of one
// read of the count.
constexpr UINT kLookIntervalMs = 10;

enum class PollEnd
{
    Taken,        // the count reached the block's length
    TimedOut,     // the bound passed first
    Unread,       // a read failed: whether the module took the block is not known
    SwitchedOff,  // delivery was switched off
};

void StopLooking(HWND window)
{
    ::KillTimer(window, kModuleOutboxTimerId);
}

// The window whose timer looks at the outbox, while it runs.
using LookingTimer = UniqueResource<HWND, &StopLooking>;

// What the outbox holds and waits for, and its timer; user-interface thread
// only.
struct Outbox
{
    OutboxWatch watch;
    LookingTimer timer;
};

Outbox& TheOutbox()
{
    static Outbox outbox;
    return outbox;
}

OutboxWatch& Watch()
{
    return TheOutbox().watch;
}

void LogMissedBlock(unsigned count, std::uint32_t length)
{
    char line[96];
    std::snprintf(line, sizeof line, "Module did not take the block: count %u of %u after %u ms", count,
                  static_cast<unsigned>(length), static_cast<unsigned>(OutboxWatch::kBound.count()));
    AppendLogLine(line);
}

void LogHeldBlock(const char* what, const ModuleWriteRecord& block)
{
    AppendLogLine((what + FormatModuleBytes(block.length, block.data)).c_str());
}

std::optional<unsigned> ReadOutboxCount()
{
    unsigned char count = 0;
    if (RzmaGetMem(ModuleMap::OutboxCount, 1, &count) == 0)
        return std::nullopt;
    return count;
}

// Waits until the module's count reaches the block's length, a read fails,
// delivery is switched off, or the bound passes.
PollEnd PollOutboxCount(std::uint32_t length)
{
    const auto deadline = Clock::now() + OutboxWatch::kBound;
    while (ModuleWritesEnabled != 0) {
        const std::optional<unsigned> count = ReadOutboxCount();
        if (count && *count >= length)
            return PollEnd::Taken;
        ::Sleep(kPollPauseMs);
        if (!count)
            return PollEnd::Unread;
        if (Clock::now() >= deadline) {
            LogMissedBlock(*count, length);
            return PollEnd::TimedOut;
        }
    }
    return PollEnd::SwitchedOff;
}

// Data, count, doorbell, each logged; false when a write failed or delivery
// was switched off by another thread between two steps.
bool RingOutbox(const ModuleWriteRecord& record)
{
    constexpr unsigned char kCountReset = 0x00;
    return ModuleWritesEnabled != 0 &&
           WriteModuleMemory(ModuleMap::OutboxData, record.length, record.data) != 0 && ModuleWritesEnabled != 0 &&
           WriteModuleMemory(ModuleMap::OutboxCount, 1, &kCountReset) != 0 && ModuleWritesEnabled != 0 &&
           WriteModuleMemory(ModuleMap::OutboxDoorbell, 1, &ModuleMap::kDoorbellRing) != 0;
}

// The usual way: rung, then polled until taken or the bound.
void Deliver(const ModuleWriteRecord& record)
{
    if (!RingOutbox(record))
        return;
    const auto rung = Clock::now();
    switch (PollOutboxCount(record.length)) {
    case PollEnd::Taken:
        Watch().Taken();
        break;
    case PollEnd::TimedOut:
        Watch().Missed(record.length);
        break;
    case PollEnd::Unread:
        Watch().Rung(record.length, rung);
        break;
    case PollEnd::SwitchedOff:
        break;
    }
}

// Rung for a stalled module; the timer's looks follow it.
void Probe(const ModuleWriteRecord& record)
{
    if (RingOutbox(record))
        Watch().Rung(record.length, Clock::now());
}

void CALLBACK LookAtOutboxOnTimer(HWND, UINT, UINT_PTR, DWORD);

// Runs the timer while something waits for a look, and only then, so that
// an idle program does no work. Without a main window the blocks still move
// on as further blocks come.
void KeepLooking()
{
    LookingTimer& timer = TheOutbox().timer;
    const bool needed = Watch().NeedsLook();
    if (needed == static_cast<bool>(timer))
        return;
    if (!needed) {
        timer.Reset();
        return;
    }
    CWinThread* thread = AfxGetThread();
    CWnd* mainWindow = thread != nullptr ? thread->GetMainWnd() : nullptr;
    const HWND window = mainWindow != nullptr ? mainWindow->GetSafeHwnd() : nullptr;
    if (window != nullptr && ::SetTimer(window, kModuleOutboxTimerId, kLookIntervalMs, &LookAtOutboxOnTimer) != 0)
        timer.Reset(window);
}

void DropHeldBlocks()
{
    if (const std::size_t dropped = Watch().Forget()) {
        char line[64];
        std::snprintf(line, sizeof line, "Module writes off: %u held blocks dropped", static_cast<unsigned>(dropped));
        AppendLogLine(line);
    }
}

// One look at the outbox: at most one block goes out, so that the window
// handles its other messages between two. True when a block was written.
bool LookAtOutbox()
{
    OutboxWatch& watch = Watch();
    bool wrote = false;
    if (ModuleWritesEnabled == 0) {
        DropHeldBlocks();
    } else {
        const std::optional<unsigned> count = watch.Watching() ? ReadOutboxCount() : std::nullopt;
        const OutboxWatch::Decision decision = watch.Next(count, Clock::now());
        if (decision.missed)
            LogMissedBlock(decision.missed->count, decision.missed->length);
        if (decision.step != OutboxWatch::Step::Wait) {
            const ModuleWriteRecord oldest = watch.Held().TakeOldest();
            if (decision.step == OutboxWatch::Step::Deliver)
                Deliver(oldest);
            else
                Probe(oldest);
            wrote = true;
        }
    }
    KeepLooking();
    return wrote;
}

void CALLBACK LookAtOutboxOnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    try {
        // A block written here needs the module's quiet time after it too.
        if (LookAtOutbox())
            ::Sleep(kModuleClosingPauseMs);
    } catch (...) {
        // Nothing may unwind through the system's frames.
    }
}

}  // namespace

void AcceptModuleBlock(const ModuleWriteRecord& record)
{
    OutboxWatch& watch = Watch();
    if (ModuleWritesEnabled != 0 && watch.Free()) {
        Deliver(record);
        KeepLooking();
        return;
    }
    if (ModuleWritesEnabled != 0) {
        const HeldModuleBlocks::Displaced displaced = watch.Held().Hold(record);
        if (displaced.replaced)
            LogHeldBlock("Held module block replaced by a newer state: ", *displaced.replaced);
        if (displaced.dropped)
            LogHeldBlock("Held module block dropped for room: ", *displaced.dropped);
    }
    LookAtOutbox();
}

void SwitchModuleWritesOff()
{
    ModuleWritesEnabled = 0;
    DropHeldBlocks();
    KeepLooking();
}

#include "module/ModuleMailbox.h"

#include <chrono>
#include <cstdio>
#include <cstring>

#include "common/EventLog.h"
#include "framework/PayloadPost.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "module/ModuleMemoryMap.h"
#include "module/ModuleMemoryWrites.h"
#include "module/ProgramKeyPorts.h"
#include "module/RemoteKeyActions.h"
#include "module/rzmb.h"

std::atomic<int> ModuleWritesEnabled{0};

namespace {

PostedPayloadQueue<ModuleWriteRecord>& PendingBlocks()
{
    static PostedPayloadQueue<ModuleWriteRecord> pending;
    return pending;
}

constexpr DWORD kClosingPauseMs = 5;
constexpr DWORD kPollPauseMs = 1;
// A module takes a block in microseconds; even one that moved the largest
// block (256 bytes) one 8-byte packet per 1 ms bus frame would be done in
// 32 ms. A quarter of a second is therefore far beyond any live module, and
// short enough that a dead one holds the user-interface thread only briefly
// for each block.
constexpr std::chrono::milliseconds kPollLimit{250};
// Once a block has waited out that bound, the module is taken to have
// stopped: each later block gets only a brief look, so that a backlog of
// blocks (up to the hand-over queue's bound of them) holds everything else on
// the user-interface thread up hardly longer than the closing pauses do,
// instead of a quarter of a second each. The full bound comes back as soon
// as the module is seen to take a block again.
constexpr std::chrono::milliseconds kStoppedModulePollLimit{2};

enum class PollEnd
{
    Taken,     // the count reached the block's length
    TimedOut,  // the limit passed first
    Broken,    // a read failed, or delivery was switched off
};

// Whether the module missed its bound and has not taken a block since, and
// the length of the block it was last given; user-interface thread only.
bool g_moduleStopped = false;
std::uint32_t g_lastLength = 0;

// Waits until the module's count reaches the block's length, a read fails,
// delivery is switched off, or the limit passes.
PollEnd PollOutboxCount(std::uint32_t length, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (ModuleWritesEnabled != 0) {
        unsigned char count = 0;
        const bool read = RzmaGetMem(ModuleMap::OutboxCount, 1, &count) != 0;
        if (count >= length)
            return PollEnd::Taken;
        ::Sleep(kPollPauseMs);
        if (!read)
            return PollEnd::Broken;
        if (std::chrono::steady_clock::now() >= deadline) {
            char line[96];
            std::snprintf(line, sizeof line, "Module did not take the block: count %u of %u after %u ms",
                          static_cast<unsigned>(count), static_cast<unsigned>(length),
                          static_cast<unsigned>(limit.count()));
            AppendLogLine(line);
            return PollEnd::TimedOut;
        }
    }
    return PollEnd::Broken;
}

// A stopped module may have taken its last block since that block's brief
// look ended; it then gets the full bound again.
bool StoppedModuleTookItsLastBlock()
{
    unsigned char count = 0;
    return RzmaGetMem(ModuleMap::OutboxCount, 1, &count) != 0 && count >= g_lastLength;
}

// Data, count, doorbell, each logged, then the poll. A failed write ends the
// delivery, and so does delivery being switched off by another thread
// between two steps.
void DeliverThroughOutbox(const ModuleWriteRecord& record)
{
    constexpr unsigned char kCountReset = 0x00;
    if (ModuleWritesEnabled == 0)
        return;
    if (g_moduleStopped && StoppedModuleTookItsLastBlock())
        g_moduleStopped = false;
    if (WriteModuleMemory(ModuleMap::OutboxData, record.length, record.data) == 0 || ModuleWritesEnabled == 0)
        return;
    if (WriteModuleMemory(ModuleMap::OutboxCount, 1, &kCountReset) == 0 || ModuleWritesEnabled == 0)
        return;
    if (WriteModuleMemory(ModuleMap::OutboxDoorbell, 1, &ModuleMap::kDoorbellRing) == 0)
        return;
    g_lastLength = record.length;
    const PollEnd end = PollOutboxCount(record.length, g_moduleStopped ? kStoppedModulePollLimit : kPollLimit);
    if (end != PollEnd::Broken)
        g_moduleStopped = end == PollEnd::TimedOut;
}

}  // namespace

void PostModuleWrite(std::uint32_t length, const unsigned char* data)
{
    if (length == 0 || length > ModuleWriteRecord::kCapacity || data == nullptr)
        return;
    ModuleWriteRecord record;
    record.length = length;
    std::memcpy(record.data, data, length);

    CWinThread* thread = AfxGetThread();
    CWnd* mainWindow = thread != nullptr ? thread->GetMainWnd() : nullptr;
    if (mainWindow == nullptr)
        return;
    PostPayloadMessage(mainWindow->GetSafeHwnd(), WM_MODULE_WRITE, 0, PendingBlocks(), std::move(record));
}

void DeliverModuleWrites(LPARAM token)
{
    for (const ModuleWriteRecord& record : PendingBlocks().TakeThrough(static_cast<std::uintptr_t>(token)))
        WriteModuleBlock(record);
}

void WriteModuleBlock(const ModuleWriteRecord& record)
{
    if (record.length >= 1 && record.length <= ModuleWriteRecord::kCapacity)
        DeliverThroughOutbox(record);
    // The module needs this quiet time after every block, also after one
    // that was not written.
    ::Sleep(kClosingPauseMs);
}

void UpdateModuleWritesEnabled()
{
    ProgramModuleAccess module;
    UpdateModuleWritesEnabled(module);
}

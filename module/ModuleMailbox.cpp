#include "module/ModuleMailbox.h"

#include <cstring>

#include "framework/PayloadPost.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"
#include "module/ModuleOutbox.h"
#include "module/ProgramKeyPorts.h"
#include "module/RemoteKeyActions.h"

std::atomic<int> ModuleWritesEnabled{0};

namespace {

PostedPayloadQueue<ModuleWriteRecord>& PendingBlocks()
{
    static PostedPayloadQueue<ModuleWriteRecord> pending;
    return pending;
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
        AcceptModuleBlock(record);
    // The module needs this quiet time after every block, also after one
    // that was not written.
    ::Sleep(kModuleClosingPauseMs);
}

void UpdateModuleWritesEnabled()
{
    ProgramModuleAccess module;
    UpdateModuleWritesEnabled(module);
}

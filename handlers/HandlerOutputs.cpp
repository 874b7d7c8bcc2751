#include "handlers/HandlerOutputs.h"

#include "jukebox/JukeboxCommandChannel.h"
#include "module/ModuleMailbox.h"

void PostEventBlock(const EventBlock& block)
{
    PostModuleWrite(block.length, block.bytes.data());
}

void PostWmAppcommandZero()
{
    PostJukeboxCommand(203, "WmAppcommand" "=0");
}

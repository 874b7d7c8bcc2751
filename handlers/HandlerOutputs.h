// What the jukebox event handlers send on: a block for the device module and
// the jukebox command 203. The program defines these over its message
// hand-overs (HandlerOutputs.cpp); tests that run the handlers outside the
// program define them to record what the handlers sent.
#pragma once

#include "handlers/EventBlock.h"

// Queues the block for the device module (it is written later, on the
// user-interface thread).
void PostEventBlock(const EventBlock& block);

// Queues jukebox command 203 with the text "WmAppcommand=0": the setting the
// program gives every jukebox it talks to, at start-up and whenever the
// jukebox announces that it has been launched anew.
void PostWmAppcommandZero();

// Start-up to ready, measured from outside on the program as it ships: the
// time from CreateProcess to each jukebox call of its start-up, as the
// jukebox's journal times them, up to command 203, which ends it. Against
// StartUpBaseline.exe, which makes the same calls in the same order and
// nothing else, so that the ratio is the program's own cost (goals: at most
// 1.2 times the baseline with the jukebox's server already running, at most
// 1.5 times with the server started by the first call). Medians of
// alternating runs; every run's times go to startup-calls.dat.
#pragma once

#include <memory>

#include "JukeboxControl.h"

// The connection to the jukebox is let go while its server must end, and
// made anew afterwards.
void MeasureStartUp(std::unique_ptr<JukeboxControl>& jukebox);

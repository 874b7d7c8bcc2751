// The program's fatal failures: data-less types that nothing catches, so the
// process ends through the crash report.
#pragma once

#include "framework/FatalError.h"

// COM could not be initialised or a jukebox object could not be created.
struct ComException : FatalError
{
};

// The main window could not be destroyed.
struct Exception : FatalError
{
};

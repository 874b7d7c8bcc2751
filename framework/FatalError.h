// Base of the program's fatal failures. The framework lets them end the
// process (through the crash report) instead of swallowing them at a window
// procedure, as it does with every other exception.
#pragma once

struct FatalError
{
};

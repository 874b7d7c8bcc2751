// The raw samples behind a benchmark's figures, in a text file beside the
// benchmark's program, where scripts/bench.sh finds them to draw its picture.
#pragma once

#include <fstream>

// A new file of that name in the benchmark program's folder (replacing one of
// an earlier run); a stream that writes nowhere if it cannot be made.
std::ofstream SamplesFile(const char* name);

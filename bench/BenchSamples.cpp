#include "BenchSamples.h"

#include "ProgramRun.h"

std::ofstream SamplesFile(const char* name)
{
    return std::ofstream(ProgramFolder() + "\\" + name, std::ios::trunc);
}

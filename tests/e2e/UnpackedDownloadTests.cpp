// The program as a user unpacks it from the download, beside the module
// library that came with it. The download's test names the unpacked program
// in VANTREL_UNPACKED_PROGRAM; without it there is nothing to run.
#include <cstdlib>

#include "E2eEnvironment.h"

using UnpackedDownloadTest = ProgramTest;

TEST_F(UnpackedDownloadTest, StartsTalksToTheJukeboxAndClosesWithExitCodeZero)
{
    const char* program = std::getenv("VANTREL_UNPACKED_PROGRAM");
    if (program == nullptr)
        GTEST_SKIP() << "VANTREL_UNPACKED_PROGRAM names no unpacked program";
    StartProgram("-debug", program);
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
}

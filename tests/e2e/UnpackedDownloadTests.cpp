// The program as a user unpacks it from the download. The download's test
// names the unpacked program in VANTREL_UNPACKED_PROGRAM, and in
// VANTREL_UNPACKED_MODULE_LIBRARY the module library it put beside it (none
// when empty); without a program there is nothing to run.
#include <cstdlib>
#include <string>

#include "E2eEnvironment.h"
#include "module/ModuleLibraryNote.h"

using UnpackedDownloadTest = ProgramTest;

TEST_F(UnpackedDownloadTest, StartsWithOrWithoutAModuleLibraryTalksToTheJukeboxAndClosesWithExitCodeZero)
{
    const char* program = std::getenv("VANTREL_UNPACKED_PROGRAM");
    if (program == nullptr)
        GTEST_SKIP() << "VANTREL_UNPACKED_PROGRAM names no unpacked program";
    const char* library = std::getenv("VANTREL_UNPACKED_MODULE_LIBRARY");
    StartProgram("-debug", program);
    const std::vector<std::string> log = LogTexts(SaveLog());
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.front(), library != nullptr && *library != '\0' ? LoadedModuleLibraryNote(library)
                                                                 : UnloadableModuleLibraryNote(ERROR_MOD_NOT_FOUND));
    CloseProgram();
    EXPECT_EQ(m_run->ExitCode(), 0u);
}

# Settings shared by every Windows target.
add_compile_definitions(
  WIN32_LEAN_AND_MEAN NOMINMAX STRICT
  _WIN32_WINNT=0x0601 WINVER=0x0601 _WIN32_IE=0x0600
)
add_compile_options(
  -Wall -Wextra -Wno-unused-parameter
  # The crash report walks the frame-pointer chain.
  -fno-omit-frame-pointer
)
# Runs on a clean Windows without the MinGW runtime DLLs.
add_link_options(-static -static-libgcc -static-libstdc++)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -O coff")

# Every program of the build in one folder: the program finds its module
# library beside it, and the tests and the demo find the program there.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

# The version resource's numbers and texts, from the project's version.
configure_file(${PROJECT_SOURCE_DIR}/res/Version.h.in ${PROJECT_BINARY_DIR}/res/Version.h @ONLY)
include_directories($<$<COMPILE_LANGUAGE:RC>:${PROJECT_BINARY_DIR}/res>)

# Cross build for 32-bit Windows with Debian's MinGW-w64 (posix thread model,
# so std::thread and std::mutex are available; the runtime is linked statically).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VANTREL_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${VANTREL_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VANTREL_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VANTREL_TRIPLET}-windres)
set(VANTREL_WIDL ${VANTREL_TRIPLET}-widl)
set(VANTREL_WIDL_FLAGS --win32)
set(CMAKE_FIND_ROOT_PATH /usr/${VANTREL_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

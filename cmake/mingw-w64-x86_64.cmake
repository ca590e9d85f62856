# Cross-builds the Windows program (64-bit x86) on Debian with MinGW-w64, the POSIX-threads
# variant of g++ (package g++-mingw-w64-x86-64-posix: std::thread and std::mutex work).
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# scripts/build-windows.sh does this, and ./test.sh runs the result under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZM_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZM_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZM_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZM_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The C and C++ run-times and winpthread linked in, so that every .exe needs only the DLLs that
# come with Windows.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine (scripts/wine-run.sh keeps its prefix inside the build folder).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run.sh)

# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 and runs what it
# builds under Wine. The posix thread model gives the standard library its
# full std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# No MinGW runtime DLLs beside the programs: each .exe runs on its own.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Wine quiet, without a window (a crash report goes to the console instead of
# a dialog nobody can close) and with its own prefix in the build folder, so
# neither ~/.wine nor a display is needed. The first start creates the prefix,
# which takes several seconds.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
    WINEDEBUG=-all WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix wine)

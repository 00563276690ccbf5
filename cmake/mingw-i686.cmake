# Cross build for 32-bit Windows with Debian's MinGW-w64. The win32 thread
# model keeps winpthread out: with the posix model, -static links it into
# every program, and it imports GetTickCount64, which Windows XP lacks, so
# no program would start there. Nothing of ours uses std::thread or
# std::mutex, which this model's C++ library does not have; GoogleTest gets
# the one class it builds on them from tests/gtest-port.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# Cross build for 64-bit Windows with Debian's mingw-w64 (posix threads), the tests run under Wine:
#   cmake -S . -B build-win --toolchain cmake/mingw-w64.cmake -DKORVANE_BUILD_UI=OFF
# scripts/build-windows.sh builds Qt for Windows with this file too (cmake --preset windows loads it
# through Qt's toolchain file).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(triplet x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The rest is for Korvane's own programs, not for Qt's build.
if(CMAKE_PROJECT_NAME STREQUAL "Korvane")
  # Everything linked in, so that the programs run without hunting for the compiler's DLLs.
  set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
  set(ZLIB_USE_STATIC_LIBS ON)
  # Test programs run through Wine, with a prefix of its own under the build folder.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
endif()

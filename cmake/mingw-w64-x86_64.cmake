# Cross-builds for Windows x86_64 with Debian's mingw-w64 (posix thread model,
# the one the Qt of ../shared/windows was built with: std::thread and the
# C++ runtime DLLs must match it).
# Use through Qt's own toolchain, which chains this one:
#   <qt>/bin/qt-cmake -DQT_CHAINLOAD_TOOLCHAIN_FILE=<this file> ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TARVEX_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   /usr/bin/${TARVEX_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER /usr/bin/${TARVEX_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER  /usr/bin/${TARVEX_MINGW_TRIPLET}-windres)
set(CMAKE_AR           /usr/bin/${TARVEX_MINGW_TRIPLET}-ar)
set(CMAKE_RANLIB       /usr/bin/${TARVEX_MINGW_TRIPLET}-ranlib)
set(CMAKE_FIND_ROOT_PATH /usr/${TARVEX_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

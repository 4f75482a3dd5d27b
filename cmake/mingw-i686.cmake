# Cross-compiles for 32-bit Windows with MinGW-w64 and runs the results under Wine.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686-target.cmake)
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)

# A game folder holds no MinGW runtime DLLs: link libgcc, libstdc++ and winpthread in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")

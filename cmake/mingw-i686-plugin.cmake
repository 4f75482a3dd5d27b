# Builds the plugin DLL a game folder receives: MinGW-w64's GCC with the win32 thread model,
# so no threading runtime comes along (the posix one keeps a thread-local slot per load and
# never gives it back), and LLVM's linker, which drops every function nothing calls where
# GNU ld keeps them all alive through their unwind tables.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686-target.cmake)
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-win32)

# Every function and datum in a section of its own, so the linker can leave out what is unused.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -Wl,--gc-sections")

# This GCC always links with GNU ld, so clang's driver links instead: the same GCC runtime
# (its crtbegin.o through -B, its libraries through -L), handed to lld.
file(GLOB MINGW_GCC_DIRS /usr/lib/gcc/${MINGW_PREFIX}/*-win32)
list(GET MINGW_GCC_DIRS 0 MINGW_GCC_DIR)
set(LUMEVA_LLD_DRIVER "clang++-14 --target=${MINGW_PREFIX} -fuse-ld=lld -B${MINGW_GCC_DIR} -L${MINGW_GCC_DIR}")
set(CMAKE_USER_MAKE_RULES_OVERRIDE_CXX ${CMAKE_CURRENT_LIST_DIR}/lld-link-rules.cmake)

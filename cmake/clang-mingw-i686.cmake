# Cross-compiles for 32-bit Windows with Debian's clang on the MinGW-w64 headers and the C++
# library of MinGW's GCC (posix thread model, which GoogleTest needs), and runs the results
# under Wine. The second compiler keeps the sources free of what only GCC accepts.
# Its DLL serves the tests only: on i686 MinGW clang passes an empty class (an iterator tag)
# in no stack slot where GCC gives it one, so clang's copy of a library template can be
# linked in place of GCC's and then be called by GCC's compiled library with the stack one
# slot off. A test run may show that; a DLL a game folder receives must never hold it.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686-target.cmake)
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET ${MINGW_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${MINGW_PREFIX})

# clang finds the MinGW headers but not the C++ library of MinGW's GCC: name it.
file(GLOB MINGW_GCC_DIRS /usr/lib/gcc/${MINGW_PREFIX}/*-posix)
list(GET MINGW_GCC_DIRS 0 MINGW_GCC_DIR)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${MINGW_GCC_DIR}/include/c++ -isystem ${MINGW_GCC_DIR}/include/c++/${MINGW_PREFIX} -isystem ${MINGW_GCC_DIR}/include/c++/backward")

# A game folder holds no MinGW runtime DLLs: link libgcc, libstdc++ and winpthread in. The
# runtime libraries need winpthread after themselves, where clang's list does not name it, so
# what they take from it is taken in ahead of them (only that: not its version resource).
set(MINGW_WINPTHREAD_SYMBOLS
    _clock_gettime _nanosleep _pthread_cond_broadcast _pthread_cond_destroy _pthread_cond_signal _pthread_cond_wait
    _pthread_create _pthread_detach _pthread_getspecific _pthread_join _pthread_key_create _pthread_key_delete
    _pthread_mutex_destroy _pthread_mutex_init _pthread_mutex_lock _pthread_mutex_unlock _pthread_num_processors_np _pthread_once
    _pthread_rwlock_rdlock _pthread_rwlock_unlock _pthread_rwlock_wrlock _pthread_setspecific)
set(MINGW_WINPTHREAD "")
foreach(symbol ${MINGW_WINPTHREAD_SYMBOLS})
  string(APPEND MINGW_WINPTHREAD " -Wl,-u,${symbol}")
endforeach()
string(APPEND MINGW_WINPTHREAD " -lpthread")
# GCC's own crtbegin.o registers the unwind tables its exception handling needs; -B makes
# clang take it instead of the plain one of the MinGW-w64 runtime.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -B${MINGW_GCC_DIR} -L${MINGW_GCC_DIR}${MINGW_WINPTHREAD}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -B${MINGW_GCC_DIR} -L${MINGW_GCC_DIR}${MINGW_WINPTHREAD}")

// With GCC's C++ library, the default handler for an exception nobody catches prints the
// exception's demangled type, which takes the whole demangler into the DLL. The plugin
// catches every exception at its exports, so an uncaught one cannot happen there; if it
// ever did, ending at once says as much.
#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
// The runtime's own name for the handler, which this definition takes the place of.
// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

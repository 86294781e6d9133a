// std::terminate in a window program: libstdc++'s default handler prints the uncaught
// exception's demangled name to a console the program does not have, then aborts. Defining that
// handler here, as a plain abort, keeps it and the C++ name demangler (about 45 KB) out of the exe.
#include <cstdlib>

#if defined(__GLIBCXX__)
namespace __gnu_cxx {
[[noreturn]] void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
#endif

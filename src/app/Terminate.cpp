// What happens when an exception has nowhere to go: one thrown through a function that may
// not throw, or while another is still unwinding. The runtime's own handler does the same but
// spells the type out, which takes a symbol demangler several times the size of this program's
// largest window; the mangled name is enough for whoever reads the error output.
#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <typeinfo>

#if defined(MELODEX_COVERAGE)
extern "C" void __gcov_dump();
#endif

namespace __gnu_cxx {

// Defined here, this takes the runtime's default handler's place.
void __verbose_terminate_handler() {
  if (const std::type_info* type = abi::__cxa_current_exception_type()) {
    std::fputs("terminate called after throwing an exception of type ", stderr);
    std::fputs(type->name(), stderr);
    std::fputs("\n", stderr);
  } else {
    std::fputs("terminate called without an active exception\n", stderr);
  }
#if defined(MELODEX_COVERAGE)
  __gcov_dump();  // a coverage build keeps the counts of a run that ends here
#endif
  std::abort();  // the system tells the user the program ended abnormally
}

}  // namespace __gnu_cxx

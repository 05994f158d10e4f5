// The handler the C++ runtime calls for an exception nobody catches. The runtime's own prints
// the exception's demangled type on standard error, which a windowed program does not have, and
// brings in the runtime's demangler, some 49 KB of the 32-bit executable.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
  std::abort();
}

}  // namespace __gnu_cxx

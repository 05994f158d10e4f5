// The functions through which libstdc++'s inline code throws, defined here: libstdc++'s object
// that holds them also brings a formatter for one of them and the classes of errors the program
// never meets (bad_cast, bad_typeid), which on Windows the linker would keep whole. The one
// formatted message keeps its format's words without the numbers: it only ever tells of a fault.
#include <new>
#include <stdexcept>

namespace std {

void __throw_bad_alloc() {
  throw bad_alloc();
}
void __throw_bad_array_new_length() {
  throw bad_array_new_length();
}
void __throw_logic_error(const char* what) {
  throw logic_error(what);
}
void __throw_length_error(const char* what) {
  throw length_error(what);
}
void __throw_invalid_argument(const char* what) {
  throw invalid_argument(what);
}
void __throw_out_of_range(const char* what) {
  throw out_of_range(what);
}
void __throw_out_of_range_fmt(const char* format, ...) {
  throw out_of_range(format);
}

}  // namespace std

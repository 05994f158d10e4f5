// Members of std::string that libstdc++'s own objects call, which the program's code keeps only
// inlined. Defined here, they keep the linker from taking libstdc++'s instantiation of the whole
// class, which on Windows it would keep whole: it keeps every unwind entry, and so every function
// an entry names. Some 28 KB of the 32-bit executable.
#include <string>

template std::string::pointer std::string::_M_create(std::string::size_type&,
                                                     std::string::size_type);
template void std::string::_M_assign(const std::string&);

// The holder of an exception's message, and the one exception constructor from a string the
// program calls: its one pointer is the old string's (exception_message_strings.cpp makes it).
#include <cstddef>
#include <stdexcept>

namespace vantrel::win32 {
void makeExceptionMessage(void* where, const char* text, std::size_t length);
}

std::__cow_string::__cow_string(const char* text, std::size_t length) {
  vantrel::win32::makeExceptionMessage(&_M_p, text, length);
}

std::runtime_error::runtime_error(const std::string& what) : _M_msg(what.data(), what.size()) {}

// libstdc++'s exception classes keep their messages in the reference-counted string of its old
// ABI. The members they call are defined here: otherwise the linker takes libstdc++'s
// instantiation of that whole class, and on Windows keeps all of it (it keeps every unwind entry,
// and so every function an entry names), with std::random_device, which the class's object also
// holds, and through that the whole of today's std::string. Some 34 KB of the 32-bit executable.
#define _GLIBCXX_USE_CXX11_ABI 0  // before any header: this file knows the old string only
#include <string>

using OldString = std::string;
using Size = OldString::size_type;
using Allocator = OldString::allocator_type;

template OldString::_Rep* OldString::_Rep::_S_create(Size, Size, const Allocator&);
template void OldString::_Rep::_M_destroy(const Allocator&);
template void OldString::_Rep::_M_dispose(const Allocator&);
template char* OldString::_Rep::_M_clone(const Allocator&, Size);
template char* OldString::_S_construct(Size, char, const Allocator&);
template void OldString::swap(OldString&);
template OldString& OldString::assign(const OldString&);

// The exception classes' constructors from a C string are defined here too, and, in
// string_members.cpp, the one constructor of their message's holder they need: libstdc++'s object
// that has them also carries transactional-memory copies of every exception constructor, some
// 12 KB of the 32-bit executable.
#include <cstddef>
#include <new>
#include <stdexcept>

namespace vantrel::win32 {

// The message of an exception, kept in the old string, made in `where` (that string's one pointer).
void makeExceptionMessage(void* where, const char* text, std::size_t length) {
  ::new (where) OldString(text, length);
}

}  // namespace vantrel::win32

namespace std {

logic_error::logic_error(const char* what) : _M_msg(what) {}
domain_error::domain_error(const char* what) : logic_error(what) {}
invalid_argument::invalid_argument(const char* what) : logic_error(what) {}
length_error::length_error(const char* what) : logic_error(what) {}
out_of_range::out_of_range(const char* what) : logic_error(what) {}
runtime_error::runtime_error(const char* what) : _M_msg(what) {}
range_error::range_error(const char* what) : runtime_error(what) {}
overflow_error::overflow_error(const char* what) : runtime_error(what) {}
underflow_error::underflow_error(const char* what) : runtime_error(what) {}

}  // namespace std

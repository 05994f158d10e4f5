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

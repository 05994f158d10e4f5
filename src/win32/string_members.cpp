// Members of std::string that libstdc++'s own objects call, which the program's code keeps only
// inlined. Defined here, they keep the linker from taking libstdc++'s instantiation of the whole
// class, which on Windows it would keep whole: it keeps every unwind entry, and so every function
// an entry names. Some 28 KB of the 32-bit executable.
#include <string>

template std::string::pointer std::string::_M_create(std::string::size_type&,
                                                     std::string::size_type);
template void std::string::_M_assign(const std::string&);

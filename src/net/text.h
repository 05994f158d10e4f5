#pragma once
// Splitting of reply lines and addresses. Positions count from 1.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::net {

// The n-th field between separators; the last one runs to the end of the text, line end included.
std::string NthField(std::string_view text, char separator, int n);

// Position of the n-th occurrence of c; length + 1 when there are fewer, and also when the n-th
// is the text's last character.
std::size_t NthCharPos(std::string_view text, char c, int n);

// The leading decimal digits of a text, at most maxDigits of them (possibly none).
std::string_view LeadingDigits(std::string_view text, std::size_t maxDigits);

// The line without its LF or CRLF, if it has one.
std::string_view withoutLineEnd(std::string_view line);

}  // namespace vantrel::net

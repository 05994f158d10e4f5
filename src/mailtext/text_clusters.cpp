#include "mailtext/text_clusters.h"

#include "mailtext/code_point_kinds.h"
#include "mailtext/utf8_text.h"

namespace vantrel::mailtext {

std::size_t clusterEnd(std::string_view text, std::size_t at) {
  const CodePoint first = codePointAt(text, at);
  std::size_t end = at + first.length;
  char32_t previous = first.value;
  bool flagHalf = isRegionalIndicator(first.value);
  while (end < text.size()) {
    const CodePoint next = codePointAt(text, end);
    const bool pairsFlag = flagHalf && isRegionalIndicator(next.value);
    const bool joined =
        previous == kZeroWidthJoiner && next.value > 0x20 && !isWhiteSpace(next.value);
    if (!pairsFlag && !joined && !extendsCharacter(next.value)) break;
    flagHalf = false;
    previous = next.value;
    end += next.length;
  }
  return end;
}

}  // namespace vantrel::mailtext

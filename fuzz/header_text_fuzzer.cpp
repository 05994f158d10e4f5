// The header decoder on any bytes, with and without the system's character sets: what it gives
// is well-formed UTF-8; what it makes a shown line holds no control, no direction override and no
// space at an end or two in a row; a cut line is no longer than asked, and what it keeps ends
// between whole characters (no mark, joiner or skin tone cut from what it belongs to).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "mailtext/encoded_words.h"
#include "mailtext/header_text.h"
#include "mailtext/sender_name.h"
#include "mailtext/shown_text.h"
#include "platform/posix/text_conversion_posix.h"

namespace {

// Written apart from the decoder's own reading, so that the two cannot share a fault: the code
// points of well-formed UTF-8, or abort.
template <typename Visit>
void eachCodePoint(std::string_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80       ? 1
                               : lead >> 5 == 6  ? 2
                               : lead >> 4 == 14 ? 3
                               : lead >> 3 == 30 ? 4
                                                 : 0;
    if (length == 0 || i + length > text.size()) std::abort();
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if (next >> 6 != 2) std::abort();
      value = (value << 6) | (next & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
      std::abort();
    }
    visit(value);
    i += length;
  }
}

std::size_t wellFormedLength(std::string_view text) {
  std::size_t count = 0;
  eachCodePoint(text, [&count](char32_t) { ++count; });
  return count;
}

void checkShown(std::string_view text) {
  char32_t previous = ' ';
  eachCodePoint(text, [&previous](char32_t c) {
    const bool forbidden = c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || c == 0x200E ||
                           c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
                           (c >= 0x2066 && c <= 0x2069) || c == 0x2028 || c == 0x2029;
    if (forbidden || (c == ' ' && previous == ' ')) std::abort();
    previous = c;
  });
  if (previous == ' ' && !text.empty()) std::abort();
}

std::vector<char32_t> codePoints(std::string_view text) {
  std::vector<char32_t> points;
  eachCodePoint(text, [&points](char32_t c) { points.push_back(c); });
  return points;
}

// `cut` of the well-formed `whole`: unless whole (or nothing, for no room at all), its start less
// the ellipsis is where a reader would let the rest go, judged by a few kinds of characters that
// belong to the one before them.
void checkCut(std::string_view whole, std::string_view cut) {
  const auto all = codePoints(whole);
  auto kept = codePoints(cut);
  if (kept == all || kept.empty()) return;
  if (kept.back() != 0x2026) std::abort();
  kept.pop_back();
  while (!kept.empty() && kept.back() == ' ') kept.pop_back();
  if (kept.size() >= all.size() || !std::equal(kept.begin(), kept.end(), all.begin())) std::abort();
  std::size_t next = kept.size();
  while (next < all.size() && all[next] == ' ') ++next;
  if (next == all.size() || kept.empty()) return;
  const char32_t after = all[next];
  const bool belongsBefore = (after >= 0x0300 && after <= 0x036F) || after == 0x200D ||
                             (after >= 0xFE00 && after <= 0xFE0F) ||
                             (after >= 0x1F3FB && after <= 0x1F3FF);
  if (next == kept.size() && (belongsBefore || kept.back() == 0x200D)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte chooses: the cut's length, whether the value was cut, the system's sets.
  const std::size_t maxChars = data[0] & 0x3F;
  const bool cut = (data[0] & 0x40) != 0;
  const vantrel::platform::posix::IconvTextConversion iconv;
  const vantrel::platform::TextConversion* system = (data[0] & 0x80) != 0 ? &iconv : nullptr;
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  const auto summary = vantrel::mailtext::summarizeHeader(bytes, system);
  checkShown(summary.from);
  checkShown(summary.subject);
  wellFormedLength(vantrel::mailtext::decodeHeaderText(bytes, system, cut));
  wellFormedLength(vantrel::mailtext::senderName(bytes, system, cut));
  const std::string shown = vantrel::mailtext::shownText(bytes);
  checkShown(shown);
  const std::string line = vantrel::mailtext::cutText(shown, maxChars);
  if (wellFormedLength(line) > maxChars) std::abort();
  checkCut(shown, line);
  if (wellFormedLength(vantrel::mailtext::cutText(bytes, maxChars)) > maxChars) std::abort();
  const std::string words = vantrel::mailtext::shownWords(bytes, maxChars);
  checkShown(words);
  if (wellFormedLength(words) > maxChars) std::abort();
  return 0;
}

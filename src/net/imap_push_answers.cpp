#include "net/imap_push_answers.h"

#include <algorithm>

#include "base/text.h"

namespace vantrel::net {

namespace {

bool allDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool tellsOfChange(const ImapLine& line) {
  // "* 3 EXISTS" reads as the keyword "3" followed by the rest.
  if (line.kind != ImapKind::Untagged || !allDigits(line.keyword)) return false;
  const std::string_view rest = line.rest;
  const std::string what = base::toUpperAscii(rest.substr(0, rest.find(' ')));
  if (what == "EXISTS" || what == "EXPUNGE") return true;
  return what == "FETCH" && base::toUpperAscii(rest).find("FLAGS") != std::string::npos;
}

}  // namespace vantrel::net

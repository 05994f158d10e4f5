#include "net/mail_summary.h"

#include <algorithm>

#include "base/text.h"

namespace vantrel::net {

namespace {

constexpr std::string_view kBlanks = " \t";

struct Named {
  std::string_view name;
  std::string TSummary::*value;
};

constexpr Named kNamedFields[] = {
    {"From", &TSummary::From},
    {"Subject", &TSummary::Subject},
    {"Message-ID", &TSummary::MessageId},
};

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

// A field name: printable characters other than the colon, blanks before the colon allowed.
bool isFieldName(std::string_view name) {
  const auto end = name.find_last_not_of(kBlanks);
  if (end == std::string_view::npos) return false;
  return std::all_of(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(end) + 1,
                     [](char c) { return c > ' ' && c <= '~'; });
}

std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

void THeaderReader::line(std::string_view text) {
  if (over_) return;
  if (text.empty()) {
    finish();
    return;
  }
  if (isBlank(text.front())) {
    // A fold of the field under way; one with no field before it belongs to nothing.
    if (inField_) {
      field_.append(text.substr(0, TSummary::kKeptHeader - field_.size()));
    }
    return;
  }
  endField();
  const auto colon = text.find(':');
  inField_ = colon != std::string_view::npos && isFieldName(text.substr(0, colon));
  if (inField_) field_.assign(text.substr(0, TSummary::kKeptHeader));
}

void THeaderReader::finish() {
  endField();
  over_ = true;
}

void THeaderReader::endField() {
  if (!inField_) return;
  inField_ = false;
  const std::string_view field = field_;
  const auto colon = field.find(':');
  const std::string_view name = trimmed(field.substr(0, colon));
  for (std::size_t i = 0; i < std::size(kNamedFields); ++i) {
    const unsigned bit = 1u << i;
    if ((found_ & bit) == 0 && base::equalsIgnoreCase(name, kNamedFields[i].name)) {
      found_ |= bit;
      summary_.*kNamedFields[i].value = trimmed(field.substr(colon + 1));
    }
  }
  // Header stays the start of the header: once a field does not fit, none after it goes in.
  if (!headerFull_ && kept_ + field.size() <= TSummary::kKeptHeader) {
    kept_ += field.size();
    summary_.Header.Add(field_);
  } else {
    headerFull_ = true;
  }
  field_.clear();
}

void readHeader(std::string_view block, TSummary& summary) {
  THeaderReader reader(summary);
  while (!block.empty()) {
    const auto lf = block.find('\n');
    std::string_view text = block.substr(0, lf);
    if (text.ends_with('\r')) text.remove_suffix(1);
    reader.line(text);
    block.remove_prefix(lf == std::string_view::npos ? block.size() : lf + 1);
  }
  reader.finish();
}

}  // namespace vantrel::net

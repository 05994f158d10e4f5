#include "mailtext/sender_name.h"

#include <cstddef>
#include <utility>

#include "mailtext/charsets.h"
#include "mailtext/encoded_words.h"
#include "mailtext/header_fields.h"
#include "mailtext/shown_text.h"

namespace vantrel::mailtext {

namespace {

std::string withoutBlanks(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (!isHeaderBlank(c)) out += c;
  }
  return out;
}

// The first mailbox of a From field, taken apart in one pass.
struct Mailbox {
  std::string outside;  // what stands outside <...>: quotes unescaped, a comment made a blank
  std::string address;  // what stands inside <...>, blanks left out
  std::string comment;  // the first comment outside <...>
  std::string group;    // the name before a group's ':'
  bool angle = false;   // an address in <...> was given
  bool commented = false;
  bool at = false;  // an '@' outside quotes and comments: the outside is an address
};

// The quoted string or comment that starts at `at`, unescaped, and where it ends. A comment
// keeps the parentheses of the comments nested in it.
std::size_t readDelimited(std::string_view text, std::size_t at, std::string& into) {
  const bool comment = text[at] == '(';
  int depth = 1;
  std::size_t i = at + 1;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\\' && i + 1 < text.size()) {
      c = text[++i];
    } else if (!comment && c == '"') {
      return i + 1;
    } else if (comment && (c == '(' || c == ')')) {
      depth += c == '(' ? 1 : -1;
      if (depth == 0) return i + 1;
    }
    into += c;
  }
  return i;
}

Mailbox firstMailbox(std::string_view from) {
  Mailbox box;
  bool inAngle = false;
  for (std::size_t i = 0; i < from.size();) {
    const char c = from[i];
    std::string& target = inAngle ? box.address : box.outside;
    // Senders put commas, colons, quotes and brackets in encoded names, which RFC 2047 forbids
    // there: a whole word is one token, so none of them ends the mailbox.
    const std::size_t wordEnd = inAngle ? std::string_view::npos : encodedWordEnd(from, i);
    if (wordEnd != std::string_view::npos) {
      box.outside += from.substr(i, wordEnd - i);
      i = wordEnd;
    } else if (c == '"') {
      i = readDelimited(from, i, target);
    } else if (c == '(') {
      std::string comment;
      i = readDelimited(from, i, comment);
      if (!inAngle && !box.commented) {
        box.comment = std::move(comment);
        box.commented = true;
      }
      if (!inAngle) box.outside += ' ';
    } else if (inAngle) {
      if (c == '>') inAngle = false;
      if (c != '>' && !isHeaderBlank(c)) box.address += c;
      ++i;
    } else if (c == '<') {
      inAngle = box.angle = true;
      ++i;
    } else if ((c == ',' || c == ';') && !box.angle && !box.commented &&
               isHeaderBlankText(box.outside)) {
      box.outside.clear();  // an empty member of the list
      ++i;
    } else if (c == ',' || c == ';') {
      break;
    } else if (c == ':' && !box.angle) {
      std::string group = std::move(box.outside);
      box = Mailbox{};
      box.group = std::move(group);
      ++i;
    } else {
      box.at = box.at || c == '@';
      box.outside += c;
      ++i;
    }
  }
  // An old route (<@relay,@relay:user@host>) is no part of the address.
  if (!box.address.empty() && box.address.front() == '@') {
    const auto colon = box.address.find(':');
    box.address = colon == std::string::npos ? std::string() : box.address.substr(colon + 1);
  }
  return box;
}

}  // namespace

std::string senderName(std::string_view from, const platform::TextConversion* system, bool cut) {
  const Mailbox box = firstMailbox(from);
  std::string name;
  std::string address;
  if (box.angle) {
    name = box.outside;
    address = box.address;
  } else if (box.at) {
    name = box.comment;  // the old "address (Name)"
    address = withoutBlanks(box.outside);
  } else {
    // No address at all: a name, or else a comment.
    name = isHeaderBlankText(box.outside) ? box.comment : box.outside;
  }
  if (!isHeaderBlankText(name)) {
    // A cut that left the name whole came after it.
    const std::string decoded = decodeHeaderText(name, system, cut && !box.angle);
    // A name of zero-width spaces or direction marks alone would hide who sent the message.
    if (!showsNothing(decoded)) return decoded;
  }
  if (!address.empty()) return utf8OrWindows1252(address);
  return decodeHeaderText(box.group, system, cut);
}

}  // namespace vantrel::mailtext

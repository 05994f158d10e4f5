#include "app/server_words.h"

#include "app/lang_texts.h"
#include "mailtext/charsets.h"
#include "mailtext/shown_text.h"

namespace vantrel::app {

std::string serverWords(std::string_view bytes) {
  return mailtext::shownWords(bytes, kServerWordsChars);
}

std::string quotingServer(std::string_view text, std::string_view placeholder,
                          std::string_view words) {
  // Placeholders are ASCII: they read the same before and after.
  return replacePlaceholder(mailtext::windows1252ToUtf8(text), placeholder, words);
}

}  // namespace vantrel::app

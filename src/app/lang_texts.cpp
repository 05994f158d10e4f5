#include "app/lang_texts.h"

#include "base/ini_file.h"
#include "base/text.h"

namespace vantrel::app {

namespace {

// Only a section without the key is offered under its own name; an empty langName is a name.
std::string offeredName(const base::IniFile& file, const std::string& section) {
  return file.readString(section, "langName", section);
}

}  // namespace

std::vector<std::string> listLanguageNames(const std::string& langFile,
                                           const base::FileAccess& files) {
  const base::IniFile file(langFile, files);
  std::vector<std::string> names;
  for (const std::string& section : file.sectionNames())
    names.push_back(offeredName(file, section));
  return names;
}

void loadBuiltinTexts(TLangTexts& texts) {
  texts.langCode = "fr";
  texts.langName = kBuiltinLangName;
  for (const LangText& text : kLangTexts) {
    auto& field = texts.*text.field;
    field.clear();
    for (const std::string_view part : text.french) field += part;
  }
}

bool loadLanguageFileTexts(TLangTexts& texts, std::string_view name, const std::string& langFile,
                           const base::FileAccess& files) {
  const base::IniFile file(langFile, files);
  for (const std::string& section : file.sectionNames()) {
    if (offeredName(file, section) != name) continue;
    texts.langCode = section;
    texts.langName = name;
    for (const LangText& text : kLangTexts)
      texts.*text.field = file.readString(section, text.key, "");
    return true;
  }
  return false;
}

TLangTexts makeLangTexts(std::string_view name, const std::string& langFile,
                         const base::FileAccess& files) {
  TLangTexts texts;
  if (name == kBuiltinLangName || !loadLanguageFileTexts(texts, name, langFile, files))
    loadBuiltinTexts(texts);
  return texts;
}

std::string replacePlaceholder(std::string_view text, std::string_view placeholder,
                               std::string_view value) {
  return base::replaceAll(text, placeholder, value);
}

}  // namespace vantrel::app

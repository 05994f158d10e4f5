#pragma once
// Kinds of code points that decide what a line of others' text shows, and where it may be cut.

namespace vantrel::mailtext {

// General category M: drawn on the character before it.
bool isCombiningMark(char32_t c);

// Unicode's Default_Ignorable_Code_Point: drawn as nothing at all (zero-width spaces and
// joiners, direction marks, word joiners, fillers, variation selectors, tags, the BOM...).
bool isDefaultIgnorable(char32_t c);

// Unicode's White_Space: drawn as blank, or not at all.
bool isWhiteSpace(char32_t c);

// A letter of a flag: two of them make one.
constexpr bool isRegionalIndicator(char32_t c) {
  return c >= 0x1F1E6 && c <= 0x1F1FF;
}

inline constexpr char32_t kZeroWidthJoiner = 0x200D;

// What extends the character before it into one a reader sees whole: combining marks (variation
// selectors among them), the zero-width (non-)joiner, tags (subdivision flags), the skin-tone
// modifiers and the half-width sound marks of Katakana.
bool extendsCharacter(char32_t c);

}  // namespace vantrel::mailtext

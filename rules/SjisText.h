// Design unit: BromString.
// String helpers for Shift-JIS (cp932) text, where a character is one byte or a
// lead byte followed by a trail byte. A trail byte may look like an ASCII
// character ('\\' or '/'), so every scan walks whole characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using TStringDynArray = std::vector<std::string>;

class TBromString {
 public:
  TBromString() = delete;

  // True when the byte starts a double-byte character.
  static bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
  }
  // Byte length of the character that starts at text[i] (1 or 2; a lead byte
  // at the very end of the text counts as one byte).
  static std::size_t CharLength(std::string_view text, std::size_t i) {
    return i + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  }
  // Number of characters; a lead byte and its trail byte count as one.
  static int CharCount(std::string_view text);
  // Splits at every occurrence of the delimiter, never matching from a trail
  // byte. An empty delimiter gives no strings; otherwise the result has one
  // more element than the text has delimiters.
  static TStringDynArray Split(std::string_view text, std::string_view delimiter);
  // The first n bytes of the text (all of it when shorter).
  static std::string LeftBytes(std::string_view text, std::size_t n);
  // The longest prefix of at most n bytes that does not end inside a
  // double-byte character.
  static std::string LeftChars(std::string_view text, std::size_t n);
  // The character at index k (0-based, counted in characters), or empty.
  static std::string CharAt(std::string_view text, int k);
  // Byte index of the first occurrence of `needle` that starts on a character
  // boundary, or npos.
  static std::size_t Find(std::string_view text, std::string_view needle);
  // Removes leading and trailing bytes up to 32 (spaces and control
  // characters). A full-width space is not removed.
  static std::string Trim(std::string_view text);
  // Equal ignoring the case of ASCII letters; double-byte characters compare
  // as they are (a trail byte is never folded).
  static bool SameText(std::string_view a, std::string_view b);
  // A signed decimal number: an optional sign and at least one digit, within
  // 32 bits. Anything else (empty, other notations, overflow) is refused and
  // leaves `value` alone.
  static bool ParseDecimal(std::string_view text, std::int32_t& value);
};

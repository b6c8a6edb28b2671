#include "script/BromString.h"

std::size_t TBromString::CharLength(std::string_view text, std::size_t i) {
  if (i + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[i]))) return 2;
  return 1;
}

int TBromString::CharCount(std::string_view text) {
  int count = 0;
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) ++count;
  return count;
}

TStringDynArray TBromString::Split(std::string_view text, std::string_view delimiter) {
  TStringDynArray parts;
  if (delimiter.empty()) return parts;
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < text.size()) {
    if (text.substr(i, delimiter.size()) == delimiter) {
      parts.push_back(LeftBytes(text.substr(start), i - start));
      i += delimiter.size();
      start = i;
    } else {
      i += CharLength(text, i);
    }
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

std::string TBromString::LeftBytes(std::string_view text, std::size_t n) {
  return std::string(text.substr(0, n));
}

std::string TBromString::LeftChars(std::string_view text, std::size_t n) {
  std::size_t end = 0;
  while (end < text.size()) {
    std::size_t next = end + CharLength(text, end);
    if (next > n) break;
    end = next;
  }
  return std::string(text.substr(0, end));
}

std::string TBromString::CharAt(std::string_view text, int k) {
  int index = 0;
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i), ++index) {
    if (index == k) return std::string(text.substr(i, CharLength(text, i)));
  }
  return std::string();
}

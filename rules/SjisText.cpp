#include "rules/SjisText.h"

#include <limits>

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

std::string TBromString::Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
  // A trail byte is never below 0x40, so the end can be trimmed bytewise.
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
  return std::string(text.substr(begin, end - begin));
}

bool TBromString::SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  for (std::size_t i = 0; i < a.size();) {
    const std::size_t len = CharLength(a, i);
    if (len != CharLength(b, i)) return false;
    if (len == 1) {
      if (fold(a[i]) != fold(b[i])) return false;
    } else if (a.substr(i, len) != b.substr(i, len)) {
      return false;
    }
    i += len;
  }
  return true;
}

bool TBromString::ParseDecimal(std::string_view text, std::int32_t& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return false;
  constexpr std::int64_t Limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t n = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
    if (n > Limit) return false;
  }
  if (negative) n = -n;
  if (n < std::numeric_limits<std::int32_t>::min() ||
      n > std::numeric_limits<std::int32_t>::max()) {
    return false;
  }
  value = static_cast<std::int32_t>(n);
  return true;
}

std::size_t TBromString::Find(std::string_view text, std::string_view needle) {
  if (needle.empty()) return 0;
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (text.substr(i, needle.size()) == needle) return i;
  }
  return std::string_view::npos;
}

// A string of at most N bytes held in place, like the fixed-size text fields of
// the game's records. Records holding it stay plain values: copying one copies
// the bytes, and nothing is allocated. Assigning a longer text keeps only its
// first N bytes, as a fixed-size field would.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

template <std::size_t N>
struct TShortString {
  static_assert(N < 256, "a short string holds at most 255 bytes");

  std::uint8_t Length = 0;
  char Bytes[N] = {};

  TShortString() = default;
  TShortString(std::string_view text) { Assign(text); }  // NOLINT: converts like a text field
  TShortString(const char* text) { Assign(text); }       // NOLINT

  void Assign(std::string_view text) {
    Length = static_cast<std::uint8_t>(text.size() < N ? text.size() : N);
    if (Length > 0) std::memcpy(Bytes, text.data(), Length);
  }
  TShortString& operator=(std::string_view text) {
    Assign(text);
    return *this;
  }
  TShortString& operator=(const char* text) {
    Assign(text);
    return *this;
  }

  std::size_t size() const { return Length; }
  bool empty() const { return Length == 0; }
  std::string_view View() const { return std::string_view(Bytes, Length); }
  std::string Str() const { return std::string(Bytes, Length); }
  operator std::string_view() const { return View(); }  // NOLINT: reads like a text field

  friend bool operator==(const TShortString& a, const TShortString& b) {
    return a.View() == b.View();
  }
  friend bool operator==(const TShortString& a, std::string_view b) { return a.View() == b; }
};

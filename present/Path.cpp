#include "present/Path.h"

#include <iconv.h>
#include <sys/stat.h>

#include <cerrno>

#include "rules/SjisText.h"

namespace {

// One conversion through iconv; `strict` raises on bad input, otherwise each
// unconvertible byte becomes '?'.
std::string Convert(const char* to, const char* from, std::string_view text, bool strict) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    throw TTextConversionError(std::string("no conversion from ") + from + " to " + to);
  }
  std::string out;
  out.resize(text.size() * 4 + 16);
  char* in = const_cast<char*>(text.data());
  std::size_t inLeft = text.size();
  char* dst = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    std::size_t rc = iconv(cd, &in, &inLeft, &dst, &outLeft);
    if (rc != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {  // cannot happen with 4x room, but stay safe
      std::size_t used = dst - out.data();
      out.resize(out.size() * 2);
      dst = out.data() + used;
      outLeft = out.size() - used;
      continue;
    }
    if (strict) {
      iconv_close(cd);
      throw TTextConversionError(std::string("text is not valid ") + from);
    }
    // EILSEQ or EINVAL: skip one byte and mark it.
    ++in;
    --inLeft;
    if (outLeft == 0) {
      std::size_t used = dst - out.data();
      out.resize(out.size() + 16);
      dst = out.data() + used;
      outLeft = out.size() - used;
    }
    *dst++ = '?';
    --outLeft;
  }
  iconv_close(cd);
  out.resize(dst - out.data());
  return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view text) {
  return Convert("UTF-8", "CP932", text, true);
}

std::string Utf8ToCp932(std::string_view text) {
  return Convert("CP932", "UTF-8", text, true);
}

std::string Cp932ToUtf8Lenient(std::string_view text) {
  return Convert("UTF-8", "CP932", text, false);
}

bool LooksLikeUtf8(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) return true;
  bool wide = false;
  for (char c : bytes) wide = wide || static_cast<unsigned char>(c) >= 0x80;
  if (!wide) return false;
  try {
    Convert("UTF-16LE", "UTF-8", bytes, true);
  } catch (const TTextConversionError&) {
    return false;
  }
  try {
    Cp932ToUtf8(bytes);
  } catch (const TTextConversionError&) {
    return true;
  }
  // Valid both ways: read as cp932, UTF-8 text falls apart into odd kanji and
  // half-width katakana, which the game's own texts do not use.
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t len = TBromString::CharLength(bytes, i);
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (len == 1 && c >= 0xA1 && c <= 0xDF) return true;
    i += len;
  }
  return false;
}

std::string SlashedPath(std::string_view programPath) {
  std::string mapped;
  mapped.reserve(programPath.size());
  for (std::size_t i = 0; i < programPath.size();) {
    const std::size_t len = TBromString::CharLength(programPath, i);
    if (len == 1 && programPath[i] == '\\') {
      mapped.push_back('/');
    } else {
      mapped.append(programPath.substr(i, len));
    }
    i += len;
  }
  return mapped;
}

std::string DiskPath(std::string_view programPath) {
  return Cp932ToUtf8(SlashedPath(programPath));
}

std::FILE* OpenProgramFile(std::string_view programPath) {
  try {
    return std::fopen(DiskPath(programPath).c_str(), "rb");
  } catch (const TTextConversionError&) {
    return nullptr;
  }
}

bool ProgramFileExists(std::string_view programPath) {
  try {
    struct stat st;
    return stat(DiskPath(programPath).c_str(), &st) == 0 && S_ISREG(st.st_mode);
  } catch (const TTextConversionError&) {
    return false;
  }
}

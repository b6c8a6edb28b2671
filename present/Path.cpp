#include "present/Path.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "rules/DataFolder.h"
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

namespace {

// The folder that holds the data folder, when it is not the working folder.
std::string dataRoot;

}  // namespace

void SetDataRoot(const std::string& folder) {
  dataRoot = folder == "." ? "" : folder;
}

std::string DiskPath(std::string_view programPath) {
  std::string disk = Cp932ToUtf8(SlashedPath(programPath));
  if (!dataRoot.empty() && programPath.starts_with(DataFolder)) disk = dataRoot + "/" + disk;
  return disk;
}

std::string ShownDiskPath(std::string_view programPath) {
  std::string disk;
  try {
    disk = DiskPath(programPath);
  } catch (const TTextConversionError&) {
    return std::string(programPath);
  }
  if (!disk.starts_with('/')) {
    char here[4096];
    if (getcwd(here, sizeof here) != nullptr) {
      disk = std::string(here) + "/" + (disk.starts_with("./") ? disk.substr(2) : disk);
    }
  }
  std::string shown;
  for (std::size_t i = 0; i < disk.size();) {
    // One UTF-8 character at a time, so that one without a cp932 form
    // spoils only itself.
    std::size_t len = 1;
    const auto lead = static_cast<unsigned char>(disk[i]);
    if (lead >= 0xF0) {
      len = 4;
    } else if (lead >= 0xE0) {
      len = 3;
    } else if (lead >= 0xC0) {
      len = 2;
    }
    try {
      shown += Utf8ToCp932(std::string_view(disk).substr(i, len));
    } catch (const TTextConversionError&) {
      shown += '?';
    }
    i += len;
  }
  return shown;
}

namespace {

// Why opening a file failed, from the system's error number.
std::string OpenFault(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return "there is no such file";
    case ELOOP:
      return "its symbolic links go round in a loop";
    case EACCES:
    case EPERM:
      return "it may not be read (permissions)";
    case ENAMETOOLONG:
      return "its name is too long";
    default:
      return std::string("it cannot be opened (") + std::strerror(error) + ")";
  }
}

void Say(std::string* why, std::string text) {
  if (why != nullptr) *why = std::move(text);
}

}  // namespace

std::FILE* OpenProgramFile(std::string_view programPath, std::string* why) {
  std::string disk;
  try {
    disk = DiskPath(programPath);
  } catch (const TTextConversionError&) {
    Say(why, "its name cannot be a file name (not Shift-JIS)");
    return nullptr;
  }
  // 1. Opened without waiting: opening a named pipe otherwise blocks until
  // someone writes to it.
  const int fd = open(disk.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    Say(why, OpenFault(errno));
    return nullptr;
  }
  // 2. What was opened, not what the name showed a moment before.
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const bool folder = S_ISDIR(info.st_mode);
    close(fd);
    Say(why, folder ? "it is a folder" : "it is not a regular file (a pipe, a device or a socket)");
    return nullptr;
  }
  // 3. Reads wait as usual from here on (a regular file never blocks).
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  std::FILE* file = fdopen(fd, "rb");
  if (file == nullptr) {
    Say(why, OpenFault(errno));
    close(fd);
  }
  return file;
}

bool ReadProgramFile(std::string_view programPath, std::int64_t maxBytes, std::string& bytes,
                     std::string* why) {
  bytes.clear();
  std::FILE* file = OpenProgramFile(programPath, why);
  if (file == nullptr) return false;
  const std::string tooLarge = "it is larger than " + std::to_string(maxBytes) + " bytes";
  struct stat info {};
  if (fstat(fileno(file), &info) == 0 && info.st_size > maxBytes) {
    std::fclose(file);
    Say(why, tooLarge);
    return false;
  }
  bytes.reserve(static_cast<std::size_t>(std::max<off_t>(info.st_size, 0)));
  char buffer[65536];
  std::size_t got;
  bool grew = false;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
    // A file that grows while it is read is cut off at the same limit.
    if (static_cast<std::int64_t>(bytes.size() + got) > maxBytes) {
      grew = true;
      break;
    }
    bytes.append(buffer, got);
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (grew || failed) {
    bytes.clear();
    Say(why, grew ? tooLarge : "it cannot be read");
    return false;
  }
  return true;
}

bool ProgramFileStamp(std::string_view programPath, TFileStamp& stamp) {
  try {
    struct stat st;
    if (stat(DiskPath(programPath).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    stamp.Size = st.st_size;
    stamp.ChangedNs = std::int64_t{st.st_mtim.tv_sec} * 1'000'000'000 + st.st_mtim.tv_nsec;
    return true;
  } catch (const TTextConversionError&) {
    return false;
  }
}

bool ProgramPathTaken(std::string_view programPath) {
  try {
    struct stat st;
    return stat(DiskPath(programPath).c_str(), &st) == 0;
  } catch (const TTextConversionError&) {
    return false;
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

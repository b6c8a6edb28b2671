// Design unit: BromPath.
// The text boundary between the game and the system. Inside the program all
// text is cp932 bytes; file names on disk, console output, the window caption
// and glyph rendering use UTF-8. Conversion happens here and nowhere else.
#pragma once

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

// Raised when bytes cannot be converted between the two encodings.
class TTextConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// cp932 bytes to UTF-8; throws TTextConversionError on a byte sequence that is
// not cp932.
std::string Cp932ToUtf8(std::string_view text);
// UTF-8 to cp932 bytes; throws TTextConversionError on text that is not UTF-8
// or has no cp932 form.
std::string Utf8ToCp932(std::string_view text);
// cp932 to UTF-8 for showing: never throws; a byte that cannot be converted is
// shown as '?'.
std::string Cp932ToUtf8Lenient(std::string_view text);

// True when bytes meant to be cp932 look like UTF-8 instead: they begin with
// the UTF-8 byte-order mark, or they hold a multi-byte UTF-8 character, are
// valid UTF-8 throughout and are not plausible cp932 (not valid cp932, or
// holding half-width katakana when read as cp932). Plain ASCII does not.
bool LooksLikeUtf8(std::string_view bytes);

// A program path written the game's way ("dat\\swordia.txt") with every '\\'
// that is a separator (not the trail byte of a double-byte character, as in
// "ソ") made '/'; still cp932.
std::string SlashedPath(std::string_view programPath);
// The file on disk for a program path: its slashed form converted to UTF-8,
// under the data root when it is in the data folder ("dat\\..."). Throws
// TTextConversionError when the path is not cp932.
std::string DiskPath(std::string_view programPath);
// The folder (UTF-8) that holds the data folder the program paths "dat\\..."
// name, for a program that keeps its working folder for the files named on
// its command line (the lab); "" or "." for the working folder, the default.
void SetDataRoot(const std::string& folder);
// The file behind a program path as an author finds it on disk: its
// absolute path (the working folder, which is the data folder's parent, in
// front of a relative one), in cp932 for the game's messages; a character
// with no cp932 form is shown as '?'.
std::string ShownDiskPath(std::string_view programPath);

// Raised when a data file the game cannot do without (a screen's picture)
// cannot be used. what() (cp932) says what is wrong in an author's words and
// names the file's real path on disk.
class TDataFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Opens a program path for reading in binary mode, only when it names a
// regular file: the file is opened without waiting (a named pipe with no
// writer would block for ever) and checked once it is open, so that a folder,
// a pipe, a device or a socket in a data file's place is refused at once,
// whatever name led to it. nullptr when it cannot be opened; `why`, when
// given, then says why (English, for the lab's messages): "there is no such
// file", "its symbolic links go round in a loop", "it is a folder", "it is
// not a regular file (a pipe, a device or a socket)", ...
std::FILE* OpenProgramFile(std::string_view programPath, std::string* why = nullptr);
// The whole of a program file, read through OpenProgramFile; false (and
// `bytes` empty) when it cannot be opened or read, or holds more than
// `maxBytes` bytes, which are never read: the limit is checked against the
// file's size first and again while reading, should it grow.
bool ReadProgramFile(std::string_view programPath, std::int64_t maxBytes, std::string& bytes,
                     std::string* why = nullptr);
// True when the program path names an existing regular file.
bool ProgramFileExists(std::string_view programPath);
// A regular file's size and time of its last change: a file whose stamp is
// unchanged is taken to hold what it held.
struct TFileStamp {
  std::int64_t Size = -1;
  std::int64_t ChangedNs = 0;
  bool operator==(const TFileStamp&) const = default;
};
// The stamp of the regular file at a program path; false when there is none.
bool ProgramFileStamp(std::string_view programPath, TFileStamp& stamp);
// True when anything at all is at the program path (a file, a folder, a
// pipe, a device, symbolic links followed): a data file that is there but
// is not a regular file is a file that cannot be read, not a missing one.
bool ProgramPathTaken(std::string_view programPath);

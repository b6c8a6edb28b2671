#include "fuzz/FuzzInput.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "present/Path.h"

namespace {

std::string stdinCopy;

void RemoveStdinCopy() {
  if (!stdinCopy.empty()) unlink(stdinCopy.c_str());
}

// Copies standard input to a fresh temporary file and returns its disk path.
std::string CopyStandardInput() {
  char name[] = "/tmp/quillmoor-fuzz-XXXXXX";
  const int fd = mkstemp(name);
  if (fd < 0) FuzzFailure("cannot make a temporary file");
  stdinCopy = name;
  std::atexit(RemoveStdinCopy);
  std::vector<char> buffer(65536);
  for (;;) {
    const ssize_t got = read(0, buffer.data(), buffer.size());
    if (got <= 0) break;
    for (ssize_t done = 0; done < got;) {
      const ssize_t put = write(fd, buffer.data() + done, static_cast<std::size_t>(got - done));
      if (put <= 0) FuzzFailure("cannot write the temporary file");
      done += put;
    }
  }
  close(fd);
  return stdinCopy;
}

}  // namespace

std::string FuzzInputPath(int argc, char** argv) {
  const std::string disk = argc > 1 ? std::string(argv[1]) : CopyStandardInput();
  // The game's paths are cp932; a disk path that has no cp932 form cannot
  // name an input.
  try {
    return Utf8ToCp932(disk);
  } catch (const TTextConversionError&) {
    FuzzFailure("the input path has no cp932 form: " + disk);
  }
}

void FuzzQuickExit() {
  RemoveStdinCopy();
  std::_Exit(0);
}

void FuzzFailure(std::string_view what) {
  std::fprintf(stderr, "fuzz finding: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

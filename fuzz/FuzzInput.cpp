#include "fuzz/FuzzInput.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "present/Path.h"

#ifdef QUILLMOOR_AFL
// afl's runtime: true while afl-fuzz has another input in the file (and
// once when the program runs outside afl-fuzz).
extern "C" int __afl_persistent_loop(unsigned int runs);

// afl-fuzz looks for this mark in the program before it runs it many inputs
// to a process.
[[gnu::used]] static const char PersistentMark[] = "##SIG_AFL_PERSISTENT##";
#endif

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

// The game's paths are cp932; a disk path that has no cp932 form cannot name
// an input.
std::string ProgramPath(const std::string& disk) {
  try {
    return Utf8ToCp932(disk);
  } catch (const TTextConversionError&) {
    FuzzFailure("the input path has no cp932 form: " + disk);
  }
}

}  // namespace

namespace {

double CpuMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The slowness limit: QUILLMOOR_FUZZ_SLOW_MS, or FuzzSlowMilliseconds.
double SlowMilliseconds() {
  const char* set = std::getenv("QUILLMOOR_FUZZ_SLOW_MS");
  return set != nullptr && std::atof(set) > 0 ? std::atof(set) : FuzzSlowMilliseconds;
}

// Checks one input; one that costs more CPU time than the limit is a finding.
void CheckTimed(const std::function<void(const std::string&)>& check, const std::string& path) {
  static const double limit = SlowMilliseconds();
  const double start = CpuMilliseconds();
  check(path);
  const double spent = CpuMilliseconds() - start;
  if (spent > limit) {
    FuzzFailure("slow: " + std::to_string(static_cast<int>(spent)) + " ms of CPU for one input");
  }
}

}  // namespace

int FuzzEachInput(int argc, char** argv, const std::function<void(const std::string&)>& check) {
  // 1. Standard input holds one input.
  if (argc <= 1) {
    CheckTimed(check, ProgramPath(CopyStandardInput()));
    return 0;
  }
  // 2. A file: under afl-fuzz's persistent mode the same file holds each new
  // input in turn; elsewhere the loop runs once.
  const std::string path = ProgramPath(argv[1]);
#ifdef QUILLMOOR_AFL
  while (__afl_persistent_loop(FuzzRunsPerProcess) != 0) CheckTimed(check, path);
#else
  CheckTimed(check, path);
#endif
  return 0;
}

void FuzzQuickExit() {
  RemoveStdinCopy();
  std::_Exit(0);
}

void FuzzFailure(std::string_view what) {
  std::fprintf(stderr, "fuzz finding: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

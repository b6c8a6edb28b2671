#include "script/TextFile.h"

#include <cstdio>
#include <memory>
#include <string>

#include "present/Path.h"

const char* const BromSuccess = "【成功】";
const char* const BromNotExecuted = "【不実行】";
const char* const BromErrorHead = "【エラー】";

namespace {

struct TFileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// Cuts buffered bytes into lines. A line is complete at its LF; a CR right
// before that LF belongs to the line end, any other CR to the line.
class TLineCutter {
 public:
  TLineCutter(TStringDynArray& lines, int& count, int high)
      : lines_(lines), count_(count), high_(high) {}

  // Takes the next chunk; false once a line beyond the highest index starts
  // or a line grows beyond its limit (`fault` says which).
  bool Feed(const char* bytes, std::size_t size, TTextFileFault& fault) {
    for (std::size_t i = 0; i < size; ++i) {
      if (!pendingStarted_ && !StartLine()) {
        fault = {TTextFileFault::TKind::TooManyLines, count_ + 1};
        return false;
      }
      if (bytes[i] == '\n') {
        if (!pending_.empty() && pending_.back() == '\r') pending_.pop_back();
        if (pending_.size() > static_cast<std::size_t>(MaxTextLineBytes)) {
          fault = {TTextFileFault::TKind::LineTooLong, count_ + 1};
          return false;
        }
        Finish();
      } else {
        // One byte more is kept, for a CR that turns out to end the line.
        if (pending_.size() > static_cast<std::size_t>(MaxTextLineBytes)) {
          fault = {TTextFileFault::TKind::LineTooLong, count_ + 1};
          return false;
        }
        pending_.push_back(bytes[i]);
      }
    }
    return true;
  }
  // The line being read when the file ran over.
  int LineNumber() const { return count_ + 1; }
  // The end of the file: a started line without its line end is a line too.
  // False when that line is too long.
  bool Close(TTextFileFault& fault) {
    if (!pendingStarted_) return true;
    if (pending_.size() > static_cast<std::size_t>(MaxTextLineBytes)) {
      fault = {TTextFileFault::TKind::LineTooLong, count_ + 1};
      return false;
    }
    Finish();
    return true;
  }

 private:
  // A line is about to be read: there must be room for it.
  bool StartLine() {
    if (count_ > high_) return false;
    pendingStarted_ = true;
    return true;
  }
  void Finish() {
    lines_.push_back(std::move(pending_));
    pending_.clear();
    pendingStarted_ = false;
    ++count_;
  }

  TStringDynArray& lines_;
  int& count_;
  int high_;
  std::string pending_;
  bool pendingStarted_ = false;
};

}  // namespace

std::string ShownFilePath(std::string_view fileName) {
  return ShownDiskPath(fileName);
}

std::string TextFileFaultText(const TTextFileFault& fault, int high) {
  const std::string line = "line " + std::to_string(fault.Line);
  switch (fault.Kind) {
    case TTextFileFault::TKind::None:
      return "";
    case TTextFileFault::TKind::Missing:
      return "there is no such file";
    case TTextFileFault::TKind::Unreadable:
      return "it cannot be read (not a regular file, or a read failed)";
    case TTextFileFault::TKind::TooManyLines:
      return line + " is one too many: a file holds at most " + std::to_string(high + 1) + " lines";
    case TTextFileFault::TKind::LineTooLong:
      return line + " is longer than " + std::to_string(MaxTextLineBytes) +
             " bytes, the most a line may hold";
    case TTextFileFault::TKind::TooLarge:
      return "it is larger than " + std::to_string(MaxTextFileBytes >> 20) +
             " MB, the most a text file may hold (at " + line + ")";
  }
  return "";
}

void TBromFileAccess::InTextSet(std::string_view fileName, TStringDynArray& lines,
                                std::string& result, int& count, int high, TTextFileFault* fault) {
  TTextFileFault found;
  const auto report = [&](const std::string& text) {
    result = text;
    if (fault != nullptr) *fault = found;
  };
  // 1. A missing file has its own text and leaves the lines alone; a folder,
  // pipe or device in its place is there but cannot be read (below).
  if (!ProgramPathTaken(fileName)) {
    found.Kind = TTextFileFault::TKind::Missing;
    report(std::string("【エラー】存在しないファイル：") + std::string(fileName));
    return;
  }
  const std::string readError =
      std::string("【エラー】【TBromFileAccess.InTextSet】") + std::string(fileName);
  // 2. Read line by line while there is room.
  std::unique_ptr<std::FILE, TFileCloser> file(OpenProgramFile(fileName));
  if (!file) {
    found.Kind = TTextFileFault::TKind::Unreadable;
    report(readError);
    return;
  }
  lines.clear();
  count = 0;
  TLineCutter cutter(lines, count, high);
  char buffer[65536];
  std::int64_t total = 0;
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    total += static_cast<std::int64_t>(got);
    if (got > 0 && !cutter.Feed(buffer, got, found)) {
      report(readError);
      return;
    }
    if (total > MaxTextFileBytes) {
      found = {TTextFileFault::TKind::TooLarge, cutter.LineNumber()};
      report(readError);
      return;
    }
    if (got < sizeof buffer) break;
  }
  // 3. A failing read is a read error, with the lines read so far kept.
  if (std::ferror(file.get())) {
    found.Kind = TTextFileFault::TKind::Unreadable;
    report(readError);
    return;
  }
  // 4. Done: the last line counts even without its line end.
  if (!cutter.Close(found)) {
    report(readError);
    return;
  }
  report(BromSuccess);
}

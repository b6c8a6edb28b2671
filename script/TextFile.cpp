#include "script/TextFile.h"

#include <cstdio>
#include <memory>

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

  // Takes the next chunk; false once a line beyond the highest index starts.
  bool Feed(const char* bytes, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
      if (!pendingStarted_ && !StartLine()) return false;
      if (bytes[i] == '\n') {
        if (!pending_.empty() && pending_.back() == '\r') pending_.pop_back();
        Finish();
      } else {
        pending_.push_back(bytes[i]);
      }
    }
    return true;
  }
  // The end of the file: a started line without its line end is a line too.
  void Close() {
    if (pendingStarted_) Finish();
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

void TBromFileAccess::InTextSet(std::string_view fileName, TStringDynArray& lines,
                                std::string& result, int& count, int high) {
  // 1. A missing file has its own text and leaves the lines alone.
  if (!ProgramFileExists(fileName)) {
    result = std::string("【エラー】存在しないファイル：") + std::string(fileName);
    return;
  }
  const std::string readError =
      std::string("【エラー】【TBromFileAccess.InTextSet】") + std::string(fileName);
  // 2. Read line by line while there is room.
  std::unique_ptr<std::FILE, TFileCloser> file(OpenProgramFile(fileName));
  if (!file) {
    result = readError;
    return;
  }
  lines.clear();
  count = 0;
  TLineCutter cutter(lines, count, high);
  char buffer[65536];
  for (;;) {
    const std::size_t got = std::fread(buffer, 1, sizeof buffer, file.get());
    if (got > 0 && !cutter.Feed(buffer, got)) {
      result = readError;
      return;
    }
    if (got < sizeof buffer) break;
  }
  // 3. A failing read is a read error, with the lines read so far kept.
  if (std::ferror(file.get())) {
    result = readError;
    return;
  }
  // 4. Done: the last line counts even without its line end.
  cutter.Close();
  result = BromSuccess;
}

#include "present/BromApp.h"

#include <cstdio>

#include "present/BromPath.h"

namespace {

bool terminateRequested = false;

// Without a window system the message is written to standard error, so a
// fault is never lost.
class TStderrSink : public TMessageSink {
 public:
  void Show(std::string_view caption, std::string_view text) override {
    const std::string out = Cp932ToUtf8Lenient(caption) + ": " + Cp932ToUtf8Lenient(text) + "\n";
    std::fwrite(out.data(), 1, out.size(), stderr);
    std::fflush(stderr);
  }
};

TStderrSink stderrSink;
TMessageSink* sink = &stderrSink;

}  // namespace

const char* ApplicationTitle() { return "Quillmoor"; }

void RequestTerminate() { terminateRequested = true; }
bool TerminateRequested() { return terminateRequested; }
void ClearTerminateRequest() { terminateRequested = false; }

void SetMessageSink(TMessageSink* newSink) { sink = newSink != nullptr ? newSink : &stderrSink; }

void ShowMessageBox(std::string_view caption, std::string_view text) { sink->Show(caption, text); }

#include "present/App.h"

#include <SDL.h>

#include <atomic>
#include <cstdio>

#include "present/Path.h"
#include "rules/Product.h"

namespace {

// Set by the signal watcher's thread too.
std::atomic<bool> terminateRequested{false};

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

// A modal box with one OK button over the program's window, and the same
// words on standard error, so a fault is never lost.
class TWindowSink : public TMessageSink {
 public:
  void Show(std::string_view caption, std::string_view text) override {
    stderrSink.Show(caption, text);
    const std::string title = Cp932ToUtf8Lenient(caption);
    const std::string message = Cp932ToUtf8Lenient(text);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title.c_str(), message.c_str(),
                             SDL_GetKeyboardFocus());
  }
};

TWindowSink windowSink;

}  // namespace

const char* ApplicationTitle() {
  return ProgramTitle;
}

void RequestTerminate() {
  terminateRequested = true;
}
bool TerminateRequested() {
  return terminateRequested;
}
void ClearTerminateRequest() {
  terminateRequested = false;
}

TMessageSink& WindowMessageSink() {
  return windowSink;
}

TMessageSink& StderrMessageSink() {
  return stderrSink;
}

void ShowSystemMessage(std::string_view text) {
  const std::string line = std::string(ApplicationTitle()) + ": " + std::string(text) + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fflush(stderr);
  if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
  const std::string message(text);
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, ApplicationTitle(), message.c_str(), nullptr);
}

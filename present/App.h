// Design unit: BromApp.
// The application object: the program's title, the termination request that
// ends the tick loop, and the modal message box. Message boxes are shown
// through a sink that the program's entry holds for the program's life and
// passes to the main window: the window system's box, or where there is none
// (tests, the lab) standard error.
#pragma once

#include <string>
#include <string_view>

// The game's title (ProgramTitle): the window caption and the caption of
// fault message boxes.
const char* ApplicationTitle();

// Asks the program to end (a signal, the window system's quit): every tick
// loop stops after its current pass. A window whose game is over stops its own
// loop alone (TBromTimer::Stop).
void RequestTerminate();
bool TerminateRequested();
// Clears the request (tests and the lab run several games in one process).
void ClearTerminateRequest();

// Shows cp932 texts in a modal box with one OK button.
class TMessageSink {
 public:
  virtual ~TMessageSink() = default;
  virtual void Show(std::string_view captionCp932, std::string_view textCp932) = 0;
};
// The window system's message box; the message also goes to standard error,
// so that it is seen from a terminal and kept in a log. The game's entry
// shows its own messages with it and passes it to the main window.
TMessageSink& WindowMessageSink();
// Standard error alone, "caption: text": a fault is never lost.
TMessageSink& StderrMessageSink();
// A message of the system's own (UTF-8: file names as they are on disk), on
// standard error and, where a display is open, in a message box captioned
// with the program's title.
void ShowSystemMessage(std::string_view textUtf8);

// Design unit: UnitForm.
// The game's one window. Its creation sets the whole game up in a fixed
// order and shows the title; its destruction releases what it set up. Every
// mouse press and pointer move on its paint box is routed here: only the
// left button counts; on the title any left click starts the game and moves
// are ignored; on every other screen clicks and moves go to the screen's
// regions. The pointer leaving the screen leaves its regions. Keys come here
// too and do what flow/Keys says.
//
// A window made in a process that made one before starts from a fresh game:
// the tournament, the battle, the growth, the regions and the battle log are
// reset at creation, so a play driver may make one window after another.
#pragma once

#include <string>
#include <string_view>

#include "present/Form.h"

class TFormMain : public TBromForm {
 public:
  // The game reads the roster at the program path `rosterPath` (the lab's
  // play driver plays an author's roster so), or "dat\\swordia.txt".
  explicit TFormMain(std::string_view rosterPath = {});
  ~TFormMain() override;

  // The window was uncovered: the screen layer is shown again.
  void FormPaint();
  void PaintBoxMainMouseDown(TMouseButton button, int x, int y);
  void PaintBoxMainMouseMove(int x, int y);
  void PaintBoxMainMouseLeave();
  void PaintBoxMainKeyDown(TKey key, bool repeat);
  // F2's new tournament: the game as at program start, on the title (the
  // roster is read again at its click, with a new draw and a new hero).
  void NewTournament();

 private:
  void Release();

  std::string rosterPath_;
};

#include "tests/FlowTestSupport.h"

#include <unistd.h>

#include <algorithm>

#include "battle/Battle.h"
#include "battle/Stepping.h"
#include "data/Roster.h"
#include "data/Tournament.h"
#include "flow/Command.h"
#include "flow/Mode.h"
#include "flow/TournamentFlow.h"
#include "present/Timer.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

int TCueRecorder::CountOf(std::string_view programPath) const {
  return static_cast<int>(std::count(Played.begin(), Played.end(), std::string(programPath)));
}

void GameFolder::SetUp() {
  folder_ = MakeTempFolder();
  fs::create_directories(folder_ / "dat");
  for (const auto& entry : fs::directory_iterator(SourcePath("dat"))) {
    fs::create_symlink(entry.path(), folder_ / "dat" / entry.path().filename());
  }
  previous_ = fs::current_path();
  fs::current_path(folder_);
  ClearTerminateRequest();
}

void GameFolder::TearDown() {
  form_.reset();
  fs::current_path(previous_);
  ClearTerminateRequest();
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

void GameFolder::PutDataFile(const std::string& name, std::string_view bytes) {
  RemoveDataFile(name);
  WriteWholeFile((folder_ / "dat" / name).string(), bytes);
}

void GameFolder::RemoveDataFile(const std::string& name) {
  fs::remove(folder_ / "dat" / name);
}

void GameFolder::OpenWindow(std::uint32_t seed) {
  form_ = std::make_unique<TFormMain>(TWindowServices{messages_, cues_, SystemTimerHost()});
  form_->Game().Dice.Seed(seed);
}

void GameFolder::LeftClick(int x, int y) {
  form_->PaintBox().OnMouseDown(TMouseButton::Left, x, y);
}

void GameFolder::RightClick(int x, int y) {
  form_->PaintBox().OnMouseDown(TMouseButton::Right, x, y);
}

void GameFolder::MoveTo(int x, int y) {
  form_->PaintBox().OnMouseMove(x, y);
}

const TBromBitmap& GameFolder::Screen() {
  return form_->PaintBox().Canvas();
}

std::string GameFolder::CaptionU8() {
  return form_->Caption();
}

bool GameFolder::PlayUntilBattleLeft(int maxClicks) {
  for (int i = 0; i < maxClicks; ++i) {
    if (Game().Mode != gmBattle) return true;
    RunCommand(Game(), {TCommandKind::BattleSkip, 0});
  }
  return Game().Mode != gmBattle;
}

void GameFolder::MoveHeroToSlot(int k) {
  TTournament& t = Game().Tournament;
  TSwordia& target = t.Slots[k];
  std::swap(*t.Hero, target);
  t.Hero = &target;
  t.HeroEdit = *t.Hero;
}

std::string EntrantName(int number) {
  const std::string digits = std::to_string(100 + number).substr(1);
  return Sj("剣士") + digits;
}

std::string RosterOf(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    text += "#Name " + EntrantName(i) + "\r\n";
    text += Sj("#Spec 20/2/1/1/斬斬\r\n");
    text += "#Image\r\n#FlavorBegin\r\n";
    text += Sj("一行目の紹介\r\n");
    text += "#FlavorEnd\r\n\r\n";
  }
  return text;
}

std::string BmpFile(int width, int height, TPixelColor color) {
  const int rowBytes = (width * 3 + 3) / 4 * 4;
  const int imageBytes = rowBytes * height;
  std::string out(54 + imageBytes, '\0');
  auto put32 = [&out](int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  out[0] = 'B';
  out[1] = 'M';
  put32(2, static_cast<std::uint32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  out[26] = 1;
  out[28] = 24;
  put32(34, static_cast<std::uint32_t>(imageBytes));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int at = 54 + y * rowBytes + 3 * x;
      out[at] = static_cast<char>(color.Blue);
      out[at + 1] = static_cast<char>(color.Green);
      out[at + 2] = static_cast<char>(color.Red);
    }
  }
  return out;
}

bool AnyPixelNot(const TBromBitmap& b, int left, int top, int right, int bottom,
                 TPixelColor color) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      if (!ColorsEqual(b.Pixel(x, y), color)) return true;
    }
  }
  return false;
}

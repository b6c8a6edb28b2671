#include "tests/BattleHarness.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "battle/Stepping.h"
#include "data/Roster.h"
#include "data/Tournament.h"
#include "tests/TestSupport.h"

TSpec Build(const std::string& utf8) {
  TSpec spec;
  std::string fault;
  EXPECT_TRUE(ParseSpecText(Sj(utf8), spec, fault, false)) << utf8 << ": " << U8(fault);
  return spec;
}

TBattleHarness::TBattleHarness(TGameView& view, bool paintsMatches)
    : game_(std::make_unique<TGame>(view)),
      Game(*game_),
      Battle(game_->Battle),
      Tournament(game_->Tournament),
      LogStore(game_->LogStore) {
  if (!paintsMatches) Battle.Host = this;
}

TBattleHarness::~TBattleHarness() = default;

void TBattleHarness::Setup(int stage,
                           const std::vector<std::pair<std::string, std::string>>& entrants,
                           int heroIndex) {
  std::vector<TSwordia> slots(entrants.size());
  for (std::size_t i = 0; i < entrants.size(); ++i) {
    slots[i].Name = Sj(entrants[i].first);
    slots[i].Spec = Build(entrants[i].second);
  }
  SetUpStage(Tournament, slots, stage, heroIndex);
}

TClick TBattleHarness::Collect() {
  TClick click;
  for (const std::string& line : LogStore.StepLines) click.Lines.push_back(U8(line));
  click.Cue = Battle.PlayedCue != nullptr ? U8(Battle.PlayedCue) : "-";
  return click;
}

TClick TBattleHarness::Enter() {
  Where = TShown::Battle;
  Hear(EnterBattleMode(Battle));
  TClick click = Collect();
  click.Cue = "-";
  return click;
}

TClick TBattleHarness::Step() {
  Hear(BattleStepClick(Battle));
  return Collect();
}

TClick TBattleHarness::Skip() {
  Hear(BattleSkipClick(Battle));
  return Collect();
}

std::vector<std::string> TBattleHarness::RunToEnd() {
  std::vector<std::string> all;
  for (int k = 0; Where == TShown::Battle && k < 100000; ++k) {
    TClick c = Step();
    all.insert(all.end(), c.Lines.begin(), c.Lines.end());
  }
  EXPECT_NE(Where, TShown::Battle) << "the battle did not end";
  return all;
}

void TBattleHarness::Hear(const TClickOutcome& o) {
  if (o.Cue != nullptr) Played.push_back(U8(o.Cue));
  if (o.HandOver == THandOver::Story) Where = TShown::Story;
  if (o.HandOver == THandOver::StageOver) {
    CloseRound(Tournament);
    Where = TShown::Board;
  }
}

std::vector<TClick> ShownClicks(const std::string& buildA, const std::string& buildB,
                                const TGameTouch& tweak, const TGameTouch& after) {
  TBattleHarness h;
  h.Setup(1, {{"甲", buildA}, {"乙", buildB}});
  std::vector<TClick> clicks = {h.Enter()};
  if (tweak) tweak(h.Game);
  for (int k = 0; h.Where == TShown::Battle && k < 100000; ++k) clicks.push_back(h.Step());
  EXPECT_NE(h.Where, TShown::Battle) << "the battle did not end";
  if (after) after(h.Game);
  return clicks;
}

std::vector<std::string> ShownBattle(const std::string& buildA, const std::string& buildB,
                                     const TGameTouch& tweak) {
  std::vector<std::string> all;
  for (const TClick& c : ShownClicks(buildA, buildB, tweak)) {
    all.insert(all.end(), c.Lines.begin(), c.Lines.end());
  }
  return all;
}

int SimulateBuilds(const TSpec& a, const TSpec& b) {
  const auto battle = std::make_unique<TBattle>();
  return SimulateBattle(*battle, a, b);
}

std::string CueOf(const std::vector<TClick>& clicks, const std::string& line) {
  for (const TClick& c : clicks) {
    if (std::find(c.Lines.begin(), c.Lines.end(), line) != c.Lines.end()) return c.Cue;
  }
  return "";
}

std::string MarksOf(const TFighter& f) {
  std::string marks;
  for (int i = 0; i < f.SwordCount; ++i) marks += f.Swords[i].Mark.Str();
  return U8(marks);
}

bool HasRun(const std::vector<std::string>& all, const std::vector<std::string>& part) {
  if (part.empty()) return true;
  for (std::size_t i = 0; i + part.size() <= all.size(); ++i) {
    if (std::equal(part.begin(), part.end(), all.begin() + static_cast<std::ptrdiff_t>(i))) {
      return true;
    }
  }
  return false;
}

std::vector<std::string> TurnLines(const std::vector<std::string>& all, int turn) {
  const std::string header = "【第" + std::to_string(turn) + "ターン】";
  std::vector<std::string> out;
  bool in = false;
  for (const std::string& line : all) {
    if (in && line.rfind("【第", 0) == 0) {
      out.pop_back();  // the empty line that goes with the next header
      break;
    }
    if (in) out.push_back(line);
    if (line == header) in = true;
  }
  return out;
}

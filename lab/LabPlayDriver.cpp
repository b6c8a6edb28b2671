#include "lab/LabPlayDriver.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "battle/Battle.h"
#include "battle/BattleHost.h"
#include "data/Roster.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "flow/FormMain.h"
#include "game/Keys.h"
#include "growth/GrowthDriver.h"
#include "lab/Lab.h"
#include "paint/Focus.h"
#include "paint/MakingScreen.h"
#include "paint/ScreenKit.h"
#include "paint/ScreensView.h"
#include "present/App.h"
#include "present/Font.h"
#include "present/Gamepad.h"
#include "present/Path.h"
#include "present/PngFile.h"
#include "present/Timer.h"
#include "present/Wave.h"

namespace {

// Clicks a game may take before the autoplayer counts itself stuck: a whole
// tournament clicked line by line takes a few thousand.
constexpr long long MaxAutoActions = 200000;
// The virtual time a game may take: growth runs in 10 ms slices, a few
// thousand of them a round.
constexpr std::uint32_t MaxGameMilliseconds = 200u * 60u * 1000u;

const char* const ModeWords[] = {"title", "making", "story", "board", "view", "battle"};

// Output ----------------------------------------------------------------------

std::string NameOf(const TSwordia& s) {
  return Cp932ToUtf8Lenient(s.Name);
}

// The keys an event line may name, as the window delivers them.
const std::pair<const char*, TKey> KeyNames[] = {
    {"space", TKey::Space},   {"return", TKey::Return},
    {"right", TKey::Right},   {"left", TKey::Left},
    {"up", TKey::Up},         {"down", TKey::Down},
    {"tab", TKey::Tab},       {"shift-tab", TKey::BackTab},
    {"escape", TKey::Escape}, {"s", TKey::S},
    {"h", TKey::H},           {"m", TKey::M},
    {"f1", TKey::F1},         {"f2", TKey::F2},
    {"f11", TKey::F11}};

// Looks `name` up in a table of words; false when it holds no such word.
template <class T, std::size_t N>
bool Named(const std::pair<const char*, T> (&table)[N], const std::string& name, T& value) {
  for (const auto& [word, v] : table) {
    if (name == word) {
      value = v;
      return true;
    }
  }
  return false;
}

bool KeyNamed(const std::string& name, TKey& key) {
  return Named(KeyNames, name, key);
}

// The buttons of the virtual controller an event line may name.
bool PadButtonNamed(const std::string& name, TPadButton& button) {
  static const std::pair<const char*, TPadButton> names[] = {{"a", TPadButton::A},
                                                             {"b", TPadButton::B},
                                                             {"x", TPadButton::X},
                                                             {"y", TPadButton::Y},
                                                             {"start", TPadButton::Start},
                                                             {"back", TPadButton::Back},
                                                             {"lb", TPadButton::LeftShoulder},
                                                             {"rb", TPadButton::RightShoulder},
                                                             {"up", TPadButton::Up},
                                                             {"down", TPadButton::Down},
                                                             {"left", TPadButton::Left},
                                                             {"right", TPadButton::Right}};
  return Named(names, name, button);
}

// The state of one game being played, and what hears it.
class TDriver : public TGameListener {
 public:
  TPlayOptions Options;
  TFormMain* Form = nullptr;
  std::vector<std::string> Events;
  std::size_t NextEvent = 0;
  std::uint32_t Now = 1000;
  std::uint32_t WaitUntil = 0;
  std::uint32_t NextActionAt = 0;
  std::mt19937 Policy;
  long long Actions = 0;
  int ModeChanges = 0;
  std::vector<int> PendingShots;  // mode-change numbers awaiting their drawn screen
  std::string Caption;
  bool Done = false;
  bool Failed = false;
  int Game = 1;                     // the game being played, from 1
  std::uint32_t GameStartedAt = 0;  // the clock when it began
  // The autoplayer's memory.
  bool ReachedUntil = false;  // the game stopped at the mode --until named
  int AutoTarget = -1;        // an "auto" event plays by itself until this mode (or the end)
  int AutoFromStage =
      -1;  // set when the target is the screen it started on: a later stage's entry counts
  int StoryClicksLeft = 0;
  int ViewedStage = -1;
  int MakingTarget = -1;  // the region hero making's focus is heading for
  // The checker's memory.
  int CheckedStage = -1;
  TSpec HeroSpecAtRoundEnd;
  bool HeroStillIn = false;  // the game under way has its hero in, short of the end
  TGameMode LastMode = gmTitle;
  // What the game was given: clicks, pointer moves, keys, controller presses.
  long long Clicks = 0, Moves = 0, Keys = 0, PadPresses = 0;
  std::unique_ptr<TVirtualGamepad> Pad;  // plugged in at its first use
  std::FILE* Output = stdout;            // the game's record; nullptr: nowhere
  std::FILE* Errors = stderr;            // the driver's own complaints; nullptr: nowhere

  // The game's battle: each decided match, and the hero's build checked.
  void MatchDecided(const TGame& g, const TSwordia& winner, const TSwordia& loser,
                    int result) override {
    const TSwordia& first = result == brFirstWins ? winner : loser;
    const TSwordia& second = result == brFirstWins ? loser : winner;
    const TTournament& t = g.Tournament;
    Out("match " + std::to_string(t.Stage) + "." + std::to_string(g.Battle.MatchIndex + 1) + " " +
        NameOf(first) + " " + NameOf(second) + " -> " + NameOf(winner) + " (" +
        std::to_string(result) + ")");
    if (Options.Check && t.Stage >= FirstGrownStage && (&winner == t.Hero || &loser == t.Hero) &&
        !(t.Hero->Spec == t.HeroEdit.Spec)) {
      Fail("the hero fought without the build made for this round");
    }
  }

  // A line of the game's record, where the driver writes it (nowhere for a
  // game played beside the one reported).
  void Out(const std::string& utf8) const {
    if (Output == nullptr) return;
    std::fwrite(utf8.data(), 1, utf8.size(), Output);
    std::fputc('\n', Output);
  }

  // The game the driver's window shows.
  const TGame& TheGame() { return Form->Game(); }

  void Fail(const std::string& why) {
    Out("violation " + why);
    Failed = true;
  }

  // Checks --------------------------------------------------------------------

  // The tournament's rules as seen from the board.
  void CheckBoard(const TTournament& t) {
    if (t.Hero == nullptr) return;
    // 1. The entrants halve every stage and stay in slot order.
    const int expected = t.Stage <= 1 ? 32 : (64 >> t.Stage);
    if (t.EntrantCount != expected) {
      Fail("stage " + std::to_string(t.Stage) + " has " + std::to_string(t.EntrantCount) +
           " entrants, not " + std::to_string(expected));
    }
    for (int i = 0; i < t.EntrantCount; ++i) {
      const TSwordia* e = t.Entrants[i];
      if (e == nullptr || !e->InTournament) Fail("an entrant listed as in is out");
      if (i > 0 && e <= t.Entrants[i - 1]) Fail("the entrants are not in slot order");
    }
    // 2. Every loser is out with the history line of its loss; winners of
    // rounds 1 to 4 carry the point just earned.
    for (int k = 0; k < SlotCount; ++k) {
      const TSwordia& s = t.Slots[k];
      if (!s.InTournament) {
        if (s.History.empty() || s.History.back().find("敗北") == std::string::npos) {
          Fail("slot " + std::to_string(k) + " is out without its loss");
        }
      } else if (t.Stage >= FirstGrownStage && s.Wins != t.Stage - 1) {
        Fail("slot " + std::to_string(k) + " is in with " + std::to_string(s.Wins) + " wins");
      }
    }
    if (t.Stage >= FirstGrownStage && t.Stage <= EndStage) {
      for (int i = 0; i < t.EntrantCount; ++i) {
        const TSwordia* e = t.Entrants[i];
        const int bonus = e == t.Hero ? t.HeroEdit.Bonus : e->Bonus;
        const bool earned = t.Stage - 1 <= 4;
        if (e != t.Hero && bonus != (earned ? 1 : 0)) {
          Fail("slot " + std::to_string(e - t.Slots) + " holds " + std::to_string(bonus) +
               " bonus points after stage " + std::to_string(t.Stage - 1));
        }
      }
    }
    // 3. The hero's edited build reaches the hero only at its next match.
    if (t.Stage != CheckedStage) {
      CheckedStage = t.Stage;
      HeroSpecAtRoundEnd = t.Hero->Spec;
    } else if (!(t.Hero->Spec == HeroSpecAtRoundEnd)) {
      Fail("the hero's build changed on the board before its match");
    }
  }

  // What any input may not bring about: a round started with the hero's
  // points unspent or while the rivals grow, a new tournament while the hero
  // is in.
  void CheckModeChange(const TGame& g, TGameMode m) {
    if (m == gmBattle && LastMode == gmBoard && !CanStartRound(g.Tournament, g.Growth.Growing)) {
      Fail("a round started with points unspent or the rivals growing");
    }
    if (m == gmTitle && HeroStillIn) Fail("a new tournament began while the hero was in");
  }

  // The game as it stands before a move: is its hero in?
  void NoteHero() {
    const TTournament& t = TheGame().Tournament;
    HeroStillIn = t.Hero != nullptr && t.Hero->InTournament && t.Stage < EndStage;
  }

  void PrintSlots(const TTournament& t) {
    std::string line = "slots";
    for (int k = 0; k < SlotCount; ++k) {
      line += " " + std::to_string(t.Slots[k].Wins) + (t.Slots[k].InTournament ? "+" : "-");
    }
    line += " hero " + std::to_string(t.Hero != nullptr ? t.Hero - t.Slots : -1);
    Out(line);
  }

  void WriteShot(const TGame& g, const std::string& name) {
    if (Options.ShotsFolder.empty()) return;
    // The window shows what was presented last. While the main window is still
    // being made (its title screen) the driver has no hold of it yet, and the
    // screen layer it presented, on the screens the game is shown on, is the
    // same picture.
    const auto* shown = dynamic_cast<const TScreensView*>(&g.View);
    if (Form == nullptr && shown == nullptr) return;
    const TBromBitmap& screen =
        Form != nullptr ? Form->Form().PaintBox().Canvas() : shown->Screens().ScreenLayer;
    WritePng(screen, Options.ShotsFolder + "/" + name + ".png");
  }

  void ModeChanged(const TGame& g, TGameMode m, bool entered) override {
    TDriver& d = *this;
    const TTournament& t = g.Tournament;
    if (!entered) {
      // 1. Reported in the order of the changes.
      ++d.ModeChanges;
      Out(std::string("mode ") + ModeWord(m) + " stage " + std::to_string(t.Stage));
      if (d.Options.Check) CheckModeChange(g, m);
      d.LastMode = m;
      if (m == gmBoard) {
        PrintSlots(t);
        if (d.Options.Check) CheckBoard(t);
      }
      d.PendingShots.push_back(d.ModeChanges);
      if (m == gmStory) d.StoryClicksLeft = 1 + static_cast<int>(d.Policy() % 8);
      return;
    }
    // 2. Photographed once drawn, unless the entry asked for another screen at
    // once.
    const int number = d.PendingShots.back();
    d.PendingShots.pop_back();
    if (d.Options.Auto && g.Mode == m && !g.AskedMode) {
      char name[64];
      std::snprintf(name, sizeof name, "%03d-%s-s%d", number, ModeWord(m), t.Stage);
      WriteShot(g, name);
    }
    if (d.Options.Until == static_cast<int>(m)) d.Done = d.ReachedUntil = true;
    if (d.AutoTarget == static_cast<int>(m) &&
        (d.AutoFromStage < 0 || d.AutoFromStage != t.Stage)) {
      d.AutoTarget = -1;
    }
    if (d.AutoTarget == EndOfGame && m == gmBoard && t.Stage == EndStage) d.AutoTarget = -1;
    if (m == gmBoard && t.Stage == EndStage && (d.Options.Until == EndOfGame || d.Options.Auto)) {
      d.Done = true;
    }
  }

  // Input -------------------------------------------------------------------------

  void Click(TMouseButton button, int x, int y) {
    ++Clicks;
    Form->Form().PaintBox().OnMouseDown(button, x, y);
  }
  void Move(int x, int y) {
    ++Moves;
    Form->Form().PaintBox().OnMouseMove(x, y);
  }
  // `repeat`: the repeat a key held down sends.
  void Key(TKey key, bool repeat = false) {
    ++Keys;
    Form->Form().KeyDown(key, repeat);
  }

  // The virtual controller, plugged in at its first use: its events go
  // through the platform's queue and the game's controller unit, as a real
  // one's do, and the keys they stand for to the window.
  void PumpPad() {
    PumpGamepadEvents([this](TKey key) { Form->Form().KeyDown(key, false); });
  }
  TVirtualGamepad& ThePad() {
    if (!Pad) {
      if (!OpenGamepads()) throw std::runtime_error("the platform has no game controllers");
      Pad = std::make_unique<TVirtualGamepad>();
      PumpPad();
    }
    return *Pad;
  }
  void PadPress(TPadButton button) {
    ++PadPresses;
    ThePad().Press(button);
    PumpPad();
    ThePad().Release(button);
    PumpPad();
  }
  void PadStick(int x, int y) {
    ++PadPresses;
    ThePad().Stick(x, y);
    PumpPad();
  }

  // Runs one event line; false (with a message) when it cannot be read.
  bool RunEvent(const std::string& line, std::size_t number) {
    NoteHero();
    std::istringstream in(line);
    std::string word;
    if (!(in >> word) || word[0] == '#') return true;
    auto bad = [&](const char* why) {
      if (Errors == nullptr) return false;
      if (Output != nullptr) std::fflush(Output);  // what came before, first, in one place
      std::fprintf(Errors, "quillmoor-lab play: event line %zu: %s: %s\n", number, why,
                   line.c_str());
      return false;
    };
    if (word == "click" || word == "right" || word == "move") {
      int x = 0, y = 0;
      std::string rest;
      if (!(in >> x >> y) || (in >> rest)) return bad("needs X and Y");
      if (word == "move") {
        Move(x, y);
      } else {
        Click(word == "click" ? TMouseButton::Left : TMouseButton::Right, x, y);
      }
    } else if (word == "key") {
      std::string name, held, rest;
      TKey key{};
      if (!(in >> name) || !KeyNamed(name, key) || ((in >> held) && held != "held") ||
          (in >> rest)) {
        return bad(
            "needs one of space, return, right, left, up, down, tab, shift-tab, escape, s, h, "
            "m, f1, f2, f11, then 'held' or nothing");
      }
      Key(key, held == "held");
    } else if (word == "pad") {
      std::string name, rest;
      TPadButton button{};
      int x = 0, y = 0;
      if (!(in >> name)) return bad("needs a button or 'stick X Y'");
      if (name == "stick") {
        if (!(in >> x >> y) || (in >> rest) || x < -32768 || x > 32767 || y < -32768 || y > 32767) {
          return bad("needs 'stick X Y', each -32768 to 32767");
        }
        PadStick(x, y);
      } else if (!PadButtonNamed(name, button) || (in >> rest)) {
        return bad("needs one of a, b, x, y, start, back, lb, rb, up, down, left, right");
      } else {
        PadPress(button);
      }
    } else if (word == "leave") {
      std::string rest;
      if (in >> rest) return bad("takes nothing");
      Form->Form().PaintBox().OnMouseLeave();
    } else if (word == "wait") {
      long long ms = 0;
      std::string rest;
      if (!(in >> ms) || ms < 0 || ms > 24LL * 3600 * 1000 || (in >> rest)) {
        return bad("needs a number of milliseconds");
      }
      WaitUntil = Now + static_cast<std::uint32_t>(ms);
    } else if (word == "auto") {
      std::string until, rest;
      if (!(in >> until) || !ParseUntil(until, AutoTarget) || (in >> rest)) {
        return bad("needs a mode or 'end'");
      }
      // "auto board" on the board means the board of a later stage.
      AutoFromStage =
          AutoTarget == static_cast<int>(TheGame().Mode) ? TheGame().Tournament.Stage : -1;
    } else if (word == "shot") {
      std::string name, rest;
      if (!(in >> name) || (in >> rest)) return bad("needs one name");
      WriteShot(TheGame(), name);  // without a shots folder the screen is not kept
    } else {
      return bad("unknown event");
    }
    return true;
  }

  // The autoplayer -------------------------------------------------------------------

  int Pick(int n) { return static_cast<int>(Policy() % static_cast<std::uint32_t>(n)); }

  void PointAndClick(const TRect& r) {
    const int x = r.Left + Pick(WidthOf(r)), y = r.Top + Pick(HeightOf(r));
    Move(x, y);
    Click(TMouseButton::Left, x, y);
  }

  void AutoMaking() {
    const TTournament& t = TheGame().Tournament;
    const int swords = CountSwords(t.HeroEdit);
    if (swords >= 2 && Pick(8) == 0) {
      PointAndClick(SlotRects[Pick(swords)]);
    } else if (CanSpend(t)) {
      if (swords < SlotCountShown && Pick(2) == 0) {
        PointAndClick(SwordButtons[1 + Pick(SwordKindCount)]);
      } else {
        PointAndClick(StatButtons[Pick(4)]);
      }
    } else {
      PointAndClick(DecideButton);
    }
  }

  void AutoBoard() {
    const TTournament& t = TheGame().Tournament;
    if (TheGame().Growth.Growing) return;
    // The full autoplayer looks at an entrant now and then; an "auto" event
    // heads straight for its screen.
    if (Options.Auto && AutoTarget < 0 && ViewedStage != t.Stage && Pick(4) == 0) {
      ViewedStage = t.Stage;
      PointAndClick(BracketRects[0][Pick(SlotCount)]);
    } else if (t.HeroEdit.Bonus > 0 && t.Hero->InTournament) {
      PointAndClick(RebuildButton);
    } else {
      PointAndClick(StartButton);
    }
  }

  // The mouse's moves: the clicks a player makes on each screen.
  void AutoClicks() {
    TDriver& d = *this;
    switch (TheGame().Mode) {
      case gmTitle:
        PointAndClick(FullRect);
        break;
      case gmMaking:
        AutoMaking();
        break;
      case gmStory:
        if (d.StoryClicksLeft-- > 0) {
          PointAndClick(TRect{0, 40, 600, 450});
        } else {
          PointAndClick(CloseButton);
        }
        break;
      case gmBoard:
        AutoBoard();
        break;
      case gmView:
        Move(Pick(600), HelpRect.Top + Pick(HeightOf(HelpRect)));
        PointAndClick(FullRect);
        break;
      case gmBattle:
        PointAndClick(Pick(20) == 0 ? SkipButton : TRect{0, 0, 600, 300});
        break;
    }
  }

  // A key the autoplayer presses: on the keyboard, or with "--by pad" the
  // controller's button (or a push of its stick) that stands for it.
  void Press(TKey key) {
    if (Options.By != TAutoInput::Pad) return Key(key);
    const bool stick = Pick(2) == 0;
    switch (key) {
      case TKey::Space:
        return PadPress(stick ? TPadButton::A : TPadButton::Start);
      case TKey::Escape:
        return PadPress(TPadButton::B);
      case TKey::S:
        return PadPress(TPadButton::X);
      case TKey::H:
        return PadPress(TPadButton::RightShoulder);
      case TKey::Left:
        return stick ? (PadStick(-32768, 0), PadStick(0, 0)) : PadPress(TPadButton::Left);
      case TKey::Right:
        return stick ? (PadStick(32767, 0), PadStick(0, 0)) : PadPress(TPadButton::Right);
      case TKey::Up:
        return stick ? (PadStick(0, -32768), PadStick(0, 0)) : PadPress(TPadButton::Up);
      case TKey::Down:
        return stick ? (PadStick(0, 32767), PadStick(0, 0)) : PadPress(TPadButton::Down);
      default:
        Fail("the autoplayer has no button for a key it pressed");
    }
  }

  TKey MainKey() {
    return Options.By == TAutoInput::Pad || Pick(2) == 0 ? TKey::Space : TKey::Return;
  }

  // How far apart two regions' middles are, counted along both axes.
  static int Apart(const TSensorRegistry& r, int a, int b) {
    const TRect &p = r.Sensors[a].Rect, &q = r.Sensors[b].Rect;
    return std::abs(p.Left + p.Right - q.Left - q.Right) +
           std::abs(p.Top + p.Bottom - q.Top - q.Bottom);
  }

  // The key that moves hero making's focus from region `from` towards region
  // `target`: the arrow that lands nearest it, or Tab now and then (on the
  // keyboard); where no arrow comes nearer, Tab, or on a controller any arrow.
  TKey FocusKeyToward(const TSensorRegistry& r, const TGame& g, int from, int target) {
    const bool pad = Options.By == TAutoInput::Pad;
    static const std::pair<TKey, TFocusMove> arrows[] = {{TKey::Left, TFocusMove::Left},
                                                         {TKey::Right, TFocusMove::Right},
                                                         {TKey::Up, TFocusMove::Up},
                                                         {TKey::Down, TFocusMove::Down}};
    if (from < 0) return pad ? TKey::Down : TKey::Tab;
    if (!pad && Pick(4) == 0) return Pick(2) == 0 ? TKey::Tab : TKey::BackTab;
    TKey best = pad ? arrows[Pick(4)].first : TKey::Tab;
    int nearest = Apart(r, from, target);
    for (const auto& [key, move] : arrows) {
      const int to = FocusTarget(r, g, from, move, MakingFocusable);
      if (to >= 0 && Apart(r, to, target) < nearest) {
        best = key;
        nearest = Apart(r, to, target);
      }
    }
    return best;
  }

  // Hero making by keys: the same choices as by the mouse (a slot now and
  // then, points on stats and swords, then decide), each reached by moving
  // the focus onto its region and clicking it with the main key.
  void AutoMakingKeys() {
    const TGame& g = TheGame();
    const TTournament& t = g.Tournament;
    const TSensorRegistry& r = Form->Screens().Sensors;
    // 1. Where to go, while the last choice is reached or gone.
    if (MakingTarget < 0 || MakingTarget >= r.SensorCount ||
        !MakingFocusable(g, r.Sensors[MakingTarget])) {
      const int swords = CountSwords(t.HeroEdit);
      if (swords >= 2 && Pick(8) == 0) {
        MakingTarget = RegionOf(r, TCommandKind::SwapSwords, Pick(swords));
      } else if (CanSpend(t)) {
        MakingTarget = swords < SlotCountShown && Pick(2) == 0
                           ? RegionOf(r, TCommandKind::AddSword, 1 + Pick(SwordKindCount))
                           : RegionOf(r, TCommandKind::RaiseStat, Pick(4));
      } else {
        MakingTarget = RegionOf(r, TCommandKind::DecideEdit, 0);
      }
    }
    // 2. There: click it; on the way: one move nearer.
    const int focused = FocusedRegion(r, g, MakingFocusable);
    if (focused == MakingTarget) {
      MakingTarget = -1;
      return Press(MainKey());
    }
    Press(FocusKeyToward(r, g, focused, MakingTarget));
  }

  // A whole game by keys (or a controller's buttons) alone: the screens' main
  // key and Escape, S on the rivals' matches now and then, H on the board.
  void AutoKeys() {
    const TGame& g = TheGame();
    if (g.Mode != gmMaking) MakingTarget = -1;
    switch (g.Mode) {
      case gmTitle:
        return Press(MainKey());
      case gmMaking:
        return AutoMakingKeys();
      case gmStory:
        return Press(StoryClicksLeft-- > 0 ? MainKey() : TKey::Escape);
      case gmBoard:
        if (g.Growth.Growing) return;
        if (Options.Auto && AutoTarget < 0 && ViewedStage != g.Tournament.Stage && Pick(4) == 0) {
          ViewedStage = g.Tournament.Stage;
          return Press(TKey::H);
        }
        return Press(MainKey());  // START, or 構成変動 while points wait
      case gmView:
        return Press(TKey::Escape);
      case gmBattle:
        if (RivalMatchShown(g) && Pick(3) == 0) return Press(TKey::S);
        return Press(Pick(20) == 0 ? TKey::Escape : MainKey());
    }
  }

  // Random keys, controller buttons, clicks and moves among the moves that
  // play the game on (by keys or by clicks). F2 and the controller's Back
  // are pressed only while the hero is in, where they must do nothing; a new
  // game begins only at the champion's board, as always.
  void AutoMixed() {
    switch (Pick(8)) {
      case 0: {
        const TKey key = KeyNames[Pick(static_cast<int>(std::size(KeyNames)))].second;
        if (key == TKey::F11 || (key == TKey::F2 && !HeroStillIn)) return;
        return Key(key);
      }
      case 1: {
        const auto button = static_cast<TPadButton>(Pick(PadButtonCount));
        if (button == TPadButton::Back && !HeroStillIn) return;
        return PadPress(button);
      }
      case 2: {
        const int x = Pick(ScreenWidth), y = Pick(ScreenHeight);
        Move(x, y);
        return Click(Pick(4) == 0 ? TMouseButton::Right : TMouseButton::Left, x, y);
      }
      case 3:
        return Move(Pick(ScreenWidth), Pick(ScreenHeight));
      default:
        return Pick(2) == 0 ? AutoKeys() : AutoClicks();
    }
  }

  void AutoStep() {
    TDriver& d = *this;
    if (d.Now < d.NextActionAt) return;
    if (++d.Actions > MaxAutoActions) {
      Fail("the autoplayer made " + std::to_string(MaxAutoActions) + " moves without an end");
      d.Done = true;
      return;
    }
    NoteHero();
    switch (d.Options.By) {
      case TAutoInput::Clicks:
        AutoClicks();
        break;
      case TAutoInput::Keys:
      case TAutoInput::Pad:
        AutoKeys();
        break;
      case TAutoInput::Mixed:
        AutoMixed();
        break;
    }
    d.NextActionAt = d.Now + 10 + static_cast<std::uint32_t>(Pick(50));
  }

  // Games ---------------------------------------------------------------------------

  void PrintMemory() {
    // Many games in one process must not grow it: the peak so far, and what
    // the process holds now.
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
      std::fclose(statm);
    }
    Out("peak " + std::to_string(usage.ru_maxrss) + " KB resident " +
        std::to_string(resident * (sysconf(_SC_PAGESIZE) / 1024)) + " KB");
  }

  std::uint32_t GameSeed() { return Options.Seed + static_cast<std::uint32_t>(Game - 1); }

  void PrintGameHeader() {
    if (Options.Games > 1) {
      Out("game " + std::to_string(Game) + " seed " + std::to_string(GameSeed()));
    }
  }

  // A game begins: its seed, the driver's memory of it, the events from the
  // first.
  void BeginGame() {
    TDriver& d = *this;
    const std::uint32_t seed = GameSeed();
    d.Form->Game().Dice.Seed(seed);
    d.Policy.seed(seed ^ 0x9E3779B9u);
    d.NextEvent = 0;
    d.WaitUntil = d.NextActionAt = d.GameStartedAt = d.Now;
    d.Actions = 0;
    d.AutoTarget = d.AutoFromStage = d.ViewedStage = d.CheckedStage = -1;
    d.StoryClicksLeft = 0;
    d.MakingTarget = -1;
    d.Clicks = d.Moves = d.Keys = d.PadPresses = 0;
    d.Done = false;
  }

  // A game is over (or stopped): its champion, then F2 for the next game on the
  // same window, or the end of the program.
  void EndGame() {
    TDriver& d = *this;
    const TTournament& t = TheGame().Tournament;
    if (t.Stage == EndStage && t.EntrantCount >= 1) {
      Out("champion " + NameOf(*t.Entrants[0]));
    } else if (d.Options.Auto && !d.Failed && !d.ReachedUntil) {
      // Stopped where --until asked is no early end.
      Fail("the game ended before the champion's board");
    }
    if (d.Options.Auto) {
      // The game's lines first: with standard error sent to the same place
      // (2>&1), a half-written line would be cut by this one.
      if (Output != nullptr) std::fflush(Output);
      if (Errors != nullptr && d.Options.By == TAutoInput::Clicks) {
        std::fprintf(Errors, "quillmoor-lab play: seed %u: %lld clicks of the autoplayer\n",
                     GameSeed(), d.Actions);
      } else if (Errors != nullptr) {
        std::fprintf(Errors,
                     "quillmoor-lab play: seed %u: %lld moves of the autoplayer: %lld keys, %lld "
                     "controller presses, %lld clicks, %lld pointer moves\n",
                     GameSeed(), d.Actions, d.Keys, d.PadPresses, d.Clicks, d.Moves);
      }
    }
    if (d.Options.Games > 1) PrintMemory();
    if (d.Game >= d.Options.Games || d.Failed || TheGame().LoadFailed || TerminateRequested() ||
        d.Form->Timer().Stopping()) {
      d.Form->Timer().Stop();
      return;
    }
    // The next game, as a player starts one: F2, then the title's click.
    d.HeroStillIn = false;
    ++d.Game;
    PrintGameHeader();
    d.Form->Form().KeyDown(TKey::F2, false);
    if (TheGame().Mode != gmTitle) {
      Fail("F2 did not start a new tournament");
      d.Form->Timer().Stop();
      return;
    }
    BeginGame();
  }
};

// Sounds are written down, not heard; each file is still read and judged
// as the game's player reads and judges it before the mixer would see it, so
// that a sound file that would block or burden the game does so here too.
class TRecorder : public TWavePlayer {
 public:
  explicit TRecorder(const TDriver& d) : d_(d) {}
  void Play(std::string_view programPath, bool /*loop*/) override {
    d_.Out("cue " + Cp932ToUtf8Lenient(programPath));
    SoundFileFault(programPath);
  }
  void Stop() override {}

 private:
  const TDriver& d_;
};

// The driver's clock and message pump: each pass of the game's tick loop
// delivers the next events that are due, or the autoplayer's next move.
class TDriverClock : public TTimerHost {
 public:
  explicit TDriverClock(TDriver& d) : d_(d) {}
  std::uint32_t Now() override { return d_.Now; }
  void Sleep(std::uint32_t milliseconds) override { d_.Now += milliseconds; }
  // Every pass counts as bringing messages: the clock moves one millisecond a
  // pass whatever the loop would wait for, so no handler is passed over.
  bool PumpMessages() override {
    TDriver& d = d_;
    // 1. The caption as the window shows it.
    const std::string caption = d.Form->Form().Caption();
    if (caption != d.Caption) {
      d.Caption = caption;
      d.Out("caption " + caption);
    }
    // 2. Events that are due, unless the autoplayer has the mouse.
    if (d.AutoTarget >= 0) {
      d.AutoStep();
      if (d.Done) d.EndGame();
      return true;
    }
    while (!d.Done && d.AutoTarget < 0 && d.NextEvent < d.Events.size() && d.Now >= d.WaitUntil) {
      const std::size_t n = d.NextEvent++;
      if (!d.RunEvent(d.Events[n], n + 1)) {
        d.Failed = true;
        d.Done = true;
      }
    }
    // 3. Then the autoplayer, or the end of the events.
    if (!d.Done && d.AutoTarget < 0 && d.NextEvent >= d.Events.size() && d.Now >= d.WaitUntil) {
      if (d.Options.Auto) {
        d.AutoStep();
      } else {
        d.Done = true;
      }
    }
    if (d.Now - d.GameStartedAt > MaxGameMilliseconds + 1000) {
      d.Fail("the game ran past its time");
      d.Done = true;
    }
    if (d.Done) d.EndGame();
    return true;
  }

 private:
  TDriver& d_;
};

}  // namespace

bool ParseAutoInput(const std::string& word, TAutoInput& by) {
  static const std::pair<const char*, TAutoInput> words[] = {{"clicks", TAutoInput::Clicks},
                                                             {"keys", TAutoInput::Keys},
                                                             {"pad", TAutoInput::Pad},
                                                             {"mixed", TAutoInput::Mixed}};
  return Named(words, word, by);
}

bool ParseUntil(const std::string& word, int& until) {
  if (word == "end") {
    until = EndOfGame;
    return true;
  }
  for (int m = 0; m < 6; ++m) {
    if (word == ModeWords[m]) {
      until = m;
      return true;
    }
  }
  return false;
}

const char* ModeWord(TGameMode m) {
  return m <= gmBattle ? ModeWords[m] : "?";
}

const char* PlayHelpText() {
  return "Plays the real game headless: the game's own window, regions and timers, with the\n"
         "driver's clock (ticks run without waiting) and the sounds written down. The input\n"
         "comes from --events FILE (or standard input without --auto), one event a line:\n"
         "  click X Y        a left click at (X, Y) of the 600 x 450 screen\n"
         "  right X Y        a right click\n"
         "  move X Y         the pointer moves there\n"
         "  leave            the pointer leaves the window\n"
         "  key NAME         a key goes down: space, return, right, left, up, down, tab,\n"
         "                   shift-tab, escape, s, h, m, f1, f2, f11\n"
         "  pad NAME         a button of a virtual game controller is pressed and let go:\n"
         "                   a, b, x, y, start, back, lb, rb, up, down, left, right\n"
         "  pad stick X Y    the controller's left stick is held at (X, Y), -32768 to 32767\n"
         "  wait MS          the clock advances MS milliseconds, running every due tick\n"
         "  shot NAME        the screen is written as NAME.png in the --shots folder\n"
         "  auto MODE|end    the autoplayer plays until MODE (title, making, story, board,\n"
         "                   view, battle) is entered (a later stage's, when MODE is the\n"
         "                   screen it starts on), or to the champion's board\n"
         "  # ...            a comment\n"
         "--auto plays by a policy drawn from --seed after the events, to the champion's\n"
         "board; with --shots DIR it writes every screen it enters as NNN-MODE-sSTAGE.png.\n"
         "--by keys plays by the keyboard alone, --by pad by a virtual game controller alone,\n"
         "--by mixed with random keys, buttons and clicks among its moves (default: clicks).\n"
         "--until MODE|end stops there. --check reports broken tournament rules. --games N\n"
         "plays N games (seeds N, N+1, ...) in one window, each after the last by F2 on its\n"
         "end, and prints 'game K seed S' before and 'peak P KB resident R KB' (the\n"
         "process's peak memory and what it holds now) after each.\n"
         "--beside N plays a second game, seeded N, in a window of its own beside the first,\n"
         "one pass of each window's loop in turn; only the first game's record is printed,\n"
         "and it is the same as without the second.\n"
         "--roster FILE plays with another roster; --font FILE draws every text with that\n"
         "font file (the golden screens pin one).\n"
         "Prints, one record a line (UTF-8):\n"
         "  mode NAME stage S            every mode change\n"
         "  slots W+|W- ... hero K       every board entry: each slot's wins, + in, - out\n"
         "  match S.M A B -> WINNER (C)  a decided match; C is 20 (first won) or 0\n"
         "  cue FILE                     a sound played\n"
         "  caption TEXT                 the window caption changed\n"
         "  violation TEXT               (--check) a rule of the tournament was broken\n"
         "  champion NAME                the end\n"
         "Same seed and same events: the same output and pictures, every time.\n"
         "Exit codes: 0 done; 1 a check failed, the game ended on a fault or an event\n"
         "line is wrong; 2 bad usage.";
}

namespace {

// Message boxes of a game whose record goes nowhere.
class TSilentSink : public TMessageSink {
 public:
  void Show(std::string_view, std::string_view) override {}
};

// One game's driver with its window's clock and sounds, and the window once
// made.
struct TSeat {
  TDriver Driver;
  TDriverClock Clock{Driver};
  TRecorder Recorder{Driver};
  TSilentSink Silent;
  std::unique_ptr<TFormMain> Window;

  TSeat(const TPlayOptions& options, const std::vector<std::string>& events, bool reported) {
    Driver.Options = options;
    Driver.Events = events;
    if (!reported) Driver.Output = Driver.Errors = nullptr;
  }
  // The main window as the game makes it, then the seed.
  void Open() {
    Driver.PrintGameHeader();
    TMessageSink& messages =
        Driver.Errors != nullptr ? StderrMessageSink() : static_cast<TMessageSink&>(Silent);
    Window = std::make_unique<TFormMain>(TWindowServices{messages, Recorder, Clock},
                                         Driver.Options.Roster, &Driver);
    Driver.Form = Window.get();
    Driver.Caption = Window->Form().Caption();
    Driver.BeginGame();
  }
  // A game the loop left without its end (the program was asked to end) is
  // reported as it stands.
  int Close() {
    if (!Driver.Done) Driver.EndGame();
    const int status = Window->Game().LoadFailed ? 1 : 0;
    Driver.Form = nullptr;
    Window.reset();
    return status;
  }
};

}  // namespace

int RunPlay(const TPlayOptions& options, const std::string& events) {
  // 1. Headless: no window on any screen, no sound device.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  std::vector<std::string> lines;
  std::istringstream in(events);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  TSeat seat(options, lines, true);
  std::unique_ptr<TSeat> beside;
  if (options.Beside) {
    TPlayOptions other = options;
    other.Seed = *options.Beside;
    other.ShotsFolder.clear();
    beside = std::make_unique<TSeat>(other, lines, false);
  }
  if (!options.FontFile.empty()) TBromFont::PinFile(options.FontFile);
  ClearTerminateRequest();
  int status = 0;
  try {
    // 2. The windows, each with its game.
    seat.Open();
    if (beside) beside->Open();
    // 3. The games' own loops, fed by their drivers; each game's end starts
    // the next with F2 until the last. Side by side, one pass of each in
    // turn, until both have ended.
    if (!beside) {
      seat.Window->Run();
    } else {
      TBromTimer& a = seat.Window->Timer();
      TBromTimer& b = beside->Window->Timer();
      while (!TerminateRequested() && (!a.Stopping() || !b.Stopping())) {
        if (!a.Stopping()) a.Pass();
        if (!b.Stopping()) b.Pass();
      }
      beside->Close();
    }
    status = seat.Close();
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "quillmoor-lab play: %s\n", Cp932ToUtf8Lenient(e.what()).c_str());
    status = 1;
  }
  if (!options.FontFile.empty()) TBromFont::PinFile("");
  ClearTerminateRequest();
  std::fflush(stdout);
  return seat.Driver.Failed ? 1 : status;
}

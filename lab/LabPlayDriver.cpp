#include "lab/LabPlayDriver.h"

#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "battle/Battle.h"
#include "battle/BattleHost.h"
#include "data/Roster.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "flow/FormMain.h"
#include "flow/TournamentFlow.h"
#include "growth/GrowthDriver.h"
#include "lab/Lab.h"
#include "paint/ScreenKit.h"
#include "present/App.h"
#include "present/Font.h"
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

void Out(const std::string& utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fputc('\n', stdout);
}

// The state of the one game being played.
struct TDriver {
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
  int AutoTarget = -1;  // an "auto" event plays by itself until this mode (or the end)
  int AutoFromStage =
      -1;  // set when the target is the screen it started on: a later stage's entry counts
  int StoryClicksLeft = 0;
  int ViewedStage = -1;
  // The checker's memory.
  int CheckedStage = -1;
  TSpec HeroSpecAtRoundEnd;
};

TDriver* driver = nullptr;

// The game the driver's window shows.
const TGame& TheGame() {
  return driver->Form->Game();
}

void Fail(const std::string& why) {
  Out("violation " + why);
  driver->Failed = true;
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
  if (t.Stage != driver->CheckedStage) {
    driver->CheckedStage = t.Stage;
    driver->HeroSpecAtRoundEnd = t.Hero->Spec;
  } else if (!(t.Hero->Spec == driver->HeroSpecAtRoundEnd)) {
    Fail("the hero's build changed on the board before its match");
  }
}

// Output ----------------------------------------------------------------------

std::string NameOf(const TSwordia& s) {
  return Cp932ToUtf8Lenient(s.Name);
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
  if (driver->Options.ShotsFolder.empty()) return;
  // The window shows what was presented last. While the main window is still
  // being made (its title screen) the driver has no hold of it yet, and the
  // screen layer it presented, on the screens the game is shown on, is the
  // same picture.
  const TBromBitmap& screen =
      driver->Form != nullptr ? driver->Form->PaintBox().Canvas() : g.Screens->ScreenLayer;
  WritePng(screen, driver->Options.ShotsFolder + "/" + name + ".png");
}

void OnMode(const TGame& g, TGameMode m, bool entered) {
  TDriver& d = *driver;
  const TTournament& t = g.Tournament;
  if (!entered) {
    // 1. Reported in the order of the changes.
    ++d.ModeChanges;
    Out(std::string("mode ") + ModeWord(m) + " stage " + std::to_string(t.Stage));
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
  if (d.Options.Until == static_cast<int>(m)) d.Done = true;
  if (d.AutoTarget == static_cast<int>(m) && (d.AutoFromStage < 0 || d.AutoFromStage != t.Stage)) {
    d.AutoTarget = -1;
  }
  if (d.AutoTarget == EndOfGame && m == gmBoard && t.Stage == EndStage) d.AutoTarget = -1;
  if (m == gmBoard && t.Stage == EndStage && (d.Options.Until == EndOfGame || d.Options.Auto)) {
    d.Done = true;
  }
}

// The game's battle host with the driver listening in.
class TWatchHost : public TBattleHost {
 public:
  TWatchHost(const TGame& g, std::unique_ptr<TBattleHost> game) : g_(g), game_(std::move(game)) {}
  void PaintMatch() override { game_->PaintMatch(); }
  void RefreshFighters() override { game_->RefreshFighters(); }
  void PlayCue(const char* file) override { game_->PlayCue(file); }
  bool BattleShown() const override { return game_->BattleShown(); }
  void HeroWon() override { game_->HeroWon(); }
  void StageOver() override { game_->StageOver(); }
  void MatchDecided(const TSwordia& winner, const TSwordia& loser, int result) override {
    const TSwordia& first = result == brFirstWins ? winner : loser;
    const TSwordia& second = result == brFirstWins ? loser : winner;
    const TTournament& t = g_.Tournament;
    Out("match " + std::to_string(t.Stage) + "." + std::to_string(g_.Battle.MatchIndex + 1) + " " +
        NameOf(first) + " " + NameOf(second) + " -> " + NameOf(winner) + " (" +
        std::to_string(result) + ")");
    if (driver->Options.Check && t.Stage >= FirstGrownStage &&
        (&winner == t.Hero || &loser == t.Hero) && !(t.Hero->Spec == t.HeroEdit.Spec)) {
      Fail("the hero fought without the build made for this round");
    }
    game_->MatchDecided(winner, loser, result);
  }

 private:
  const TGame& g_;
  std::unique_ptr<TBattleHost> game_;
};

// Sounds are written down, not heard; each file is still read and judged
// as the game's player reads and judges it before the mixer would see it, so
// that a sound file that would block or burden the game does so here too.
class TRecorder : public TWavePlayer {
 public:
  void Play(std::string_view programPath, bool /*loop*/) override {
    Out("cue " + Cp932ToUtf8Lenient(programPath));
    SoundFileFault(programPath);
  }
  void Stop() override {}
};

// Input -------------------------------------------------------------------------

void Click(TMouseButton button, int x, int y) {
  driver->Form->PaintBox().OnMouseDown(button, x, y);
}
void Move(int x, int y) {
  driver->Form->PaintBox().OnMouseMove(x, y);
}

// The keys an event line may name, as the window delivers them.
bool KeyNamed(const std::string& name, TKey& key) {
  static const std::pair<const char*, TKey> names[] = {
      {"space", TKey::Space},   {"return", TKey::Return}, {"right", TKey::Right},
      {"escape", TKey::Escape}, {"m", TKey::M},           {"f2", TKey::F2},
      {"f11", TKey::F11}};
  for (const auto& [word, k] : names) {
    if (name == word) {
      key = k;
      return true;
    }
  }
  return false;
}

// Runs one event line; false (with a message) when it cannot be read.
bool RunEvent(const std::string& line, std::size_t number) {
  std::istringstream in(line);
  std::string word;
  if (!(in >> word) || word[0] == '#') return true;
  auto bad = [&](const char* why) {
    std::fflush(stdout);  // what came before, first, when both go to one place
    std::fprintf(stderr, "quillmoor-lab play: event line %zu: %s: %s\n", number, why, line.c_str());
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
    if (!(in >> name) || !KeyNamed(name, key) || ((in >> held) && held != "held") || (in >> rest)) {
      return bad("needs one of space, return, right, escape, m, f2, f11, then 'held' or nothing");
    }
    // "held": the repeat a key held down sends.
    driver->Form->KeyDown(key, held == "held");
  } else if (word == "leave") {
    std::string rest;
    if (in >> rest) return bad("takes nothing");
    driver->Form->PaintBox().OnMouseLeave();
  } else if (word == "wait") {
    long long ms = 0;
    std::string rest;
    if (!(in >> ms) || ms < 0 || ms > 24LL * 3600 * 1000 || (in >> rest)) {
      return bad("needs a number of milliseconds");
    }
    driver->WaitUntil = driver->Now + static_cast<std::uint32_t>(ms);
  } else if (word == "auto") {
    std::string until, rest;
    if (!(in >> until) || !ParseUntil(until, driver->AutoTarget) || (in >> rest)) {
      return bad("needs a mode or 'end'");
    }
    // "auto board" on the board means the board of a later stage.
    driver->AutoFromStage =
        driver->AutoTarget == static_cast<int>(TheGame().Mode) ? TheGame().Tournament.Stage : -1;
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

int Pick(int n) {
  return static_cast<int>(driver->Policy() % static_cast<std::uint32_t>(n));
}

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
  if (driver->Options.Auto && driver->AutoTarget < 0 && driver->ViewedStage != t.Stage &&
      Pick(4) == 0) {
    driver->ViewedStage = t.Stage;
    PointAndClick(BracketRects[0][Pick(SlotCount)]);
  } else if (t.HeroEdit.Bonus > 0 && t.Hero->InTournament) {
    PointAndClick(RebuildButton);
  } else {
    PointAndClick(StartButton);
  }
}

void AutoStep() {
  TDriver& d = *driver;
  if (d.Now < d.NextActionAt) return;
  if (++d.Actions > MaxAutoActions) {
    Fail("the autoplayer made " + std::to_string(MaxAutoActions) + " moves without an end");
    d.Done = true;
    return;
  }
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

std::uint32_t GameSeed() {
  return driver->Options.Seed + static_cast<std::uint32_t>(driver->Game - 1);
}

void PrintGameHeader() {
  if (driver->Options.Games > 1) {
    Out("game " + std::to_string(driver->Game) + " seed " + std::to_string(GameSeed()));
  }
}

// A game begins: its seed, the driver's memory of it, the events from the
// first.
void BeginGame() {
  TDriver& d = *driver;
  const std::uint32_t seed = GameSeed();
  d.Form->Game().Dice.Seed(seed);
  d.Policy.seed(seed ^ 0x9E3779B9u);
  d.NextEvent = 0;
  d.WaitUntil = d.NextActionAt = d.GameStartedAt = d.Now;
  d.Actions = 0;
  d.AutoTarget = d.AutoFromStage = d.ViewedStage = d.CheckedStage = -1;
  d.StoryClicksLeft = 0;
  d.Done = false;
  // The game's battle host, with the driver listening in.
  TGame& game = d.Form->Game();
  game.UseBattleHost(std::make_unique<TWatchHost>(game, std::move(game.BattleHost)));
}

// A game is over (or stopped): its champion, then F2 for the next game on the
// same window, or the end of the program.
void EndGame() {
  TDriver& d = *driver;
  const TTournament& t = TheGame().Tournament;
  if (t.Stage == EndStage && t.EntrantCount >= 1) {
    Out("champion " + NameOf(*t.Entrants[0]));
  } else if (d.Options.Auto && !d.Failed) {
    Fail("the game ended before the champion's board");
  }
  if (d.Options.Auto) {
    // The game's lines first: with standard error sent to the same place
    // (2>&1), a half-written line would be cut by this one.
    std::fflush(stdout);
    std::fprintf(stderr, "quillmoor-lab play: seed %u: %lld clicks of the autoplayer\n", GameSeed(),
                 d.Actions);
  }
  if (d.Options.Games > 1) PrintMemory();
  if (d.Game >= d.Options.Games || d.Failed || TheGame().LoadFailed || TerminateRequested()) {
    RequestTerminate();
    return;
  }
  // The next game, as a player starts one: F2, then the title's click.
  ++d.Game;
  PrintGameHeader();
  d.Form->KeyDown(TKey::F2, false);
  if (TheGame().Mode != gmTitle) {
    Fail("F2 did not start a new tournament");
    RequestTerminate();
    return;
  }
  BeginGame();
}

// The driver's clock and message pump: each pass of the game's tick loop
// delivers the next events that are due, or the autoplayer's next move.
class TDriverClock : public TTimerHost {
 public:
  std::uint32_t Now() override { return driver->Now; }
  void Sleep(std::uint32_t milliseconds) override { driver->Now += milliseconds; }
  void PumpMessages() override {
    TDriver& d = *driver;
    // 1. The caption as the window shows it.
    const std::string caption = d.Form->Caption();
    if (caption != d.Caption) {
      d.Caption = caption;
      Out("caption " + caption);
    }
    // 2. Events that are due, unless the autoplayer has the mouse.
    if (d.AutoTarget >= 0) {
      AutoStep();
      if (d.Done) EndGame();
      return;
    }
    while (!d.Done && d.AutoTarget < 0 && d.NextEvent < d.Events.size() && d.Now >= d.WaitUntil) {
      const std::size_t n = d.NextEvent++;
      if (!RunEvent(d.Events[n], n + 1)) {
        d.Failed = true;
        d.Done = true;
      }
    }
    // 3. Then the autoplayer, or the end of the events.
    if (!d.Done && d.AutoTarget < 0 && d.NextEvent >= d.Events.size() && d.Now >= d.WaitUntil) {
      if (d.Options.Auto) {
        AutoStep();
      } else {
        d.Done = true;
      }
    }
    if (d.Now - d.GameStartedAt > MaxGameMilliseconds + 1000) {
      Fail("the game ran past its time");
      d.Done = true;
    }
    if (d.Done) EndGame();
  }
};

}  // namespace

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
         "  key NAME         a key goes down: space, return, right, escape, m, f2, f11\n"
         "  key NAME held    the repeat of that key held down\n"
         "  wait MS          the clock advances MS milliseconds, running every due tick\n"
         "  shot NAME        the screen is written as NAME.png in the --shots folder\n"
         "  auto MODE|end    the autoplayer plays until MODE (title, making, story, board,\n"
         "                   view, battle) is entered (a later stage's, when MODE is the\n"
         "                   screen it starts on), or to the champion's board\n"
         "  # ...            a comment\n"
         "--auto plays by a policy drawn from --seed after the events, to the champion's\n"
         "board; with --shots DIR it writes every screen it enters as NNN-MODE-sSTAGE.png.\n"
         "--until MODE|end stops there. --check reports broken tournament rules. --games N\n"
         "plays N games (seeds N, N+1, ...) in one window, each after the last by F2 on its\n"
         "end, and prints 'game K seed S' before and 'peak P KB resident R KB' (the\n"
         "process's peak memory and what it holds now) after each.\n"
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

int RunPlay(const TPlayOptions& options, const std::string& events) {
  // 1. Headless: no window on any screen, no sound device.
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  TDriver d;
  d.Options = options;
  std::istringstream lines(events);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    d.Events.push_back(line);
  }
  driver = &d;
  TDriverClock clock;
  TRecorder recorder;
  if (!options.FontFile.empty()) TBromFont::PinFile(options.FontFile);
  ClearTerminateRequest();
  int status = 0;
  try {
    // 2. The main window as the game makes it, then the seed.
    PrintGameHeader();
    TFormMain form({StderrMessageSink(), recorder, clock}, options.Roster, OnMode);
    d.Form = &form;
    d.Caption = form.Caption();
    BeginGame();
    // 3. The game's own loop, fed by the driver; each game's end starts the
    // next with F2 until the last.
    form.Run();
    // 4. A game the loop left without its end (the program was asked to
    // end) is reported as it stands.
    if (!d.Done) EndGame();
    if (form.Game().LoadFailed) status = 1;
    d.Form = nullptr;
  } catch (const std::exception& e) {
    std::fflush(stdout);
    std::fprintf(stderr, "quillmoor-lab play: %s\n", Cp932ToUtf8Lenient(e.what()).c_str());
    status = 1;
  }
  if (!options.FontFile.empty()) TBromFont::PinFile("");
  ClearTerminateRequest();
  driver = nullptr;
  std::fflush(stdout);
  return d.Failed ? 1 : status;
}

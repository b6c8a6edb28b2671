#include "flow/Mode.h"

#include <string>
#include <utility>
#include <vector>

#include "flow/Making.h"
#include "flow/StoryRunner.h"
#include "flow/TournamentFlow.h"
#include "paint/BoardScreen.h"
#include "paint/MakingScreen.h"
#include "paint/ScreenKit.h"
#include "paint/StoryScreens.h"
#include "present/App.h"
#include "rules/InternalError.h"

TScreens& ScreensOf(const TGame& g) {
  if (g.Screens == nullptr) InternalError("UnitMode", "the game is shown on no screens");
  return *g.Screens;
}

void ShowScreen(const TGame& g, const THitTable& regions) {
  InstallRegions(ScreensOf(g).Sensors, regions);
}

void AskCue(TGame& g, std::string_view file) {
  g.Effects.push_back(TEffect{TEffect::Cue, std::string(file)});
}

void AskCaption(TGame& g, std::string_view text) {
  g.Effects.push_back(TEffect{TEffect::Caption, std::string(text)});
}

void ApplyEffects(TGame& g) {
  if (g.Effects.empty()) return;
  if (g.Shell == nullptr) InternalError("UnitMode", "the game has no shell for its effects");
  // Taken out first, so that none is carried out twice should one throw.
  const std::vector<TEffect> effects = std::move(g.Effects);
  g.Effects.clear();
  for (const TEffect& e : effects) g.Shell->Apply(e);
}

void SetMode(TGame& g, TGameMode m) {
  if (m > gmBattle) InternalError("UnitMode", "unknown mode");
  g.AskedMode = m;
  if (g.Running == 0) EnterAskedModes(g);
}

namespace {

// Runs the entry of mode m; a change the entry asks for waits.
void RunEntry(TGame& g, TGameMode m) {
  const TModeHold hold(g);
  switch (m) {
    case gmTitle:
      // The title picture; no regions: the main window takes its click.
      PaintTitle(ScreensOf(g));
      break;
    case gmMaking:
      // The hero setup screen and its 63 regions.
      ShowScreen(g, PaintMaking(ScreensOf(g), g));
      break;
    case gmStory:
      // The piece of the stage, its screen and first page.
      EnterStory(g);
      break;
    case gmBoard:
      // The tournament board: portraits to view, the start, the build change.
      ShowBoard(g);
      break;
    case gmView:
      // The entrant chosen on the board; every click returns to the board.
      if (g.Tournament.Viewed == nullptr) InternalError("UnitMode", "no entrant to view");
      ShowScreen(g, PaintOpponent(ScreensOf(g), g, *g.Tournament.Viewed));
      break;
    case gmBattle:
      // The battle screen is painted, with its regions, by each match start.
      EnterBattleMode(g.Battle);
      break;
  }
}

// The mode's entry with the listener hearing it before and after.
// What was asked before the change is carried out before the listener hears
// of it, and what the entry asked before it hears that it is done.
void EnterHeard(TGame& g, TGameMode m) {
  ApplyEffects(g);
  g.Mode = m;
  if (g.ModeListener != nullptr) g.ModeListener(g, m, false);
  RunEntry(g, m);
  ApplyEffects(g);
  if (g.ModeListener != nullptr) g.ModeListener(g, m, true);
}

}  // namespace

void EnterAskedModes(TGame& g) {
  while (g.AskedMode) {
    const TGameMode m = *g.AskedMode;
    g.AskedMode.reset();
    EnterHeard(g, m);
  }
}

void DoAskedMessages(TGame& g, TMessageSink& messages) {
  for (const auto& [caption, text] : g.AskedMessages) messages.Show(caption, text);
  g.AskedMessages.clear();
  if (g.QuitAsked) RequestTerminate();
  g.QuitAsked = false;
}

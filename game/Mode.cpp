#include "game/Mode.h"

#include <string>
#include <utility>
#include <vector>

#include "rules/InternalError.h"

void AskCue(TGame& g, std::string_view file) {
  g.Effects.push_back(TEffect{TEffect::Cue, std::string(file), {}});
}

void AskPresent(TGame& g) {
  g.Effects.push_back(TEffect{TEffect::Present, {}, {}});
}

void AskCaption(TGame& g, std::string_view text) {
  g.Effects.push_back(TEffect{TEffect::Caption, std::string(text), {}});
}

void AskMessage(TGame& g, std::string_view title, std::string_view text) {
  g.Effects.push_back(TEffect{TEffect::Message, std::string(text), std::string(title)});
}

void AskQuit(TGame& g) {
  g.Effects.push_back(TEffect{TEffect::Quit, {}, {}});
}

void AskFighters(TGame& g) {
  g.Effects.push_back(TEffect{TEffect::Fighters, {}, {}});
}

std::vector<TEffect> TakeEffects(TGame& g) {
  std::vector<TEffect> effects = std::move(g.Effects);
  g.Effects.clear();
  return effects;
}

void SetMode(TGame& g, TGameMode m) {
  if (m > gmBattle) InternalError("UnitMode", "unknown mode");
  g.AskedMode = m;
}

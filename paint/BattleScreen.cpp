#include "paint/BattleScreen.h"

#include "battle/Battle.h"
#include "battle/BattleLog.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "paint/ScreenKit.h"

namespace {

// The log's text window: lines enter at the bottom, 21 pixels in from the
// log's left edge, the first one 21 pixels below its top.
constexpr int LogTextLeft = LogRect.Left + 21;
constexpr int LogTextTop = LogRect.Top + 21;
constexpr int LogLinePitch = 18;  // pixels per line

bool skipHovered = false;
TLogScroll logScroll;

// A match's entrant's portrait.
const TBromBitmap* PortraitOfEntrant(const TGame& g, const TSwordia* entrant) {
  return entrant != nullptr ? PortraitOf(g.Tournament, *entrant) : nullptr;
}

}  // namespace

void DrawFighterPanels(const TGame& g) {
  DrawFighterPanel(LeftFighterRect, g.Battle.A, PortraitOfEntrant(g, g.Battle.SwordiaA));
  DrawFighterPanel(RightFighterRect, g.Battle.B, PortraitOfEntrant(g, g.Battle.SwordiaB));
}

void DrawFighterPanel(const TRect& rect, const TFighter& fighter, const TBromBitmap* portrait) {
  const int l = rect.Left, t = rect.Top;
  // 1. The portrait, and 2. dimmed to half behind the text. A fighter
  // without one (never in play: every slot has its portrait surface) stands
  // on black.
  if (portrait != nullptr) {
    DrawDimmedPortrait(BaseLayer, *portrait, rect);
  } else {
    FillRectSolid(BaseLayer, rect, ColorBlack);
    BlendRect(BaseLayer, rect, ColorBlack);
  }
  // 3. The name.
  DrawTextAt(BaseLayer, l + 12, t + 12, 16, true, ColorWhite, fighter.Name.Str());
  // 4. The status lines.
  const TStringDynArray status = FighterStatus(fighter);
  SetScreenFont(BaseLayer, 14, false, ColorWhite);
  for (int i = 0; i < static_cast<int>(status.size()); ++i) {
    BaseLayer.DrawText(l + 12, t + 40 + 18 * i, status[i]);
  }
}

void PaintBattle(const TGame& g) {
  // 1. The two fighters cover the upper half; the backdrop is not reloaded.
  DrawFighterPanels(g);
  // 2. The log, black.
  FillRectSolid(BaseLayer, LogRect, ColorBlack);
  // 3. The SKIP button.
  BlendRect(BaseLayer, SkipButton, ColorWhite);
  DrawCentredLines(BaseLayer, SkipButton, 16, {"SKIP"}, false, ColorBlack);
  // 4. SKIP first, so that it takes the click; everywhere else is a step.
  ClearSensors();
  AddSensor(SkipButton, false, SkipHover, SkipLeave, TCommandKind::BattleSkip, 0);
  AddSensor(FullRect, false, nullptr, nullptr, TCommandKind::BattleStep, 0);
  // 5. A fresh log window: the match's log starts as six blank lines in
  // place.
  skipHovered = false;
  logScroll = TLogScroll();
  // 6.
  BaseLayer.DrawTo(ScreenLayer, 0, 0);
  Present();
}

void RefreshFighters(const TGame& g) {
  if (g.Battle.LogOff) return;
  DrawFighterPanels(g);
  RestoreRect(LeftFighterRect);
  RestoreRect(RightFighterRect);
}

void LogScrollTick(const TGame& g, bool battleShown) {
  const std::vector<std::string>& lines = g.LogStore.Lines;
  TLogScroll& s = logScroll;
  // 1. Every line logged since the last tick owes one pitch of scrolling.
  const int count = static_cast<int>(lines.size());
  if (count > s.Seen) s.Owed += (count - s.Seen) * LogLinePitch;
  s.Seen = count;
  // 2. Only the battle screen scrolls, and only while scrolling is owed.
  if (!battleShown || s.Owed <= 0) return;
  // 3. Four fifths of what is owed stays owed.
  s.Owed = s.Owed * 4 / 5;
  // 4. Lines that have left the window are passed: the top line becomes the
  // topmost line still at least partly visible.
  const int owedLines = (s.Owed + LogLinePitch - 1) / LogLinePitch;
  const int k = count - s.Top - LogViewLines - owedLines;
  if (k > 0) s.Top += k;
  // 5. How far the top line has already moved up out of its place.
  const int e = (LogLinePitch - s.Owed % LogLinePitch) % LogLinePitch;
  // 6.
  FillRectSolid(ScreenLayer, LogRect, ColorBlack);
  // 7. Six lines when they stand in place, seven while one is half out.
  SetScreenFont(ScreenLayer, 14, false, ColorWhite);
  const int shown = e == 0 ? LogViewLines : LogViewLines + 1;
  for (int i = 0; i < shown && s.Top + i < count; ++i) {
    ScreenLayer.DrawText(LogTextLeft, LogTextTop - e + LogLinePitch * i, lines[s.Top + i]);
  }
  // 8. The masks clip the partly visible lines to the window.
  FillRectSolid(ScreenLayer, LogTopMask, ColorBlack);
  FillRectSolid(ScreenLayer, LogBottomMask, ColorBlack);
  // 9. The top mask has covered SKIP: it comes back only while the battle can
  // still be skipped, so it vanishes with the first tick after the end.
  if (g.Battle.SkipAllowed) {
    RestoreRect(SkipButton);
    if (skipHovered) HighlightRect(SkipButton);
  }
  // 10.
  Present();
}

const TLogScroll& LogScroll() {
  return logScroll;
}

bool LogScrolling(const TGame& g) {
  return logScroll.Owed > 0 || static_cast<int>(g.LogStore.Lines.size()) > logScroll.Seen;
}

void SkipHover(const TGame& g, std::int32_t /*tag*/) {
  skipHovered = true;
  if (!g.Battle.SkipAllowed) return;
  RestoreRect(SkipButton);
  HighlightRect(SkipButton);
}

void SkipLeave(const TGame& g, std::int32_t /*tag*/) {
  skipHovered = false;
  if (!g.Battle.SkipAllowed) return;
  RestoreRect(SkipButton);
}

bool SkipHovered() {
  return skipHovered;
}

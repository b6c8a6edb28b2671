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

// A match's entrant's portrait.
const TBromBitmap* PortraitOfEntrant(const TScreens& s, const TGame& g, const TSwordia* entrant) {
  return entrant != nullptr ? PortraitOf(s, g.Tournament, *entrant) : nullptr;
}

}  // namespace

void DrawFighterPanels(TScreens& s, const TGame& g) {
  DrawFighterPanel(s, LeftFighterRect, g.Battle.A, PortraitOfEntrant(s, g, g.Battle.SwordiaA));
  DrawFighterPanel(s, RightFighterRect, g.Battle.B, PortraitOfEntrant(s, g, g.Battle.SwordiaB));
}

void DrawFighterPanel(TScreens& s, const TRect& rect, const TFighter& fighter,
                      const TBromBitmap* portrait) {
  const int l = rect.Left, t = rect.Top;
  // 1. The portrait, and 2. dimmed to half behind the text. A fighter
  // without one (never in play: every slot has its portrait surface) stands
  // on black.
  if (portrait != nullptr) {
    DrawDimmedPortrait(s, s.BaseLayer, *portrait, rect);
  } else {
    FillRectSolid(s.BaseLayer, rect, ColorBlack);
    BlendRect(s.BaseLayer, rect, ColorBlack);
  }
  // 3. The name.
  DrawTextAt(s.BaseLayer, l + 12, t + 12, 16, true, ColorWhite, fighter.Name.Str());
  // 4. The status lines.
  const TStringDynArray status = FighterStatus(fighter);
  SetScreenFont(s.BaseLayer, 14, false, ColorWhite);
  for (int i = 0; i < static_cast<int>(status.size()); ++i) {
    s.BaseLayer.DrawText(l + 12, t + 40 + 18 * i, status[i]);
  }
}

THitTable PaintBattle(TScreens& s, const TGame& g) {
  // 1. The two fighters cover the upper half; the backdrop is not reloaded.
  DrawFighterPanels(s, g);
  // 2. The log, black.
  FillRectSolid(s.BaseLayer, LogRect, ColorBlack);
  // 3. The SKIP button.
  BlendRect(s.BaseLayer, SkipButton, ColorWhite);
  DrawCentredLines(s.BaseLayer, SkipButton, 16, {"SKIP"}, false, ColorBlack);
  // 4. SKIP first, so that it takes the click; everywhere else is a step.
  THitTable regions = {{SkipButton, false, SkipHover, SkipLeave, TCommandKind::BattleSkip, 0},
                       {FullRect, false, nullptr, nullptr, TCommandKind::BattleStep, 0}};
  // 5. A fresh log window: the match's log starts as six blank lines in
  // place.
  s.SkipHovered = false;
  s.LogScroll = TLogScroll();
  // 6.
  s.BaseLayer.DrawTo(s.ScreenLayer, 0, 0);
  return regions;
}

void RefreshFighters(TScreens& s, const TGame& g) {
  if (g.Battle.LogOff) return;
  DrawFighterPanels(s, g);
  RestoreRect(s, LeftFighterRect);
  RestoreRect(s, RightFighterRect);
}

bool LogScrollTick(TScreens& s, const TGame& g, bool battleShown) {
  const std::vector<std::string>& lines = g.LogStore.Lines;
  TLogScroll& w = s.LogScroll;
  // 1. Every line logged since the last tick owes one pitch of scrolling.
  const int count = static_cast<int>(lines.size());
  if (count > w.Seen) w.Owed += (count - w.Seen) * LogLinePitch;
  w.Seen = count;
  // 2. Only the battle screen scrolls, and only while scrolling is owed.
  if (!battleShown || w.Owed <= 0) return false;
  // 3. Four fifths of what is owed stays owed.
  w.Owed = w.Owed * 4 / 5;
  // 4. Lines that have left the window are passed: the top line becomes the
  // topmost line still at least partly visible.
  const int owedLines = (w.Owed + LogLinePitch - 1) / LogLinePitch;
  const int k = count - w.Top - LogViewLines - owedLines;
  if (k > 0) w.Top += k;
  // 5. How far the top line has already moved up out of its place.
  const int e = (LogLinePitch - w.Owed % LogLinePitch) % LogLinePitch;
  // 6.
  FillRectSolid(s.ScreenLayer, LogRect, ColorBlack);
  // 7. Six lines when they stand in place, seven while one is half out.
  SetScreenFont(s.ScreenLayer, 14, false, ColorWhite);
  const int shown = e == 0 ? LogViewLines : LogViewLines + 1;
  for (int i = 0; i < shown && w.Top + i < count; ++i) {
    s.ScreenLayer.DrawText(LogTextLeft, LogTextTop - e + LogLinePitch * i, lines[w.Top + i]);
  }
  // 8. The masks clip the partly visible lines to the window.
  FillRectSolid(s.ScreenLayer, LogTopMask, ColorBlack);
  FillRectSolid(s.ScreenLayer, LogBottomMask, ColorBlack);
  // 9. The top mask has covered SKIP: it comes back only while the battle can
  // still be skipped, so it vanishes with the first tick after the end.
  if (g.Battle.SkipAllowed) {
    RestoreRect(s, SkipButton);
    if (s.SkipHovered) HighlightRect(s, SkipButton);
  }
  // 10. The caller presents.
  return true;
}

bool LogScrolling(const TScreens& s, const TGame& g) {
  return s.LogScroll.Owed > 0 || static_cast<int>(g.LogStore.Lines.size()) > s.LogScroll.Seen;
}

void SkipHover(TScreens& s, const TGame& g, std::int32_t /*tag*/) {
  s.SkipHovered = true;
  if (!g.Battle.SkipAllowed) return;
  RestoreRect(s, SkipButton);
  HighlightRect(s, SkipButton);
}

void SkipLeave(TScreens& s, const TGame& g, std::int32_t /*tag*/) {
  s.SkipHovered = false;
  if (!g.Battle.SkipAllowed) return;
  RestoreRect(s, SkipButton);
}

#include "paint/BoardScreen.h"

#include <algorithm>
#include <string>

#include "data/Status.h"
#include "data/Tournament.h"
#include "growth/GrowthDriver.h"
#include "paint/ScreenKit.h"

namespace {

const char* const CentrePictureFile = "dat\\top.bmp";
constexpr int BarLevels = 5;
constexpr int CrossPenWidth = 6;
constexpr int InfoTextLeft = BoardInfoPortraitRect.Right + 30;

// Valid entries of bar level a (1..5): 32, 16, 8, 4, 2.
constexpr int BarsOfLevel(int a) {
  return 64 >> a;
}

// A slot's portrait stretched into a rectangle; a slot without one (never in
// play) shows black.
void StretchPortrait(TScreens& s, const TTournament& t, TBromBitmap& layer, const TSwordia& slot,
                     const TRect& r) {
  const TBromBitmap* portrait = PortraitOf(s, t, slot);
  if (portrait != nullptr && portrait->Width() > 0) {
    DrawThumbnail(s, layer, *portrait, r);
  } else {
    FillRectSolid(layer, r, ColorBlack);
  }
}

// The title: the stage, or after the final the champion.
std::string BoardTitle(const TTournament& t) {
  if (t.Stage <= FinalStage) return StageName(t.Stage);
  std::string title = "優勝者：";
  if (t.EntrantCount > 0 && t.Entrants[0] != nullptr) title += t.Entrants[0]->Name;
  return title;
}

// The portraits: every slot in its cell, those that are out dimmed and
// crossed out.
void DrawPortraits(TScreens& s, const TTournament& t) {
  for (int k = 0; k < SlotCount; ++k) {
    const TRect& cell = BracketRects[0][k];
    StretchPortrait(s, t, s.BaseLayer, t.Slots[k], cell);
    if (t.Slots[k].InTournament) continue;
    BlendRect(s.BaseLayer, cell, ColorBlack);
    s.BaseLayer.DrawLine(cell.Left, cell.Top, cell.Right - 1, cell.Bottom - 1, BracketGrey,
                         CrossPenWidth);
    s.BaseLayer.DrawLine(cell.Right - 1, cell.Top, cell.Left, cell.Bottom - 1, BracketGrey,
                         CrossPenWidth);
  }
}

// The bars, all white.
void DrawBars(TScreens& s) {
  for (int a = 1; a <= BarLevels; ++a) {
    for (int b = 0; b < BarsOfLevel(a); ++b) {
      FillRectSolid(s.BaseLayer, BracketRects[a][b], ColorWhite);
    }
  }
}

// The winning paths: bar (a, b) turns red once an entrant below it has won a
// rounds, that is when the most wins among the slots it covers reach a.
void DrawWinningPaths(TScreens& s, const TTournament& t) {
  std::int32_t best[SlotCount];  // at level a: best[b] for bar (a, b)
  for (int b = 0; b < SlotCount; ++b) best[b] = t.Slots[b].Wins;
  for (int a = 1; a <= BarLevels; ++a) {
    if (a > 1) {
      for (int b = 0; b < BarsOfLevel(a); ++b) best[b] = std::max(best[2 * b], best[2 * b + 1]);
    }
    for (int b = 0; b < BarsOfLevel(a); ++b) {
      if (best[b] >= a) FillRectSolid(s.BaseLayer, BracketRects[a][b], ColorRed);
    }
  }
}

// The picture at the centre of the bracket, keyed by its top-left pixel,
// decoded once. A picture that is missing or cannot be read leaves the
// centre as it is, for the whole run: the board is whole without it.
void DrawCentrePicture(TScreens& s) {
  TBromBitmap& picture = s.Centre.Picture;
  if (!s.Centre.Held) {
    s.Centre.Held = true;
    try {
      picture.LoadImage(CentrePictureFile, LargestPictureWidth, LargestPictureHeight);
    } catch (const TImageError&) {
      picture.SetSize(0, 0);
    }
    if (picture.Width() > 0 && picture.Height() > 0)
      picture.SetTransparentColor(picture.Pixel(0, 0));
  }
  if (picture.Width() <= 0 || picture.Height() <= 0) return;
  picture.DrawTo(s.BaseLayer, BracketRect.Left + (WidthOf(BracketRect) - picture.Width()) / 2,
                 BracketRect.Top + (HeightOf(BracketRect) - picture.Height()) / 2);
}

}  // namespace

THitTable PaintBoard(TScreens& s, const TGame& g) {
  const TTournament& t = g.Tournament;
  // 1.
  LoadBackdrop(s);
  // 2. The title strip.
  BlendRect(s.BaseLayer, BoardTitleRect, ColorBlack);
  DrawCentredLines(s.BaseLayer, BoardTitleRect, 16, {BoardTitle(t)}, false, ColorWhite);
  // 3. The portraits.
  DrawPortraits(s, t);
  // 4. The information strip and the footer.
  BlendRect(s.BaseLayer, BoardInfoRect, ColorBlack);
  BlendRect(s.BaseLayer, BoardFooterRect, ColorBlack);
  // 5.
  DrawBars(s);
  // 6.
  DrawWinningPaths(s, t);
  // 7. The centre picture.
  DrawCentrePicture(s);
  // 8. Where the final's bars meet: "優" over "勝".
  DrawCentredLines(s.BaseLayer, BracketRect, 14, {"優", "勝"}, false, ColorRed);
  // 9. START while a round is to come, the closing words after the final.
  if (t.Stage <= FinalStage) {
    BlendRect(s.BaseLayer, StartButton, ColorWhite);
    DrawCentredLines(s.BaseLayer, StartButton, 20, {"START"}, true, ColorBlack);
  } else {
    DrawCentredLines(s.BaseLayer, BoardFooterRect, 20, {"☆おしまエンド☆"}, true, ColorWhite);
  }
  // 10. The build change, while the hero is still in a grown round.
  if (CanRebuild(t)) {
    BlendRect(s.BaseLayer, RebuildButton, ColorWhite);
    DrawCentredLines(s.BaseLayer, RebuildButton, 20, {"構成変動"}, true, ColorBlack);
  }
  // 11. The regions. The build-change region goes with the stage, drawn or
  // not: its handlers keep their own guards.
  THitTable regions;
  for (int k = 0; k < SlotCount; ++k) {
    regions.push_back(
        {BracketRects[0][k], false, EntrantHover, EntrantLeave, TCommandKind::ViewEntrant, k});
  }
  regions.push_back({StartButton, false, StartHover, StartLeave, TCommandKind::StartRound, 0});
  if (StageHasRebuild(t)) {
    regions.push_back(
        {RebuildButton, false, RebuildHover, RebuildLeave, TCommandKind::ChangeBuild, 0});
  }
  // 12.
  s.BaseLayer.DrawTo(s.ScreenLayer, 0, 0);
  // 13. Points still to spend: START cannot be used yet.
  if (t.HeroEdit.Bonus > 0) DimRects(s, {&StartButton, 1});
  return regions;
}

void EntrantHover(TScreens& s, const TGame& g, std::int32_t k) {
  const TSwordia& e = g.Tournament.Slots[k];
  // 1. The cell lit, the previous entrant's information gone.
  HighlightRect(s, BracketRects[0][k]);
  RestoreRect(s, BoardInfoRect);
  // 2. The thumbnail.
  StretchPortrait(s, g.Tournament, s.ScreenLayer, e, BoardInfoPortraitRect);
  // 3. Name, build, and how far it came: the stage it passed while still
  // in, otherwise how it lost.
  SetScreenFont(s.ScreenLayer, 16, false, ColorWhite);
  s.ScreenLayer.DrawText(InfoTextLeft, 342, e.Name);
  s.ScreenLayer.DrawText(InfoTextLeft, 362, BuildText(e.Spec));
  if (e.InTournament) {
    s.ScreenLayer.DrawText(InfoTextLeft, 382, std::string(StageName(e.Wins)) + "突破");
  } else if (!e.History.empty()) {
    s.ScreenLayer.DrawText(InfoTextLeft, 382, e.History.back());
  }
}

void EntrantLeave(TScreens& s, const TGame& /*g*/, std::int32_t k) {
  RestoreRect(s, BracketRects[0][k]);
  RestoreRect(s, BoardInfoRect);
}

void StartHover(TScreens& s, const TGame& g, std::int32_t /*tag*/) {
  if (CanStartRound(g.Tournament, g.Growth.Growing)) HighlightRect(s, StartButton);
}

void StartLeave(TScreens& s, const TGame& g, std::int32_t /*tag*/) {
  if (CanStartRound(g.Tournament, g.Growth.Growing)) RestoreRect(s, StartButton);
}

void RebuildHover(TScreens& s, const TGame& g, std::int32_t /*tag*/) {
  if (CanRebuild(g.Tournament)) HighlightRect(s, RebuildButton);
}

void RebuildLeave(TScreens& s, const TGame& g, std::int32_t /*tag*/) {
  if (CanRebuild(g.Tournament)) RestoreRect(s, RebuildButton);
}

bool ShowGrowthProgress(TScreens& s, const TGame& g, std::int32_t n) {
  // 1.
  RestoreRect(s, BoardFooterRect);
  // 2. The work left: the text, the bar over the rightmost n percent, START
  // dimmed.
  if (n > 0) {
    const std::string text = "成長構成思考中です……残り" + std::to_string(n) + "％";
    DrawCentredLines(s.ScreenLayer, BoardFooterRect, 20, {text}, false, ColorWhite);
    const TRect bar{ScreenWidth - n * ScreenWidth / 100, BoardFooterRect.Top, BoardFooterRect.Right,
                    BoardFooterRect.Bottom};
    InvertRect(s, bar);
    RestoreRect(s, StartButton);
    DimRects(s, {&StartButton, 1});
    return false;
  }
  // 3. Done: START looks usable again unless points are left to spend, and
  // lights up at once under a resting pointer.
  if (g.Tournament.HeroEdit.Bonus < 1) {
    RestoreRect(s, StartButton);
    return RefreshHover(s, g);
  }
  return false;
}

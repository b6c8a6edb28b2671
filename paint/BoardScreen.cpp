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
void StretchPortrait(const TTournament& t, TBromBitmap& layer, const TSwordia& slot,
                     const TRect& r) {
  const TBromBitmap* portrait = PortraitOf(t, slot);
  if (portrait != nullptr && portrait->Width() > 0) {
    DrawThumbnail(layer, *portrait, r);
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
void DrawPortraits(const TTournament& t) {
  for (int k = 0; k < SlotCount; ++k) {
    const TRect& cell = BracketRects[0][k];
    StretchPortrait(t, BaseLayer, t.Slots[k], cell);
    if (t.Slots[k].InTournament) continue;
    BlendRect(BaseLayer, cell, ColorBlack);
    BaseLayer.DrawLine(cell.Left, cell.Top, cell.Right - 1, cell.Bottom - 1, BracketGrey,
                       CrossPenWidth);
    BaseLayer.DrawLine(cell.Right - 1, cell.Top, cell.Left, cell.Bottom - 1, BracketGrey,
                       CrossPenWidth);
  }
}

// The bars, all white.
void DrawBars() {
  for (int a = 1; a <= BarLevels; ++a) {
    for (int b = 0; b < BarsOfLevel(a); ++b) {
      FillRectSolid(BaseLayer, BracketRects[a][b], ColorWhite);
    }
  }
}

// The winning paths: bar (a, b) turns red once an entrant below it has won a
// rounds, that is when the most wins among the slots it covers reach a.
void DrawWinningPaths(const TTournament& t) {
  std::int32_t best[SlotCount];  // at level a: best[b] for bar (a, b)
  for (int b = 0; b < SlotCount; ++b) best[b] = t.Slots[b].Wins;
  for (int a = 1; a <= BarLevels; ++a) {
    if (a > 1) {
      for (int b = 0; b < BarsOfLevel(a); ++b) best[b] = std::max(best[2 * b], best[2 * b + 1]);
    }
    for (int b = 0; b < BarsOfLevel(a); ++b) {
      if (best[b] >= a) FillRectSolid(BaseLayer, BracketRects[a][b], ColorRed);
    }
  }
}

// The picture at the centre of the bracket, keyed by its top-left pixel. A
// picture that is missing or cannot be read leaves the centre as it is: the
// board is whole without it.
void DrawCentrePicture() {
  TBromBitmap picture;
  try {
    picture.LoadImage(CentrePictureFile, LargestPictureWidth, LargestPictureHeight);
  } catch (const TImageError&) {
    return;
  }
  if (picture.Width() <= 0 || picture.Height() <= 0) return;
  picture.SetTransparentColor(picture.Pixel(0, 0));
  picture.DrawTo(BaseLayer, BracketRect.Left + (WidthOf(BracketRect) - picture.Width()) / 2,
                 BracketRect.Top + (HeightOf(BracketRect) - picture.Height()) / 2);
}

}  // namespace

void PaintBoard(const TGame& g) {
  const TTournament& t = g.Tournament;
  // 1.
  LoadBackdrop();
  // 2. The title strip.
  BlendRect(BaseLayer, BoardTitleRect, ColorBlack);
  DrawCentredLines(BaseLayer, BoardTitleRect, 16, {BoardTitle(t)}, false, ColorWhite);
  // 3. The portraits.
  DrawPortraits(t);
  // 4. The information strip and the footer.
  BlendRect(BaseLayer, BoardInfoRect, ColorBlack);
  BlendRect(BaseLayer, BoardFooterRect, ColorBlack);
  // 5.
  DrawBars();
  // 6.
  DrawWinningPaths(t);
  // 7. The centre picture.
  DrawCentrePicture();
  // 8. Where the final's bars meet: "優" over "勝".
  DrawCentredLines(BaseLayer, BracketRect, 14, {"優", "勝"}, false, ColorRed);
  // 9. START while a round is to come, the closing words after the final.
  if (t.Stage <= FinalStage) {
    BlendRect(BaseLayer, StartButton, ColorWhite);
    DrawCentredLines(BaseLayer, StartButton, 20, {"START"}, true, ColorBlack);
  } else {
    DrawCentredLines(BaseLayer, BoardFooterRect, 20, {"☆おしまエンド☆"}, true, ColorWhite);
  }
  // 10. The build change, while the hero is still in a grown round.
  if (CanRebuild(t)) {
    BlendRect(BaseLayer, RebuildButton, ColorWhite);
    DrawCentredLines(BaseLayer, RebuildButton, 20, {"構成変動"}, true, ColorBlack);
  }
  // 11. The regions. The build-change region goes with the stage, drawn or
  // not: its handlers keep their own guards.
  ClearSensors();
  for (int k = 0; k < SlotCount; ++k) {
    AddSensor(BracketRects[0][k], false, EntrantHover, EntrantLeave, TCommandKind::ViewEntrant, k);
  }
  AddSensor(StartButton, false, StartHover, StartLeave, TCommandKind::StartRound, 0);
  if (StageHasRebuild(t))
    AddSensor(RebuildButton, false, RebuildHover, RebuildLeave, TCommandKind::ChangeBuild, 0);
  // 12.
  BaseLayer.DrawTo(ScreenLayer, 0, 0);
  // 13. Points still to spend: START cannot be used yet.
  if (t.HeroEdit.Bonus > 0) DimRects({&StartButton, 1});
  // 14.
  if (g.Growth.Growing) ShowGrowthProgress(g, g.Growth.Remaining);
  // 15.
  Present();
}

void EntrantHover(const TGame& g, std::int32_t k) {
  const TSwordia& e = g.Tournament.Slots[k];
  // 1. The cell lit, the previous entrant's information gone.
  HighlightRect(BracketRects[0][k]);
  RestoreRect(BoardInfoRect);
  // 2. The thumbnail.
  StretchPortrait(g.Tournament, ScreenLayer, e, BoardInfoPortraitRect);
  // 3. Name, build, and how far it came: the stage it passed while still
  // in, otherwise how it lost.
  SetScreenFont(ScreenLayer, 16, false, ColorWhite);
  ScreenLayer.DrawText(InfoTextLeft, 342, e.Name);
  ScreenLayer.DrawText(InfoTextLeft, 362, BuildText(e.Spec));
  if (e.InTournament) {
    ScreenLayer.DrawText(InfoTextLeft, 382, std::string(StageName(e.Wins)) + "突破");
  } else if (!e.History.empty()) {
    ScreenLayer.DrawText(InfoTextLeft, 382, e.History.back());
  }
}

void EntrantLeave(const TGame& /*g*/, std::int32_t k) {
  RestoreRect(BracketRects[0][k]);
  RestoreRect(BoardInfoRect);
}

void StartHover(const TGame& g, std::int32_t /*tag*/) {
  if (CanStartRound(g.Tournament, g.Growth.Growing)) HighlightRect(StartButton);
}

void StartLeave(const TGame& g, std::int32_t /*tag*/) {
  if (CanStartRound(g.Tournament, g.Growth.Growing)) RestoreRect(StartButton);
}

void RebuildHover(const TGame& g, std::int32_t /*tag*/) {
  if (CanRebuild(g.Tournament)) HighlightRect(RebuildButton);
}

void RebuildLeave(const TGame& g, std::int32_t /*tag*/) {
  if (CanRebuild(g.Tournament)) RestoreRect(RebuildButton);
}

void ShowGrowthProgress(const TGame& g, std::int32_t n) {
  // 1.
  RestoreRect(BoardFooterRect);
  // 2. The work left: the text, the bar over the rightmost n percent, START
  // dimmed.
  if (n > 0) {
    const std::string text = "成長構成思考中です……残り" + std::to_string(n) + "％";
    DrawCentredLines(ScreenLayer, BoardFooterRect, 20, {text}, false, ColorWhite);
    const TRect bar{ScreenWidth - n * ScreenWidth / 100, BoardFooterRect.Top, BoardFooterRect.Right,
                    BoardFooterRect.Bottom};
    InvertRect(bar);
    RestoreRect(StartButton);
    DimRects({&StartButton, 1});
    return;
  }
  // 3. Done: START looks usable again unless points are left to spend, and
  // lights up at once under a resting pointer.
  if (g.Tournament.HeroEdit.Bonus < 1) {
    RestoreRect(StartButton);
    RefreshHover(g);
  }
}

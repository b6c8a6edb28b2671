#include "paint/StoryScreens.h"

#include <algorithm>
#include <string>

#include "data/Tournament.h"
#include "paint/ScreenKit.h"
#include "present/Bitmap.h"
#include "rules/InternalError.h"

const char* const TitlePictureFile = "dat\\title.bmp";

namespace {

constexpr int StoryTextLines = 7;
constexpr int StoryLinePitch = 18;

void CloseHover(TScreens& s, const TGame& /*g*/, std::int32_t) {
  HighlightRect(s, CloseButton);
}

void CloseLeave(TScreens& s, const TGame& /*g*/, std::int32_t) {
  RestoreRect(s, CloseButton);
}

}  // namespace

void PaintTitle(TScreens& s) {
  const TBromBitmap& title = FullScreenPicture(s.Title, TitlePictureFile, "the title picture");
  if (s.ScreenLayer.Width() != ScreenWidth || s.ScreenLayer.Height() != ScreenHeight) {
    s.ScreenLayer.SetSize(ScreenWidth, ScreenHeight);
  }
  s.ScreenLayer.CopyRect(title, 0, 0, ScreenWidth, ScreenHeight, 0, 0);
}

void DrawCloseButton(TScreens& s) {
  BlendRect(s.BaseLayer, CloseButton, CloseButtonColor);
  DrawCentredLines(s.BaseLayer, CloseButton, 16, {"close"}, false, ColorBlack);
}

void ClearStoryPicture(TScreens& s) {
  FillRectSolid(s.BaseLayer, StoryPictureRect, ColorBlack);
  DrawCloseButton(s);
  RestoreRect(s, StoryPictureRect);
}

void ShowStoryPicture(TScreens& s, std::string_view programPath) {
  // 1. The picture, cut to the picture area; nothing is scaled. A picture
  // that cannot be opened or decoded leaves the picture area as it was: the
  // page is still shown and "close" still ends the piece, so a story with a
  // missing picture can still be read to its end.
  TBromBitmap picture;
  try {
    picture.LoadImage(programPath, LargestPictureWidth, LargestPictureHeight);
  } catch (const TImageError&) {
    return;
  }
  const int width = std::min(picture.Width(), WidthOf(StoryPictureRect));
  const int height = std::min(picture.Height(), HeightOf(StoryPictureRect));
  // 2. Over what the area held: a smaller picture leaves the rest showing.
  s.BaseLayer.CopyRect(picture, 0, 0, width, height, StoryPictureRect.Left, StoryPictureRect.Top);
  // 3. The button over it, and the area onto the screen layer.
  DrawCloseButton(s);
  RestoreRect(s, StoryPictureRect);
}

void ShowStoryText(TScreens& s, const TStringDynArray& lines) {
  if (static_cast<int>(lines.size()) > StoryTextLines) {
    InternalError("UnitPaint", "a story page of more than 7 lines");
  }
  // 1. The box is emptied.
  FillRectSolid(s.BaseLayer, StoryTextRect, ColorBlack);
  // 2. The lines, from (12, 313) down.
  SetScreenFont(s.BaseLayer, 14, false, ColorWhite);
  for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
    s.BaseLayer.DrawText(StoryTextRect.Left + 12, StoryTextRect.Top + 12 + StoryLinePitch * i + 1,
                         lines[i]);
  }
  // 3. Onto the screen layer.
  RestoreRect(s, StoryTextRect);
}

THitTable PaintStory(TScreens& s) {
  // 1. Both areas empty.
  ClearStoryPicture(s);
  ShowStoryText(s, {});
  // 2. "close" skips the rest of the piece; anywhere else turns the page.
  return {{CloseButton, false, CloseHover, CloseLeave, TCommandKind::CloseStory, 0},
          {FullRect, false, nullptr, nullptr, TCommandKind::NextPage, 0}};
}

THitTable PaintOpponent(TScreens& s, const TGame& g, const TSwordia& viewed) {
  // 1. A fresh backdrop.
  LoadBackdrop(s);
  // 2. The portrait.
  const TBromBitmap* portrait = PortraitOf(s, g.Tournament, viewed);
  if (portrait != nullptr) portrait->DrawTo(s.BaseLayer, 0, 0);
  // 3. The panel, with one history line per battle fought.
  DrawEntrantPanel(s, OpponentPanelRect, viewed, true);
  // 4. The flavour strip; its click closes the view too.
  const TSensor strip = PrepareScrollText(s, viewed, TCommandKind::CloseView);
  // 5. Anywhere else closes the view.
  const THitTable regions = {strip,
                             {FullRect, false, nullptr, nullptr, TCommandKind::CloseView, 0}};
  // 6.
  s.ScreenLayer.CopyRect(s.BaseLayer, 0, 0, ScreenWidth, ScreenHeight, 0, 0);
  return regions;
}

#include "paint/MakingScreen.h"

#include <algorithm>
#include <array>
#include <string>

#include "data/Status.h"
#include "data/Tournament.h"
#include "paint/ScreenKit.h"

namespace {

const char* const StatCaptions[4] = {"ＨＰ", "攻撃力", "防御力", "素早さ"};

// The stat buttons and the sword buttons: the 39 buttons that spend a point
// and share one look.
std::array<TRect, 4 + SwordKindCount> SpendButtons() {
  std::array<TRect, 4 + SwordKindCount> rects;
  std::copy(std::begin(StatButtons), std::end(StatButtons), rects.begin());
  std::copy(SwordButtons.begin() + 1, SwordButtons.end(), rects.begin() + 4);
  return rects;
}

void DrawPortrait(TScreens& s, const TGame& g, TBromBitmap& layer) {
  const TBromBitmap* portrait = PortraitOf(s, g.Tournament, g.Tournament.HeroEdit);
  if (portrait != nullptr) portrait->DrawTo(layer, PortraitRect.Left, PortraitRect.Top);
}

// The portrait under the hero's status panel, on BaseLayer.
void DrawHeroPanel(TScreens& s, const TGame& g) {
  DrawPortrait(s, g, s.BaseLayer);
  DrawEntrantPanel(s, PortraitRect, g.Tournament.HeroEdit, false);
}

// The sword order on BaseLayer: the saved background wipes the old slots, and
// each sword of the working copy gets a white slot with its mark.
void DrawSwordSlots(TScreens& s, const TGame& g) {
  // 1. A clean background.
  s.SlotBackdrop.DrawTo(s.BaseLayer, SlotBlockRect.Left, SlotBlockRect.Top);
  // 2. One white slot per sword; the slots behind the last stay background.
  const std::string_view swords = g.Tournament.HeroEdit.Spec.Swords.View();
  const int n = std::min(CountSwords(g.Tournament.HeroEdit), SlotCountShown);
  for (int i = 0; i < n; ++i) {
    BlendRect(s.BaseLayer, SlotRects[i], ColorWhite);
    DrawCentredLines(s.BaseLayer, SlotRects[i], 10, {TBromString::CharAt(swords, i)}, false,
                     ColorBlack);
  }
}

// The slot that the slot `a` is swapped with: the next one, or for the last
// sword the first. -1 when slot `a` swaps nothing (fewer than two swords, or
// no sword in the slot).
int SwapPartner(const TGame& g, std::int32_t a) {
  const int n = CountSwords(g.Tournament.HeroEdit);
  if (n < 2 || a < 0 || a >= n || a >= SlotCountShown) return -1;
  return (a + 1) % n;
}

// Hover and leave handlers. They draw on ScreenLayer; whoever moved the
// pointer presents afterwards.

// The bare picture, without the panel over it, while the pointer rests on it.
void PortraitHover(TScreens& s, const TGame& g, std::int32_t) {
  DrawPortrait(s, g, s.ScreenLayer);
}
void PortraitLeave(TScreens& s, const TGame& /*g*/, std::int32_t) {
  RestoreRect(s, PortraitRect);
}

// A stat button lights up only while a point can be spent on it; its help
// text shows in every case, so the player can read it with nothing to spend.
void StatHover(TScreens& s, const TGame& g, std::int32_t t) {
  if (t < 0 || t > 3) return;
  if (CanSpend(g.Tournament)) HighlightRect(s, StatButtons[t]);
  ShowHelpBox(s, HelpLines(t));
}
void StatLeave(TScreens& s, const TGame& g, std::int32_t t) {
  if (t < 0 || t > 3) return;
  if (CanSpend(g.Tournament)) RestoreRect(s, StatButtons[t]);
  RestoreHelpBox(s);
}

// A sword button, like a stat button: the highlight only while a point can
// be spent, the sword's description in every case.
void SwordHover(TScreens& s, const TGame& g, std::int32_t k) {
  if (k < 1 || k > SwordKindCount) return;
  if (CanSpend(g.Tournament)) HighlightRect(s, SwordButtons[k]);
  TStringDynArray lines;
  SwordDescription(k, lines);
  ShowHelpBox(s, lines);
}
void SwordLeave(TScreens& s, const TGame& g, std::int32_t k) {
  if (k < 1 || k > SwordKindCount) return;
  if (CanSpend(g.Tournament)) RestoreRect(s, SwordButtons[k]);
  RestoreHelpBox(s);
}

void ResetHover(TScreens& s, const TGame& g, std::int32_t) {
  if (HeroChanged(g.Tournament)) HighlightRect(s, ResetButton);
}
void ResetLeave(TScreens& s, const TGame& g, std::int32_t) {
  if (HeroChanged(g.Tournament)) RestoreRect(s, ResetButton);
}

void DecideHover(TScreens& s, const TGame& g, std::int32_t) {
  if (CanDecide(g.Tournament)) HighlightRect(s, DecideButton);
}
void DecideLeave(TScreens& s, const TGame& g, std::int32_t) {
  if (CanDecide(g.Tournament)) RestoreRect(s, DecideButton);
}

// The pair a click on the slot swaps: the slot itself red, its partner pink.
void SlotHover(TScreens& s, const TGame& g, std::int32_t a) {
  const int b = SwapPartner(g, a);
  if (b < 0) return;
  HighlightRect(s, SlotRects[a]);
  BlendRect(s.ScreenLayer, SlotRects[b], SlotPointerColor);
}
void SlotLeave(TScreens& s, const TGame& g, std::int32_t a) {
  const int b = SwapPartner(g, a);
  if (b < 0) return;
  RestoreRect(s, SlotRects[a]);
  RestoreRect(s, SlotRects[b]);
}

}  // namespace

THitTable PaintMaking(TScreens& s, const TGame& g) {
  // 1. The background.
  THitTable regions;
  LoadBackdrop(s);
  // 2. The hero's portrait under its status panel.
  DrawHeroPanel(s, g);
  // 3. The portrait shows bare while the pointer rests on it.
  regions.push_back({PortraitRect, false, PortraitHover, PortraitLeave, TCommandKind::None, 0});
  // 4. The flavour text, scrolled by the pointer.
  regions.push_back(PrepareScrollText(s, g.Tournament.HeroEdit, TCommandKind::CloseView));
  // 5. The caption.
  BlendRect(s.BaseLayer, CaptionRect, ColorBlack);
  DrawCentredLines(s.BaseLayer, CaptionRect, 14, {"主人公の能力を設定してください。"}, false,
                   ColorWhite);
  // 6. The four stat buttons.
  for (int t = 0; t < 4; ++t) {
    regions.push_back(DrawButton(s, StatButtons[t], 16, StatCaptions[t], t, TCommandKind::RaiseStat,
                                 StatLeave, StatHover));
  }
  // 7. The 35 sword buttons, labelled with their marks, in catalogue order.
  for (int k = 1; k <= SwordKindCount; ++k) {
    regions.push_back(DrawButton(s, SwordButtons[k], 20, SwordByKind(k).Mark.View(), k,
                                 TCommandKind::AddSword, SwordLeave, SwordHover));
  }
  // 8. Reset and decide.
  regions.push_back(DrawButton(s, ResetButton, 24, "リセット", 0, TCommandKind::ResetEdit,
                               ResetLeave, ResetHover));
  regions.push_back(DrawButton(s, DecideButton, 24, "決定", 0, TCommandKind::DecideEdit,
                               DecideLeave, DecideHover));
  // 9. The label of the sword order.
  BlendRect(s.BaseLayer, OrderLabelRect, ColorBlack);
  DrawCentredLines(s.BaseLayer, OrderLabelRect, 14, {"剣の並び"}, false, ColorWhite);
  // 10. The background under the slots, kept to wipe them on every redraw.
  s.SlotBackdrop.SetSize(WidthOf(SlotBlockRect), HeightOf(SlotBlockRect));
  s.SlotBackdrop.CopyRect(s.BaseLayer, SlotBlockRect.Left, SlotBlockRect.Top,
                          WidthOf(SlotBlockRect), HeightOf(SlotBlockRect), 0, 0);
  // 11. The slots of the sword order.
  DrawSwordSlots(s, g);
  // 12. Their regions: a click swaps the slot's sword with the next one.
  for (int j = 0; j < SlotCountShown; ++j) {
    regions.push_back({SlotRects[j], false, SlotHover, SlotLeave, TCommandKind::SwapSwords, j});
  }
  // 13. The screen, with what cannot be used now dimmed.
  s.BaseLayer.DrawTo(s.ScreenLayer, 0, 0);
  ShowStatButtonsOff(s, g);
  ShowResetOff(s, g);
  ShowDecideOff(s, g);
  return regions;
}

bool MakingFocusable(const TGame& g, const TSensor& region) {
  switch (region.OnClick) {
    case TCommandKind::RaiseStat:
    case TCommandKind::AddSword:
    case TCommandKind::ResetEdit:
    case TCommandKind::DecideEdit:
      return true;
    case TCommandKind::SwapSwords:
      return SwapPartner(g, region.Tag) >= 0;
    default:
      return false;
  }
}

void RepaintHeroPanel(TScreens& s, const TGame& g) {
  DrawHeroPanel(s, g);
  DrawSwordSlots(s, g);
  RestoreRect(s, PortraitRect);
  RestoreRect(s, SlotBlockRect);
}

void ShowStatButtonsOn(TScreens& s, const TGame& g) {
  if (!CanSpend(g.Tournament)) return;
  RestoreRects(s, SpendButtons());
}

void ShowStatButtonsOff(TScreens& s, const TGame& g) {
  if (CanSpend(g.Tournament)) return;
  const auto rects = SpendButtons();
  RestoreRects(s, rects);
  DimRects(s, rects);
}

void ShowResetOn(TScreens& s, const TGame& g) {
  if (HeroChanged(g.Tournament)) RestoreRect(s, ResetButton);
}

void ShowResetOff(TScreens& s, const TGame& g) {
  if (HeroChanged(g.Tournament)) return;
  RestoreRect(s, ResetButton);
  DimRects(s, {&ResetButton, 1});
}

void ShowDecideOn(TScreens& s, const TGame& g) {
  if (CanDecide(g.Tournament)) RestoreRect(s, DecideButton);
}

void ShowDecideOff(TScreens& s, const TGame& g) {
  if (CanDecide(g.Tournament)) return;
  RestoreRect(s, DecideButton);
  DimRects(s, {&DecideButton, 1});
}

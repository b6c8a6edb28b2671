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
  std::copy(SwordButtons + 1, SwordButtons + 1 + SwordKindCount, rects.begin() + 4);
  return rects;
}

void DrawPortrait(const TGame& g, TBromBitmap& layer) {
  const TBromBitmap* portrait = PortraitOf(g.Tournament, g.Tournament.HeroEdit);
  if (portrait != nullptr) portrait->DrawTo(layer, PortraitRect.Left, PortraitRect.Top);
}

// The portrait under the hero's status panel, on BaseLayer.
void DrawHeroPanel(const TGame& g) {
  DrawPortrait(g, BaseLayer);
  DrawEntrantPanel(PortraitRect, g.Tournament.HeroEdit, false);
}

// The sword order on BaseLayer: the saved background wipes the old slots, and
// each sword of the working copy gets a white slot with its mark.
void DrawSwordSlots(const TGame& g) {
  // 1. A clean background.
  SlotBackdrop.DrawTo(BaseLayer, SlotBlockRect.Left, SlotBlockRect.Top);
  // 2. One white slot per sword; the slots behind the last stay background.
  const std::string_view swords = g.Tournament.HeroEdit.Spec.Swords.View();
  const int n = std::min(CountSwords(g.Tournament.HeroEdit), SlotCountShown);
  for (int i = 0; i < n; ++i) {
    BlendRect(BaseLayer, SlotRects[i], ColorWhite);
    DrawCentredLines(BaseLayer, SlotRects[i], 10, {TBromString::CharAt(swords, i)}, false,
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

// Hover and leave handlers. They draw on ScreenLayer; the sensor registry
// presents afterwards.

// The bare picture, without the panel over it, while the pointer rests on it.
void PortraitHover(const TGame& g, std::int32_t) {
  DrawPortrait(g, ScreenLayer);
}
void PortraitLeave(const TGame& /*g*/, std::int32_t) {
  RestoreRect(PortraitRect);
}

// A stat button lights up only while a point can be spent on it; its help
// text shows in every case, so the player can read it with nothing to spend.
void StatHover(const TGame& g, std::int32_t t) {
  if (t < 0 || t > 3) return;
  if (CanSpend(g.Tournament)) HighlightRect(StatButtons[t]);
  ShowHelpBox(HelpLines(t));
}
void StatLeave(const TGame& g, std::int32_t t) {
  if (t < 0 || t > 3) return;
  if (CanSpend(g.Tournament)) RestoreRect(StatButtons[t]);
  RestoreHelpBox();
}

// A sword button, like a stat button: the highlight only while a point can
// be spent, the sword's description in every case.
void SwordHover(const TGame& g, std::int32_t k) {
  if (k < 1 || k > SwordKindCount) return;
  if (CanSpend(g.Tournament)) HighlightRect(SwordButtons[k]);
  TStringDynArray lines;
  SwordDescription(k, lines);
  ShowHelpBox(lines);
}
void SwordLeave(const TGame& g, std::int32_t k) {
  if (k < 1 || k > SwordKindCount) return;
  if (CanSpend(g.Tournament)) RestoreRect(SwordButtons[k]);
  RestoreHelpBox();
}

void ResetHover(const TGame& g, std::int32_t) {
  if (HeroChanged(g.Tournament)) HighlightRect(ResetButton);
}
void ResetLeave(const TGame& g, std::int32_t) {
  if (HeroChanged(g.Tournament)) RestoreRect(ResetButton);
}

void DecideHover(const TGame& g, std::int32_t) {
  if (CanDecide(g.Tournament)) HighlightRect(DecideButton);
}
void DecideLeave(const TGame& g, std::int32_t) {
  if (CanDecide(g.Tournament)) RestoreRect(DecideButton);
}

// The pair a click on the slot swaps: the slot itself red, its partner pink.
void SlotHover(const TGame& g, std::int32_t a) {
  const int b = SwapPartner(g, a);
  if (b < 0) return;
  HighlightRect(SlotRects[a]);
  BlendRect(ScreenLayer, SlotRects[b], SlotPointerColor);
}
void SlotLeave(const TGame& g, std::int32_t a) {
  const int b = SwapPartner(g, a);
  if (b < 0) return;
  RestoreRect(SlotRects[a]);
  RestoreRect(SlotRects[b]);
}

}  // namespace

void PaintMaking(const TGame& g) {
  // 1. No regions yet; the background.
  ClearSensors();
  LoadBackdrop();
  // 2. The hero's portrait under its status panel.
  DrawHeroPanel(g);
  // 3. The portrait shows bare while the pointer rests on it.
  AddSensor(PortraitRect, false, PortraitHover, PortraitLeave, TCommandKind::None, 0);
  // 4. The flavour text, scrolled by the pointer.
  PrepareScrollText(g.Tournament.HeroEdit, TCommandKind::CloseView);
  // 5. The caption.
  BlendRect(BaseLayer, CaptionRect, ColorBlack);
  DrawCentredLines(BaseLayer, CaptionRect, 14, {"主人公の能力を設定してください。"}, false,
                   ColorWhite);
  // 6. The four stat buttons.
  for (int t = 0; t < 4; ++t) {
    DrawButton(StatButtons[t], 16, StatCaptions[t], t, TCommandKind::RaiseStat, StatLeave,
               StatHover);
  }
  // 7. The 35 sword buttons, labelled with their marks, in catalogue order.
  for (int k = 1; k <= SwordKindCount; ++k) {
    DrawButton(SwordButtons[k], 20, SwordByKind(k).Mark.View(), k, TCommandKind::AddSword,
               SwordLeave, SwordHover);
  }
  // 8. Reset and decide.
  DrawButton(ResetButton, 24, "リセット", 0, TCommandKind::ResetEdit, ResetLeave, ResetHover);
  DrawButton(DecideButton, 24, "決定", 0, TCommandKind::DecideEdit, DecideLeave, DecideHover);
  // 9. The label of the sword order.
  BlendRect(BaseLayer, OrderLabelRect, ColorBlack);
  DrawCentredLines(BaseLayer, OrderLabelRect, 14, {"剣の並び"}, false, ColorWhite);
  // 10. The background under the slots, kept to wipe them on every redraw.
  SlotBackdrop.SetSize(WidthOf(SlotBlockRect), HeightOf(SlotBlockRect));
  SlotBackdrop.CopyRect(BaseLayer, SlotBlockRect.Left, SlotBlockRect.Top, WidthOf(SlotBlockRect),
                        HeightOf(SlotBlockRect), 0, 0);
  // 11. The slots of the sword order.
  DrawSwordSlots(g);
  // 12. Their regions: a click swaps the slot's sword with the next one.
  for (int j = 0; j < SlotCountShown; ++j) {
    AddSensor(SlotRects[j], false, SlotHover, SlotLeave, TCommandKind::SwapSwords, j);
  }
  // 13. The screen, with what cannot be used now dimmed.
  BaseLayer.DrawTo(ScreenLayer, 0, 0);
  ShowStatButtonsOff(g);
  ShowResetOff(g);
  ShowDecideOff(g);
  Present();
}

void RepaintHeroPanel(const TGame& g) {
  DrawHeroPanel(g);
  DrawSwordSlots(g);
  RestoreRect(PortraitRect);
  RestoreRect(SlotBlockRect);
}

void ShowStatButtonsOn(const TGame& g) {
  if (!CanSpend(g.Tournament)) return;
  RestoreRects(SpendButtons());
}

void ShowStatButtonsOff(const TGame& g) {
  if (CanSpend(g.Tournament)) return;
  const auto rects = SpendButtons();
  RestoreRects(rects);
  DimRects(rects);
}

void ShowResetOn(const TGame& g) {
  if (HeroChanged(g.Tournament)) RestoreRect(ResetButton);
}

void ShowResetOff(const TGame& g) {
  if (HeroChanged(g.Tournament)) return;
  RestoreRect(ResetButton);
  DimRects({&ResetButton, 1});
}

void ShowDecideOn(const TGame& g) {
  if (CanDecide(g.Tournament)) RestoreRect(DecideButton);
}

void ShowDecideOff(const TGame& g) {
  if (CanDecide(g.Tournament)) return;
  RestoreRect(DecideButton);
  DimRects({&DecideButton, 1});
}

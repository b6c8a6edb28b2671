// The keys on every screen, played headless through the real main window:
// which region each key clicks, a held key's pace, mute, a new tournament,
// and the pointer leaving the window.
#include <gtest/gtest.h>

#include "battle/Battle.h"
#include "data/Tournament.h"
#include "flow/Keys.h"
#include "flow/Mode.h"
#include "flow/TournamentFlow.h"
#include "paint/BattleScreen.h"
#include "paint/ScreenKit.h"
#include "rules/Cues.h"
#include "tests/FlowTestSupport.h"
#include "tests/PixelTestSupport.h"
#include "tests/TestSupport.h"

namespace {

using K = TCommandKind;

class GameKeys : public GameFolder {
 protected:
  TKeyOutcome Press(TKey key) { return form_->KeyOutcomeOf(key, false); }
  // From hero making to the prologue, the hero made with every point spent.
  void MakeHero(const TSpec& hero) {
    Game().Tournament.HeroEdit.Spec = hero;
    Game().Tournament.HeroEdit.Bonus = 0;
    *Game().Tournament.Hero = Game().Tournament.HeroEdit;
    SetMode(Game(), gmStory);
  }
};

TEST_F(GameKeys, EachKeyClicksItsRegionOfTheScreenShown) {
  // The command of the region each key clicks (None: the key does nothing).
  const struct {
    TGameMode Mode;
    K Main, Close;
  } rows[] = {{gmMaking, K::None, K::None},
              {gmStory, K::NextPage, K::CloseStory},
              {gmBoard, K::StartRound, K::None},
              {gmView, K::CloseView, K::CloseView},
              {gmBattle, K::BattleStep, K::BattleSkip}};
  OpenWindow();
  EXPECT_EQ(Press(TKey::Right).What, TKeyOutcome::StartGame);
  EXPECT_EQ(Press(TKey::Escape).What, TKeyOutcome::Nothing);
  LeftClick(10, 10);
  for (const auto& row : rows) {
    // Each screen as the game enters it.
    if (row.Mode == gmStory) MakeHero(SpecOf(30, 2, 1, 1, "斬"));
    if (row.Mode == gmBoard) form_->KeyDown(TKey::Escape, false);
    if (row.Mode == gmView) ViewEntrant(Game(), 3);
    if (row.Mode == gmBattle) form_->KeyDown(TKey::Escape, false), StartRound(Game(), 0);
    ASSERT_EQ(Game().Mode, row.Mode);
    for (TKey key : {TKey::Space, TKey::Return, TKey::Right}) {
      EXPECT_EQ(Press(key).Click.Kind, row.Main) << int(row.Mode);
    }
    EXPECT_EQ(Press(TKey::Escape).Click.Kind, row.Close) << int(row.Mode);
    EXPECT_EQ(Press(TKey::M).What, TKeyOutcome::ToggleMute);
    EXPECT_EQ(Press(TKey::F2).What, TKeyOutcome::Nothing);  // the hero is in
  }
}

TEST_F(GameKeys, AHeldKeyStepsAtTheLogsPaceOnItsOwnScreenAndEscapeSkipsOnlyWhileItCan) {
  OpenWindow();
  LeftClick(10, 10);
  MakeHero(SpecOf(30, 2, 1, 1, "斬"));
  form_->KeyDown(TKey::Escape, false);
  form_->KeyDown(TKey::Space, false);
  ASSERT_EQ(Game().Mode, gmBattle);
  form_->KeyDown(TKey::Space, false);
  ASSERT_TRUE(LogScrolling(Game()));
  EXPECT_EQ(form_->KeyOutcomeOf(TKey::Space, true).What, TKeyOutcome::Nothing);
  while (LogScrolling(Game())) LogScrollTick(Game(), true);
  EXPECT_EQ(form_->KeyOutcomeOf(TKey::Space, true).Click.Kind, K::BattleStep);
  EXPECT_EQ(form_->KeyOutcomeOf(TKey::M, true).What, TKeyOutcome::Nothing);
  // SKIP: the battle runs to its end, after which SKIP is gone.
  form_->KeyDown(TKey::Escape, false);
  EXPECT_FALSE(Game().Battle.SkipAllowed);
  EXPECT_EQ(form_->KeyOutcomeOf(TKey::Escape, false).What, TKeyOutcome::Nothing);
  // A key held from the battle does nothing on the next screen.
  SetMode(Game(), gmBoard);
  EXPECT_EQ(form_->KeyOutcomeOf(TKey::Space, true).What, TKeyOutcome::Nothing);
  EXPECT_EQ(form_->KeyOutcomeOf(TKey::Space, false).Click.Kind, K::StartRound);
}

TEST_F(GameKeys, MMutesEverySoundAndF2StartsAnewOnlyOnceTheHeroIsOut) {
  OpenWindow();
  form_->KeyDown(TKey::M, false);
  form_->KeyDown(TKey::Space, false);  // the title's start, silent
  EXPECT_EQ(Game().Mode, gmMaking);
  EXPECT_TRUE(cues_.Played.empty());
  form_->KeyDown(TKey::M, false);
  EXPECT_FALSE(TBromWave::Muted());
  // The hero loses its first match: from then on F2 starts anew.
  MakeHero(SpecOf(5, 0, 0, 0, "斬"));
  form_->KeyDown(TKey::Escape, false);
  Game().Tournament.Slots[(Game().Tournament.Hero - Game().Tournament.Slots) ^ 1].Spec =
      SpecOf(500, 30, 10, 10, "斬");
  form_->KeyDown(TKey::F2, false);
  EXPECT_EQ(Game().Mode, gmBoard);
  StartRound(Game(), 0);
  for (int i = 0; i < 20000 && Game().Tournament.Hero->InTournament; ++i) {
    form_->KeyDown(i % 2 ? TKey::Space : TKey::Escape, false);
  }
  form_->KeyDown(TKey::F2, false);
  EXPECT_EQ(Game().Mode, gmTitle);
  EXPECT_EQ(cues_.Played.back(), CueTransition);
  EXPECT_EQ(Game().Tournament.Hero, nullptr);
  EXPECT_EQ(CaptionU8(), "Quillmoor");
  form_->KeyDown(TKey::Return, false);  // a new draw, a new hero
  EXPECT_EQ(Game().Tournament.HeroEdit.Bonus, 10);
}

TEST_F(GameKeys, ThePointerLeavingTheWindowOverThePortraitBringsThePanelBack) {
  OpenWindow();
  LeftClick(10, 10);
  TBromBitmap panel;
  CopyLayer(Screen(), panel);
  MoveTo(0, 150);  // the portrait alone
  ASSERT_FALSE(SameRect(Screen(), panel, FullRect));
  form_->PaintBox().OnMouseLeave();
  EXPECT_TRUE(SameRect(Screen(), panel, FullRect));
  EXPECT_EQ(MousePoint.X, OffScreen.X);
}

}  // namespace

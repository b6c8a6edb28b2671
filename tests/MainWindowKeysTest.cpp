// The keys as the main window carries them out, headless: hero making's focus
// moved and clicked on the real screen, the skip key's run of the rivals'
// matches, H on the board, mute and a new tournament.
#include <gtest/gtest.h>

#include "battle/Battle.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "flow/Keys.h"
#include "game/Round.h"
#include "game/Step.h"
#include "game/StoryRunner.h"
#include "paint/BattleScreen.h"
#include "paint/MakingScreen.h"
#include "rules/Cues.h"
#include "tests/FlowTestSupport.h"
#include "tests/PixelTestSupport.h"
#include "tests/TestSupport.h"

namespace {

using K = TCommandKind;

class MainWindowKeys : public GameFolder {
 protected:
  void Key(TKey key) { form_->Form().KeyDown(key, false); }
  // From the title to the prologue, the hero made with every point spent.
  void MakeHero(const TSpec& hero) {
    OpenWindow();
    LeftClick(10, 10);
    Game().Tournament.HeroEdit.Spec = hero;
    Game().Tournament.HeroEdit.Bonus = 0;
    *Game().Tournament.Hero = Game().Tournament.HeroEdit;
    EnterMode(Game(), Shell(), gmStory);
  }
};

// The window tells the keys what its screens show: a held key waits while
// the battle log glides.
TEST_F(MainWindowKeys, AHeldKeyWaitsWhileTheLogShownGlides) {
  MakeHero(SpecOf(30, 2, 1, 1, "斬"));
  for (TKey key : {TKey::Escape, TKey::Space, TKey::Space}) Key(key);
  ASSERT_EQ(Game().Mode, gmBattle);
  ASSERT_TRUE(LogScrolling(Screens(), Game()));
  EXPECT_EQ(form_->KeyOutcomeOf(TKey::Space, true).What, TKeyOutcome::Nothing);
  while (LogScrolling(Screens(), Game())) (void)LogScrollTick(Screens(), Game(), true);
  EXPECT_EQ(form_->KeyOutcomeOf(TKey::Space, true).Click.Kind, K::BattleStep);
}

// Hero making's focus: where the arrows and Tab take it, that it looks as the
// pointer's hover does, that the main key clicks it and that the pointer
// takes it along.
TEST_F(MainWindowKeys, TheFocusMovesAsTheArrowsSayLooksAsThePointerAndIsClicked) {
  OpenWindow();
  LeftClick(10, 10);
  ASSERT_EQ(Game().Mode, gmMaking);
  const auto focused = [&] {
    const int i = FocusedRegion(Screens().Sensors, Game(), MakingFocusable);
    return i < 0 ? TCommand{}
                 : TCommand{Screens().Sensors.Sensors[i].OnClick, Screens().Sensors.Sensors[i].Tag};
  };
  // 1. Key by key from no focus: Tab reads on, Shift+Tab goes round back, an
  // arrow goes to the nearest region level with the focus that way.
  const struct {
    TKey Key;
    K Kind;
    int Tag;
  } path[] = {{TKey::Tab, K::RaiseStat, 0},      {TKey::Tab, K::RaiseStat, 1},
              {TKey::Down, K::AddSword, 4},      {TKey::Right, K::AddSword, 5},
              {TKey::Down, K::AddSword, 14},     {TKey::Left, K::AddSword, 13},
              {TKey::Up, K::AddSword, 4},        {TKey::Up, K::RaiseStat, 1},
              {TKey::Up, K::RaiseStat, 1},       {TKey::BackTab, K::RaiseStat, 0},
              {TKey::BackTab, K::DecideEdit, 0}, {TKey::Left, K::ResetEdit, 0},
              {TKey::Up, K::AddSword, 30}};
  for (const auto& step : path) {
    Key(step.Key);
    EXPECT_EQ(focused().Kind, step.Kind) << int(step.Key);
    EXPECT_EQ(focused().Tag, step.Tag) << int(step.Key);
  }
  // 2. The focus on a sword button is the pointer on it: the same picture.
  const TRect sword = SwordButtons[30];
  TBromBitmap byKeys;
  CopyLayer(Screen(), byKeys);
  MoveTo(590, 250);
  MoveTo(sword.Left + 3, sword.Top + 3);
  EXPECT_TRUE(SameRect(Screen(), byKeys, FullRect));
  // 3. The main key clicks it; the pointer's move takes the focus along.
  Key(TKey::Return);
  EXPECT_EQ(Game().Tournament.HeroEdit.Bonus, HeroStartBonus - 1);
  EXPECT_EQ(CountSwords(Game().Tournament.HeroEdit), 1);
  MoveTo(ResetButton.Left + 1, ResetButton.Top + 1);
  EXPECT_EQ(focused().Kind, K::ResetEdit);
  Key(TKey::Space);
  EXPECT_EQ(Game().Tournament.HeroEdit.Bonus, HeroStartBonus);
}

// S on a rival match plays the round's rival matches as SKIP and the clicks
// through their verdicts do (the same cues in the same order, the same wins
// and history lines) and stops at the hero's match; H shows the hero on the
// board as its portrait under the pointer does.
TEST_F(MainWindowKeys, TheSkipKeyPlaysTheRivalsMatchesAsSkipAndClicksDo) {
  std::vector<std::string> transcript[2];
  for (int way = 0; way < 2; ++way) {
    MakeHero(SpecOf(40, 3, 2, 1, "斬斬斬"));
    Key(TKey::Escape);
    Key(TKey::H);
    const TTournament& t = Game().Tournament;
    ASSERT_NE(Screens().Sensors.Hovered, nullptr);
    EXPECT_EQ(Screens().Sensors.Hovered->Tag, t.Hero - t.Slots);
    cues_.Played.clear();
    Key(TKey::Space);
    while (Game().Mode != gmBoard) {
      if (way == 0 && RivalMatchShown(Game())) {
        Key(TKey::S);
        EXPECT_FALSE(RivalMatchShown(Game()));
      } else {
        Key(Game().Mode == gmStory || Game().Battle.SkipAllowed ? TKey::Escape : TKey::Space);
      }
    }
    transcript[way] = cues_.Played;
    for (const TSwordia& slot : t.Slots) {
      transcript[way].push_back(std::to_string(slot.Wins));
      transcript[way].insert(transcript[way].end(), slot.History.begin(), slot.History.end());
    }
  }
  EXPECT_EQ(transcript[0], transcript[1]);
}

TEST_F(MainWindowKeys, MMutesEverySoundAndF2StartsAnewOnlyOnceTheHeroIsOut) {
  MakeHero(SpecOf(5, 0, 0, 0, "斬"));
  Game().Tournament.Slots[(Game().Tournament.Hero - Game().Tournament.Slots) ^ 1].Spec =
      SpecOf(500, 30, 10, 10, "斬");
  const std::size_t heard = cues_.Played.size();
  for (TKey key : {TKey::M, TKey::Escape, TKey::F2, TKey::Space}) Key(key);
  EXPECT_EQ(cues_.Played.size(), heard);  // the story closed, START: silent
  EXPECT_EQ(Game().Mode, gmBattle);       // F2 did nothing, the hero being in
  Key(TKey::M);
  for (int i = 0; i < 20000 && Game().Tournament.Hero->InTournament; ++i) {
    Key(i % 2 ? TKey::Space : TKey::Escape);
  }
  Key(TKey::F2);
  EXPECT_EQ(Game().Mode, gmTitle);
  EXPECT_EQ(cues_.Played.back(), CueTransition);
  EXPECT_EQ(Game().Tournament.Hero, nullptr);
  EXPECT_EQ(CaptionU8(), "Quillmoor");
}

}  // namespace

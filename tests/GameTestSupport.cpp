#include "tests/GameTestSupport.h"

#include <algorithm>

#include "data/Tournament.h"
#include "game/Step.h"
#include "game/StoryRunner.h"
#include "growth/GrowthDriver.h"
#include "rules/ImageCheck.h"
#include "rules/Product.h"
#include "tests/TestSupport.h"

namespace fs = std::filesystem;

namespace {

// Every portrait fits: the shipped ones do, and the tests' rosters name none.
class TEveryPicture : public TImageCheck {
 public:
  bool Fits(std::string_view, int, int) const override { return true; }
};

}  // namespace

void DataFolder::SetUp() {
  folder_ = MakeTempFolder();
  fs::create_directories(folder_ / "dat");
  for (const auto& entry : fs::directory_iterator(SourcePath("dat"))) {
    fs::create_symlink(entry.path(), folder_ / "dat" / entry.path().filename());
  }
  previous_ = fs::current_path();
  fs::current_path(folder_);
}

void DataFolder::TearDown() {
  fs::current_path(previous_);
  std::error_code ignored;
  fs::remove_all(folder_, ignored);
}

void DataFolder::PutDataFile(const std::string& name, std::string_view bytes) {
  RemoveDataFile(name);
  WriteWholeFile((folder_ / "dat" / name).string(), bytes);
}

void DataFolder::RemoveDataFile(const std::string& name) {
  fs::remove(folder_ / "dat" / name);
}

int TCueList::CountOf(std::string_view programPath) const {
  return static_cast<int>(std::count(Played.begin(), Played.end(), std::string(programPath)));
}

void TStoryRecord::ShowStory() {
  Page.clear();
  Picture.clear();
}

void GameInFolder::TearDown() {
  game_.reset();
  DataFolder::TearDown();
}

void GameInFolder::OpenGame(std::uint32_t seed) {
  if (game_) FreeStory(*game_);
  game_ = std::make_unique<TGame>(view_);
  caption_ = ProgramTitle;
  quit_ = false;
  InitStory(*game_);
  game_->Dice.Seed(seed);
  EnterMode(*game_, *this, gmTitle);
}

void GameInFolder::StartGame() {
  StartFromTitle(*game_, *this, {}, TEveryPicture());
}

void GameInFolder::Click(TCommandKind kind, std::int32_t tag) {
  RunCommand(*game_, *this, {kind, tag});
}

std::string GameInFolder::CaptionU8() const {
  return U8(caption_);
}

int GameInFolder::LinesShown() const {
  return static_cast<int>(std::count_if(view_.Page.begin(), view_.Page.end(),
                                        [](const std::string& line) { return !line.empty(); }));
}

bool GameInFolder::PlayUntilBattleLeft(int maxClicks) {
  return ::PlayUntilBattleLeft(*game_, *this, maxClicks);
}

void GameInFolder::MoveHeroToSlot(int k) {
  ::MoveHeroToSlot(*game_, k);
}

void GameInFolder::Apply(const TEffect& effect) {
  switch (effect.Kind) {
    case TEffect::Cue:
      cues_.Played.push_back(effect.Text);
      break;
    case TEffect::Caption:
      caption_ = effect.Text;
      break;
    case TEffect::Message:
      messages_.Captions.push_back(effect.Title);
      messages_.Texts.push_back(effect.Text);
      break;
    case TEffect::Quit:
      quit_ = true;
      break;
    default:  // a present, or any effect the tests do not look at
      break;
  }
}

void GameInFolder::ModeChanged(const TGame& game, TGameMode m, bool entered) {
  if (listener_ != nullptr) listener_->ModeChanged(game, m, entered);
}

void GameInFolder::MatchDecided(const TGame& game, const TSwordia& winner, const TSwordia& loser,
                                int result) {
  if (listener_ != nullptr) listener_->MatchDecided(game, winner, loser, result);
}

bool PlayUntilBattleLeft(TGame& g, TGameShell& shell, int maxClicks) {
  for (int i = 0; i < maxClicks; ++i) {
    if (g.Mode != gmBattle) return true;
    RunCommand(g, shell, {TCommandKind::BattleSkip, 0});
  }
  return g.Mode != gmBattle;
}

void MoveHeroToSlot(TGame& g, int k) {
  TTournament& t = g.Tournament;
  TSwordia& target = t.Slots[k];
  std::swap(*t.Hero, target);
  t.Hero = &target;
  t.HeroEdit = *t.Hero;
}

std::string EntrantName(int number) {
  const std::string digits = std::to_string(100 + number).substr(1);
  return Sj("剣士") + digits;
}

void BoardAtStage(TGame& g, TGameShell& shell, int stage, const TSpec& hero, int bonus) {
  MoveHeroToSlot(g, 0);
  TTournament& t = g.Tournament;
  const int entrants = SlotCount >> (stage - 1);
  for (int k = 0; k < SlotCount; ++k) t.Slots[k].InTournament = k < entrants;
  t.EntrantCount = entrants;
  for (int i = 0; i < entrants; ++i) {
    t.Entrants[i] = &t.Slots[i];
    t.GrownSpecs[i] = SpecOf(5, 0, 0, 0, "斬");
  }
  t.Stage = stage;
  t.Hero->Spec = hero;
  t.Hero->Bonus = bonus;
  t.HeroEdit = *t.Hero;
  g.Growth = TGrowthDriver();
  EnterMode(g, shell, gmBoard);
}

std::string RosterOf(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    text += "#Name " + EntrantName(i) + "\r\n";
    text += Sj("#Spec 20/2/1/1/斬斬\r\n");
    text += "#Image\r\n#FlavorBegin\r\n";
    text += Sj("一行目の紹介\r\n");
    text += "#FlavorEnd\r\n\r\n";
  }
  return text;
}

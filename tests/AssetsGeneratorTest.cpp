// The asset generator as a whole: which files it plans from a roster and a
// story, and what it writes: every picture in the format and size the game
// requires, sounds that are short, quiet enough and distinct, portraits that
// can be told apart on the board, and the same bytes on every run.
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "present/Path.h"
#include "rules/Cues.h"
#include "tests/AssetsTestSupport.h"
#include "tests/TestSupport.h"
#include "tools/AssetCanvas.h"
#include "tools/AssetCues.h"
#include "tools/AssetGenerator.h"
#include "tools/AssetPortrait.h"

using namespace asset;

namespace {

// Reads a 24-bit bottom-up bitmap back into a top-down picture.
TImage ReadBmp(const std::string& b) {
  EXPECT_EQ(b.substr(0, 2), "BM");
  EXPECT_EQ(U32(b, 14), 40u);
  EXPECT_EQ(static_cast<std::uint8_t>(b[28]), 24);
  EXPECT_EQ(U32(b, 30), 0u);
  const int w = static_cast<int>(U32(b, 18)), h = static_cast<int>(U32(b, 22));
  const std::size_t row = (3u * w + 3u) & ~3u;
  EXPECT_EQ(b.size(), 54 + row * h);
  TImage img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::size_t at = 54 + row * (h - 1 - y) + 3u * x;
      img.At(x, y)[0] = static_cast<std::uint8_t>(b[at + 2]);
      img.At(x, y)[1] = static_cast<std::uint8_t>(b[at + 1]);
      img.At(x, y)[2] = static_cast<std::uint8_t>(b[at]);
    }
  return img;
}

TImage ReadPicture(const std::string& folder, const std::string& utf8Name) {
  const std::string bytes = ReadWholeFile(folder + "/" + utf8Name);
  return IsJpegName(Sj(utf8Name)) ? DecodeJpeg(bytes) : ReadBmp(bytes);
}

// The picture as the board shows it: centred on black in 300 x 300, then
// reduced to a 40 x 40 cell.
TImage AsBoardCell(const TImage& img) {
  TImage frame(300, 300);
  const int ox = (300 - img.Width) / 2, oy = (300 - img.Height) / 2;
  for (int y = 0; y < img.Height; ++y)
    for (int x = 0; x < img.Width; ++x) std::copy_n(img.At(x, y), 3, frame.At(x + ox, y + oy));
  return Downscale(frame, 40, 40);
}

double MeanDifference(const TImage& a, const TImage& b) {
  double sum = 0;
  for (std::size_t i = 0; i < a.Rgb.size(); ++i) sum += std::abs(a.Rgb[i] - b.Rgb[i]);
  return sum / a.Rgb.size();
}

std::string Crlf(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* l : lines) out += Sj(l) + "\r\n";
  return out;
}

const char* const kPortraits[] = {"akane.bmp", "bunta.jpg", "chiyo_s.bmp", "daigo.bmp",
                                  "eiji.jpeg", "fuyu.bmp",  "gonta.bmp",   "hayate.jpg"};

std::string SmallRoster() {
  std::string out;
  for (const char* name : kPortraits)
    out += Crlf({"#Name 剣士", "#Spec 50/0/0/0/", (std::string("#Image ") + name).c_str(),
                 "#FlavorBegin", "#FlavorEnd"});
  out += Crlf({"#Name 名無し", "#Spec 50/0/0/0/", "#Image", "#FlavorBegin", "#FlavorEnd"});
  return out;
}

// One generated folder shared by the tests below (making it takes a moment).
class AssetsGenerated : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Folder = MakeTempFolder();
    WriteWholeFile(Folder + "/swordia.txt", SmallRoster());
    WriteWholeFile(Folder + "/story.txt",
                   Crlf({"@Stage0", "#Image night_castle.bmp", "#Wave bell.wav", "文", "#stop"}));
    std::ostringstream log;
    Written = GenerateAssets(Folder, log);
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(Folder); }
  static std::string Folder;
  static int Written;
};
std::string AssetsGenerated::Folder;
int AssetsGenerated::Written = 0;

}  // namespace

TEST(AssetPlan, RosterImagesSkipFlavourAndDefaultToNoImage) {
  const std::string roster = Crlf(
      {"// a comment", "#Name 甲", "#Spec 50/0/0/0/", "#Image   kou.bmp  ", "#FlavorBegin",
       "#Image fake.bmp", "#FlavorEnd", "#Name 乙", "#Spec 50/0/0/0/", "#Image", "#FlavorBegin",
       "#FlavorEnd", "#Name 丙", "#Spec 50/0/0/0/", "#Imagekou.bmp", "#FlavorBegin", "#FlavorEnd"});
  const std::vector<std::string> names = RosterImageNames(roster);
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(names[0], "kou.bmp");
  EXPECT_EQ(names[1], "noimage.bmp");
}

TEST(AssetPlan, PortraitsCarryTheirEntrysNameAndFlavour) {
  const std::string roster = Crlf(
      {"#Name 老剣師", "#Spec 50/0/0/0/", "#Image old.bmp", "#FlavorBegin", "白い髭。",
       "#FlavorEnd", "#Name 娘", "#Spec 50/0/0/0/", "#Image old.bmp", "#FlavorBegin", "#FlavorEnd",
       "#Name 少年", "#Spec 50/0/0/0/", "#Image boy.jpg", "#FlavorBegin", "#FlavorEnd"});
  const std::vector<TRosterPortrait> p = RosterPortraits(roster);
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0].Image, "old.bmp");
  EXPECT_EQ(U8(p[0].Hints), "老剣師\n白い髭。");  // the first entry naming it
  EXPECT_EQ(U8(p[1].Hints), "少年");
  const std::vector<TAssetEntry> plan = PlanAssets(roster, "");
  const auto boy = std::find_if(plan.begin(), plan.end(),
                                [](const TAssetEntry& e) { return e.Name == "boy.jpg"; });
  ASSERT_NE(boy, plan.end());
  EXPECT_EQ(U8(boy->Hints), "少年");
}

TEST(AssetPortraits, DescriptionWordsChangeTheLookOnlyWhenWholeCharacters) {
  const TImage plain = PaintPortrait("kensi.bmp");
  EXPECT_EQ(PaintPortrait("kensi.bmp").Rgb, plain.Rgb);
  // Words that name no trait leave the hashed look alone.
  EXPECT_EQ(PaintPortrait("kensi.bmp", Sj("ただの剣師")).Rgb, plain.Rgb);
  // An old master gets white hair and a beard.
  EXPECT_NE(PaintPortrait("kensi.bmp", Sj("老剣師")).Rgb, plain.Rgb);
  // "刻与" holds the bytes of "女" across its two characters: no match,
  // though "女" itself changes this portrait.
  ASSERT_NE(PaintPortrait("kensi.bmp", Sj("女")).Rgb, plain.Rgb);
  EXPECT_EQ(PaintPortrait("kensi.bmp", Sj("刻与")).Rgb, plain.Rgb);
  int w = 0, h = 0;
  PortraitSize("kage_s.jpg", w, h);
  EXPECT_EQ(w, 240);
  EXPECT_EQ(h, 280);
  PortraitSize("kage.jpg", w, h);
  EXPECT_EQ(w, 300);
  EXPECT_EQ(h, 300);
}

TEST(AssetPlan, StoryCommandsIgnoreCaseAndSplitAtEverySpace) {
  const std::string story =
      Crlf({"@Stage0", "#image a.jpg", "#IMAGE\tb.bmp", "#Wave　ソ.wav", "// #Wave c.wav",
            "#Wave ソ.wav", "#Image", "#Wave d.wav e.wav", "#Waves x.wav"});
  const std::vector<std::string> images = StoryCommandNames(story, "#Image");
  ASSERT_EQ(images.size(), 2u);
  EXPECT_EQ(images[0], "a.jpg");
  EXPECT_EQ(images[1], "b.bmp");
  const std::vector<std::string> waves = StoryCommandNames(story, "#wave");
  ASSERT_EQ(waves.size(), 2u);
  EXPECT_EQ(waves[0], Sj("ソ.wav"));  // its trail byte 0x5C is not a separator
  EXPECT_EQ(waves[1], "d.wav");
}

TEST(AssetPlan, UnsafeNamesAreRefusedAndTrailBytesAreNotSeparators) {
  EXPECT_TRUE(IsSafeAssetName("a.bmp"));
  EXPECT_TRUE(IsSafeAssetName("story\\a.bmp"));
  EXPECT_TRUE(IsSafeAssetName(Sj("ソ.bmp")));
  EXPECT_TRUE(IsSafeAssetName(Sj("表\\ソ.bmp")));
  EXPECT_FALSE(IsSafeAssetName(""));
  EXPECT_FALSE(IsSafeAssetName("\\a.bmp"));
  EXPECT_FALSE(IsSafeAssetName("/a.bmp"));
  EXPECT_FALSE(IsSafeAssetName("..\\a.bmp"));
  EXPECT_FALSE(IsSafeAssetName("a\\..\\..\\b.bmp"));
  EXPECT_FALSE(IsSafeAssetName("a\\\\b.bmp"));
}

TEST(AssetPlan, PlanHoldsFixedFilesCuesRosterAndStoryOnce) {
  const std::string roster = Crlf({"#Image p.jpg", "#Image noimage.bmp", "#Image ..\\x.bmp"});
  const std::string story = Crlf({"#Image p.jpg", "#Image s.bmp", "#Wave up.wav", "#Wave w.wav"});
  const std::vector<TAssetEntry> plan = PlanAssets(roster, story);
  std::map<std::string, TAssetKind> kinds;
  for (const TAssetEntry& e : plan) {
    EXPECT_EQ(kinds.count(e.Name), 0u) << U8(e.Name);
    kinds[e.Name] = e.Kind;
  }
  EXPECT_EQ(plan.size(), 5u + CueCount + 1u + 1u + 1u);
  EXPECT_EQ(kinds["noimage.bmp"], TAssetKind::Fixed);
  EXPECT_EQ(kinds["title.bmp"], TAssetKind::Fixed);
  EXPECT_EQ(kinds["p.jpg"], TAssetKind::Portrait);
  EXPECT_EQ(kinds["s.bmp"], TAssetKind::StoryPicture);
  EXPECT_EQ(kinds["w.wav"], TAssetKind::Sound);
  EXPECT_EQ(kinds.count("..\\x.bmp"), 0u);
  EXPECT_EQ(kinds.count(Sj("ガソ.wav")), 1u);
}

TEST(AssetPlan, OnlyLowerCaseJpegEndingsAreJpeg) {
  EXPECT_TRUE(IsJpegName("a.jpg"));
  EXPECT_TRUE(IsJpegName("a.jpeg"));
  EXPECT_FALSE(IsJpegName("a.JPG"));
  EXPECT_FALSE(IsJpegName("a.bmp"));
  EXPECT_FALSE(IsJpegName("jpg"));
}

TEST_F(AssetsGenerated, FixedPicturesHaveTheSizesTheScreensNeed) {
  EXPECT_EQ(Written, 5 + 20 + static_cast<int>(std::size(kPortraits)) + 1 + 1);
  // The window's icon: a square, the same drawing as the desktop's icons.
  const TImage icon = ReadPicture(Folder, "icon.bmp");
  EXPECT_EQ(icon.Width, 64);
  EXPECT_EQ(icon.Height, 64);
  const TImage title = ReadPicture(Folder, "title.bmp");
  EXPECT_EQ(title.Width, 600);
  EXPECT_EQ(title.Height, 450);
  const TImage back = ReadPicture(Folder, "back.jpg");
  EXPECT_EQ(back.Width, 600);
  EXPECT_EQ(back.Height, 450);
  const TImage none = ReadPicture(Folder, "noimage.bmp");
  EXPECT_EQ(none.Width, 300);
  EXPECT_EQ(none.Height, 300);
  const TImage scene = ReadPicture(Folder, "night_castle.bmp");
  EXPECT_EQ(scene.Width, 600);
  EXPECT_EQ(scene.Height, 300);
  // The game's name stands in gold across the middle of the title.
  int gold = 0;
  for (int y = 100; y < 200; ++y)
    for (int x = 60; x < 540; ++x) {
      const std::uint8_t* p = title.At(x, y);
      if (p[0] > 200 && p[1] > 140 && p[2] < 150) ++gold;
    }
  EXPECT_GT(gold, 4000);
  // The stand-in portrait is a grey figure, with no colour of a swordsman.
  for (std::size_t i = 0; i < none.Rgb.size(); i += 3) {
    ASSERT_LT(std::abs(none.Rgb[i] - none.Rgb[i + 2]), 40) << i / 3;
    ASSERT_LT(std::abs(none.Rgb[i + 1] - none.Rgb[i + 2]), 40) << i / 3;
  }
  // The background stays dark enough for white text and bars.
  double luma = 0;
  for (std::size_t i = 0; i < back.Rgb.size(); i += 3)
    luma += 0.3 * back.Rgb[i] + 0.59 * back.Rgb[i + 1] + 0.11 * back.Rgb[i + 2];
  EXPECT_LT(luma / (back.Rgb.size() / 3), 90.0);
}

TEST_F(AssetsGenerated, EmblemIsKeyedAroundItAndHollowInTheMiddle) {
  const TImage top = ReadPicture(Folder, "top.bmp");
  // It must sit between the two halves of the bracket (x 250 to 350).
  EXPECT_LE(top.Width, 100);
  EXPECT_LE(top.Height, 220);
  const std::uint8_t* key = top.At(0, 0);
  auto isKey = [&](int x, int y) { return std::equal(key, key + 3, top.At(x, y)); };
  EXPECT_TRUE(isKey(top.Width - 1, 0));
  EXPECT_TRUE(isKey(0, top.Height - 1));
  EXPECT_TRUE(isKey(top.Width - 1, top.Height - 1));
  // The centre, where the final's bars meet and the title is written, shows through.
  EXPECT_TRUE(isKey(top.Width / 2, top.Height / 2));
  int drawn = 0;
  for (int y = 0; y < top.Height; ++y)
    for (int x = 0; x < top.Width; ++x) drawn += isKey(x, y) ? 0 : 1;
  EXPECT_GT(drawn, top.Width * top.Height / 4);
}

TEST_F(AssetsGenerated, PortraitsFitTheFrameAndDifferOnTheBoard) {
  std::vector<TImage> cells;
  for (const char* name : kPortraits) {
    const TImage img = ReadPicture(Folder, name);
    const bool small = std::string(name).find("_s") != std::string::npos;
    EXPECT_EQ(img.Width, small ? 240 : 300) << name;
    EXPECT_EQ(img.Height, small ? 280 : 300) << name;
    cells.push_back(AsBoardCell(img));
  }
  cells.push_back(AsBoardCell(ReadPicture(Folder, "noimage.bmp")));
  for (std::size_t i = 0; i < cells.size(); ++i)
    for (std::size_t j = i + 1; j < cells.size(); ++j)
      EXPECT_GT(MeanDifference(cells[i], cells[j]), 12.0) << i << " vs " << j;
}

TEST_F(AssetsGenerated, CuesAreShortQuietFadedAndDistinct) {
  std::vector<std::string> all;
  std::vector<std::string> names;
  for (const std::string& cue : CueFileNames()) names.push_back(Cp932ToUtf8(cue));
  names.push_back("bell.wav");
  for (const std::string& name : names) {
    const std::string w = ReadWholeFile(Folder + "/" + name);
    ASSERT_GT(w.size(), 44u) << name;
    EXPECT_EQ(w.substr(0, 4), "RIFF") << name;
    EXPECT_EQ(static_cast<std::uint8_t>(w[20]), 1) << name;  // PCM
    EXPECT_EQ(static_cast<std::uint8_t>(w[22]), 1) << name;  // mono
    EXPECT_EQ(static_cast<std::uint8_t>(w[34]), 16) << name;
    const std::uint32_t rate = U32(w, 24);
    const std::size_t count = U32(w, 40) / 2;
    ASSERT_EQ(w.size(), 44 + 2 * count) << name;
    const double seconds = static_cast<double>(count) / rate;
    EXPECT_GE(seconds, 0.05) << name;
    EXPECT_LE(seconds, 1.6) << name;
    int peak = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const int v = S16(w, 44 + 2 * i);
      peak = std::max(peak, std::abs(v));
    }
    EXPECT_LT(peak, 24000) << name;  // well below clipping
    EXPECT_GT(peak, 6000) << name;   // but audible
    auto sample = [&](std::size_t i) { return std::abs(S16(w, 44 + 2 * i)); };
    EXPECT_LT(sample(0), 200) << name;
    EXPECT_LT(sample(count - 1), 200) << name;
    for (const std::string& other : all) EXPECT_NE(other, w) << name;
    all.push_back(w);
  }
}

TEST_F(AssetsGenerated, SecondRunWritesTheSameBytesAndForceReplacesAnAuthorsFile) {
  const std::string again = MakeTempFolder();
  WriteWholeFile(again + "/swordia.txt", ReadWholeFile(Folder + "/swordia.txt"));
  WriteWholeFile(again + "/story.txt", ReadWholeFile(Folder + "/story.txt"));
  WriteWholeFile(again + "/noimage.bmp", "the author's own");
  std::ostringstream log;
  int kept = -1;
  ASSERT_EQ(GenerateAssets(again, log, /*force=*/true, &kept), Written);
  EXPECT_EQ(kept, 0);
  for (const TAssetEntry& e :
       PlanAssets(ReadWholeFile(Folder + "/swordia.txt"), ReadWholeFile(Folder + "/story.txt"))) {
    const std::string name = Cp932ToUtf8(e.Name);
    EXPECT_TRUE(ReadWholeFile(Folder + "/" + name) == ReadWholeFile(again + "/" + name)) << name;
  }
  std::filesystem::remove_all(again);
}

TEST(AssetsGenerator, AnExistingFileIsKeptWithoutForce) {
  // A folder that already holds every planned file, one of them the
  // author's own portrait: nothing is written, everything is named as kept.
  const std::string folder = MakeTempFolder();
  const std::string roster =
      Crlf({"#Name 剣士", "#Spec 50/0/0/0/", "#Image hero.bmp", "#FlavorBegin", "#FlavorEnd"});
  const std::string story = Crlf({"@Stage0", "#Wave bell.wav", "文", "#stop"});
  WriteWholeFile(folder + "/swordia.txt", roster);
  WriteWholeFile(folder + "/story.txt", story);
  const std::vector<TAssetEntry> plan = PlanAssets(roster, story);
  for (const TAssetEntry& e : plan) {
    WriteWholeFile(folder + "/" + Cp932ToUtf8(e.Name), "hand-made " + Cp932ToUtf8(e.Name));
  }
  std::ostringstream log;
  int kept = -1;
  EXPECT_EQ(GenerateAssets(folder, log, /*force=*/false, &kept), 0);
  EXPECT_EQ(kept, static_cast<int>(plan.size()));
  EXPECT_EQ(ReadWholeFile(folder + "/hero.bmp"), "hand-made hero.bmp");
  EXPECT_NE(log.str().find("kept " + folder + "/hero.bmp (it exists; --force replaces it)"),
            std::string::npos)
      << log.str();
  std::filesystem::remove_all(folder);
}

namespace {

// Runs quillmoor-assets with the arguments in `folder`; returns its output
// (both streams).
std::string RunAssets(const std::string& folder, const std::string& arguments, int& status) {
  // The asset tool is built beside the lab.
  const std::string tool =
      (std::filesystem::path(QUILLMOOR_LAB_PATH).parent_path() / "quillmoor-assets").string();
  return RunCommand("cd '" + folder + "' && " + tool + " " + arguments + " 2>&1", status);
}

}  // namespace

TEST(AssetsCommand, HelpAndBadUsageWriteNothing) {
  const std::string folder = MakeTempFolder();
  int status = -1;
  EXPECT_NE(RunAssets(folder, "--help", status).find("usage: quillmoor-assets [--force] [FOLDER]"),
            std::string::npos);
  EXPECT_EQ(status, 0);
  // A folder that does not exist is refused, not made; so is dat/ when it is
  // missing, and an unknown option.
  EXPECT_NE(RunAssets(folder, "nosuchdir", status).find("there is no folder 'nosuchdir'"),
            std::string::npos);
  EXPECT_EQ(status, 2);
  RunAssets(folder, "", status);
  EXPECT_EQ(status, 2);
  EXPECT_NE(RunAssets(folder, "--forse", status).find("unknown option '--forse'"),
            std::string::npos);
  EXPECT_EQ(status, 2);
  RunAssets(folder, "a b", status);
  EXPECT_EQ(status, 2);
  EXPECT_TRUE(std::filesystem::is_empty(folder)) << "nothing was written";
  std::filesystem::remove_all(folder);
}

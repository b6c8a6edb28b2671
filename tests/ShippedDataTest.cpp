// The data the game ships in dat/: the roster loads as the game loads it, the
// story tells a whole piece for every stage, and every picture and sound that
// the program, the roster or the story names exists and decodes.
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "data/Roster.h"
#include "present/Bitmap.h"
#include "present/Path.h"
#include "present/PictureCheck.h"
#include "rules/Cues.h"
#include "rules/SjisText.h"
#include "rules/Sword.h"
#include "script/Story.h"
#include "tests/TestSupport.h"

namespace {

// A program path under "dat\\" (cp932) as the same file of the source tree's
// dat/, still as a program path.
std::string ShippedProgramPath(std::string_view programPath) {
  const std::string_view prefix = "dat\\";
  if (programPath.substr(0, prefix.size()) == prefix) programPath.remove_prefix(prefix.size());
  return Sj(SourcePath("dat/")) + std::string(programPath);
}

std::vector<TSwordia> ReadShippedRoster() {
  std::vector<TSwordia> entries;
  std::string fault;
  if (!ReadRoster(Sj(SourcePath("dat/swordia.txt")), Sj(SourcePath("dat/")), PictureCheck(),
                  entries, fault)) {
    ADD_FAILURE() << "the shipped roster is refused: " << U8(fault);
  }
  return entries;
}

class TRecordingView : public TStoryView {
 public:
  void ShowPicture(std::string_view programPath) override {
    Pictures.insert(std::string(programPath));
  }
  void ShowText(const TStringDynArray& lines) override { Pages.push_back(lines); }
  void PlaySound(std::string_view programPath) override { Sounds.insert(std::string(programPath)); }
  std::set<std::string> Pictures;
  std::vector<TStringDynArray> Pages;
  std::set<std::string> Sounds;
};

struct TToldPiece {
  std::vector<TStringDynArray> Pages;
  std::vector<std::string> Faults;  // results other than success, as UTF-8
  bool FirstTurnShowed = false;
  bool Stopped = false;
};

struct TToldStory {
  std::string LoadResult;
  TToldPiece Pieces[6];
  std::set<std::string> Pictures;  // program paths
  std::set<std::string> Sounds;
};

// Tells the six pieces in the order a winning hero sees them: each piece is
// entered at its label, paged through until it stops, and left with "close"
// (which clears the stop for the next piece).
TToldStory TellShippedStory() {
  TToldStory told;
  TStory story;
  TRecordingView view;
  story.View = &view;
  told.LoadResult = U8(InitStory(story, Sj(SourcePath("dat/story.txt"))));
  const std::string success = Sj("【成功】");
  for (int stage = 0; stage <= 5; ++stage) {
    TToldPiece& piece = told.Pieces[stage];
    view.Pages.clear();
    const std::string jump = GotoStoryStage(story, stage);
    if (jump != success) piece.Faults.push_back(U8(jump));
    // A piece that never stops would page on forever; fifty clicks is far
    // more than any piece needs.
    for (int click = 0; click < 50 && !story.Script.Stopped(); ++click) {
      const std::string result = TurnStoryPage(story);
      if (result != success) piece.Faults.push_back(U8(result));
      if (click == 0) piece.FirstTurnShowed = !view.Pages.empty();
    }
    piece.Stopped = story.Script.Stopped();
    piece.Pages = view.Pages;
    story.Script.ClearStop();
  }
  told.Pictures = view.Pictures;
  told.Sounds = view.Sounds;
  return told;
}

// A RIFF/WAVE file holding uncompressed PCM (8 or 16 bits, mono or stereo)
// with a non-empty data chunk inside the file; `why` names the first fault.
bool IsPcmWave(const std::string& bytes, std::string& why) {
  auto u16 = [&](std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 1])) << 8;
  };
  auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
    why = "no RIFF/WAVE header";
    return false;
  }
  bool pcm = false;
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::string id = bytes.substr(at, 4);
    const std::size_t size = u32(at + 4);
    const std::size_t body = at + 8;
    if (size > bytes.size() - body) {
      why = "chunk '" + id + "' runs past the end of the file";
      return false;
    }
    if (id == "fmt ") {
      if (size < 16) {
        why = "short fmt chunk";
        return false;
      }
      const std::uint32_t format = u16(body), channels = u16(body + 2), rate = u32(body + 4),
                          bits = u16(body + 14);
      if (format != 1 || channels < 1 || channels > 2 || rate == 0 || (bits != 8 && bits != 16)) {
        why = "not 8/16-bit mono/stereo PCM";
        return false;
      }
      pcm = true;
    } else if (id == "data") {
      if (!pcm) {
        why = "data chunk before the fmt chunk";
        return false;
      }
      if (size == 0) {
        why = "empty data chunk";
        return false;
      }
      return true;
    }
    at = body + size + (size & 1);
  }
  why = pcm ? "no data chunk" : "no fmt chunk";
  return false;
}

// Loads a program path from the shipped dat/; false (with a failure) when it
// cannot be decoded.
bool LoadShippedImage(std::string_view programPath, TBromBitmap& bitmap) {
  try {
    bitmap.LoadImage(ShippedProgramPath(programPath));
    return true;
  } catch (const std::exception& e) {
    ADD_FAILURE() << U8(programPath) << " does not load: " << e.what();
    return false;
  }
}

}  // namespace

TEST(ShippedRoster, LoadsAndItsRivalsUseEverySwordKind) {
  const std::vector<TSwordia> entries = ReadShippedRoster();
  ASSERT_GE(entries.size(), 40u);
  ASSERT_LE(entries.size(), static_cast<std::size_t>(RosterMaxEntries));

  // The hero's build is replaced at the game start, so only the rivals count.
  std::set<std::string> marks, names;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    EXPECT_TRUE(names.insert(entries[i].Name).second)
        << "two entries named " << U8(entries[i].Name);
    if (i == 0) continue;
    const std::string_view swords = entries[i].Spec.Swords;
    for (int k = 0; k < TBromString::CharCount(swords); ++k)
      marks.insert(TBromString::CharAt(swords, k));
  }
  for (int kind = 1; kind <= SwordKindCount; ++kind) {
    const std::string mark(SwordByKind(static_cast<TSwordKind>(kind)).Mark.View());
    EXPECT_TRUE(marks.count(mark)) << "no rival uses " << U8(mark);
  }

  // Authors' editors keep CR LF; a lone LF means the file was rewritten.
  const std::string bytes = ReadWholeFile(SourcePath("dat/swordia.txt"));
  for (std::size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1))
    ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "lone LF at byte " << at;
}

TEST(ShippedStory, EveryStageTellsAtLeastTwoPagesAndEndsStopped) {
  const TToldStory told = TellShippedStory();
  ASSERT_EQ(told.LoadResult, "【成功】");
  for (int stage = 0; stage <= 5; ++stage) {
    SCOPED_TRACE("@Stage" + std::to_string(stage));
    const TToldPiece& piece = told.Pieces[stage];
    EXPECT_TRUE(piece.Faults.empty()) << piece.Faults.front();
    EXPECT_TRUE(piece.FirstTurnShowed) << "the piece opens on an empty page";
    EXPECT_GE(piece.Pages.size(), 2u);
    EXPECT_TRUE(piece.Stopped);
    for (const TStringDynArray& page : piece.Pages) {
      EXPECT_GE(page.size(), 1u);
      EXPECT_LE(page.size(), static_cast<std::size_t>(StoryPageSize));
    }
  }
}

TEST(ShippedFiles, EveryNamedPictureAndSoundExistsAndDecodes) {
  // Screens the program paints from fixed files: the title and the opponent
  // view's background become whole screens, so they must be exactly 600 x 450.
  for (const char* screen : {"dat\\title.bmp", "dat\\back.jpg"}) {
    TBromBitmap bitmap;
    if (!LoadShippedImage(screen, bitmap)) continue;
    EXPECT_EQ(bitmap.Width(), 600) << screen;
    EXPECT_EQ(bitmap.Height(), 450) << screen;
  }
  TBromBitmap top;
  LoadShippedImage("dat\\top.bmp", top);

  // Portraits, the default one included, fit the 300 x 300 frame.
  std::set<std::string> portraits = {"noimage.bmp"};
  for (const TSwordia& entry : ReadShippedRoster()) portraits.insert(entry.ImageFile);
  for (const std::string& name : portraits) {
    TBromBitmap bitmap;
    if (!LoadShippedImage("dat\\" + name, bitmap)) continue;
    EXPECT_LE(bitmap.Width(), PortraitSize) << U8(name);
    EXPECT_LE(bitmap.Height(), PortraitSize) << U8(name);
  }

  // Story pictures are drawn over the previous one without clearing, so each
  // must cover the whole 600 x 300 picture area.
  const TToldStory told = TellShippedStory();
  EXPECT_FALSE(told.Pictures.empty());
  for (const std::string& path : told.Pictures) {
    TBromBitmap bitmap;
    if (!LoadShippedImage(path, bitmap)) continue;
    EXPECT_GE(bitmap.Width(), 600) << U8(path);
    EXPECT_GE(bitmap.Height(), 300) << U8(path);
  }

  // The program's cue files and the story's sounds.
  std::set<std::string> sounds = told.Sounds;
  for (const char* cue : AllCues) sounds.insert(cue);
  for (const std::string& path : sounds) {
    std::string bytes, why;
    try {
      bytes = ReadWholeFile(DiskPath(ShippedProgramPath(path)));
    } catch (const std::exception&) {
      ADD_FAILURE() << U8(path) << " is missing";
      continue;
    }
    EXPECT_TRUE(IsPcmWave(bytes, why)) << U8(path) << ": " << why;
  }
}

// The pictures and sounds committed under dat/ are exactly what the generator
// makes from the committed roster and story. When this fails, the roster or
// the story names a new file (or changed an entry's words) or the generator
// changed: run build/quillmoor-assets from the repository's top folder and
// commit dat/.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "present/Path.h"
#include "tests/TestSupport.h"
#include "tools/AssetGenerator.h"
#include "tools/AssetLettering.h"

using namespace asset;

TEST(AssetsShipped, DataFolderMatchesTheGenerator) {
  const std::string folder = MakeTempFolder();
  const std::string roster = ReadWholeFile(SourcePath("dat/swordia.txt"));
  const std::string story = ReadWholeFile(SourcePath("dat/story.txt"));
  WriteWholeFile(folder + "/swordia.txt", roster);
  WriteWholeFile(folder + "/story.txt", story);
  std::ostringstream log;
  GenerateAssets(folder, log);
  // The title's lettering depends on the installed font file.
  const bool sameFont = FontChecksum(kLetteringFont) == kLetteringFontChecksum;
  for (const TAssetEntry& e : PlanAssets(roster, story)) {
    if (e.Name == "title.bmp" && !sameFont) continue;
    const std::string name = DiskPath(e.Name);
    const std::string shipped = SourcePath("dat/" + name);
    ASSERT_TRUE(std::filesystem::exists(shipped))
        << "dat/" << name << " is missing: run build/quillmoor-assets and commit dat/";
    EXPECT_TRUE(ReadWholeFile(shipped) == ReadWholeFile(folder + "/" + name))
        << "dat/" << name << " differs from what the generator makes: run build/quillmoor-assets "
        << "and commit dat/";
  }
  std::filesystem::remove_all(folder);
}

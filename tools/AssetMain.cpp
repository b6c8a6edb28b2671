// quillmoor-assets: makes every picture and sound of the game's data folder.
//
// Run it from the repository's top folder after a build:
//
//     build/quillmoor-assets            (writes into dat/)
//     build/quillmoor-assets FOLDER     (reads FOLDER/swordia.txt and
//                                        FOLDER/story.txt, writes into FOLDER)
//
// It reads the roster and the story for the names of portraits, story pictures
// and story sounds, and writes those together with the fixed pictures
// (title.bmp, back.jpg, top.bmp, noimage.bmp) and the twenty cue sounds. All
// of it is computed: the same input gives byte-identical files. The lettering
// of the title picture is drawn from the IPA Gothic font file; a different
// font file would change title.bmp only, and the program says so.
//
// A file that is already there is never replaced unless --force is given: it
// may be an author's own picture. The folder must exist.
//
//     build/quillmoor-assets --icons FOLDER
//
// writes the game's icon for the desktop instead: FOLDER/NxN/apps/<id>.png for
// every hicolor size (the build makes them for the installation).
#include <exception>
#include <filesystem>
#include <iostream>
#include <string>

#include "tools/AssetGenerator.h"
#include "tools/AssetIcon.h"
#include "tools/AssetLettering.h"

namespace {

const char* const Usage =
    "usage: quillmoor-assets [--force] [FOLDER]\n"
    "       quillmoor-assets --icons FOLDER\n"
    "\n"
    "Makes the pictures and sounds a data folder needs: the fixed pictures (title.bmp,\n"
    "back.jpg, top.bmp, noimage.bmp), the twenty cue sounds, every portrait FOLDER/swordia.txt\n"
    "names and every picture and sound FOLDER/story.txt names. FOLDER (default dat) must\n"
    "exist. A file that is already there is kept, and named, unless --force is given.\n"
    "Prints one line per file written (path and size) or kept, then the counts.\n"
    "--icons writes the game's desktop icon at every hicolor size instead:\n"
    "FOLDER/NxN/apps/org.quillmoor.Quillmoor.png (FOLDER is made when missing).\n"
    "Exit codes: 0 done; 1 a file could not be written or the font is missing;\n"
    "2 bad usage (an unknown option, two folders, a folder that does not exist).\n";

int UsageError(const std::string& message) {
  std::cerr << "quillmoor-assets: " << message << " (see 'quillmoor-assets --help')\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  // 1. The command line.
  std::string folder;
  bool force = false;
  bool icons = false;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (!optionsEnded && (a == "--help" || a == "-h")) {
      std::cout << Usage;
      return 0;
    }
    if (!optionsEnded && a == "--force") {
      force = true;
    } else if (!optionsEnded && a == "--icons") {
      icons = true;
    } else if (!optionsEnded && a == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && a.size() > 1 && a[0] == '-') {
      return UsageError("unknown option '" + a + "'");
    } else if (folder.empty()) {
      folder = a;
    } else {
      return UsageError("one folder at most");
    }
  }
  if (icons) {
    if (folder.empty()) return UsageError("--icons needs a folder");
    try {
      for (const std::string& path : asset::WriteHicolorIcons(folder)) std::cout << path << "\n";
    } catch (const std::exception& e) {
      std::cerr << "quillmoor-assets: " << e.what() << "\n";
      return 1;
    }
    return 0;
  }
  if (folder.empty()) folder = "dat";
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) {
    return UsageError("there is no folder '" + folder +
                      "' (make it first; run from the folder that holds dat)");
  }
  // 2. The font of the title's lettering.
  const unsigned long long font = asset::FontChecksum(asset::kLetteringFont);
  if (font == 0) {
    std::cerr << "cannot read the font " << asset::kLetteringFont
              << " (Debian package fonts-ipafont-gothic)\n";
    return 1;
  }
  if (font != asset::kLetteringFontChecksum)
    std::cerr << "warning: " << asset::kLetteringFont
              << " is not the font file the shipped title was made with; title.bmp will differ\n";
  // 3. The files.
  try {
    int kept = 0;
    const int n = asset::GenerateAssets(folder, std::cout, force, &kept);
    std::cout << n << " files written to " << folder;
    if (kept > 0) std::cout << ", " << kept << " kept as they were (--force replaces them)";
    std::cout << "\n";
  } catch (const std::exception& e) {
    std::cerr << "quillmoor-assets: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

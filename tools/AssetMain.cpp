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
#include <exception>
#include <iostream>
#include <string>

#include "tools/AssetGenerator.h"
#include "tools/AssetLettering.h"

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : "dat";
  const unsigned long long font = asset::FontChecksum(asset::kLetteringFont);
  if (font == 0) {
    std::cerr << "cannot read the font " << asset::kLetteringFont
              << " (Debian package fonts-ipafont-gothic)\n";
    return 1;
  }
  if (font != asset::kLetteringFontChecksum)
    std::cerr << "warning: " << asset::kLetteringFont
              << " is not the font file the shipped title was made with; title.bmp will differ\n";
  try {
    const int n = asset::GenerateAssets(folder, std::cout);
    std::cout << n << " files written to " << folder << "\n";
  } catch (const std::exception& e) {
    std::cerr << "quillmoor-assets: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

// The asset generator's plan and run: which files the data folder needs (the
// fixed pictures, the twenty cues, every portrait the roster names and every
// picture and sound the story names) and the bytes of each. A file name's
// ending decides its format as the game's loader decides it: ".jpg" and
// ".jpeg" (lower case) are JPEG, any other picture a Windows bitmap.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace asset {

enum class TAssetKind { Fixed, Portrait, StoryPicture, Sound };

struct TAssetEntry {
  std::string Name;  // cp932, relative to the data folder, '\\' between folders
  TAssetKind Kind;
  std::string Hints = {};  // a portrait's swordsman: name and description (cp932)
};

// A portrait the roster names, with the text of the entry that names it.
struct TRosterPortrait {
  std::string Image;
  std::string Hints;
};

// The portraits of the roster's "#Image" lines (cp932 text), in order and
// without repeats (the first entry naming an image gives its hints: its
// "#Name" and flavour lines); an empty value stands for "noimage.bmp".
std::vector<TRosterPortrait> RosterPortraits(std::string_view rosterText);
// Just their names.
std::vector<std::string> RosterImageNames(std::string_view rosterText);
// The first parameters of the story's lines whose command (first token,
// ignoring case) is the given one ("#image", "#wave"), in order, no repeats.
std::vector<std::string> StoryCommandNames(std::string_view storyText, std::string_view command);
// True when the name is safe to write under the data folder: not empty, not
// absolute, no ".." part.
bool IsSafeAssetName(std::string_view name);
// Everything the data folder needs, from the roster and story texts.
std::vector<TAssetEntry> PlanAssets(std::string_view rosterText, std::string_view storyText);
// True when the name's ending makes the game read it as JPEG.
bool IsJpegName(std::string_view name);
// The file's bytes.
std::string AssetBytes(const TAssetEntry& entry);
// Reads folder/swordia.txt and folder/story.txt (either may be missing),
// writes every planned file into the folder, and reports each on the log. A
// file that is already there is the author's: it is kept and named on the
// log, unless `force` is set. Returns the number of files written (`kept`,
// when given, receives the number kept); throws std::runtime_error on
// failure.
int GenerateAssets(const std::string& folder, std::ostream& log, bool force = false,
                   int* kept = nullptr);

}  // namespace asset

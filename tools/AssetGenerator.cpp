#include "tools/AssetGenerator.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "present/Path.h"
#include "rules/SjisText.h"
#include "tools/AssetCues.h"
#include "tools/AssetFiles.h"
#include "tools/AssetIcon.h"
#include "tools/AssetPortrait.h"
#include "tools/AssetScenes.h"
#include "tools/AssetStoryScenes.h"

namespace asset {

namespace {

constexpr int kJpegQuality = 90;

const std::vector<std::string>& FixedPictures() {
  static const std::vector<std::string> names = {"title.bmp", "back.jpg", "top.bmp", "noimage.bmp",
                                                 "icon.bmp"};
  return names;
}

// The text's lines, split at LF with a trailing CR dropped.
std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> out;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(start, end - start));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    out.push_back(std::move(line));
    start = end + 1;
  }
  return out;
}

// Trims bytes up to 32 (spaces and control characters) at both ends.
std::string TrimControl(std::string_view s) {
  std::size_t a = 0, b = s.size();
  while (a < b && static_cast<unsigned char>(s[a]) <= 32) ++a;
  while (b > a && static_cast<unsigned char>(s[b - 1]) <= 32) --b;
  return std::string(s.substr(a, b - a));
}

// Splits at half-width spaces, full-width spaces and tabs, walking whole
// characters so that a trail byte is never taken for a separator.
std::vector<std::string> Tokens(std::string_view line) {
  std::vector<std::string> out;
  std::string cur;
  for (std::size_t i = 0; i < line.size();) {
    const std::size_t n = TBromString::CharLength(line, i);
    const std::string_view ch = line.substr(i, n);
    if (ch == " " || ch == "\t" || ch == "\x81\x40") {
      if (!cur.empty()) out.push_back(cur);
      cur.clear();
    } else {
      cur.append(ch);
    }
    i += n;
  }
  if (!cur.empty()) out.push_back(cur);
  return out;
}

std::string AsciiLower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

void AddOnce(std::vector<std::string>& list, const std::string& name) {
  if (std::find(list.begin(), list.end(), name) == list.end()) list.push_back(name);
}

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

std::string ReadIfPresent(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

std::vector<TRosterPortrait> RosterPortraits(std::string_view rosterText) {
  std::vector<TRosterPortrait> out;
  std::string name;
  int current = -1;  // the portrait the flavour lines belong to, if any
  bool inFlavor = false;
  for (const std::string& line : Lines(rosterText)) {
    if (inFlavor) {
      if (line == "#FlavorEnd") {
        inFlavor = false;
        current = -1;
      } else if (current >= 0) {
        out[static_cast<std::size_t>(current)].Hints += "\n" + line;
      }
      continue;
    }
    if (line.rfind("#FlavorBegin", 0) == 0) {
      inFlavor = true;
      continue;
    }
    if (line.rfind("#Name", 0) == 0) {
      name = TrimControl(std::string_view(line).substr(5));
      continue;
    }
    if (line.rfind("#Image", 0) != 0) continue;
    std::string image = TrimControl(std::string_view(line).substr(6));
    if (image.empty()) image = "noimage.bmp";
    current = -1;
    const auto seen = std::find_if(out.begin(), out.end(),
                                   [&](const TRosterPortrait& p) { return p.Image == image; });
    if (seen != out.end()) continue;
    out.push_back({image, name});
    current = static_cast<int>(out.size()) - 1;
  }
  return out;
}

std::vector<std::string> RosterImageNames(std::string_view rosterText) {
  std::vector<std::string> out;
  for (const TRosterPortrait& p : RosterPortraits(rosterText)) out.push_back(p.Image);
  return out;
}

std::vector<std::string> StoryCommandNames(std::string_view storyText, std::string_view command) {
  std::vector<std::string> out;
  const std::string wanted = AsciiLower(command);
  for (const std::string& line : Lines(storyText)) {
    if (line.rfind("//", 0) == 0) continue;
    const std::vector<std::string> tokens = Tokens(line);
    if (tokens.size() < 2 || AsciiLower(tokens[0]) != wanted) continue;
    AddOnce(out, tokens[1]);
  }
  return out;
}

bool IsSafeAssetName(std::string_view name) {
  if (name.empty() || name[0] == '\\' || name[0] == '/') return false;
  // Split at separators, never at a trail byte.
  std::string part;
  for (std::size_t i = 0; i <= name.size();) {
    const bool end = i == name.size();
    const std::size_t n = end ? 1 : TBromString::CharLength(name, i);
    if (end || (n == 1 && (name[i] == '\\' || name[i] == '/'))) {
      if (part.empty() || part == "..") return false;
      part.clear();
    } else {
      part.append(name.substr(i, n));
    }
    i += n;
  }
  return true;
}

std::vector<TAssetEntry> PlanAssets(std::string_view rosterText, std::string_view storyText) {
  std::vector<TAssetEntry> plan;
  std::vector<std::string> seen;
  auto add = [&](const std::string& name, TAssetKind kind, const std::string& hints = {}) {
    if (!IsSafeAssetName(name)) return;
    if (std::find(seen.begin(), seen.end(), name) != seen.end()) return;
    seen.push_back(name);
    plan.push_back({name, kind, hints});
  };
  for (const std::string& name : FixedPictures()) add(name, TAssetKind::Fixed);
  for (const std::string& name : CueFileNames()) add(name, TAssetKind::Sound);
  for (const TRosterPortrait& p : RosterPortraits(rosterText))
    add(p.Image, TAssetKind::Portrait, p.Hints);
  for (const std::string& name : StoryCommandNames(storyText, "#image"))
    add(name, TAssetKind::StoryPicture);
  for (const std::string& name : StoryCommandNames(storyText, "#wave"))
    add(name, TAssetKind::Sound);
  return plan;
}

bool IsJpegName(std::string_view name) {
  return EndsWith(name, ".jpg") || EndsWith(name, ".jpeg");
}

std::string AssetBytes(const TAssetEntry& entry) {
  if (entry.Kind == TAssetKind::Sound) {
    const TSoundBuffer sound = MakeSound(entry.Name);
    return EncodeWav(sound.Samples(), kSoundRate);
  }
  TImage image;
  if (entry.Kind == TAssetKind::Fixed) {
    if (entry.Name == "title.bmp")
      image = PaintTitle();
    else if (entry.Name == "back.jpg")
      image = PaintBack();
    else if (entry.Name == "top.bmp")
      image = PaintEmblem();
    else if (entry.Name == "icon.bmp")
      image = PaintIcon(kWindowIconSize);
    else
      image = PaintNoImage();
  } else if (entry.Kind == TAssetKind::Portrait) {
    image = PaintPortrait(entry.Name, entry.Hints);
  } else {
    image = PaintStoryScene(entry.Name);
  }
  return IsJpegName(entry.Name) ? EncodeJpeg(image, kJpegQuality) : EncodeBmp(image);
}

int GenerateAssets(const std::string& folder, std::ostream& log, bool force, int* kept) {
  const std::string roster = ReadIfPresent(folder + "/swordia.txt");
  const std::string story = ReadIfPresent(folder + "/story.txt");
  if (roster.empty()) log << "note: " << folder << "/swordia.txt is missing or empty\n";
  if (story.empty()) log << "note: " << folder << "/story.txt is missing or empty\n";
  for (const std::string& name : RosterImageNames(roster))
    if (!IsSafeAssetName(name)) log << "skipped unsafe name " << Cp932ToUtf8Lenient(name) << "\n";
  int written = 0;
  int left = 0;
  for (const TAssetEntry& entry : PlanAssets(roster, story)) {
    const std::string disk = folder + "/" + DiskPath(entry.Name);
    // Anything at the name (a file, a folder, a link) is left alone.
    std::error_code error;
    if (!force && std::filesystem::symlink_status(disk, error).type() !=
                      std::filesystem::file_type::not_found) {
      log << "kept " << disk << " (it exists; --force replaces it)\n";
      ++left;
      continue;
    }
    const std::string bytes = AssetBytes(entry);
    WriteFileBytes(disk, bytes);
    log << disk << " " << bytes.size() << "\n";
    ++written;
  }
  if (kept != nullptr) *kept = left;
  return written;
}

}  // namespace asset

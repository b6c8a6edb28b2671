// What the lab's commands ask of the platform, which alone reads pictures,
// sounds and the game's font: whether a portrait or a story's picture can be
// shown, whether a sound plays, and how wide a story line is drawn. The lab's
// main answers with the platform's own readers (lab/LabMain) and passes the
// answers to every command, so that the commands need no window and link the
// logic library alone.
#pragma once

#include <string>
#include <string_view>

#include "rules/ImageCheck.h"

// A picture as the platform reads it for a screen.
struct TPictureReading {
  enum class TResult {
    Shown,        // it loads, at most as large as the screen takes
    TooLarge,     // its header claims more than the screen takes
    Undecodable,  // it cannot be opened or decoded
    BadName,      // its name has no form a file can have
  };
  TResult Result = TResult::Shown;
  int Width = 0;  // the size read (Shown) or claimed (TooLarge)
  int Height = 0;
  std::string Fault;  // why it failed (cp932): the program path and the reason
};

class TLabPlatform {
 public:
  virtual ~TLabPlatform() = default;

  // Pictures
  // The roster reader's check that a portrait can be shown.
  virtual const TImageCheck& Portraits() const = 0;
  // A portrait read as the board reads it.
  virtual TPictureReading ReadPortrait(std::string_view programPath) const = 0;
  // A picture a story's "#Image" names, read as the story screen reads it.
  virtual TPictureReading ReadStoryPicture(std::string_view programPath) const = 0;

  // Sounds
  // Why a sound the story plays would be silent, or "" when it plays; `note`
  // says when it plays cut short.
  virtual std::string SoundFault(const std::string& programPath, std::string& note) const = 0;

  // Text
  // The width in pixels of a line as the story screen draws it. Throws
  // std::exception when the game's font cannot be had.
  virtual int StoryLineWidth(std::string_view line) const = 0;
};

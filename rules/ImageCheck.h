// How the game's rules look at a picture without drawing it. The roster must
// know that every portrait can be shown, but reading pictures is the
// platform's: the platform offers its reader through this interface
// (present/PictureCheck), and whoever reads a roster passes one in.
#pragma once

#include <string_view>

class TImageCheck {
 public:
  virtual ~TImageCheck() = default;
  // True when the program path names a regular file that loads as a picture
  // (bitmap or JPEG) of at most maxWidth x maxHeight pixels. Never raises.
  virtual bool Fits(std::string_view programPath, int maxWidth, int maxHeight) const = 0;
};

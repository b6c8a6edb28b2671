// Helpers for the roster tests: rosters written from UTF-8 lines into a
// temporary folder that also holds the portraits, and tiny bitmap files.
#pragma once

#include <string>
#include <vector>

#include "rules/Sword.h"

// A 24-bit uncompressed bitmap file of the given size, all pixels grey.
std::string BitmapBytes(int width, int height);

// The six lines of a valid entry: name, build 20/3/2/1/, no image, one
// flavour line.
std::vector<std::string> EntryLines(const std::string& name);
// `count` valid entries named 剣士1, 剣士2, ...
std::vector<std::string> RosterLines(int count);

// A temporary folder holding "noimage.bmp" (10 x 10), where rosters are
// written and read.
struct TRosterFolder {
  std::string Folder;  // with its trailing "/"
  TRosterFolder();
  // Writes the lines (UTF-8, converted to cp932, each ended by CR LF) as the
  // roster and returns its path.
  std::string Write(const std::vector<std::string>& utf8Lines);
  // Writes raw bytes as the roster and returns its path.
  std::string WriteBytes(const std::string& bytes);
  // Reads the roster; returns the fault as UTF-8, or "" on success.
  std::string Fault(const std::vector<std::string>& utf8Lines);
  std::string FaultOfBytes(const std::string& bytes);
  // Reads the roster, which must be valid.
  std::vector<TSwordia> Entries(const std::vector<std::string>& utf8Lines);
};

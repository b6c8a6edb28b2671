// Helpers for the script tests: script files written from UTF-8 lines, and a
// script that records the paragraphs it hands over.
#pragma once

#include <string>
#include <vector>

#include "script/Script.h"
#include "tests/TestSupport.h"

// Writes the lines (UTF-8, converted to cp932) joined by CR LF, each line
// ended, into a fresh temporary folder; returns the file's path.
std::string WriteScriptFile(const std::vector<std::string>& utf8Lines,
                            const std::string& name = "story.txt");

// A script whose paragraphs are kept, as UTF-8 lines.
struct TRecordingScript {
  TBromScript Script;
  std::vector<std::vector<std::string>> Pages;

  TRecordingScript();
  // Loads the lines; fails the test when the load does not succeed.
  void Load(const std::vector<std::string>& utf8Lines, int limit = 7);
  // One step; returns its result as UTF-8.
  std::string Step();
  // Steps once and returns the paragraph handed over (empty when none).
  std::vector<std::string> NextPage();
};

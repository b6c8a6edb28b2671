// Shared helpers for the tests: paths into the source tree, cp932/UTF-8
// conversions for readable expectations, and temporary files.
#pragma once

#include <string>
#include <string_view>

#include "rules/Sword.h"

// The source tree (where dat/ and tests/golden/ live).
std::string SourcePath(std::string_view relative);
// Reads a whole file (binary); throws when it cannot be read.
std::string ReadWholeFile(const std::string& path);
// Writes a whole file (binary), creating parent folders.
void WriteWholeFile(const std::string& path, std::string_view bytes);
// A fresh empty folder under the system's temporary folder.
std::string MakeTempFolder();
// UTF-8 text as cp932 bytes (for expectations written in UTF-8).
std::string Sj(std::string_view utf8);
// cp932 bytes as UTF-8 (for readable failure messages).
std::string U8(std::string_view cp932);
// Runs a shell command line and returns what it writes to standard output;
// `status` gets the exit code, or -1 when it did not exit normally.
std::string RunCommand(const std::string& command, int& status);
// Runs quillmoor-lab with the arguments (a shell command line) and returns
// its standard output (with standard error too when asked); `status` gets the
// exit code, or -1 when the lab did not exit normally.
std::string RunLab(const std::string& arguments, int& status, bool withErrors = false);
// Runs quillmoor-lab the same way and returns only its standard error.
std::string RunLabStderr(const std::string& arguments, int& status);
// A build from its four numbers and its sword marks written in UTF-8.
TSpec SpecOf(int hp, int attack, int defence, int speed, std::string_view swordsUtf8);

#include "tests/TestSupport.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "present/Path.h"

namespace {

// The tests always run headless: SDL's dummy video and audio drivers, unless
// the caller chose others.
const bool headless = [] {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  return true;
}();

}  // namespace

std::string SourcePath(std::string_view relative) {
  return std::string(QUILLMOOR_SOURCE_DIR) + "/" + std::string(relative);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

std::string MakeTempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quillmoor-test-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

std::string Sj(std::string_view utf8) {
  return Utf8ToCp932(utf8);
}
std::string U8(std::string_view cp932) {
  return Cp932ToUtf8Lenient(cp932);
}

std::string RunCommand(const std::string& command, int& status) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) throw std::runtime_error("cannot run " + command);
  std::string out;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    out.append(buffer, got);
  const int raw = pclose(pipe);
  status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return out;
}

std::string RunLab(const std::string& arguments, int& status, bool withErrors) {
  return RunCommand(
      std::string(QUILLMOOR_LAB_PATH) + " " + arguments + (withErrors ? " 2>&1" : " 2>/dev/null"),
      status);
}

std::string RunLabStderr(const std::string& arguments, int& status) {
  return RunCommand(std::string(QUILLMOOR_LAB_PATH) + " " + arguments + " 2>&1 >/dev/null", status);
}

TSpec SpecOf(int hp, int attack, int defence, int speed, std::string_view swordsUtf8) {
  TSpec spec;
  spec.MaxHP = hp;
  spec.Attack = attack;
  spec.Defence = defence;
  spec.Speed = speed;
  spec.Swords = Sj(swordsUtf8);
  return spec;
}

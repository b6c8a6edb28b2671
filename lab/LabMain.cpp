#include <cstdio>
#include <cstring>
#include <exception>
#include <map>
#include <string>

#include "lab/Lab.h"
#include "present/Path.h"

namespace {

std::map<std::string, TLabCommand>& Commands() {
  static std::map<std::string, TLabCommand> commands;
  return commands;
}

int Help() {
  std::printf("usage: quillmoor-lab COMMAND [ARGS]\n\ncommands:\n");
  for (const auto& [name, command] : Commands()) {
    std::printf("  %s %s\n", name.c_str(), command.Usage);
  }
  return 0;
}

}  // namespace

TLabRegistration::TLabRegistration(const TLabCommand& command) {
  Commands()[command.Name] = command;
}

void LabPrint(std::string_view cp932Line) {
  const std::string text = Cp932ToUtf8Lenient(cp932Line);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fputc('\n', stdout);
}

void LabError(std::string_view cp932Line) {
  const std::string text = Cp932ToUtf8Lenient(cp932Line);
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
}

bool LabArgToCp932(std::string_view utf8, std::string& cp932) {
  try {
    cp932 = Utf8ToCp932(utf8);
    return true;
  } catch (const TTextConversionError&) {
    return false;
  }
}

bool LabParseInt(std::string_view text, long long& value) {
  if (text.empty() || text.size() > 18) return false;
  std::size_t i = (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (i == text.size()) return false;
  long long n = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
  }
  value = text[0] == '-' ? -n : n;
  return true;
}

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "help") == 0 || std::strcmp(argv[1], "--help") == 0) {
    return Help();
  }
  auto it = Commands().find(argv[1]);
  if (it == Commands().end()) {
    std::fprintf(stderr, "quillmoor-lab: unknown command '%s' (try 'quillmoor-lab help')\n",
                 argv[1]);
    return 2;
  }
  TLabArgs args(argv + 2, argv + argc);
  try {
    return it->second.Run(args);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillmoor-lab: %s\n", e.what());
    return 3;
  }
}

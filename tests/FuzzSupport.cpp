#include "tests/FuzzSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include "tests/TestSupport.h"

namespace {

// One token of a dictionary line `name="value"`, with \xNN, \\ and \"
// escapes; false for comments and empty lines.
bool ParseToken(const std::string& line, std::string& token) {
  const std::size_t open = line.find('"');
  const std::size_t close = line.rfind('"');
  if (line.empty() || line[0] == '#' || open == std::string::npos || close <= open) return false;
  token.clear();
  for (std::size_t i = open + 1; i < close; ++i) {
    if (line[i] != '\\' || i + 1 >= close) {
      token += line[i];
    } else if (line[i + 1] == 'x' && i + 3 < close) {
      token += static_cast<char>(std::stoi(line.substr(i + 2, 2), nullptr, 16));
      i += 3;
    } else {
      token += line[++i];
    }
  }
  return true;
}

}  // namespace

TFuzzSource LoadFuzzSource(const std::string& target, const std::string& ending) {
  namespace fs = std::filesystem;
  TFuzzSource source;
  std::vector<fs::path> corpus;
  for (const auto& entry : fs::directory_iterator(SourcePath("fuzz/" + target + "/seeds"))) {
    corpus.push_back(entry.path());
  }
  std::vector<fs::path> shipped;
  for (const auto& entry : fs::directory_iterator(SourcePath("dat"))) {
    if (entry.path().filename().string().ends_with(ending)) shipped.push_back(entry.path());
  }
  // Directory order is the file system's: sorted, the inputs are the same
  // everywhere.
  std::sort(corpus.begin(), corpus.end());
  std::sort(shipped.begin(), shipped.end());
  source.CorpusSeeds = corpus.size();
  corpus.insert(corpus.end(), shipped.begin(), shipped.end());
  for (const fs::path& file : corpus) {
    source.Seeds.push_back(ReadWholeFile(file.string()));
    source.Names.push_back(file.string());
  }
  const std::string dictionary =
      ReadWholeFile(SourcePath("fuzz/" + target + "/" + target + ".dict"));
  std::size_t from = 0;
  while (from < dictionary.size()) {
    std::size_t to = dictionary.find('\n', from);
    if (to == std::string::npos) to = dictionary.size();
    std::string token;
    if (ParseToken(dictionary.substr(from, to - from), token)) source.Tokens.push_back(token);
    from = to + 1;
  }
  if (source.CorpusSeeds == 0 || source.Seeds.size() == source.CorpusSeeds ||
      source.Tokens.empty()) {
    throw std::runtime_error("no corpus, no shipped file or no dictionary for " + target);
  }
  return source;
}

int FuzzIterations() {
  const char* text = std::getenv("QUILLMOOR_FUZZ_ITERATIONS");
  if (text == nullptr || *text == '\0') return 20000;
  return std::max(1, std::atoi(text));
}

TMutator::TMutator(const TFuzzSource& source, std::uint32_t seed) : source_(source), rng_(seed) {}

std::size_t TMutator::Pick(std::size_t n) {
  return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(rng_);
}

std::string TMutator::Next() {
  const std::size_t shipped = source_.Seeds.size() - source_.CorpusSeeds;
  last_ = Pick(8) == 0 ? source_.CorpusSeeds + Pick(shipped) : Pick(source_.CorpusSeeds);
  std::string s = source_.Seeds[last_];
  const std::size_t edits = 1 + Pick(6);
  for (std::size_t e = 0; e < edits; ++e) Edit(s);
  return s;
}

void TMutator::Edit(std::string& s) {
  // Edits near the start reach the headers of binary files more often.
  const std::size_t at =
      Pick(2) == 0 ? Pick(std::min<std::size_t>(s.size(), 128) + 1) : Pick(s.size() + 1);
  const std::string& token = source_.Tokens[Pick(source_.Tokens.size())];
  switch (Pick(8)) {
    case 0:  // flip a bit
      if (at < s.size()) s[at] = static_cast<char>(s[at] ^ (1 << Pick(8)));
      break;
    case 1:  // a byte at an edge
      if (at < s.size()) s[at] = "\x00\x01\x7f\x80\xff"[Pick(5)];
      break;
    case 2:  // a dictionary token inserted
      s.insert(at, token);
      break;
    case 3:  // a dictionary token written over the bytes there
      s.replace(at, std::min(token.size(), s.size() - at), token);
      break;
    case 4: {  // a splice: a piece of any seed inserted
      const std::string& other = source_.Seeds[Pick(source_.Seeds.size())];
      const std::size_t from = Pick(other.size() + 1);
      s.insert(at, other.substr(from, 1 + Pick(64)));
      break;
    }
    case 5:  // cut short
      s.resize(at);
      break;
    case 6:  // a piece taken out
      s.erase(at, 1 + Pick(32));
      break;
    default: {  // a piece repeated
      const std::string piece = s.substr(at, 1 + Pick(32));
      s.insert(at, piece);
      break;
    }
  }
}

void WriteFuzzInput(const std::string& diskPath, const std::string& bytes) {
  std::FILE* file = std::fopen(diskPath.c_str(), "wb");
  if (file == nullptr) throw std::runtime_error("cannot write " + diskPath);
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !ok) throw std::runtime_error("cannot write " + diskPath);
}

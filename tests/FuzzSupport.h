// Deterministic mutation fuzzing for the parser tests: damaged copies of the
// shipped files and of the fuzz corpora (fuzz/TARGET/seeds), made by seeded
// byte flips, cuts, splices and inserts of the tokens of the target's
// dictionary (fuzz/TARGET/TARGET.dict). The same seed gives the same inputs
// on every run, so a failure names an input that can be made again.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

// The inputs of one parser: seed files and dictionary tokens.
struct TFuzzSource {
  std::vector<std::string> Seeds;  // whole files: the corpus first, then the shipped files
  std::vector<std::string> Names;  // where each seed came from
  std::size_t CorpusSeeds = 0;
  std::vector<std::string> Tokens;
};

// The seeds of fuzz/TARGET/seeds and the shipped files under dat/ whose
// names end in `ending`, and the tokens of fuzz/TARGET/TARGET.dict.
TFuzzSource LoadFuzzSource(const std::string& target, const std::string& ending);

// How many inputs a parser test tries: 20,000, or the number in the
// environment variable QUILLMOOR_FUZZ_ITERATIONS.
int FuzzIterations();

// Makes the damaged inputs, one after another.
class TMutator {
 public:
  TMutator(const TFuzzSource& source, std::uint32_t seed);
  // The next input: a seed with one to six edits. One input in eight starts
  // from a shipped file, the others from the small files of the corpus, which
  // cost less to read and reach the same code.
  std::string Next();
  // The seed the last input was made from.
  const std::string& LastSeedName() const { return source_.Names[last_]; }

 private:
  std::size_t Pick(std::size_t n);
  void Edit(std::string& s);

  const TFuzzSource& source_;
  std::mt19937 rng_;
  std::size_t last_ = 0;
};

// Writes the input over the file at `diskPath` (a fast path for the loops).
void WriteFuzzInput(const std::string& diskPath, const std::string& bytes);

// Lab command "bench": plays a fixed set of silent battles, shown matches and
// growth searches and prints one checksum over everything they produced
// (result codes, log lines, cues, grown builds). The checksum changes exactly
// when the game's behaviour does; a test keeps the last one, so a change that
// is meant to alter behaviour updates it and says so.
#include <cstdint>
#include <cstdio>
#include <string>

#include "battle/Battle.h"
#include "data/BuildCorpus.h"
#include "data/Status.h"
#include "data/Tournament.h"
#include "growth/GrowthSearch.h"
#include "lab/Lab.h"
#include "lab/LabMatch.h"
#include "rules/Random.h"

namespace {

constexpr int SilentPairs = 1000;
constexpr int ShownPairs = 100;
constexpr int GrownPairs = 10;

// FNV-1a over everything folded in.
class TChecksum {
 public:
  void Add(std::string_view bytes) {
    for (unsigned char c : bytes) {
      hash_ ^= c;
      hash_ *= 1099511628211ull;
    }
    hash_ ^= 0xFF;  // keeps "ab"+"c" apart from "a"+"bc"
    hash_ *= 1099511628211ull;
  }
  void Add(long long n) { Add(std::to_string(n)); }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 14695981039346656037ull;
};

int RunBench(const TLabArgs& args) {
  if (!args.empty()) {
    std::fprintf(stderr, "usage: quillmoor-lab bench\n");
    return 2;
  }
  const TBuildCorpus corpus = MakeBuildCorpus(SilentPairs);
  TChecksum sum;
  // 1. Silent battles, as the growth search plays them.
  for (int i = 0; i < SilentPairs; ++i) sum.Add(SimulateBattle(corpus.A[i], corpus.B[i]));
  // 2. Shown matches at every stage, some skipped, as the player sees them.
  RandSeed(1);
  long long lines = 0;
  const std::string names[2] = {"先手の剣師", "後手の剣師"};
  for (int i = 0; i < ShownPairs; ++i) {
    const TSpec specs[2] = {corpus.A[i], corpus.B[i]};
    const long long skipAt = i % 7 == 0 ? 1 + i % 11 : -1;
    const int stage = FirstRoundStage + i % (FinalStage - FirstRoundStage + 1);
    const bool ended = PlayLabMatch(names, specs, stage, skipAt,
                                    [&](long long k, const char* cue, const TStringDynArray& l) {
                                      sum.Add(k);
                                      sum.Add(cue != nullptr ? cue : "-");
                                      for (const std::string& line : l) sum.Add(line);
                                      lines += static_cast<long long>(l.size());
                                    });
    if (!ended) {
      std::fprintf(stderr, "quillmoor-lab: shown match %d did not come to an end\n", i);
      return 3;
    }
  }
  // 3. Growth searches.
  RandSeed(2);
  for (int i = 0; i < GrownPairs; ++i) sum.Add(BuildText(GrowOne(corpus.A[i], corpus.B[i])));
  std::printf("silent battles: %d, shown matches: %d (%lld lines), grown builds: %d\n", SilentPairs,
              ShownPairs, lines, GrownPairs);
  std::printf("Bench: %016llx\n", static_cast<unsigned long long>(sum.Value()));
  return 0;
}

const TLabRegistration benchCommand(
    {"bench", "  one checksum over fixed battles, matches and growth searches", RunBench});

}  // namespace

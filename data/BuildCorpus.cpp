#include "data/BuildCorpus.h"

#include <string>

TSpec RandomValidBuild(std::mt19937& rng, int points, int kind) {
  TSpec spec;
  std::string swords;
  if (kind > 0) {
    swords += SwordByKind(kind).Mark.Str();
    --points;
  }
  for (; points > 0; --points) {
    const int pick = static_cast<int>(rng() % 5);
    if (pick < 4) {
      AddStatPoint(spec, pick);
    } else if (TBromString::CharCount(swords) < MaxSwords) {
      swords += SwordByKind(1 + static_cast<int>(rng() % SwordKindCount)).Mark.Str();
    } else {
      // A list holds at most 20 swords; a full one takes the point as HP.
      AddStatPoint(spec, 0);
    }
  }
  spec.Swords = swords;
  return spec;
}

TBuildCorpus MakeBuildCorpus(int pairs) {
  TBuildCorpus corpus;
  std::mt19937 rng(1234567);
  for (int i = 0; i < pairs; ++i) {
    const int kind = i < SwordKindCount ? i + 1 : 0;
    corpus.A.push_back(RandomValidBuild(rng, 10, kind));
    corpus.B.push_back(RandomValidBuild(rng, 10, kind > 0 ? SwordKindCount + 1 - kind : 0));
  }
  return corpus;
}

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

namespace {

std::string RandomMarks(std::mt19937& rng, int count) {
  std::string marks;
  for (int i = 0; i < count; ++i) {
    marks += SwordByKind(1 + static_cast<int>(rng() % SwordKindCount)).Mark.Str();
  }
  return marks;
}

// A 10-point build with these swords and this speed; the points left go to
// attack (at least one, so that its strikes can land), HP and defence.
TSpec BuildAround(std::mt19937& rng, const std::string& swords, int speed) {
  TSpec spec;
  spec.Swords = swords;
  spec.Speed = speed;
  int left = 10 - speed - TBromString::CharCount(swords);
  for (bool first = true; left > 0; --left, first = false) {
    const int pick = static_cast<int>(rng() % 4);
    AddStatPoint(spec, first || pick == 0 ? 1 : pick == 1 ? 2 : 0);
  }
  return spec;
}

}  // namespace

TBuildCorpus MakeListMoverCorpus(int pairs) {
  // 盗, 撹, 戟, and 豪 with the attack sword it serves.
  static const int movers[] = {8, 7, 6, 34};
  TBuildCorpus corpus;
  std::mt19937 rng(7654321);
  for (int i = 0; i < pairs; ++i) {
    const int kind = movers[(i / 2) % 4];
    std::string swords =
        RandomMarks(rng, static_cast<int>(rng() % 2)) + SwordByKind(kind).Mark.Str() +
        (kind == 34 ? SwordByKind(1 + static_cast<int>(rng() % 12)).Mark.Str() : std::string()) +
        RandomMarks(rng, static_cast<int>(rng() % 3));
    const int speed = 1 + static_cast<int>(rng() % 3);
    const TSpec mover = BuildAround(rng, swords, speed);
    // As fast, so that both act in the same steps, or faster; half of the
    // time with reserve points (儀), to act on after the mover's stroke.
    const int otherSpeed = speed + static_cast<int>(rng() % 2);
    const bool reserve = rng() % 2 == 0;
    const TSpec other =
        BuildAround(rng,
                    (reserve ? SwordByKind(29).Mark.Str() : std::string()) +
                        RandomMarks(rng, 2 + static_cast<int>(rng() % (8 - otherSpeed))),
                    otherSpeed);
    corpus.A.push_back(i % 2 == 0 ? mover : other);
    corpus.B.push_back(i % 2 == 0 ? other : mover);
  }
  return corpus;
}

// Helpers shared by the lab commands that take builds and seeds: a build
// given on the command line, the seed of a command's dice, and clocks.
#pragma once

#include <time.h>

#include <string>

#include "lab/Lab.h"
#include "rules/Random.h"
#include "rules/Sword.h"

// A build given on the command line (UTF-8), "HP/Attack/Defence/Speed/Swords".
// Any bonus total is accepted: grown builds cost more than the roster's 10
// points. False with the roster's message for it (and the build) on standard
// error when it is not a build or holds more than 20 swords.
bool ParseBuildArg(const std::string& utf8, TSpec& spec);

// Seeds the command's dice with `seed`, or from the clock as the game does
// when `seed` is negative (no --seed given).
void SeedDice(TRandom& dice, long long seed);

// Seconds on the given clock (CLOCK_MONOTONIC, CLOCK_PROCESS_CPUTIME_ID).
double Seconds(clockid_t clock);

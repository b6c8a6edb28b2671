// Helpers shared by the lab commands of growth and whole tournaments: the
// build notation, options, and the builds of a roster file.
#pragma once

#include <time.h>

#include <string>
#include <vector>

#include "lab/Lab.h"
#include "rules/Sword.h"

// "HP/Attack/Defence/Speed/Swords".
std::string BuildNotation(const TSpec& spec);

// A build given on the command line (UTF-8). Any bonus total is accepted:
// grown builds cost more than the roster's 10 points. False with a message
// when it is not a build or holds more than 20 swords.
bool ParseBuildArg(const std::string& utf8, TSpec& spec);

// Takes "--seed N" out of the arguments and seeds the generator with it;
// without it the generator is seeded from the clock, as the game does.
bool TakeSeed(TLabArgs& args);

// Takes "NAME VALUE" out of the arguments; false (with a message) when the
// option is there without a value.
bool TakeOption(TLabArgs& args, const char* name, std::string& value, bool& given);

// The entries of a roster file, read and checked as the game reads its
// roster, in file order. `path` is a disk path, its portraits looked up in
// its folder; empty means the game's own roster "dat\\swordia.txt". False
// with the roster's fault message when it cannot be loaded.
bool ReadRosterEntries(const std::string& path, std::vector<TSwordia>& entries);

// Seconds on the given clock (CLOCK_MONOTONIC, CLOCK_PROCESS_CPUTIME_ID).
double Seconds(clockid_t clock);

// Design unit: UnitRoster.
// The roster file: reading, validating and parsing "dat\\swordia.txt" into
// swordsman records, and the build notation "HP/Attack/Defence/Speed/Swords"
// shared by the roster and the lab.
//
// The roster lists 32 to 100 entries. Its first entry is the hero (only the
// name, portrait and flavour are used; the build is replaced at the game
// start, but it must still pass every check); the others are the rivals the
// draw picks from. An entry is, in this order:
//   "#Name" name         non-empty, at most 32 bytes
//   "#Spec" build        see ParseSpecText
//   "#Image" file        portrait under "dat\\", at most 300 x 300; empty
//                        means "noimage.bmp"
//   "#FlavorBegin"       nothing may follow it
//   flavour lines        0 to 200 lines of at most 70 bytes, none beginning
//                        with "#", taken exactly as written
//   "#FlavorEnd"         the whole line, nothing else
// Empty lines and "//" comment lines may stand before each keyword line (but
// not inside the flavour block, where they are flavour). A keyword must start
// the line; its value is the rest of the line, trimmed.
//
// Reading is all or nothing: the first fault is the whole answer (the game
// shows it in a message box and ends).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rules/ImageCheck.h"
#include "rules/Sword.h"

// Every build of the roster spends exactly this many bonus points.
constexpr int RosterBonusTotal = 10;
constexpr int RosterMinEntries = 32;
constexpr int RosterMaxEntries = 100;
constexpr int RosterNameBytes = 32;
constexpr int RosterFlavorLines = 200;
constexpr int RosterFlavorLineBytes = 70;
// The roster file is read up to this many lines.
constexpr int RosterLineCapacity = 10000;
// A portrait is at most this many pixels wide and high.
constexpr int PortraitSize = 300;

// "dat\\swordia.txt"
extern const char* const RosterFileName;

// Trims leading and trailing bytes up to 32 (spaces and control characters).
// A full-width space is not trimmed.
std::string TrimControl(std::string_view text);

// Parses a "#Spec" value: five parts split at "/", four signed decimal
// numbers, HP a multiple of 5, known sword marks (the list trimmed and cut to
// 40 bytes), and, when `checkTotal` is set, a bonus total of exactly 10.
// On a fault returns false and sets `fault` to the roster's message for it.
bool ParseSpecText(std::string_view value, TSpec& spec, std::string& fault, bool checkTotal = true);

// The bonus points a build costs: HP/5 + attack + defence + speed + swords.
std::int64_t BonusTotal(const TSpec& spec);

// Reads and validates the roster at `rosterPath`, looking portraits up in
// `imageFolder` (a program path ending in its separator, or empty for the
// working folder) through the platform's `images`. On success fills `entries` in file order and
// returns true; on the first fault returns false with `fault` set to the text the player is shown:
// the message, and for a fault found on a line, CR LF, the line's 1-based number, ": " and the line
// exactly as read; a line longer than 256 bytes is quoted by its first 256 bytes at most, cut
// between two characters, and "…".
bool ReadRoster(std::string_view rosterPath, std::string_view imageFolder,
                const TImageCheck& images, std::vector<TSwordia>& entries, std::string& fault);

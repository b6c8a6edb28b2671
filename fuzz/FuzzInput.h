// Design unit: FuzzInput (what every fuzz harness shares).
// A harness reads one input the way the game reads its files, by path: the
// path given as its argument (afl-fuzz's "@@"), or, without one, the bytes on
// standard input, copied to a temporary file that is removed at exit. It ends
// normally for every outcome the game handles (a success or a fault it
// reports) and aborts on anything else, so that the fuzzer counts it as a
// crash. The outcome is told on standard error.
#pragma once

#include <string>
#include <string_view>

// The program path of the input: the argument (a disk path, converted to the
// game's cp932 form), or a temporary copy of standard input.
std::string FuzzInputPath(int argc, char** argv);

// Ends the run at once, with status 0 and without running destructors; the
// copy of standard input is still removed.
[[noreturn]] void FuzzQuickExit();

// Prints the finding to standard error and aborts.
[[noreturn]] void FuzzFailure(std::string_view what);

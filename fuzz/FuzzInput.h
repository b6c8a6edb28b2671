// Design unit: FuzzInput (what every fuzz harness shares).
// A harness reads each input the way the game reads its files, by path: the
// path given as its argument (afl-fuzz's "@@"), or, without one, the bytes on
// standard input, copied to a temporary file that is removed at exit. Built
// with afl's compilers, one process checks up to FuzzRunsPerProcess inputs in
// turn (afl-fuzz rewrites the file between them): a fresh process per input
// costs far more than the parsing itself, above all under AddressSanitizer.
// Every outcome the game handles (a success or a fault it reports) returns
// normally from the check; anything else aborts, so that the fuzzer counts it
// as a crash, and so does an input whose check takes more than
// FuzzSlowMilliseconds of CPU time (QUILLMOOR_FUZZ_SLOW_MS sets another
// limit): a file small enough to pass every check must not cost the game
// seconds. The outcome is told on standard error.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// How many inputs one process checks under afl-fuzz before the fuzzer starts
// a fresh one, so that state one input leaves behind cannot pile up.
constexpr unsigned FuzzRunsPerProcess = 10000;

// Far above a normal input's cost, even under AddressSanitizer.
constexpr double FuzzSlowMilliseconds = 100;

// Calls `check` with the program path (cp932) of each input, then returns 0.
int FuzzEachInput(int argc, char** argv, const std::function<void(const std::string&)>& check);

// Ends the run at once, with status 0 and without running destructors; the
// copy of standard input is still removed.
[[noreturn]] void FuzzQuickExit();

// Prints the finding to standard error and aborts.
[[noreturn]] void FuzzFailure(std::string_view what);

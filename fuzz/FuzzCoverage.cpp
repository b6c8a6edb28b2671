// What the harnesses tell afl-fuzz of the paths an input takes. The harness
// units are compiled with GCC's -fsanitize-coverage=trace-pc, which calls the
// hook below at the start of every basic block; the hook counts the edge from
// the last block to this one in afl's shared map, the way afl's own
// instrumentation does.
//
// Why not afl-g++: its classic assembler instrumentation cannot run many
// inputs in one process, and a fresh process per input under
// AddressSanitizer gave under a hundred executions a second; afl's GCC plugin
// does not load with the GCC that compiles the game.
//
// The hook must not call itself: it is kept out of the coverage.
#include <cstddef>
#include <cstdint>

extern "C" {

// afl's runtime: the map afl-fuzz shares (a private one until it does).
extern std::uint8_t* __afl_area_ptr;
// Where the program's code starts, so that a block has the same number in
// every run of a position-independent program.
extern const char __executable_start;

void __sanitizer_cov_trace_pc();
}

namespace {

// The size of afl's default map.
constexpr std::uintptr_t MapSize = 1 << 16;

std::uintptr_t previousBlock = 0;

}  // namespace

[[gnu::no_sanitize_coverage, gnu::no_sanitize_address]] void __sanitizer_cov_trace_pc() {
  const auto address = reinterpret_cast<std::uintptr_t>(__builtin_return_address(0)) -
                       reinterpret_cast<std::uintptr_t>(&__executable_start);
  // Blocks are a few bytes apart; mixing in the higher bits spreads them
  // over the map.
  const std::uintptr_t block = (address ^ (address >> 16)) & (MapSize - 1);
  ++__afl_area_ptr[block ^ previousBlock];
  // Shifted, so that A to B and B to A count apart.
  previousBlock = block >> 1;
}

#!/usr/bin/env bash
# Builds one fuzz harness for afl-fuzz with AddressSanitizer and runs an
# afl-fuzz campaign on it, then prints its executions, paths, crashes (slow
# inputs among them) and hangs.
#   tools/fuzz.sh TARGET MINUTES [EXECUTIONS]
#     TARGET: roster story bmp jpeg wave. The campaign ends after MINUTES, or
#     earlier once it has run EXECUTIONS inputs.
# The seeds and the dictionary come from fuzz/TARGET/; the campaign's output
# goes to build-fuzz/campaigns/TARGET (a new campaign replaces the last one).
# The harness is compiled by GCC with -fsanitize-coverage=trace-pc and linked
# with afl's runtime (fuzz/FuzzCoverage.cpp says why not afl-g++), so that one
# process checks many inputs. Needs the afl++ package.
set -euo pipefail

target=${1:-}
minutes=${2:-}
executions=${3:-}
case "$target" in
  roster|story|bmp|jpeg|wave) ;;
  *) echo "usage: $0 roster|story|bmp|jpeg|wave MINUTES [EXECUTIONS]" >&2; exit 2 ;;
esac
if ! [[ "$minutes" =~ ^[0-9]+$ ]] || [ "$minutes" -lt 1 ]; then
  echo "usage: $0 $target MINUTES [EXECUTIONS] (a whole number of minutes)" >&2
  exit 2
fi
limit=()
if [ -n "$executions" ]; then
  if ! [[ "$executions" =~ ^[0-9]+$ ]] || [ "$executions" -lt 1 ]; then
    echo "usage: $0 $target $minutes [EXECUTIONS] (a whole number of executions)" >&2
    exit 2
  fi
  limit=(-E "$executions")
fi
if ! command -v afl-fuzz > /dev/null; then
  echo "afl-fuzz is missing: install the afl++ package" >&2
  exit 1
fi
runtime=${AFL_PATH:-$(dirname "$(readlink -f "$(command -v afl-fuzz)")")/../lib/afl}/afl-compiler-rt.o
if [ ! -f "$runtime" ]; then
  echo "afl's runtime $runtime is missing: install the afl++ package" >&2
  exit 1
fi

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$top/build-fuzz"

# 1. The harness, instrumented, with AddressSanitizer and assertions on.
# Several campaigns may build at once: one build at a time. A tree configured
# with other settings (another afl, other flags, or one made before the
# harnesses ran many inputs to a process) is configured afresh.
settings=(-G Ninja -DQUILLMOOR_FUZZ=ON
  -DQUILLMOOR_FUZZ_AFL_RUNTIME="$(readlink -f "$runtime")"
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
  -DCMAKE_CXX_FLAGS="-fsanitize=address -fno-omit-frame-pointer"
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address")
mkdir -p "$build"
(
  flock 9
  if [ ! -f "$build/build.ninja" ] || [ "$(cat "$build/settings" 2> /dev/null)" != "${settings[*]}" ]; then
    rm -f "$build/CMakeCache.txt" "$build/settings"
    CC=gcc CXX=g++ cmake -S "$top" -B "$build" "${settings[@]}" > "$build/cmake.log" 2>&1 ||
      { cat "$build/cmake.log" >&2; exit 1; }
    echo "${settings[*]}" > "$build/settings"
  fi
  nice -n 10 cmake --build "$build" --target "fuzz-$target" > "$build/build.log" ||
    { tail -n 30 "$build/build.log" >&2; exit 1; }
) 9> "$build/lock"
harness="$build/fuzz/fuzz-$target"
# A harness that runs one input per process would be a hundred times slower
# and its figures would not compare: it is refused.
if ! grep -q "##SIG_AFL_PERSISTENT##" "$harness"; then
  echo "$harness does not run in afl's persistent mode: not fuzzed" >&2
  exit 1
fi

# 2. A fresh campaign. AddressSanitizer reserves terabytes of address space,
# so afl-fuzz's memory limit is off. Slowness is a finding: the harness
# aborts on an input that takes over 100 ms of CPU time (fuzz/FuzzInput.h),
# which afl-fuzz saves as a crash; a run that takes over a second of wall
# time is run again with a second (AFL_HANG_TMOUT) and saved as a hang when
# it times out again.
out="$build/campaigns/$target"
rm -rf "$out"
mkdir -p "$out"
export ASAN_OPTIONS=abort_on_error=1:symbolize=0:detect_leaks=0:allocator_may_return_null=1
# afl-fuzz sets LeakSanitizer options of its own when none are given, among
# them a slow unwinding of every allocation, which AddressSanitizer reads too.
export LSAN_OPTIONS=detect_leaks=0:fast_unwind_on_malloc=1:symbolize=0
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy
export AFL_SKIP_CPUFREQ=1 AFL_NO_UI=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1
export AFL_NO_AFFINITY=1 AFL_HANG_TMOUT=1000
timeout --signal=INT --kill-after=60 "$((minutes * 60 + 30))" \
  nice -n "${QUILLMOOR_FUZZ_NICE:-10}" afl-fuzz -i "$top/fuzz/$target/seeds" -o "$out" -x "$top/fuzz/$target/$target.dict" \
  -m none -t 1000 -V "$((minutes * 60))" "${limit[@]}" -- "$harness" @@ \
  > "$out.log" 2>&1 || true

# 3. The figures.
stats="$out/default/fuzzer_stats"
if [ ! -f "$stats" ]; then
  echo "afl-fuzz did not run; its output:" >&2
  tail -n 30 "$out.log" >&2
  exit 1
fi
value() { sed -n "s/^$1 *: *//p" "$stats"; }
echo "target:     $target"
echo "run time:   $(value run_time) s"
echo "executions: $(value execs_done) ($(value execs_per_sec) a second)"
echo "paths:      $(value corpus_count) ($(value corpus_found) found)"
echo "stability:  $(value stability)"
echo "crashes:    $(value saved_crashes)"
# Each saved hang once more, alone: one that still takes ten seconds, or
# that the harness itself finds slow, counts.
confirmed=0
for hang in "$out"/default/hangs/id:*; do
  [ -f "$hang" ] || continue
  status=0
  timeout 10 "$harness" "$hang" > /dev/null 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then confirmed=$((confirmed + 1)); fi
done
echo "hangs:      $(value saved_hangs) saved, $confirmed confirmed alone"
if [ "$(value saved_crashes)" != "0" ] || [ "$confirmed" != "0" ]; then
  echo "findings:   $out/default/crashes $out/default/hangs"
  exit 1
fi

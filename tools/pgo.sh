#!/usr/bin/env bash
# Builds the game, the lab and the benchmarks with profile-guided
# optimisation in build-pgo: an instrumented build, a training run of what
# the game does most (silent battles and growth, a whole autoplayed game),
# and the build with those counts. Takes two whole builds; run
# `tools/setup.sh test` once first. docs/performance.md says what it gives.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"
targets=(quillmoor quillmoor-lab quillmoor-bench quillmoor-logic-bench)

# 1. Instrumented, without counts left from an earlier training.
cmake -S . -B build-pgo -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLMOOR_PGO=GENERATE
find build-pgo -name '*.gcda' -delete
cmake --build build-pgo --target "${targets[@]}"

# 2. Training, from the source folder (where dat/ is), headless.
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
build-pgo/quillmoor-logic-bench --benchmark_filter='SimulateBattle|Growth|GrowOne' --benchmark_min_time=0.2
for seed in 1 2 3; do build-pgo/quillmoor-lab play --seed "$seed" --auto > /dev/null; done

# 3. Built again with the counts.
cmake -S . -B build-pgo -DQUILLMOOR_PGO=USE
cmake --build build-pgo --target "${targets[@]}"
echo "build-pgo holds the optimised quillmoor, quillmoor-lab and the benchmarks"

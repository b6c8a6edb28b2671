#!/usr/bin/env bash
# Plants small faults in a scratch copy of the source, one at a time, builds
# the copy, runs the tests named for each fault and prints which faults the
# tests caught. A fault the tests miss is a rule nothing guards: write the test
# that would have failed. The faults are kept as data in
# tools/planted-faults.txt (its head says how to write one).
#
#   tools/planted-faults.sh                  # every fault of the list
#   tools/planted-faults.sh --only reversal  # the faults whose name holds the text
#   tools/planted-faults.sh --list my.txt    # another list
#
# The copy and its build live in build-faults/ (or QUILLMOOR_FAULTS_DIR) and
# are kept for the next run, so only the first run builds everything; the
# source is copied from the working tree as it is now, committed or not. Each
# run first checks that the tests of every fault pass on the copy without any
# fault, so that a failure later means the fault was caught. The exit status is
# 0 when every fault was caught, 1 when one was missed or could not be planted,
# 2 for bad usage or a copy that does not build or pass as it is. A tool for
# people: CI does not run it.
set -uo pipefail
export LC_ALL=C

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
list=$top/tools/planted-faults.txt
work=${QUILLMOOR_FAULTS_DIR:-$top/build-faults}
only=""

usage() {
  sed -n '2,/^set -uo/p' "${BASH_SOURCE[0]}" | sed '$d; s/^# \{0,1\}//'
  exit "${1:-2}"
}
while [ $# -gt 0 ]; do
  case $1 in
    --list) [ $# -ge 2 ] || usage; list=$(cd "$(dirname "$2")" && pwd)/$(basename "$2"); shift 2 ;;
    --only) [ $# -ge 2 ] || usage; only=$2; shift 2 ;;
    -h | --help) usage 0 ;;
    *) echo "planted-faults: unknown argument '$1'" >&2; usage ;;
  esac
done
[ -f "$list" ] || { echo "planted-faults: no list $list" >&2; exit 2; }

# 1. The list: records of "key: value" lines, one blank line between records.
names=() files=() finds=() all_files=() replaces=() tests=() breaks=()
add_record() {
  if [ -n "$name" ]; then
    if [ -z "$file" ] || [ -z "$find" ] || [ -z "$test" ]; then
      echo "planted-faults: '$name' needs file, find and tests" >&2
      exit 2
    fi
    if [ -z "$only" ] || [[ $name == *"$only"* ]]; then
      names+=("$name") files+=("$file") finds+=("$find") replaces+=("$replace")
      tests+=("$test") breaks+=("$break")
    fi
  fi
  name="" file="" find="" replace="" test="" break=""
}
name="" file="" find="" replace="" test="" break=""
while IFS= read -r line || [ -n "$line" ]; do
  case $line in
    '#'*) ;;
    '') add_record ;;
    'fault: '*) name=${line#fault: } ;;
    'file: '*) file=${line#file: }; all_files+=("$file") ;;
    'find: '*) find=${line#find: } ;;
    'replace:'*) replace=${line#replace:}; replace=${replace# } ;;
    'tests: '*) test=${line#tests: } ;;
    'breaks: '*) break=${line#breaks: } ;;
    *) echo "planted-faults: cannot read the line: $line" >&2; exit 2 ;;
  esac
done < "$list"
add_record
[ ${#names[@]} -gt 0 ] || { echo "planted-faults: no fault to plant" >&2; exit 2; }

# 2. The scratch copy: every file git knows or would add, as it is now. Files
# keep their times, so the build redoes only what changed since the last run.
src=$work/src bld=$work/build logs=$work/logs
rm -rf "$src" "$logs"
mkdir -p "$src" "$logs"
(cd "$top" && git ls-files -z -co --exclude-standard |
  tar --null --ignore-failed-read -T - -cf - 2> /dev/null) | tar -xf - -C "$src"
# A file a fault was planted in was built from the fault last time, maybe
# later than its own time: these are built again (from the compiler cache).
for f in "${all_files[@]}"; do [ -f "$src/$f" ] && touch "$src/$f"; done

build() {
  cmake --build "$bld" --target quillmoor-tests quillmoor-logic-tests > "$1" 2>&1
}
# Runs the tests whose names match the pattern; fails when one fails or none
# matches.
run_tests() {
  (cd "$bld" && SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    ctest --no-tests=error --timeout 600 -j2 -R "$1") > "$2" 2>&1
}

# 3. The copy as it is must build and pass every test the list names.
if [ ! -f "$bld/build.ninja" ]; then
  launcher=()
  if command -v ccache > /dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  fi
  if ! cmake -S "$src" -B "$bld" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
    > "$logs/configure.log" 2>&1; then
    echo "planted-faults: the copy does not configure (see $logs/configure.log)" >&2
    exit 2
  fi
fi
echo "building the copy in $bld ..."
if ! build "$logs/build.log"; then
  echo "planted-faults: the copy does not build as it is (see $logs/build.log)" >&2
  exit 2
fi
# One pattern for them all; ctest's patterns take at most nine groups, so the
# anchored ones, ^(A|B), share a single group.
anchored=() others=()
for t in "${tests[@]}"; do
  if [[ $t =~ ^\^\(([^()]*)\)$ ]]; then
    IFS='|' read -ra alternatives <<< "${BASH_REMATCH[1]}"
    anchored+=("${alternatives[@]}")
  else
    others+=("$t")
  fi
done
all=$( (
  [ ${#anchored[@]} -eq 0 ] || echo "^($(printf '%s\n' "${anchored[@]}" | sort -u | paste -sd'|'))"
  [ ${#others[@]} -eq 0 ] || printf '%s\n' "${others[@]}" | sort -u
) | paste -sd'|')
echo "running the tests of every fault without a fault ..."
if ! run_tests "$all" "$logs/clean.log"; then
  echo "planted-faults: the tests fail without a fault (see $logs/clean.log)" >&2
  exit 2
fi

# 4. Each fault in turn: planted, built, tested, taken out again.
caught=0 missed=0
printf '\n%-3s  %-12s  %s\n' "#" "verdict" "fault (file)"
for i in "${!names[@]}"; do
  n=$((i + 1))
  path=$src/${files[i]}
  verdict=""
  if [ ! -f "$path" ]; then
    verdict="no file"
  else
    original=$(cat "$path"; printf x)
    original=${original%x}
    rest=${original#*"${finds[i]}"}
    if [ "$rest" = "$original" ]; then
      verdict="not found"
    elif [ "${rest#*"${finds[i]}"}" != "$rest" ]; then
      verdict="ambiguous"
    fi
  fi
  if [ -z "$verdict" ]; then
    trap 'printf "%s" "$original" > "$path"; exit 2' INT TERM
    printf '%s' "${original/"${finds[i]}"/"${replaces[i]}"}" > "$path"
    if ! build "$logs/fault-$n-build.log"; then
      verdict="no build"
    elif run_tests "${tests[i]}" "$logs/fault-$n-tests.log"; then
      verdict="MISSED"
    else
      verdict="caught"
    fi
    # Written anew, so the next build compiles it again.
    printf '%s' "$original" > "$path"
    trap - INT TERM
  fi
  if [ "$verdict" = caught ]; then
    caught=$((caught + 1))
  else
    missed=$((missed + 1))
  fi
  printf '%-3s  %-12s  %s (%s)\n' "$n" "$verdict" "${names[i]}" "${files[i]}"
  if [ "$verdict" = caught ]; then
    # The tests that failed, as ctest lists them at its end.
    by=$(sed -n '/tests FAILED:/,$ s/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' \
      "$logs/fault-$n-tests.log" | head -3 | paste -sd' ')
    printf '%-3s  %-12s  by: %s\n' "" "" "$by"
  elif [ -n "${breaks[i]}" ]; then
    printf '%-3s  %-12s  breaks: %s\n' "" "" "${breaks[i]}"
  fi
done
echo
echo "$caught of ${#names[@]} faults caught; logs in $logs"
[ "$missed" -eq 0 ]

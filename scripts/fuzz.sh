#!/usr/bin/env bash
# Builds every libFuzzer target with clang (AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs each one for SECONDS (default 60) over a copy of its seed corpus fuzz/corpus/<name>/ (the
# binary's name without "fuzz_"). Every target the fuzz build produces is run, so a new target
# needs only its entry in fuzz/CMakeLists.txt and a seed folder. FUZZ_JOBS targets run at once
# (default: one per processor); each still gets its SECONDS.
#   scripts/fuzz.sh [--build-only | --no-build] [SECONDS]
# A crash, a leak, undefined behaviour or an input that takes longer than 10 s fails the run; the
# input is kept in build-fuzz/findings/<name>/ for a regression case.
set -euo pipefail
cd "$(dirname "$0")/.."
build=1
run=1
case "${1:-}" in
  --build-only) run=0; shift ;;
  --no-build) build=0; shift ;;
esac
seconds=${1:-60}
parallel=${FUZZ_JOBS:-$(nproc)}

if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is missing (scripts/setup.sh installs it)" >&2
  exit 1
fi

if [ $build -eq 1 ]; then
  # Line tables only (-g1): findings name file and line, at a fraction of full debug information.
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" \
    -DCMAKE_CXX_COMPILER=clang++ -DTALVERO_FUZZ=ON -DTALVERO_GUI=OFF -DTALVERO_BENCH=OFF \
    ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
fi
mapfile -t targets < <(grep -v '^$' build-fuzz/fuzz_targets.txt)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz.sh: the fuzz build has no targets" >&2
  exit 1
fi
if [ $build -eq 1 ]; then
  cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"
fi
if [ $run -eq 0 ]; then
  exit 0
fi

# UBSan reports without stopping unless told to; every report must count as a finding.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export ASAN_OPTIONS="detect_leaks=1"

# One target over its corpus; its output goes to build-fuzz/<name>.log.
fuzz_one() {
  local t=$1 name=${1#fuzz_}
  local work=build-fuzz/corpus/$name findings=build-fuzz/findings/$name
  mkdir -p "$work" "$findings"
  if [ -d "fuzz/corpus/$name" ]; then
    cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
  fi
  build-fuzz/bin/"$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="$findings/" "$work" >"build-fuzz/$name.log" 2>&1
}

# Reports one finished target; false when it found a fault.
report() {
  local t=$1 rc=$2 name=${1#fuzz_}
  echo "== $t for ${seconds}s"
  if [ "$rc" -ne 0 ]; then
    echo "fuzz.sh: $t found a fault; see build-fuzz/$name.log and build-fuzz/findings/$name/" >&2
    tail -n 40 "build-fuzz/$name.log" >&2
    return 1
  fi
  grep -E '^stat::number_of_executed_units|^Done' "build-fuzz/$name.log" || true
}

status=0
declare -A running=()  # pid -> target
for t in "${targets[@]}"; do
  while [ ${#running[@]} -ge "$parallel" ]; do
    wait_rc=0
    wait -n -p done_pid "${!running[@]}" || wait_rc=$?
    report "${running[$done_pid]}" "$wait_rc" || status=1
    unset "running[$done_pid]"
  done
  fuzz_one "$t" &
  running[$!]=$t
done
while [ ${#running[@]} -gt 0 ]; do
  wait_rc=0
  wait -n -p done_pid "${!running[@]}" || wait_rc=$?
  report "${running[$done_pid]}" "$wait_rc" || status=1
  unset "running[$done_pid]"
done
exit $status

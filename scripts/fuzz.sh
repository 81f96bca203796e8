#!/usr/bin/env bash
# Builds every libFuzzer target with clang (AddressSanitizer and UndefinedBehaviorSanitizer) and
# runs each one for SECONDS (default 60) over a copy of its seed corpus fuzz/corpus/<name>/ (the
# binary's name without "fuzz_"). Every target the fuzz build produces is run, so a new target
# needs only its entry in fuzz/CMakeLists.txt and a seed folder.
#   scripts/fuzz.sh [SECONDS]
# A crash, a leak, undefined behaviour or an input that takes longer than 10 s fails the run; the
# input is kept in build-fuzz/findings/<name>/ for a regression case.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

if ! command -v clang++ >/dev/null; then
  echo "fuzz.sh: clang++ is missing (scripts/setup.sh installs it)" >&2
  exit 1
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DTALVERO_FUZZ=ON -DTALVERO_GUI=OFF -DTALVERO_BENCH=OFF \
  ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
mapfile -t targets < <(grep -v '^$' build-fuzz/fuzz_targets.txt)
if [ ${#targets[@]} -eq 0 ]; then
  echo "fuzz.sh: the fuzz build has no targets" >&2
  exit 1
fi
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

# UBSan reports without stopping unless told to; every report must count as a finding.
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
export ASAN_OPTIONS="detect_leaks=1"

status=0
for t in "${targets[@]}"; do
  name=${t#fuzz_}
  work=build-fuzz/corpus/$name
  findings=build-fuzz/findings/$name
  mkdir -p "$work" "$findings"
  if [ -d "fuzz/corpus/$name" ]; then
    cp -n fuzz/corpus/"$name"/* "$work"/ 2>/dev/null || true
  fi
  echo "== $t for ${seconds}s"
  if ! build-fuzz/bin/"$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -print_final_stats=1 -artifact_prefix="$findings/" "$work" >"build-fuzz/$name.log" 2>&1; then
    echo "fuzz.sh: $t found a fault; see build-fuzz/$name.log and $findings/" >&2
    tail -n 40 "build-fuzz/$name.log" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units|^Done' "build-fuzz/$name.log" || true
  fi
done
exit $status

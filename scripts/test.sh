#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#   1. one clang-format style over the tree, and the core folders free of Qt;
#   2. the plain build with warnings as errors, every test (GUI tests headless);
#   3. the core and GUI tests under AddressSanitizer and UndefinedBehaviorSanitizer;
#   4. the link tests and the GUI radio test under ThreadSanitizer;
#   5. a short run of every fuzz target (scripts/fuzz.sh, FUZZ_SECONDS each, 20 by default);
#   6. the Debian package: built by CPack, unpacked into a scratch root and checked there.
# Each stage is timed; the table of stages and seconds is printed at the end, also when a stage
# fails. A new stage is a function and one line below: `must` stops the run when it fails, `check`
# records the failure and goes on.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1
# Qt's own libraries are not built with TSan: the suppressions name only them (see the file).
tsan_options="halt_on_error=1 suppressions=$PWD/scripts/tsan-qt.supp"

# --- stage bookkeeping ---------------------------------------------------------------------------
stage_names=()
stage_seconds=()
stage_results=()
status=0
run_start=$SECONDS

print_stage_table() {
  local i
  echo
  printf '%-44s %8s  %s\n' "stage" "seconds" "result"
  for i in "${!stage_names[@]}"; do
    printf '%-44s %8d  %s\n' "${stage_names[$i]}" "${stage_seconds[$i]}" "${stage_results[$i]}"
  done
  printf '%-44s %8d\n' "total" $((SECONDS - run_start))
}
trap print_stage_table EXIT

# Runs one stage (a function or command) with errexit on, times it and records its outcome in
# stage_rc. The body runs in a subshell, so a failing command ends the stage, not the script.
stage() {
  local name=$1
  shift
  echo "== $name"
  local start=$SECONDS
  set +e
  (set -e; "$@")
  stage_rc=$?
  set -e
  stage_names+=("$name")
  stage_seconds+=($((SECONDS - start)))
  if [ "$stage_rc" -eq 0 ]; then
    stage_results+=("ok")
  else
    stage_results+=("FAILED")
  fi
}
# A stage the later ones need: its failure ends the run.
must() {
  stage "$@"
  if [ "$stage_rc" -ne 0 ]; then
    exit "$stage_rc"
  fi
}
# A stage of checks: its failure fails the run, the other stages still run.
check() {
  stage "$@"
  if [ "$stage_rc" -ne 0 ]; then
    status=1
  fi
}

# --- stages --------------------------------------------------------------------------------------
setup_packages() {
  ./scripts/setup.sh
}

check_format() {
  local sources
  mapfile -t sources < <(git ls-files '*.cpp' '*.h' 2>/dev/null || true)
  if [ ${#sources[@]} -gt 0 ]; then
    clang-format --dry-run --Werror "${sources[@]}"
  fi
}

# The core (everything under src/ outside src/gui/) never includes a Qt header.
check_core_free_of_qt() {
  if grep -rnE '#include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/)' src --include='*.h' --include='*.cpp' \
    | grep -v '^src/gui/'; then
    echo "test.sh: a core folder includes a Qt header (above)" >&2
    return 1
  fi
}

# Four trees build the program (plain, two sanitizers, fuzzing); each builds only what its tests
# use. ccache keeps repeated runs short; TALVERO_PCH precompiles the Qt headers of the windows.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache  # for scripts/fuzz.sh
  # Paths inside the checkout count relative to it, so two checkouts share their cached objects;
  # the precompiled header's own time stamps do not change what an object holds.
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:+$CCACHE_SLOPPINESS,}pch_defines,time_macros,include_file_mtime,include_file_ctime"
fi

build_plain() {
  cmake -S . -B build -G Ninja -DTALVERO_WERROR=ON -DTALVERO_PCH=ON "${launcher[@]}" >/dev/null
  cmake --build build -j "$jobs"
}

# The sanitizer and fuzz trees carry line tables only (-g1): their reports name file and line,
# and the compiler spends far less time than on full debug information.
build_asan() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    -DTALVERO_WERROR=ON -DTALVERO_GUI=ON \
    -DTALVERO_BENCH=OFF -DTALVERO_PCH=ON -DTALVERO_SANITIZE="address;undefined" "${launcher[@]}" >/dev/null
  cmake --build build-asan -j "$jobs" --target talvero_tests_core talvero_tests_gui
}

build_tsan() {
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG" -DTALVERO_WERROR=ON -DTALVERO_GUI=ON \
    -DTALVERO_BENCH=OFF -DTALVERO_PCH=ON -DTALVERO_SANITIZE=thread "${launcher[@]}" >/dev/null
  cmake --build build-tsan -j "$jobs" --target talvero_tests_link gui_radio_test
}

build_fuzz() {
  ./scripts/fuzz.sh --build-only
}

test_asan() {
  cd build-asan
  ctest -L 'core|gui' -j "$jobs"
}

test_tsan() {
  cd build-tsan
  local failed=0
  if ctest -N -L link | grep -q 'Total Tests: [1-9]'; then
    TSAN_OPTIONS="$tsan_options" ctest -L link -j "$jobs" || failed=1
  fi
  TSAN_OPTIONS="$tsan_options" ctest -R '^gui_radio_test$' || failed=1
  return $failed
}

run_fuzz() {
  ./scripts/fuzz.sh --no-build "${FUZZ_SECONDS:-20}"
}

test_plain() {
  cd build
  ctest -j "$jobs"
}

# The package of the plain build, unpacked (dpkg -x, nothing installed): files where the programs
# look, manual pages, desktop entry and metainfo valid, lintian clean.
check_package() {
  rm -f build/talvero_*.deb
  if ! (cd build && cpack -G DEB >/dev/null); then
    echo "test.sh: cpack failed" >&2
    return 1
  fi
  packaging/check_package.sh build/talvero_*.deb
}

# --- the run -------------------------------------------------------------------------------------
must "packages" setup_packages
must "format" check_format
must "core folders free of Qt" check_core_free_of_qt
must "plain build" build_plain
must "ASan/UBSan build of the core and the windows" build_asan
must "TSan build of the link and the GUI radio test" build_tsan
check "fuzz build" build_fuzz
fuzz_built=$stage_rc
check "core and GUI tests under ASan/UBSan" test_asan
check "link tests and the GUI radio test under TSan" test_tsan
if [ "$fuzz_built" -eq 0 ]; then
  check "fuzz targets, ${FUZZ_SECONDS:-20} s each" run_fuzz
fi
check "every test" test_plain
check "Debian package" check_package
exit $status

#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test:
#   1. the plain build with warnings as errors, every test (GUI tests headless);
#   2. the core and GUI tests under AddressSanitizer and UndefinedBehaviorSanitizer;
#   3. the link tests and the GUI radio test under ThreadSanitizer;
#   4. a short run of every fuzz target (scripts/fuzz.sh, FUZZ_SECONDS each, 20 by default);
#   5. one clang-format style over the tree;
#   6. the Debian package: built by CPack, unpacked into a scratch root and checked there.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

echo "== format"
mapfile -t sources < <(git ls-files '*.cpp' '*.h' 2>/dev/null || true)
if [ ${#sources[@]} -gt 0 ]; then
  clang-format --dry-run --Werror "${sources[@]}"
fi

echo "== core folders free of Qt"
# The core (everything under src/ outside src/gui/) never includes a Qt header.
if grep -rnE '#include\s*[<"](Q[A-Za-z]+|Qt[A-Za-z]*/)' src --include='*.h' --include='*.cpp' \
  | grep -v '^src/gui/'; then
  echo "test.sh: a core folder includes a Qt header (above)" >&2
  exit 1
fi

# Four trees build the program (plain, two sanitizers, fuzzing); ccache keeps repeated runs short.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CMAKE_CXX_COMPILER_LAUNCHER=ccache  # for scripts/fuzz.sh
  # Paths inside the checkout count relative to it, so two checkouts share their cached objects.
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi

echo "== plain build"
cmake -S . -B build -G Ninja -DTALVERO_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build -j "$jobs"


echo "== ASan/UBSan build of the core and the windows"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALVERO_WERROR=ON -DTALVERO_GUI=ON \
  -DTALVERO_BENCH=OFF -DTALVERO_SANITIZE="address;undefined" "${launcher[@]}" >/dev/null
cmake --build build-asan -j "$jobs" --target talvero_tests_core talvero_tests_gui

echo "== TSan build of the link and the GUI radio test"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALVERO_WERROR=ON -DTALVERO_GUI=ON \
  -DTALVERO_BENCH=OFF -DTALVERO_SANITIZE=thread "${launcher[@]}" >/dev/null
cmake --build build-tsan -j "$jobs" --target talvero_tests_link gui_radio_test

status=0
echo "== core and GUI tests under ASan/UBSan"
(cd build-asan && ctest -L 'core|gui' -j "$jobs") || status=1
echo "== link tests and the GUI radio test under TSan"
# Qt's own libraries are not built with TSan: the suppressions name only them (see the file).
tsan_options="halt_on_error=1 suppressions=$PWD/scripts/tsan-qt.supp"
if (cd build-tsan && ctest -N -L link | grep -q 'Total Tests: [1-9]'); then
  (cd build-tsan && TSAN_OPTIONS="$tsan_options" ctest -L link -j "$jobs") || status=1
fi
(cd build-tsan && TSAN_OPTIONS="$tsan_options" ctest -R '^gui_radio_test$') || status=1

echo "== fuzz targets, ${FUZZ_SECONDS:-20} s each"
./scripts/fuzz.sh "${FUZZ_SECONDS:-20}" || status=1
echo "== every test"
(cd build && ctest -j "$jobs") || status=1

echo "== Debian package"
# The package of the plain build, unpacked (dpkg -x, nothing installed): files where the programs
# look, manual pages, desktop entry and metainfo valid, lintian clean.
rm -f build/talvero_*.deb
if (cd build && cpack -G DEB >/dev/null); then
  packaging/check_package.sh build/talvero_*.deb || status=1
else
  echo "test.sh: cpack failed" >&2
  status=1
fi
exit $status

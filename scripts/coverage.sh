#!/usr/bin/env bash
# Branch coverage of the platform-free core by the native tests: builds them
# with gcov counters in build/coverage (no optimisation, no sanitizers), runs
# every native test, and prints the share of branches taken per source file
# (Debian's gcovr). Branches that only an exception's unwinding takes, and
# those the compiler proves never taken, are left out of the count.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
build=build/coverage

command -v gcovr >/dev/null || bash scripts/setup-deps.sh >/dev/null
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLAKATO_SANITIZE=OFF \
  -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage >/dev/null
cmake --build "$build" -j2 --target plakato_core_tests jpeg_encode_tool >/dev/null
find "$build" -name '*.gcda' -delete
ctest --test-dir "$build" -j2 --output-on-failure >/dev/null
# Every source file under src/ without _win in its name; the generated artwork is data.
gcovr --root . --object-directory "$build" --exclude-directories '.*CompilerId.*' --filter 'src/' --exclude '.*_win\.(cpp|h)$' \
  --exclude-throw-branches --exclude-unreachable-branches --branches --sort-percentage "$@"

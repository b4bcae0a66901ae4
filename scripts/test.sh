#!/usr/bin/env bash
# Builds Vantorel with warnings as errors and runs every test, checks the example document's
# outputs with the compilers and parsers that consume them, then builds and runs the tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer. With VANTOREL_FUZZ_REPLAY=1 it also
# builds the libFuzzer targets with clang and replays their seed corpora.
# Installs what it needs first (scripts/setup.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)
export CTEST_PARALLEL_LEVEL=$jobs
export CTEST_OUTPUT_ON_FAILURE=1

step() { printf '\n== %s (%s)\n' "$*" "$(date +%T)"; }

step "Build (warnings are errors)"
cmake -S . -B build/main -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG" \
  -DVANTOREL_WERROR=ON >/dev/null
cmake --build build/main -j "$jobs"
step "Tests"
ctest --test-dir build/main

step "Ecosystem checks: the example's and the awkward names' outputs in the tools that consume them"
# A scratch copy of the example, so that the checks never see stale outputs.
example=$(mktemp -d)
cp -r examples/. "$example/"
rm -rf "$example/build"
build/main/cli/vantorel build "$example/Showcase.vantorel"
bash tests/ecosystem/run.sh "$example/build"
rm -rf "$example"
# Names and texts that the generated code must quote or escape, in every output kind.
awkward=$(mktemp -d)
cp tests/ecosystem/AwkwardNames.vantorel "$awkward/"
build/main/cli/vantorel build "$awkward/AwkwardNames.vantorel"
bash tests/ecosystem/run.sh "$awkward/build"
rm -rf "$awkward"

step "Import checks: files that other projects publish"
bash tests/import-samples/run.sh build/main/cli/vantorel

step "Build under ASan+UBSan"
# Warnings are errors in the plain build above; GCC's flow warnings are unreliable under the
# sanitizers' instrumentation, so here they are reported but do not stop the run.
# Unoptimised: it builds a quarter faster than at -O1, and the suites still run in seconds.
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1" \
  -DVANTOREL_WERROR=OFF -DVANTOREL_SANITIZE=ON -DVANTOREL_BENCH=OFF >/dev/null
cmake --build build/asan -j "$jobs"
step "Tests under ASan+UBSan"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/asan

if [ "${VANTOREL_FUZZ_REPLAY:-0}" != "1" ]; then
  step "All tests passed (fuzz corpora not replayed; set VANTOREL_FUZZ_REPLAY=1)"
  exit 0
fi

step "Fuzz targets (clang, corpus replay)"
CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVANTOREL_FUZZ=ON -DVANTOREL_TESTS=OFF -DVANTOREL_BENCH=OFF >/dev/null
cmake --build build/fuzz -j "$jobs"
for corpus in fuzz/*/corpus/*/; do
  target=$(basename "$corpus")
  binary=$(find build/fuzz/fuzz -type f -name "$target" -perm -u+x | head -n 1)
  if [ -z "$binary" ]; then
    echo "no fuzz target built for corpus $corpus" >&2
    exit 1
  fi
  echo "-- $target"
  scratch=$(mktemp -d)  # new inputs go here, never into the checked-in corpus
  if ! "$binary" -runs=2000 -max_total_time=15 "$scratch" "$corpus" >"$scratch.log" 2>&1; then
    cat "$scratch.log"
    exit 1
  fi
  tail -n 1 "$scratch.log"
  rm -rf "$scratch" "$scratch.log"
done

step "All tests passed"

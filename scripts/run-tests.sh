#!/usr/bin/env bash
# Builds everything from a clean tree and runs every test, headless: once in
# a g++ build with link-time optimisation and the one-definition checks (a
# name defined differently in two places fails the link), once in a clang
# build with AddressSanitizer and UndefinedBehaviorSanitizer that also holds
# the fuzz targets, and then a short run of every fuzz target from its seeds.
# The benchmarks run once, briefly, after the g++ build's tests. First of all,
# every C++ file must read as the root .clang-format lays it out.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh" clang-format
find "$root/src" "$root/tests" "$root/tools" "$root/bench" "$root/fuzz" \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror
"$root/scripts/app-deps.sh"
"$root/scripts/deps.sh" --no-install-recommends clang libclang-rt-14-dev
# An X server of the tests' own: the program's end when its display goes.
"$root/scripts/deps.sh" xvfb
export QT_QPA_PLATFORM=offscreen
jobs="$(nproc)"

build="$root/build-test"
rm -rf "$build"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEL_WERROR=ON \
  -DCMAKE_CXX_COMPILER=g++ -DZEL_LTO=ON
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j "$jobs"
# Each benchmark once, briefly: its figures are printed, not judged.
"$build/bench/bench_link" 0.2
"$build/bench/bench_points" 1
"$build/bench/bench_files" 20

san="$root/build-test-san"
rm -rf "$san"
cmake -S "$root" -B "$san" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEL_WERROR=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DZEL_SANITIZE=ON -DZEL_FUZZ=ON
cmake --build "$san"
# Leaks that only third-party libraries keep are listed in fuzz/lsan.supp.
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$san" --output-on-failure -j "$jobs" -LE fuzz
ctest --test-dir "$san" --output-on-failure -j "$jobs" -L fuzz

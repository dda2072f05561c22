#!/usr/bin/env bash
# Builds the core, the command-line tool and their tests with ASan and UBSan, and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUINDEL_WERROR=ON -DQUINDEL_SANITIZE=ON \
  -DQUINDEL_GUI=OFF -DQUINDEL_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"

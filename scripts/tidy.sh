#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy) over the core and quindel-cli; any finding fails.
set -euo pipefail
cd "$(dirname "$0")/.."
# Only the compilation database is needed: configuring builds nothing.
CXX=clang++ cmake -S . -B build-tidy -DQUINDEL_GUI=OFF -DQUINDEL_BENCH=OFF -DBUILD_TESTING=OFF \
  >/dev/null
run-clang-tidy -p build-tidy -j"$(nproc)" -quiet '/(analysis|cli)/[^/]*\.cpp$'
echo "clang-tidy: clean"

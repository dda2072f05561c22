#!/usr/bin/env bash
# Builds the libFuzzer target with clang (ASan + UBSan) and runs it for SECONDS (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINDEL_WERROR=ON \
  -DQUINDEL_FUZZ=ON -DQUINDEL_GUI=OFF -DQUINDEL_BENCH=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz --target fuzz_analizador -j"$(nproc)"
work="$(mktemp -d)"
cp fuzz/corpus/* examples/*.ll1 "$work"/ 2>/dev/null || true
build-fuzz/fuzz/fuzz_analizador -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=4096 \
  -print_final_stats=1 "$work"
rm -rf "$work"

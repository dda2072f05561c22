#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and fuzzes them for SECONDS in all
# (default 60), a quarter each: the analysis, the table page and trace file, the reports, and
# the proposed grammar. They share one corpus, seeded with the examples and the test grammars,
# and the dictionary of the grammar language.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUINDEL_WERROR=ON \
  -DQUINDEL_FUZZ=ON -DQUINDEL_GUI=OFF -DQUINDEL_BENCH=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build build-fuzz --target fuzz_analisis fuzz_tabla fuzz_informes fuzz_propuesta \
  -j"$(nproc)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp examples/*.ll1 tests/data/*.ll1 "$work"/

fuzz() {  # TARGET SECONDS
  local limite=$(($2 > 0 ? $2 : 1))  # 0 would mean no limit
  echo "== $1: $limite s"
  build-fuzz/fuzz/"$1" -max_total_time="$limite" -max_len=65536 -rss_limit_mb=4096 \
    -dict=fuzz/quindel.dict -print_final_stats=1 "$work"
}
cuarto=$((seconds / 4))
fuzz fuzz_analisis "$((seconds - 3 * cuarto))"
fuzz fuzz_tabla "$cuarto"
fuzz fuzz_informes "$cuarto"
fuzz fuzz_propuesta "$cuarto"

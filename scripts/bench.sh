#!/usr/bin/env bash
# Builds the benchmarks (bench preset: Release, -O2) and prints, for each
# operation and size, its time as a ratio against its baseline measured in
# the same run, and how its time grows from 1x to 10x and 100x the data.
# JSON results are kept in build/bench/results/. Not part of CI.
#   KIT_BENCH_MIN_TIME  seconds per measurement (default 0.3)
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh >/dev/null
cmake --preset bench >/dev/null
cmake --build --preset bench -j "${KIT_JOBS:-2}" >/dev/null

results=build/bench/results
rm -rf "$results"
mkdir -p "$results"
for bench in kit_bench_console kit_bench_wizard kit_bench_files; do
  echo "bench: running $bench" >&2
  "build/bench/tests/bench/$bench" --benchmark_min_time="${KIT_BENCH_MIN_TIME:-0.3}" \
    --benchmark_out="$results/$bench.json" --benchmark_out_format=json >/dev/null
done

python3 - "$results" <<'PY'
import json, os, sys
rows = {}
units = {}
for name in sorted(os.listdir(sys.argv[1])):
    with open(os.path.join(sys.argv[1], name)) as f:
        data = json.load(f)
    for b in data["benchmarks"]:
        op, size = b["name"].rsplit("/", 1)
        base = op.endswith("_Baseline")
        op = op.removeprefix("BM_").removesuffix("_Baseline")
        rows.setdefault(op, {}).setdefault(int(size), {})["base" if base else "op"] = b["real_time"]
        units[op] = b["time_unit"]
print(f"{'operation':24} {'size':>6} {'time':>12} {'baseline':>12} {'ratio':>7}   scaling vs 1x (linear = 10, 100)")
for op, sizes in rows.items():
    ns = sorted(sizes)
    first = sizes[ns[0]].get("op")
    for i, n in enumerate(ns):
        t = sizes[n].get("op"); b = sizes[n].get("base")
        ratio = f"{t / b:7.2f}" if t and b else "      -"
        scale = f"x{n // ns[0]}: {t / first:7.1f}" if i and t and first else ""
        print(f"{op:24} {n:6} {t:10.1f}{units[op]:>2} {b:10.1f}{units[op]:>2} {ratio}   {scale}")
PY

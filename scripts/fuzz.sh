#!/usr/bin/env bash
# Builds the fuzz tree (clang, libFuzzer, ASan + UBSan) and runs every fuzz
# target for a bounded time on a copy of its committed corpus, two at a time.
# Fails on any crash, leak, time-out or sanitizer report; the input that
# caused it is kept in build/fuzz/findings/.
#   KIT_FUZZ_SECONDS  seconds per target (default 60)
#   KIT_JOBS          targets run at once (default 2)
set -uo pipefail
cd "$(dirname "$0")/.."

seconds=${KIT_FUZZ_SECONDS:-60}
jobs=${KIT_JOBS:-2}

bash scripts/setup.sh >/dev/null || { echo "fuzz: setup failed"; exit 1; }
cmake --preset fuzz >/dev/null || { echo "fuzz: configure failed"; exit 1; }
cmake --build --preset fuzz -j "$jobs" >/dev/null || {
  cmake --build --preset fuzz -j 1 2>&1 | tail -40
  echo "fuzz: build failed"
  exit 1
}

# The longest input worth trying per target: whole files for the text
# readers, one device path or a few fields for the others.
declare -A max_len=(
  [fuzz_config_caption]=65536
  [fuzz_inf_search]=65536
  [fuzz_usb_identifier]=4096
  [fuzz_tcp_port_text]=4096
  [fuzz_console_registry]=16384
  [fuzz_usb_port_match]=8192
  [fuzz_reg_file]=65536
  [fuzz_unattended_switches]=4096
)

findings=build/fuzz/findings
logs=build/fuzz/logs
rm -rf "$findings" "$logs"
mkdir -p "$findings" "$logs"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

run_target() {
  local target=$1 bin=build/fuzz/tests/fuzz/$1 work
  work=$(mktemp -d "/tmp/kit-fuzz-$target.XXXXXX")
  if [ -d "tests/fuzz/corpus/$target" ]; then
    cp -r "tests/fuzz/corpus/$target/." "$work/"
  fi
  "$bin" "$work" -max_total_time="$seconds" -max_len="${max_len[$target]:-4096}" \
    -timeout=20 -rss_limit_mb=2560 -print_final_stats=1 \
    -artifact_prefix="$findings/$target-" >"$logs/$target.log" 2>&1
  local rc=$?
  rm -rf "$work"
  # A sanitizer report that did not end the run still counts.
  if [ $rc -eq 0 ] && grep -qE "runtime error:|ERROR: (Address|Leak|UndefinedBehavior)Sanitizer" "$logs/$target.log"; then
    rc=1
  fi
  local runs
  runs=$(grep -oE "stat::number_of_executed_units: *[0-9]+" "$logs/$target.log" | grep -oE "[0-9]+$")
  if [ $rc -eq 0 ]; then
    echo "fuzz: $target ok (${runs:-?} runs in ${seconds}s)"
  else
    echo "fuzz: $target FAILED (exit $rc), log $logs/$target.log"
    grep -E "ERROR|runtime error|SUMMARY|Test unit written" "$logs/$target.log" | head -20
  fi
  return $rc
}

targets=()
for bin in build/fuzz/tests/fuzz/fuzz_*; do
  [ -x "$bin" ] && [ -f "$bin" ] && targets+=("$(basename "$bin")")
done
[ ${#targets[@]} -gt 0 ] || { echo "fuzz: no targets built"; exit 1; }
echo "fuzz: ${#targets[@]} targets, ${seconds}s each, $jobs at a time"

status=0
running=0
for target in "${targets[@]}"; do
  if [ $running -ge "$jobs" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
  run_target "$target" &
  running=$((running + 1))
done
while [ $running -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done

if [ $status -eq 0 ]; then echo "fuzz: no findings"; else echo "fuzz: FINDINGS in $findings"; fi
exit $status

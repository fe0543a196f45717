#!/usr/bin/env bash
# Builds the fuzz targets (preset `fuzz`), writes their seed corpora from valid
# states and runs each target for a bounded time (FUZZ_SECONDS, default 60).
# The corpora grow in build/fuzz/corpus between runs and start from the kept
# inputs of earlier findings (fuzz/regressions); findings land in
# build/fuzz/findings and fail the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
targets=(chunk events dispatcher parameters records)
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target fuzz_seeds "${targets[@]/%/_fuzz}"
build=build/fuzz
rm -rf "$build/seeds"
"$build/fuzz_seeds" "$build/seeds"
mkdir -p "$build/findings"
status=0
for target in "${targets[@]}"; do
  mkdir -p "$build/corpus/$target"
  kept=()
  [ -d "fuzz/regressions/$target" ] && kept=("fuzz/regressions/$target")
  log="$build/findings/$target.log"
  start=$(date +%s)
  # One process, so the executions counted are all of this target's; a run
  # slower than 10 s per input counts as a hang.
  if ! "$build/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
      "$build/corpus/$target" "$build/seeds/$target" "${kept[@]}" >"$log" 2>&1; then
    status=1
    echo "== fuzz $target: FOUND A FAULT (see $log)"
    grep -E "ERROR|runtime error|invariant broken|Test unit written" "$log" | head -5 || true
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  echo "== fuzz $target: $(( $(date +%s) - start )) s, ${runs:-?} executions"
done
exit $status

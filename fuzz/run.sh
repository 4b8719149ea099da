#!/usr/bin/env bash
# fuzz/run.sh BUILD_DIR SECONDS [TARGET...] [-- LIBFUZZER_OPTION...]
#
# Fuzzes each target of BUILD_DIR (the fuzz preset's build; all of them when
# none is named), one after the other, for SECONDS each: on a copy of its
# seeds and kept reproducers in BUILD_DIR/fuzz-work/TARGET/corpus, where new
# inputs go, with the target's input size limit. Options after "--" go to
# every libFuzzer run (-runs=10000000 stops a target after that many
# executions, whichever comes first). A finding is written to
# BUILD_DIR/fuzz-work/TARGET/artifacts/; copy it into
# fuzz/reproducers/TARGET/ once it is fixed, so that make test replays it.
#
# Prints one line per target: executions, seconds, libFuzzer's coverage
# (cov: edges, ft: features) and corpus size; the same lines are kept in
# BUILD_DIR/fuzz-work/summary.txt. Exits non-zero when a target found
# something.
set -euo pipefail

if [ $# -lt 2 ]; then
  sed -n '2,16p' "$0" >&2
  exit 2
fi
build=$(cd "$1" && pwd)
seconds=$2
shift 2
wanted=() options=()
while [ $# -gt 0 ]; do
  if [ "$1" = -- ]; then shift; options=("$@"); break; fi
  wanted+=("$1")
  shift
done
here=$(cd "$(dirname "$0")" && pwd)
work=$build/fuzz-work
mkdir -p "$work"
summary=$work/summary.txt
: >"$summary"
failed=0

printf '%-12s %12s %8s %7s %7s %7s\n' target executions seconds cov ft corpus | tee -a "$summary"
while read -r name max_len program; do
  if [ ${#wanted[@]} -gt 0 ] && [[ ! " ${wanted[*]} " =~ " $name " ]]; then continue; fi
  dir=$work/$name
  mkdir -p "$dir/corpus" "$dir/artifacts"
  for source in "$here/corpus/$name" "$here/reproducers/$name"; do
    find "$source" -maxdepth 1 -type f ! -name .gitkeep -exec cp -p {} "$dir/corpus/" \;
  done
  log=$dir/last.log
  # Absolute paths throughout: the dispatch target works in a scratch
  # directory while an input runs.
  status=0
  (cd "$dir" && ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1} \
    UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1} \
    "$program" -max_len="$max_len" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$dir/artifacts/" ${options[@]+"${options[@]}"} "$dir/corpus") >"$log" 2>&1 || status=$?
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$done_line")
  corpus=$(find "$dir/corpus" -type f | wc -l)
  printf '%-12s %12s %8s %7s %7s %7s\n' "$name" "${runs:--}" "${took:--}" "${cov:--}" "${ft:--}" "$corpus" \
    | tee -a "$summary"
  if [ "$status" -ne 0 ]; then
    failed=1
    echo "$name: finding (exit $status); log: $log" | tee -a "$summary"
    grep -E 'ERROR|check failed|SUMMARY|Test unit written' "$log" | head -n 8 || true
  fi
done <"$build/fuzz/targets.txt"
exit $failed

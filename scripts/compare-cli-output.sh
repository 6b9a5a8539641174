#!/usr/bin/env bash
# Records what quorvane-cli prints over a generated sample feed, or compares it with an
# earlier recording byte for byte: a refactor that changes no behaviour leaves it the same.
# Usage: scripts/compare-cli-output.sh CLI record DIR
#        scripts/compare-cli-output.sh CLI compare DIR
set -euo pipefail
cli=$1 mode=$2 dir=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out=$work/out
mkdir -p "$out" "$work/home"

"$cli" feed --out "$work/feed" --from 20241005 --days 21 --seed 7 2>/dev/null
(cd "$work/feed" && find . -type f | LC_ALL=C sort | xargs md5sum) >"$out/feed.md5"
"$cli" --home "$work/home" pull --from "2024/01/01 00:00:00" --final-odds \
       --feed "$work/feed" 2>"$out/pull.txt"
"$cli" --home "$work/home" days >"$out/days.txt"
days=$(head -4 "$out/days.txt")
IFS=$'\n'
[ -n "$days" ] || { echo "no pulled days" >&2; exit 1; }
n=0
for day in $days; do
  n=$((n + 1))
  "$cli" --home "$work/home" day --day "$day" --json >"$out/day-$n.json"
  slots=$(grep -o '"items": *\[[^]]*\]' "$out/day-$n.json" | grep -o '"[^"]*R"' | wc -l)
  for slot in $(seq 0 $((slots - 1))); do
    for logic in A B; do
      f=$out/race-$n-$slot-$logic.json
      "$cli" --home "$work/home" race --day "$day" --slot "$slot" --logic "$logic" --json \
             >"$f" 2>"$f.err" || echo "exit $?" >>"$f"
    done
  done
done

if [ "$mode" = record ]; then
  rm -rf "$dir" && mkdir -p "$dir" && cp -r "$out"/. "$dir"/
  echo "recorded $(ls "$dir" | wc -l) outputs into $dir"
else
  diff -r "$dir" "$out" && echo "identical: $(ls "$out" | wc -l) outputs"
fi

#!/usr/bin/env bash
# Fresh machine to a running program on sample data: install, build, write a sample
# feed of the last eight weeks and today beside the program, pull it and list the days.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
bin=build/tools/quorvane-cli
home=build/tools/quorvane-cli
from=$(date -d '56 days ago' +%Y%m%d)
since="$(date -d '63 days ago' +%Y/%m/%d) 00:00:00"
"$bin/quorvane-cli" feed --out "$home/feed" --from "$from" --days 57 --today
"$bin/quorvane-cli" --home "$home" pull --final-odds --from "$since"
"$bin/quorvane-cli" --home "$home" days
# the newest day whose races are all run (today, the first line, is still going on)
day=$("$bin/quorvane-cli" --home "$home" days | sed -n 2p)
# the first race of that day marked as a quinella target, so its bet tables are filled
slot=$("$bin/quorvane-cli" --home "$home" day --day "$day" --json |
       grep -o '"slot":[0-9]*,[^}]*"URTaisho":[12]' | head -n 1 | sed 's/"slot":\([0-9]*\).*/\1/')
"$bin/quorvane-cli" --home "$home" race --day "$day" --slot "${slot:-0}" --logic A --json

#!/usr/bin/env bash
# Fresh machine to a running program on sample data: install, build everything, write a
# sample feed of the last eight weeks and today beside the desktop program, pull it on
# the first run and open the main window on the last race day whose races are all run.
# Without a display it says so and walks through the same data with the CLI instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
cli=build/tools/quorvane-cli/quorvane-cli
from=$(date -d '56 days ago' +%Y%m%d)
since="$(date -d '63 days ago' +%Y/%m/%d) 00:00:00"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): running the command-line walk-through instead." >&2
  home=build/tools/quorvane-cli
  "$cli" feed --out "$home/feed" --from "$from" --days 57 --today
  "$cli" --home "$home" pull --final-odds --from "$since"
  "$cli" --home "$home" days
  # the newest day whose races are all run (today, the first line, is still going on)
  day=$("$cli" --home "$home" days | sed -n 2p)
  # the first race of that day marked as a quinella target, so its bet tables are filled
  slot=$("$cli" --home "$home" day --day "$day" --json |
         grep -o '"slot":[0-9]*,[^}]*"URTaisho":[12]' | head -n 1 | sed 's/"slot":\([0-9]*\).*/\1/')
  "$cli" --home "$home" race --day "$day" --slot "${slot:-0}" --logic A
  exit 0
fi

# The desktop program's folder is its ProgramFolder; the feed beside it is its JV-Link.
home=build/src/ui/main_window
"$cli" feed --out "$home/feed" --from "$from" --days 57 --today
if ! ls "$home/Data/"*.jvRA >/dev/null 2>&1; then
  "$cli" --home "$home" pull --final-odds --from "$since"
fi
day=$("$cli" --home "$home" days | sed -n 2p)
exec "$home/quorvane" --day "$day"

#!/usr/bin/env bash
# The package of dist/ (scripts/package.sh makes it) as a user meets it: installed with
# apt-get, both programs and their manual pages found, the desktop program opened off
# screen by a user with a fresh home folder (its folder appears in that home, the sample
# data offered at the first start is taken and pulled), then the package purged again,
# leaving nothing of it on the machine.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() { echo "test-package: $*" >&2; exit 1; }
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

deb=$(ls -t dist/quorvane_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || fail "no dist/quorvane_*.deb: make it with scripts/package.sh"
scripts/install-packages.sh man-db desktop-file-utils

echo "== install $deb" >&2
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "./$deb"
installed=$(mktemp)
dpkg -L quorvane > "$installed"

echo "== the programs, their manual pages, the menu entry" >&2
[ "$(command -v quorvane)" = /usr/bin/quorvane ] || fail "quorvane is not /usr/bin/quorvane"
[ "$(command -v quorvane-cli)" = /usr/bin/quorvane-cli ] || fail "quorvane-cli is not in /usr/bin"
quorvane-cli --help | grep -q "~/.local/share/Quorvane" || fail "the help does not name the data folder"
man -w quorvane-cli
man -w quorvane
desktop-file-validate /usr/share/applications/quorvane.desktop
for f in /usr/share/quorvane/Quorvane.pdf /usr/share/icons/hicolor/48x48/apps/quorvane.png \
         /usr/share/icons/hicolor/scalable/apps/quorvane.svg /usr/share/doc/quorvane/copyright; do
  [ -s "$f" ] || fail "$f is missing"
done

echo "== the first start of a user with a fresh home" >&2
home=$(mktemp -d)
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  # root may write anywhere; a plain user shows what a desktop user meets
  chown nobody:nogroup "$home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
run() { "${as_user[@]}" env -u XDG_DATA_HOME HOME="$home" QT_QPA_PLATFORM=offscreen "$@"; }
folder=$home/.local/share/Quorvane
started=$SECONDS
run QUORVANE_SAMPLE_OFFER=yes quorvane > "$home.out" 2>&1 &
program=$!
# the pull's end writes the start of the next one into the settings
until grep -qs "^LastTime=" "$folder/Quorvane.ini"; do
  kill -0 "$program" 2>/dev/null || { cat "$home.out" >&2; fail "quorvane ended before its pull did"; }
  [ $((SECONDS - started)) -lt 300 ] || { kill "$program"; fail "no pull within 300 s"; }
  sleep 1
done
sleep 3  # the window goes on to the newest race day
kill -0 "$program" 2>/dev/null || { cat "$home.out" >&2; fail "quorvane ended after its pull"; }
kill "$program"
wait "$program" || true
echo "first start to pulled sample data: $((SECONDS - started)) s" >&2
for f in Data CHG Kaime feed ErrorLog.txt Quorvane.ini; do
  [ -e "$folder/$f" ] || fail "$folder/$f was not made"
done
[ ! -e /usr/bin/Data ] || fail "the program wrote beside its executable"
# the command line finds the same folder and the same days
days=$(run quorvane-cli days | wc -l)
[ "$days" -eq 8 ] || fail "quorvane-cli days lists $days days, not the sample's 8"

echo "== purge" >&2
DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -q quorvane
left=()
while read -r path; do
  [ -e "$path" ] || [ -L "$path" ] || continue
  # a folder others share stays; a file, link or folder of this package alone must go
  if [ -d "$path" ] && [ ! -L "$path" ] && { [ -n "$(ls -A "$path")" ] || dpkg-query -S "$path" >/dev/null 2>&1; }; then
    continue
  fi
  left+=("$path")
done < "$installed"
[ ${#left[@]} -eq 0 ] || fail "left behind by the purge: ${left[*]}"
rm -rf "$home" "$home.out" "$installed"
echo "test-package: installed, ran, purged: all well" >&2

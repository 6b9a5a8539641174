#!/usr/bin/env bash
# Installs what the sanitized build and the fuzz targets need beyond scripts/install-deps.sh:
# clang 14 with libFuzzer. Idempotent: a machine that has them is left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

packages=(clang-14 libfuzzer-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}" >&2
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"

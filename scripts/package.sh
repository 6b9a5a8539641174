#!/usr/bin/env bash
# Builds the Debian package quorvane into dist/ (fresh Debian machine; installs what it
# needs), then checks it with lintian (no errors allowed) and its menu entry with
# desktop-file-validate.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/ccache-env.sh
scripts/install-deps.sh
scripts/install-packages.sh debhelper dpkg-dev fakeroot lintian desktop-file-utils

# debhelper gives the build a home folder of its own, where the compiler cache would
# find neither its files nor its settings: both are handed over by name.
if command -v ccache >/dev/null; then
  # (the settings file first: once CCACHE_DIR is set, ccache looks for it there)
  config=$(ccache -p | sed -n 's/^(\(\/[^)]*\)) .*/\1/p' | head -n 1)
  if [ -n "$config" ]; then export CCACHE_CONFIGPATH=$config; fi
  CCACHE_DIR=$(ccache -k cache_dir) && export CCACHE_DIR
fi

version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg-architecture -q DEB_HOST_ARCH)
# dpkg-buildpackage writes beside the source folder; what it wrote is moved to dist/.
# The build folder obj-*/ is kept, so a second run builds only what changed.
dpkg-buildpackage -b -us -uc --no-pre-clean
mkdir -p dist
for f in ../quorvane_"${version}"_"${arch}".{deb,buildinfo,changes} \
         ../quorvane-dbgsym_"${version}"_"${arch}".deb; do
  if [ -e "$f" ]; then mv -f "$f" dist/; fi
done
deb=dist/quorvane_${version}_${arch}.deb
ls -l "$deb"

desktop-file-validate packaging/quorvane.desktop
lintian --fail-on error --info "$deb"

#!/bin/sh
# Installs the Debian packages that building and testing need, and only
# those that are missing. Uses sudo when not run as root.
# Usage: scripts/install-deps.sh [extra package ...]
set -eu

# The second line: what installing and packaging need and CI checks with
# (desktop entry, AppStream metadata, manual pages, icon sizes, the .deb).
packages="build-essential cmake ninja-build pkg-config libgtest-dev libgmock-dev qt6-base-dev fonts-dejavu-core fonts-liberation fonts-terminus qt6-translations-l10n libjpeg62-turbo-dev
  desktop-file-utils appstream man-db librsvg2-bin libxml2-utils dpkg-dev fakeroot python3 $*"

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

echo "Installiere fehlende Pakete:$missing"
if [ "$(id -u)" -eq 0 ]; then
  sudo=""
else
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
# shellcheck disable=SC2086
$sudo apt-get install -y -q --no-install-recommends $missing

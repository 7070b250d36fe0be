#!/bin/sh
# Installs what the build and the program need, when it is missing; scripts/test adds its own tools through
# EXTRA_PACKAGES. Safe to run again.
set -e
PACKAGES="cmake make ninja-build g++ ccache qt6-base-dev qt6-base-dev-tools libqt6svg6-dev qt6-translations-l10n \
qt6-l10n-tools fonts-liberation fonts-dejavu-core fontconfig pkg-config libgmime-3.0-dev ${EXTRA_PACKAGES:-}"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi

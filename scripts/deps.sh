#!/bin/sh
# Installs what the build, the program and the tests need, when it is missing. Safe to run again.
set -e
PACKAGES="cmake ninja-build g++ ccache qt6-base-dev qt6-base-dev-tools libqt6svg6-dev qt6-translations-l10n \
libbenchmark-dev fonts-liberation fonts-dejavu-core fontconfig poppler-utils cups printer-driver-cups-pdf xvfb xauth xdotool \
desktop-file-utils libreoffice-calc $EXTRA_PACKAGES"
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

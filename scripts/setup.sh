#!/usr/bin/env bash
# Installs the Debian packages Korvel needs to build, run and test, when
# they are missing, and any packages named as arguments (scripts/bench.sh
# asks for its peers' libraries). The build dependencies are those of
# debian/control, the one list of them; here are the tools of the tests
# and of CI. Run as root (or with sudo) on Debian 12 or later.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential ninja-build
  libasound2-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick x11-utils x11-xkb-utils
  locales
  # The faces the tool panel was laid out for (narrow sans-serif, fixed
  # pitch) and Qt's translations for the buttons of its boxes.
  fonts-liberation2 fonts-dejavu-core qt6-translations-l10n
  # The package and its checks: dpkg-buildpackage and debhelper, lintian,
  # the launcher entry and AppStream validators, the desktop's "open with"
  # (gio, xdg-open and the media types they go by).
  dpkg-dev debhelper desktop-file-utils appstream lintian
  libglib2.0-bin xdg-utils shared-mime-info
  # The accessibility tree read through AT-SPI, and a Wayland session.
  at-spi2-core dbus gir1.2-atspi-2.0 python3-gi weston qt6-wayland
  "$@"
)

sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
apt_get() { DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get -o DPkg::Lock::Timeout=300 -y -qq "$@"; }
updated=''
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  apt_get update && updated=1
  apt_get install --no-install-recommends "${missing[@]}"
fi
# The build dependencies, read from debian/control.
if ! dpkg-checkbuilddeps debian/control 2>/dev/null; then
  echo "setup: installing the build dependencies of debian/control"
  [[ -n $updated ]] || apt_get update
  apt_get build-dep --no-install-recommends ./
fi

# A locale with a decimal comma, for the tests of the numeric text.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" localedef -i fr_FR -f UTF-8 fr_FR.UTF-8 || echo "setup: no fr_FR.UTF-8 locale; one test will be skipped"
fi

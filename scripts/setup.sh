#!/usr/bin/env bash
# Installs the Debian packages Korvel needs to build, run and test, when
# they are missing, and any packages named as arguments (scripts/bench.sh
# asks for its peers' libraries). Run as root (or with sudo) on Debian 12
# or later.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libqt6test6 portaudio19-dev libasound2-dev libfontconfig-dev
  libpng-dev libjpeg-dev
  # The time-lapse: deflated frames, the animated WebP export.
  zlib1g-dev libwebp-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool imagemagick x11-utils x11-xkb-utils
  locales
  # The faces the tool panel was laid out for (narrow sans-serif, fixed
  # pitch) and Qt's translations for the buttons of its boxes.
  fonts-liberation2 fonts-dejavu-core qt6-translations-l10n
  # The package and its checks: dpkg-shlibdeps, the hardening flags,
  # lintian, the launcher entry and AppStream validators.
  dpkg-dev desktop-file-utils appstream lintian
  # The accessibility tree read through AT-SPI, and a Wayland session.
  at-spi2-core dbus gir1.2-atspi-2.0 python3-gi weston qt6-wayland
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A locale with a decimal comma, for the tests of the numeric text.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" localedef -i fr_FR -f UTF-8 fr_FR.UTF-8 || echo "setup: no fr_FR.UTF-8 locale; one test will be skipped"
fi

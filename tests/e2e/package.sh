#!/usr/bin/env bash
# The Debian package from source to removal, as a distribution builds it
# and a person installs it: builds the source package and the binaries
# (korvel, korvel-dbgsym) with dpkg-buildpackage from a clean copy of the
# tree, checks them with lintian (any error or warning fails) and the
# program's hardening and stripping, installs korvel with apt-get, finds it
# registered for PNG pictures, starts the launcher's command with a picture
# as an ordinary user under Xvfb and finds the picture drawn, finds what an
# earlier version left in ~/.local/share moved to the XDG config and state
# directories, draws a stroke, finds the snapshot in the user's state
# directory and none in the install directory, quits, opens a picture
# through "gio open", runs the autopkgtest's test, and removes the package.
#   tests/e2e/package.sh OUTPUT_DIR    (as root; prints "package: ok")
set -euo pipefail
source "$(dirname "$0")/xvfb_lib.sh"

root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "${1:?usage: package.sh OUTPUT_DIR}"
out=$(cd "$1" && pwd)/debian-package
[[ $(id -u) -eq 0 ]] || fail "installing a package needs root"
user=nobody group=$(id -gn nobody)

# One package test at a time on this machine: the package is system-wide.
exec 9>/tmp/korvel-package-test.lock
flock -w 900 9 || fail "another package test holds the lock"
if dpkg-query -W -f='${Status}' korvel 2>/dev/null | grep -q 'install ok installed'; then
  fail "a korvel package is installed already; remove it first (apt-get remove korvel)"
fi

# A clean tree: the files git knows, none of the build directories. The
# upstream tarball is the same tree without debian/.
version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
upstream=${version%-*}
rm -rf "$out" && mkdir -p "$out/korvel-$upstream"
(cd "$root" && git ls-files -z --cached --others --exclude-standard | xargs -0 -r sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh |
  tar --null -T - -cf - | tar -xf - -C "$out/korvel-$upstream")
tar -C "$out" --exclude="korvel-$upstream/debian" --owner=0 --group=0 -cJf "$out/korvel_$upstream.orig.tar.xz" "korvel-$upstream"
# ccache, when there is one, keeps a second build short; it changes no byte.
# The core tests the package build would run have run in CI's own builds
# already (KORVEL_PACKAGE_CHECK=1 runs them here too).
command -v ccache >/dev/null && export CMAKE_CXX_COMPILER_LAUNCHER=ccache
[[ -n ${KORVEL_PACKAGE_CHECK:-} ]] || export DEB_BUILD_OPTIONS="nocheck ${DEB_BUILD_OPTIONS:-}"
(cd "$out/korvel-$upstream" && dpkg-buildpackage -us -uc -jauto >"$out/build.log" 2>&1) ||
  fail "dpkg-buildpackage: $(tail -20 "$out/build.log")"
arch=$(dpkg --print-architecture)
changes=$out/korvel_${version}_$arch.changes
deb=$out/korvel_${version}_$arch.deb dbgsym=$out/korvel-dbgsym_${version}_$arch.deb
[[ -f $changes && -f $deb && -f $dbgsym && -f $out/korvel_$version.dsc ]] || fail "missing outputs: $(ls "$out")"
depends=$(dpkg-deb -f "$deb" Depends)
# Computed from the binary: the Qt libraries it links, with versions.
[[ $depends == *"libqt6widgets6 (>= "* && $depends == *"libc6 (>= "* ]] ||
  fail "dependencies not computed from the binary: $depends"
[[ $depends == *"qt6-translations-l10n"* ]] || fail "no dependency on Qt's translations: $depends"
# Loaded at the first tone, so no binary shows it.
[[ $depends == *"libportaudio2"* ]] || fail "no dependency on PortAudio: $depends"

# What a distribution's reviewer runs first: the source, both binaries.
lintian --fail-on error,warning --pedantic "$changes" >"$work/lintian.log" 2>&1 ||
  fail "lintian: $(grep -v 'root privileges' "$work/lintian.log")"
grep -v 'root privileges' "$work/lintian.log" || true
# The hardening flags, in the shipped binary; its symbols in the -dbgsym,
# found by its build ID.
dpkg-deb -x "$deb" "$work/deb"
dpkg-deb -x "$dbgsym" "$work/dbgsym"
binary=$work/deb/usr/bin/korvel
# (Whole outputs read: grep -q would leave the writer a broken pipe.)
[[ $(readelf -d "$binary") == *BIND_NOW* ]] || fail "no BIND_NOW"
[[ $(readelf -lW "$binary") == *GNU_RELRO* ]] || fail "no RELRO"
[[ $(readelf -h "$binary") == *'DYN (Position-Independent Executable'* ]] || fail "not position-independent"
symbols=$(nm -D "$binary")
[[ $symbols == *__stack_chk_fail* ]] || fail "no stack protector"
[[ $symbols =~ __[a-z]+_chk ]] || fail "no fortified calls"
[[ $arch != amd64 ]] || (($(objdump -d "$binary" | grep -c endbr64) > 0)) || fail "no control-flow protection"
[[ -z $(readelf -S "$binary" | grep -E '\.(debug_info|symtab|comment)') ]] || fail "the program is not stripped"
build_id=$(readelf -n "$binary" | sed -n 's/.*Build ID: \([0-9a-f]*\)/\1/p')
debug_file=$work/dbgsym/usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug
[[ -n $build_id && -f $debug_file ]] || fail "no symbols for build ID $build_id in $(basename "$dbgsym")"
[[ $(readelf -S "$debug_file" 2>/dev/null) == *.debug_info* ]] || fail "$debug_file has no debug information"
[[ $(dpkg-deb -c "$deb") == *usr/share/man/man1/korvel.1.gz* ]] || fail "no compressed manual page"

apt() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -y -q "$@" >>"$work/apt.log" 2>&1; }
on_exit 'dpkg-query -W korvel >/dev/null 2>&1 && apt remove korvel'
(cd "$(dirname "$deb")" && apt install "./$(basename "$deb")") || fail "apt-get install: $(tail -5 "$work/apt.log")"
[[ -x /usr/bin/korvel ]] || fail "no /usr/bin/korvel after install"
desktop=/usr/share/applications/org.korvel.Korvel.desktop
[[ -f $desktop ]] || fail "no launcher entry installed"
command=$(sed -n 's/^Exec=//p' "$desktop")
[[ $command == "korvel %f" ]] || fail "the launcher's command is $command"
# Registered for pictures: the desktop offers it under "Open with".
as_user() { setpriv --reuid="$user" --regid="$group" --clear-groups env QT_QPA_PLATFORM=xcb "$@"; }
gio mime image/png >"$work/gio-mime.log" 2>&1 || true
grep -q 'org.korvel.Korvel.desktop' "$work/gio-mime.log" ||
  fail "not registered for image/png: $(cat "$work/gio-mime.log")"

start_xvfb 1920 1080
# What an earlier version left in the data directory: moved at the first
# start, the taken slot ~101 left alone.
old=$XDG_DATA_HOME/korvel
mkdir -p "$old" "$XDG_STATE_HOME/korvel"
printf '7\r\n' >"$old/korvel.prm"
convert -size 8x8 xc:red "BMP3:$old/~105.bmp"
printf 'earlier' >"$old/~101.bmp"
printf 'newer' >"$XDG_STATE_HOME/korvel/~101.bmp"
chown -R "$user:$group" "$HOME" "$XDG_RUNTIME_DIR"
# A picture of the screen's size, one colour left of x = 960 and another
# right of it: opened, it covers the black of the new picture.
picture=$work/picture.png
convert -size 960x1080 xc:'rgb(20,200,40)' -size 960x1080 xc:'rgb(200,40,20)' +append "$picture"
# The launcher's command, %f the picture, as the desktop runs it.
# shellcheck disable=SC2086
setpriv --reuid="$user" --regid="$group" --clear-groups env QT_QPA_PLATFORM=xcb ${command/\%f/$picture} \
  >"$work/korvel.log" 2>&1 &
korvel_pid=$!
on_exit 'kill $korvel_pid 2>/dev/null'

wait_for_panel "$korvel_pid" "$work/start.png" 40 $((1080 - 66)) 255,128,64 ||
  fail "no tool panel: $(cat "$work/korvel.log")"
# picture_drawn SHOT: the picture's two halves on screen, above the panel.
picture_drawn() {
  for _ in $(seq 100); do
    shoot "$1"
    [[ $(pixel "$1" 100 100) == 20,200,40 && $(pixel "$1" 1800 800) == 200,40,20 ]] && return 0
    sleep 0.1
  done
  return 1
}
picture_drawn "$work/opened.png" || fail "the picture given to the launcher's command is not drawn"
# Docks link the window to its launcher by the X11 window class.
startup_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
window_class=$(xprop -id "$(xdotool search --pid "$korvel_pid" | head -1)" WM_CLASS)
[[ -n $startup_class && $window_class == *", \"$startup_class\"" ]] ||
  fail "window class $window_class, launcher's StartupWMClass $startup_class"
xdotool mousemove 1060 540 mousedown 1
for x in 1080 1100 1120 1140; do xdotool mousemove "$x" 540; sleep 0.02; done
xdotool mouseup 1

[[ -s $XDG_CONFIG_HOME/korvel/korvel.prm && ! -e $old/korvel.prm ]] || fail "the earlier settings file was not moved"
[[ -s $XDG_STATE_HOME/korvel/~105.bmp && ! -e $old/~105.bmp ]] || fail "the earlier snapshot was not moved"
[[ $(cat "$old/~101.bmp") == earlier && $(cat "$XDG_STATE_HOME/korvel/~101.bmp") == newer ]] ||
  fail "a move replaced a file"
[[ -d $HOME/Pictures ]] || fail "no pictures folder made for the first save"

snapshot=$XDG_STATE_HOME/korvel/~100.bmp
wait_for_file "$snapshot" || fail "no snapshot in the user's state directory ($(ls -AR "$HOME" 2>&1))"
[[ $(stat -c %U "$snapshot") == "$user" ]] || fail "the snapshot does not belong to $user"
[[ $(identify -format '%w %h' "$snapshot") == "1920 1080" ]] || fail "the snapshot is not the screen's size"
[[ ! -e /usr/bin/~100.bmp && ! -e /usr/bin/korvel.prm ]] || fail "files written into /usr/bin"

# Escape, then "Quitter ?" answered Yes.
xdotool key Escape
for _ in $(seq 50); do xdotool search --name '^Confirmation$' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 0.3
xdotool key Return
for _ in $(seq 50); do kill -0 "$korvel_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$korvel_pid" 2>/dev/null && fail "korvel still running after Yes"
wait "$korvel_pid" || fail "korvel exited with status $?: $(cat "$work/korvel.log")"
settings=$XDG_CONFIG_HOME/korvel/korvel.prm
[[ $(sed -n 1p "$settings") == $'7\r' ]] || fail "the moved settings were not read back: $(head -c 80 "$settings")"
[[ $(sed -n 6p "$settings") == "$HOME/Pictures"$'\r' ]] || fail "the save directory is not the pictures folder"
[[ ! -e /usr/bin/korvel.prm ]] || fail "korvel.prm written into /usr/bin"

# "Open with": gio open starts Korvel with the picture, as the chosen
# application for PNG pictures.
as_user gio mime image/png org.korvel.Korvel.desktop >>"$work/gio-mime.log" 2>&1 ||
  fail "gio mime: $(cat "$work/gio-mime.log")"
as_user gio open "$picture" >"$work/gio-open.log" 2>&1 || fail "gio open: $(cat "$work/gio-open.log")"
window=''
for _ in $(seq 100); do window=$(xdotool search --class '^korvel$' 2>/dev/null | head -1) && [[ -n $window ]] && break; sleep 0.1; done
[[ -n $window ]] || fail "no Korvel window after gio open: $(cat "$work/gio-open.log")"
opened_pid=$(xdotool getwindowpid "$window")
on_exit "kill $opened_pid 2>/dev/null"
picture_drawn "$work/gio-open.png" || fail "the picture opened through gio open is not drawn"
kill "$opened_pid"

# The autopkgtest's test, against the installed program.
(cd "$root" && debian/tests/stroke >"$work/autopkgtest.log" 2>&1) || fail "autopkgtest stroke: $(tail -5 "$work/autopkgtest.log")"

apt remove korvel || fail "apt-get remove: $(tail -5 "$work/apt.log")"
[[ ! -e /usr/bin/korvel && ! -e $desktop ]] || fail "files left after removal"
[[ -s $snapshot ]] || fail "removing the package touched the user's files"
echo "package: ok"

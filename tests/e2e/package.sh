#!/usr/bin/env bash
# The Debian package from build to removal, as a person installs it: builds
# the .deb and its -dbgsym with CPack, checks both with lintian (any error or
# warning fails) and the program's hardening and stripping, installs it with
# apt-get, starts the launcher's
# command as an ordinary user under Xvfb (with arguments it must ignore),
# finds what an earlier version left in ~/.local/share moved to the XDG
# config and state directories, draws a stroke, finds the snapshot in the
# user's state directory and none in the install directory, quits, and
# removes the package.
#   tests/e2e/package.sh path/to/build        (as root; prints "package: ok")
set -euo pipefail
source "$(dirname "$0")/xvfb_lib.sh"

build=$(cd "${1:?usage: package.sh BUILD_DIR}" && pwd)
[[ $(id -u) -eq 0 ]] || fail "installing a package needs root"
user=nobody group=$(id -gn nobody)

# One package test at a time on this machine: the package is system-wide.
exec 9>/tmp/korvel-package-test.lock
flock -w 900 9 || fail "another package test holds the lock"
if dpkg-query -W -f='${Status}' korvel 2>/dev/null | grep -q 'install ok installed'; then
  fail "a korvel package is installed already; remove it first (apt-get remove korvel)"
fi

rm -f "$build"/korvel_*.deb "$build"/korvel-dbgsym_*.deb
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || fail "cpack: $(tail -5 "$work/cpack.log")"
debs=("$build"/korvel_*.deb) dbgsyms=("$build"/korvel-dbgsym_*.deb)
deb=${debs[0]} dbgsym=${dbgsyms[0]}
[[ -f $deb && -f $dbgsym ]] || fail "no korvel_*.deb and korvel-dbgsym_*.deb in $build"
depends=$(dpkg-deb -f "$deb" Depends)
# Computed from the binary: the Qt libraries it links, with versions.
[[ $depends == *"libqt6widgets6 (>= "* && $depends == *"libc6 (>= "* ]] ||
  fail "dependencies not computed from the binary: $depends"
[[ $depends == *"qt6-translations-l10n"* ]] || fail "no dependency on Qt's translations: $depends"
# Loaded at the first tone, so no binary shows it.
[[ $depends == *"libportaudio2"* ]] || fail "no dependency on PortAudio: $depends"

# What a distribution's reviewer runs first.
lintian --fail-on error,warning --pedantic "$deb" "$dbgsym" >"$work/lintian.log" 2>&1 ||
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
(($(objdump -d "$binary" | grep -c endbr64) > 0)) || fail "no control-flow protection"
[[ -z $(readelf -S "$binary" | grep -E '\.(debug_info|symtab|comment)') ]] || fail "the program is not stripped"
build_id=$(readelf -n "$binary" | sed -n 's/.*Build ID: \([0-9a-f]*\)/\1/p')
debug_file=$work/dbgsym/usr/lib/debug/.build-id/${build_id:0:2}/${build_id:2}.debug
[[ -n $build_id && -f $debug_file ]] || fail "no symbols for build ID $build_id in $(basename "$dbgsym")"
[[ $(readelf -S "$debug_file" 2>/dev/null) == *.debug_info* ]] || fail "$debug_file has no debug information"

apt() { DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -y -q "$@" >>"$work/apt.log" 2>&1; }
on_exit 'dpkg-query -W korvel >/dev/null 2>&1 && apt remove korvel'
(cd "$(dirname "$deb")" && apt install "./$(basename "$deb")") || fail "apt-get install: $(tail -5 "$work/apt.log")"
[[ -x /usr/bin/korvel ]] || fail "no /usr/bin/korvel after install"
desktop=/usr/share/applications/org.korvel.Korvel.desktop
[[ -f $desktop ]] || fail "no launcher entry installed"
command=$(sed -n 's/^Exec=//p' "$desktop")
[[ -n $command ]] || fail "no Exec line in $desktop"

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
printf 'BM not really a picture' >"$work/picture.bmp"
# The launcher's command, with a file and options that must all be ignored.
# shellcheck disable=SC2086
setpriv --reuid="$user" --regid="$group" --clear-groups \
  env QT_QPA_PLATFORM=xcb $command "$work/picture.bmp" -platform none -reverse --style=none \
  >"$work/korvel.log" 2>&1 &
korvel_pid=$!
on_exit 'kill $korvel_pid 2>/dev/null'

wait_for_panel "$korvel_pid" "$work/start.png" 40 $((1080 - 66)) 255,128,64 ||
  fail "no tool panel: $(cat "$work/korvel.log")"
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

apt remove korvel || fail "apt-get remove: $(tail -5 "$work/apt.log")"
[[ ! -e /usr/bin/korvel && ! -e $desktop ]] || fail "files left after removal"
[[ -s $snapshot ]] || fail "removing the package touched the user's files"
echo "package: ok"

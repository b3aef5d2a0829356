#!/usr/bin/env bash
# The install rules lay Korvel out as a desktop application: installs the
# build into a temporary prefix and checks each file where the desktop looks
# for it, with the validators run on the installed copies.
#   tests/e2e/install_layout.sh path/to/build
set -euo pipefail

build=${1:?usage: install_layout.sh BUILD_DIR}
fail() { echo "install_layout: FAIL: $*" >&2; exit 1; }

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

id=org.korvel.Korvel
[[ -x $prefix/bin/korvel ]] || fail "no program in bin/"
desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
[[ -f $desktop ]] || fail "no launcher entry"
[[ -f $prefix/share/man/man1/korvel.1 ]] || fail "no manual page"
[[ -f $metainfo ]] || fail "no AppStream metadata"
desktop-file-validate "$desktop" || fail "launcher entry refused"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "AppStream metadata refused"

# The entry starts the installed program by name, with the file it is
# asked to open, under the icon installed; it opens the formats "Ouvrir"
# reads, and the metadata offers the same.
grep -qx 'Exec=korvel %f' "$desktop" || fail "the entry does not start korvel with a file"
types=(image/bmp image/png image/jpeg image/gif)
grep -qx "MimeType=$(printf '%s;' "${types[@]}")" "$desktop" || fail "the entry does not take the picture formats"
for type in "${types[@]}"; do
  grep -q "<mediatype>$type</mediatype>" "$metainfo" || fail "the metadata does not provide $type"
done
grep -qx "Icon=$id" "$desktop" || fail "the entry does not name the icon $id"
grep -q '^Categories=.*Graphics;' "$desktop" || fail "the entry is not in the graphics category"
grep -q '^Comment\[fr\]=' "$desktop" || fail "no French comment"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the metadata does not name the entry"

icons=$prefix/share/icons/hicolor
grep -q '<svg' "$icons/scalable/apps/$id.svg" || fail "no scalable icon"
for size in 16 24 32 48 64 128 256; do
  png=$icons/${size}x${size}/apps/$id.png
  [[ -f $png ]] || fail "no ${size}x${size} icon"
  [[ $(identify -format '%w %h' "$png") == "$size $size" ]] || fail "$png is not ${size}x${size}"
done
echo "install_layout: ok"

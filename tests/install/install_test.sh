#!/usr/bin/env bash
# The installed application: `cmake --install` into a staging folder gives files that the desktop's own
# validators accept, and the installed program, started from an unrelated folder by a user with a fresh
# home, makes its data folder, shows the parameter dialog and then the start screen, and saves zorikan.vvd
# there. Then the Debian package: its contents and its dependencies.
#   install_test.sh <build folder>
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [[ -n "$program_pid" ]] && kill -9 "$program_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local seconds=$1; shift
  for ((tenth = 0; tenth < seconds * 10; ++tenth)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
DESTDIR="$work/stage" cmake --install "$build" >/dev/null
root="$work/stage$prefix"
installed=(bin/zorikan share/zorikan/zorikan.sym share/applications/org.zorikan.Zorikan.desktop
           share/metainfo/org.zorikan.Zorikan.metainfo.xml share/icons/hicolor/scalable/apps/zorikan.svg
           share/icons/hicolor/48x48/apps/zorikan.png share/icons/hicolor/256x256/apps/zorikan.png
           share/doc/zorikan/index.html share/doc/zorikan/start.png)
for file in "${installed[@]}"; do [[ -s "$root/$file" ]] || fail "not installed: $prefix/$file"; done
desktop-file-validate "$root/share/applications/org.zorikan.Zorikan.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$root/share/metainfo/org.zorikan.Zorikan.metainfo.xml" >/dev/null || fail "metainfo"
newest=$(grep -o -m1 '<release version="[^"]*"' "$root/share/metainfo/org.zorikan.Zorikan.metainfo.xml")
[[ "$newest" == "<release version=\"$version\"" ]] || fail "the newest AppStream release is not $version: $newest"

# The installed program, as a first-time user starts it.
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
mkdir -p "$work/home" "$work/elsewhere"
data="$work/home/.local/share/zorikan"
(cd "$work/elsewhere" && exec env -u XDG_DATA_HOME HOME="$work/home" QT_QPA_PLATFORM=xcb "$root/bin/zorikan") \
  >"$work/program.log" 2>&1 &
program_pid=$!
wait_for 20 xdotool search --name "Ввод параметров" || fail "no parameter dialog"
[[ -s "$data/zorikan.sym" ]] || fail "the glyph file was not placed in $data"
xdotool key Return
wait_for 10 test -s "$data/zorikan.vvd" || fail "zorikan.vvd not saved in $data"
sleep 2
# The graphics window shows the start screen: grey blank or grating, nothing but black, white and grey.
import -window root -crop 200x200+300+250 "$work/start.png"
colours=$(convert "$work/start.png" -format '%c' histogram:info:- | grep -o '#[0-9A-F]\{6\}' | sort -u | tr '\n' ' ')
for colour in $colours; do
  [[ "$colour" == "#000000" || "$colour" == "#FFFFFF" || "$colour" == "#808080" ]] || fail "start screen shows $colour"
done
kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(cat "$work/program.log")"
[[ -z "$(ls -A "$work/elsewhere")" ]] || fail "files written in the folder it was started from"

# A glyph file already in the data folder is the user's: never replaced. --version and --ring-table need
# no display; the table reads the data folder's saved parameters (the defaults while the default folder is
# not there yet), refuses a folder named by --data-dir that is not there, and creates nothing.
mkdir -p "$work/chosen"
printf 'mine\r\n' > "$work/chosen/zorikan.sym"
(cd "$work/elsewhere" && exec env HOME="$work/home" QT_QPA_PLATFORM=xcb "$root/bin/zorikan" --data-dir "$work/chosen") \
  >/dev/null 2>&1 &
second_pid=$!
sleep 3
kill -9 "$second_pid" 2>/dev/null || true
[[ "$(cat "$work/chosen/zorikan.sym")" == $'mine\r' ]] || fail "the user's glyph file was replaced"
[[ "$(env -u DISPLAY "$root/bin/zorikan" --version)" == "zorikan $version" ]] || fail "--version"
printf ' 60.000\r\n 15.600\r\n   1080\r\n   1920\r\n    100\r\n' > "$work/chosen/zorikan.vvd"
[[ "$(env -u DISPLAY "$root/bin/zorikan" --ring-table --data-dir "$work/chosen")" == *"at 60.0 cm, 15.6\""* ]] ||
  fail "--ring-table of the saved parameters"
[[ "$(env -u DISPLAY -u XDG_DATA_HOME HOME="$work/fresh" "$root/bin/zorikan" --ring-table)" == *"at 200.0 cm"* ]] ||
  fail "--ring-table of the defaults"
! env -u DISPLAY "$root/bin/zorikan" --ring-table --data-dir "$work/none" >/dev/null 2>&1 ||
  fail "--ring-table of a data folder that is not there"
[[ ! -e "$work/none" && ! -e "$work/fresh" ]] || fail "--ring-table created a data folder"

# The Debian package.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null) || fail "cpack"
package=$(ls "$work"/package/*.deb)
[[ "$(basename "$package")" == "zorikan_${version}_$(dpkg --print-architecture).deb" ]] ||
  fail "package name $(basename "$package")"
contents=$(dpkg-deb --contents "$package")
for file in "${installed[@]}"; do
  grep -q "\\.$prefix/$file\$" <<<"$contents" || fail "package lacks $prefix/$file"
done
depends=$(dpkg-deb --field "$package" Depends)
for library in libqt6widgets6 libpulse0 fonts-liberation; do
  grep -q "$library" <<<"$depends" || fail "Depends lacks $library: $depends"
done
# The description: a summary line, then a paragraph whose lines are indented text, no list separators.
description=$(dpkg-deb --field "$package" Description)
[[ "$(head -n 1 <<<"$description")" == "eye trainer with fine gratings and a vision check" ]] ||
  fail "description's summary: $description"
(( $(wc -l <<<"$description") >= 4 )) || fail "description has no paragraph: $description"
! grep -q ';' <<<"$description" || fail "description holds a list separator: $description"
echo "installed, started and packaged: $(basename "$package")"

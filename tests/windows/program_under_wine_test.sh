#!/usr/bin/env bash
# The Windows program as a user runs it, under Wine on an Xvfb screen of the test's own: started from its
# runnable folder with a data folder whose path holds Cyrillic letters, holding the parameters and a log
# written by the Linux program. The dialog appears, Enter starts, the start screen sweeps, a left click
# starts a training run of 3 images (at the pattern size then shown) answered with clicks, its record lands after the Linux records in the
# log's columns, zorikan.vvd is rewritten byte for byte as Linux writes it, and both buttons end the
# program with exit code 0. Screenshots of the dialog and the start screen are left in <build>/screens.
#   program_under_wine_test.sh <runnable folder> <wine prefix> <screens folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program_dir=$(realpath "$1") prefix=$(realpath -m "$2") screens=$(realpath -m "$3")
wine_run() { "$here/../../scripts/windows/wine-run" "$prefix" "$@"; }
export LC_ALL=C.UTF-8

work=$(mktemp -d)
# The prefix's Wine server goes with the test's screen, so that no Wine process outlives the screen it drew on.
trap 'kill $(jobs -p) 2>/dev/null || true; WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null
      cat "$work/program.log" >&2 2>/dev/null; rm -rf "$work"' EXIT
data="$work/Данные Ивана"
mkdir -p "$data" "$screens"
cp "$here/linux_written.vvd" "$data/zorikan.vvd"
cp "$here/linux_written.rtr" "$data/zorikan.rtr"

source "$here/screen.sh"


wine_run "$program_dir/zorikan.exe" --data-dir "Z:$data" >"$work/program.log" 2>&1 &
program=$!
dialog=$(wait_for_window "Ввод параметров") || fail "the parameter dialog did not appear"
sleep 1
import -window root "$screens/dialog.png"
xdotool key Return
frame=$(wait_for_window '^zorikan$') || fail "the frame window did not appear"
sleep 3
eval "$(xdotool getwindowgeometry --shell "$frame")"
canvas_x=$((X + 500)) canvas_y=$((Y + 400))
import -window root "$screens/start_screen.png"
# The sweep changes the pattern size every 6 s (1 s of grey, 5 s of the picture): within 14 s the graphics
# window, taken from the screen as the user sees it, shows another picture than at first.
window_on_screen() { import -window root -crop "980x650+$((X + 8))+$((Y + 45))" "$1"; }
window_on_screen "$work/sweep1.png"
differing=0
for _ in $(seq 14); do
  sleep 1
  window_on_screen "$work/sweep2.png"
  differing=$(compare -metric AE "$work/sweep1.png" "$work/sweep2.png" null: 2>&1 || true)
  (( ${differing%% *} > 1000 )) && break
done
(( ${differing%% *} > 1000 )) || fail "the start screen did not sweep (pixels changed: $differing)"

lines_before=$(wc -l <"$data/zorikan.rtr")
xdotool mousemove "$canvas_x" "$canvas_y" click 1
for _ in 1 2 3; do sleep 1.9; xdotool click 1; done
for _ in $(seq 200); do (( $(wc -l <"$data/zorikan.rtr") > lines_before )) && break; sleep 0.1; done
(( $(wc -l <"$data/zorikan.rtr") == lines_before + 1 )) || fail "no record of the run in the log"
sleep 0.5
xdotool click 3
sleep 1
# Back on the start screen: both buttons leave.
xdotool mousedown 1 mousedown 3 mouseup 1 mouseup 3
code=0
for _ in $(seq 300); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "both buttons did not end the program within 30 s"
wait "$program" || code=$?
[[ $code -eq 0 ]] || fail "both buttons ended the program with exit code $code; $(cat "$work/program.log")"

cmp -n "$(stat -c %s "$here/linux_written.rtr")" "$here/linux_written.rtr" "$data/zorikan.rtr" ||
  fail "the Linux records were not kept as they were"
cmp "$here/linux_written.vvd" "$data/zorikan.vvd" || fail "zorikan.vvd is not written as Linux writes it"
record=$(tail -n1 "$data/zorikan.rtr" | iconv -f CP1251 -t UTF-8)
[[ $record == *$'\r' ]] || fail "the record does not end in CR LF"
[[ ${record:36:14} == "  200.0см  Is=" && ${record:54:9} == "  Nп=   3" ]] || fail "the record's columns: '$record'"
[[ ${record:85:4} == "   0" ]] || fail "an image was missed: '$record'"
cmp "$program_dir/zorikan.sym" "$data/zorikan.sym" || fail "the glyph file was not placed in the data folder"
echo "passed; screenshots in $screens"

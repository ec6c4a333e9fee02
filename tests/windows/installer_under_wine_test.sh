#!/usr/bin/env bash
# The Windows installer and the portable zip in a fresh Wine prefix, on an Xvfb screen of the test's own:
# a silent install puts the program into Program Files\ZORIKAN, the Start menu and the list of installed
# apps; the installed zorikan.exe says its version and shows the parameter dialog (screenshot left in
# <screens>/installed_dialog.png), whose start writes %APPDATA%\zorikan; a second install upgrades in
# place; a silent uninstall leaves no program file, shortcut or registry entry and keeps
# %APPDATA%\zorikan; the zip unpacked into a folder whose path holds Cyrillic letters runs too.
#   installer_under_wine_test.sh <setup.exe> <zip> <version> <screens folder>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
setup=$(realpath "$1") zip=$(realpath "$2") version=$3 screens=$(realpath -m "$4")
export LC_ALL=C.UTF-8
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; WINEPREFIX="$work/prefix" /usr/lib/wine/wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
prefix="$work/prefix"
wine_run() { "$here/../../scripts/windows/wine-run" "$prefix" "$@"; }
# Waits until the installer or uninstaller (and the copy of itself the uninstaller runs from the temporary
# folder) has ended; the prefix's Wine server itself stays up for the next step.
settle() {
  for _ in $(seq 600); do
    # Wine names its processes by their Windows paths, with backslashes; this script's own have none.
    pgrep -f '\\([^\\]*setup|uninstall|Un_[A-Z]|Au_)\.exe' >/dev/null || return 0
    sleep 0.1
  done
  fail "the installer or uninstaller did not end"
}
mkdir -p "$screens"

source "$here/screen.sh"

installed="$prefix/drive_c/Program Files/ZORIKAN"
start_menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/ZORIKAN.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\ZORIKAN'
registry_value() { wine_run reg query "$uninstall_key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'; }


# Shows the dialog of the program at $1 (a Windows path), starts it with Enter and leaves with both buttons.
start_and_leave() {
  wine_run "$1" "${@:2}" >/dev/null 2>&1 &
  local program=$!
  wait_for_window "Ввод параметров" >/dev/null || fail "no parameter dialog from $1"
  sleep 1
  [[ -n ${shot:-} ]] && import -window root "$screens/$shot"
  xdotool key Return
  local frame
  frame=$(wait_for_window '^zorikan$') || fail "no frame window from $1"
  sleep 2
  eval "$(xdotool getwindowgeometry --shell "$frame")"
  xdotool mousemove $((X + 500)) $((Y + 400)) mousedown 1 mousedown 3 mouseup 1 mouseup 3
  local code=0
  for _ in $(seq 300); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$program" 2>/dev/null && fail "both buttons did not end $1 within 30 s"
  wait "$program" || code=$?
  [[ $code -eq 0 ]] || fail "$1 ended with exit code $code"
}

wine_run "$setup" /S
settle
[[ -f "$installed/zorikan.exe" && -f "$installed/zorikan.sym" && -f "$installed/guide/index.html" &&
   -f "$installed/platforms/qwindows.dll" && -f "$installed/uninstall.exe" ]] || fail "files missing in $installed"
[[ -f "$start_menu" ]] || fail "no Start menu shortcut"
[[ $(registry_value DisplayName) == ZORIKAN ]] || fail "no entry in the list of installed apps"
[[ $(registry_value DisplayVersion) == "$version" ]] || fail "the entry's version: $(registry_value DisplayVersion)"
[[ $(registry_value UninstallString) == *uninstall.exe* ]] || fail "the entry has no uninstall command"

said=$(wine_run 'C:\Program Files\ZORIKAN\zorikan.exe' --version 2>&1 | tr -d '\r')
[[ $said == *"$version"* ]] || fail "--version said '$said'"
shot=installed_dialog.png start_and_leave 'C:\Program Files\ZORIKAN\zorikan.exe'
appdata="$prefix/drive_c/users/$(id -un)/AppData/Roaming/zorikan"
[[ -f "$appdata/zorikan.vvd" && -f "$appdata/zorikan.sym" ]] || fail "no data folder at $appdata"

echo "second install" >"$installed/leftover-check"
wine_run "$setup" /S
settle
[[ -f "$installed/zorikan.exe" && -f "$installed/leftover-check" ]] || fail "the second install did not upgrade in place"
rm "$installed/leftover-check"

wine_run 'C:\Program Files\ZORIKAN\uninstall.exe' /S
sleep 1
settle
[[ ! -e "$installed" ]] || fail "left behind: $(find "$installed")"
[[ ! -e "$start_menu" ]] || fail "the Start menu shortcut is left"
[[ -z $(registry_value DisplayName) ]] || fail "the uninstall entry is left"
[[ -f "$appdata/zorikan.vvd" ]] || fail "the uninstaller removed the user's data folder"

portable="$work/Программы Ивана"
mkdir -p "$portable"
(cd "$portable" && unzip -q "$zip")
unpacked=$(find "$portable" -name zorikan.exe)
[[ -n $unpacked ]] || fail "no zorikan.exe in the zip"
said=$(wine_run "Z:$unpacked" --version 2>&1 | tr -d '\r')
[[ $said == *"$version"* ]] || fail "the unpacked program's --version said '$said'"
shot="" start_and_leave "Z:$unpacked" --data-dir "Z:$work/Данные"
[[ -f "$work/Данные/zorikan.vvd" ]] || fail "the unpacked program wrote no parameters"
echo "passed"

#!/usr/bin/env bash
# Tries the Windows outputs of scripts/windows.sh under Wine, in a prefix of
# its own: the zip as a portable copy (files beside the program), then the
# setup program and its uninstaller with /S for the current user and for
# everyone (/ALLUSERS): folder, Start-menu entry, Add/Remove Programs key, the
# program's files in %LOCALAPPDATA%; the icon and version details read from
# the files' resources. Usage: installer-test.sh BUILD_WIN64_FOLDER
# Runs as root, or through sudo (for apt-get). Exits 1 when a check fails.
set -euo pipefail

[ $# -eq 1 ] || { echo "usage: $0 BUILD_WIN64_FOLDER" >&2; exit 2; }
build=$(cd "$1" && pwd)

bash "$(dirname "$0")/../../scripts/ensure-packages.sh" wine wine64 xvfb xauth python3 icoutils

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=Pagerbench-$version-win64
zip=$build/$name.zip
setup=$build/$name-setup.exe
for output in "$zip" "$setup"; do
  [ -f "$output" ] || { echo "FAIL: $output is missing: run scripts/windows.sh first" >&2; exit 1; }
done

. "$(dirname "$0")/wine-prefix.sh" installer

passed=0
failed=0
check() { # check WHAT COMMAND...
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    echo "FAIL: $what" >&2
    failed=$((failed + 1))
  fi
}
windows_folder() { readlink -m "$(winepath -u "$(wine cmd /c echo "%$1%" | tr -d '\r')")"; }
is_empty_or_missing() { [ ! -e "$1" ] || [ -z "$(ls -A "$1")" ]; }
has_log() { compgen -G "$1/*.log" >/dev/null; }
help_runs() { wine "$1/pagerbench-cli.exe" --help 2>&1 | grep -q "^usage:"; }
holds_files() { # holds_files FOLDER LIST: every file of the list is in the folder
  local file
  while read -r file; do
    [ -f "$1/$file" ] || { echo "  missing $file" >&2; return 1; }
  done <<<"$2"
}

wineboot -i >/dev/null 2>&1
per_user=$(windows_folder LOCALAPPDATA)/Pagerbench

# The tcp:// module is found from the program's own folder when a device
# server hears from the command-line tool.
module_loads() { # module_loads FOLDER
  local heard=$work/heard port listener
  rm -f "$heard"
  coproc LISTENER {
    python3 -c '
import socket, sys
server = socket.create_server(("127.0.0.1", 0))
print(server.getsockname()[1], flush=True)
server.settimeout(60)
server.accept()
open(sys.argv[1], "w").close()' "$heard"
  }
  listener=$LISTENER_PID # bash forgets it once the listener ends
  read -r port <&"${LISTENER[0]}"
  timeout 120 wine "$1/pagerbench-cli.exe" read --type 1 --port "tcp://127.0.0.1:$port" >/dev/null 2>&1 || true
  kill "$listener" 2>/dev/null || true
  wait "$listener" 2>/dev/null || true
  [ -f "$heard" ]
}

# The window, started on a site's Pagerbench.set beside the executable that
# turns its log on, logs its failure to open Com1 (a closed device-server
# port) into Log\DDMMYYYY.log wherever it keeps its files. Qt's words on
# the plugins it loads go to $work/window.txt.
run_window_until_log() { # run_window_until_log FOLDER LOG_FOLDER
  printf '%s\r\n' '0        Compoort ->0' '1      Logfile ->1' '2       SetPath ->' '3       UnitType ->1' \
    '4       Taal ->0' '5       Case ->1' >"$1/Pagerbench.set"
  PAGERBENCH_COM1=tcp://127.0.0.1:1 WINEQT_DEBUG_PLUGINS=1 WINEQT_FORCE_STDERR_LOGGING=1 \
    timeout 120 xvfb-run -a bash -c '
      wine "$1/pagerbench.exe" >"$3" 2>&1 &
      for _ in $(seq 60); do
        compgen -G "$2/*.log" >/dev/null && break
        sleep 1
      done
      wineserver -k' _ "$1" "$2" "$work/window.txt" || true
  rm -f "$1/Pagerbench.set"
}
# The window's plugins come from the program's own folder, not from the Qt
# it was built with (which Wine could reach as well).
plugins_from() { # plugins_from FOLDER
  local folder plugin
  folder=$(winepath -w "$1" | tr '\\' /)
  for plugin in platforms/qwindows.dll imageformats/qjpeg.dll $(cd "$1" && ls styles/*.dll 2>/dev/null); do
    grep -qF "\"$folder/$plugin\" loaded library" "$work/window.txt" || { echo "  $plugin not loaded" >&2; return 1; }
  done
}

# The zip: one folder, a program that runs, its files beside it.
portable=$work/portable
mkdir -p "$portable"
(cd "$portable" && cmake -E tar xf "$zip")
check "the zip's top entry is the folder $name" test "$(ls "$portable")" = "$name"
portable=$portable/$name
check "pagerbench-cli.exe --help exits 0 in the zip's folder" help_runs "$portable"
check "the zip's pagerbench-cli.exe loads the tcp:// module" module_loads "$portable"
run_window_until_log "$portable" "$portable/Log"
check "the zip's pagerbench.exe writes its log beside itself" has_log "$portable/Log"
check "the zip's pagerbench.exe loads its plugins from its folder" plugins_from "$portable"
check "the zip's pagerbench.exe writes nothing into $per_user" is_empty_or_missing "$per_user"

# What Explorer shows of a file, from its resources: the program's icon (the
# same sizes as packaging/pagerbench.ico) and its version details.
icon_sizes() { icotool -l "$1" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' '; }
has_the_icon() {
  wrestool -x --type=group_icon "$1" >"$work/icon.ico" &&
    test "$(icon_sizes "$work/icon.ico")" = "$(icon_sizes "$(dirname "$0")/../../packaging/pagerbench.ico")"
}
version_details() { # KEY=VALUE lines of the four details Explorer shows first
  wrestool -x --raw --type=version "$1" | iconv -f UTF-16LE -t UTF-8 -c | tr -s '\0-\37' '\n' |
    awk 'key { print key "=" $0; key = "" } /^(ProductName|ProductVersion|FileDescription|LegalCopyright)$/ { key = $0 }' | sort
}
for program in "pagerbench.exe:Pagerbench configuration and service tool" \
               "pagerbench-cli.exe:Pagerbench command-line tool" "pagerbench-tcp.dll:Pagerbench device server module" \
               "$setup:Pagerbench setup"; do
  file=${program%%:*}
  [[ $file == /* ]] || file=$portable/$file
  [[ $file == *.dll ]] || check "$(basename "$file") has the program's icon" has_the_icon "$file"
  check "$(basename "$file") has its version details" test "$(version_details "$file")" = "$(printf '%s\n' \
    "FileDescription=${program#*:}" "LegalCopyright=Copyright © Pagerbench service tools" \
    ProductName=Pagerbench "ProductVersion=$version" | sort)"
done

# The setup program and its uninstaller, silent, for the current user (the
# default) and for everyone (/ALLUSERS). Wine has no users without rights:
# where the files, the Start-menu entry and the uninstall key land shows the mode.
check "the setup program's manifest asks for no elevation" \
  bash -c 'wrestool -x --raw --type=24 "$1" | grep -q "requestedExecutionLevel level=\"asInvoker\""' _ "$setup"
shipped=$(cd "$portable" && find . -type f ! -path './Log/*' | sort)
uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Pagerbench'
user_profile=$(windows_folder USERPROFILE)
key_gone() { ! wine reg query "$1\\$uninstall_key" /reg:64 >/dev/null 2>&1; }
nothing_left_but_user_files() {
  ! find "$WINEPREFIX/drive_c" -iname '*pagerbench*' ! -path "$per_user" ! -path "$per_user/*" | grep .
}
# Nothing changed outside the user's profile since the marker, Wine's own
# files aside; the machine's registry has no word of the program.
nothing_outside_profile() {
  ! find "$WINEPREFIX/drive_c" -newer "$1" ! -type d ! -path "$user_profile/*" ! -path "*/windows/*" | grep .
}
nothing_in_machine_registry() { wineserver -w && ! grep -i pagerbench "$WINEPREFIX/system.reg"; }
install_run_uninstall() { # MODE ROOT_KEY PROGRAM_FOLDER START_MENU_PARENT SETUP_OPTIONS...
  local mode=$1 root=$2 windows_program=$3 marker=$work/marker-$1 program start_menu_entry
  program=$(winepath -u "$windows_program")
  start_menu_entry=$(windows_folder "$4")"/Microsoft/Windows/Start Menu/Programs/Pagerbench.lnk"
  shift 4
  rm -rf "$per_user/Log"
  wineserver -w
  touch "$marker"

  check "$mode: the setup program exits 0" wine "$setup" /S "$@"
  check "$mode: the zip's files are all installed in $windows_program" holds_files "$program" "$shipped"
  check "$mode: the uninstaller is installed" test -f "$program/uninstall.exe"
  check "$mode: the Start menu has Pagerbench" test -f "$start_menu_entry"
  check "$mode: the uninstall key in $root names Pagerbench $version and its uninstaller, quiet with /S" test \
    "$(wine reg query "$root\\$uninstall_key" /reg:64 2>/dev/null | tr -d '\r' | LC_ALL=C sort |
       sed -n 's/^ *\(DisplayName\|DisplayVersion\|QuietUninstallString\|UninstallString\) *REG_SZ */\1=/p')" = \
    "$(printf '%s\n' DisplayName=Pagerbench "DisplayVersion=$version" \
       "QuietUninstallString=\"$windows_program\\uninstall.exe\" /S" "UninstallString=\"$windows_program\\uninstall.exe\"")"
  if [ "$mode" = "for me" ]; then
    check "for me: no uninstall key in HKLM" key_gone HKLM
    check "for me: nothing written outside the user's profile" nothing_outside_profile "$marker"
    check "for me: nothing of Pagerbench in the machine's registry" nothing_in_machine_registry
  fi

  check "$mode: the installed pagerbench-cli.exe loads the tcp:// module" module_loads "$program"
  local before
  before=$(cd "$program" && find . | sort)
  run_window_until_log "$program" "$per_user/Log"
  check "$mode: the installed pagerbench.exe writes its log into %LOCALAPPDATA%\\Pagerbench" has_log "$per_user/Log"
  check "$mode: the installed pagerbench.exe loads its plugins from its folder" plugins_from "$program"
  check "$mode: the installed pagerbench.exe writes nothing into its own folder" \
    test "$(cd "$program" && find . | sort)" = "$before"

  # No program of the folder may still run. The uninstaller copies itself
  # elsewhere and returns at once.
  wineserver -k 2>/dev/null || true
  wineserver -w
  check "$mode: the uninstaller exits 0" wine "$program/uninstall.exe" /S
  for _ in $(seq 60); do
    [ -e "$program" ] || break
    sleep 1
  done
  check "$mode: the uninstaller removes the program's folder" test ! -e "$program"
  check "$mode: the uninstaller removes the Start-menu entry" test ! -e "$start_menu_entry"
  check "$mode: the uninstaller removes the uninstall key" key_gone "$root"
  check "$mode: the uninstaller leaves the user's files" has_log "$per_user/Log"
  check "$mode: nothing of the program is left but the user's files" nothing_left_but_user_files
}
install_run_uninstall "for me" HKCU "$(wine cmd /c echo '%LOCALAPPDATA%\Programs\Pagerbench' | tr -d '\r')" APPDATA
install_run_uninstall "for everyone" HKLM 'C:\Program Files\Pagerbench' ProgramData /ALLUSERS

echo "installer-test: $passed passed, $failed failed"
[ "$failed" -eq 0 ]

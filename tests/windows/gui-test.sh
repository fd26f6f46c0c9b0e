#!/usr/bin/env bash
# The Windows program as a user meets it: pagerbench.exe under Wine on an Xvfb
# display, on COM1, which Wine maps onto the Linux virtual unit. Compares the
# main window's layout with the Linux build's, clicks "Read all settings from
# Unit", checks the day's log file beside the executable against the unit's
# own values, and keeps a picture of the window in
# build-win64/screenshots/main-window-wine.png; then the windows scaled to
# 100 to 200 %, with a picture at 150 % (main-window-wine-150.png).
#   bash tests/windows/gui-test.sh
# Needs build-win64 (scripts/windows.sh). Environment:
#   PAGERBENCH_LINUX_BUILD  the Linux build with the virtual unit, pagerbench-cli
#                           and pagerbench-layoutdump (default build-tests; the
#                           first two are built when missing, the last always)
#   PAGERBENCH_UNITSIM      the virtual unit (default: the Linux build's)
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/tests/windows
win_build=$root/build-win64
linux_build=${PAGERBENCH_LINUX_BUILD:-$root/build-tests}
unit_type=1
language=3         # French: its accents show the log's encoding
tolerance=4        # px; see compare-layout.py for why
log_rows_timeout=90

fail() { echo "gui-test: $*" >&2; exit 1; }
say() { echo "gui-test: $*"; }

bash "$root/scripts/ensure-packages.sh" wine wine64 fonts-dejavu-core xvfb xauth xdotool imagemagick jq python3

# The program's folder as it ships: the portable folder when scripts/windows.sh
# made one, else the same put together from the build, Qt and MinGW.
qt=$(bash "$root/scripts/windows-qt.sh" | tail -n1)
[ -f "$win_build/CMakeCache.txt" ] || fail "no Windows build in $win_build: run scripts/windows.sh"
# The two layout dumps are always brought up to date, so that both show the
# window as the sources are now.
PAGERBENCH_WIN_QT=$qt cmake --build "$win_build" --parallel 2 --target pagerbench-layoutdump >/dev/null ||
  fail "pagerbench-layoutdump.exe did not build"
portable=$(find "$win_build" -maxdepth 1 -type d -name 'Pagerbench-*-win64' | sort | tail -n1)

[ -f "$linux_build/CMakeCache.txt" ] ||
  cmake -S "$root" -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
linux_targets=(pagerbench-layoutdump)
for target in pagerbench-unitsim pagerbench-cli; do
  [ -n "$(find "$linux_build/tools" -type f -name "$target" 2>/dev/null)" ] || linux_targets+=("$target")
done
cmake --build "$linux_build" --parallel 2 --target "${linux_targets[@]}" >/dev/null ||
  fail "${linux_targets[*]} did not build in $linux_build"
unitsim=${PAGERBENCH_UNITSIM:-$linux_build/tools/unitsim/pagerbench-unitsim}
cli=$linux_build/tools/cli/pagerbench-cli
linux_layoutdump=$linux_build/tools/layoutdump/pagerbench-layoutdump
[ -x "$unitsim" ] || fail "no virtual unit at $unitsim"

. "$here/wine-prefix.sh" gui

app=$work/Pagerbench
if [ -n "$portable" ]; then
  say "program folder: $portable"
  cp -r "$portable" "$app"
else
  [ -f "$win_build/pagerbench.exe" ] || fail "no pagerbench.exe in $win_build: run scripts/windows.sh"
  say "program folder: put together from $win_build"
  mkdir -p "$app/platforms" "$app/styles" "$app/imageformats"
  cp "$win_build/pagerbench.exe" "$win_build/pagerbench-cli.exe" "$win_build/modules/pagerbench-tcp.dll" "$app/"
  cp "$qt"/bin/Qt6{Core,Gui,Widgets,Network}.dll "$app/"
  cp "$qt/plugins/platforms/qwindows.dll" "$app/platforms/"
  cp "$qt"/plugins/styles/*.dll "$app/styles/"
  cp "$qt/plugins/imageformats/qjpeg.dll" "$app/imageformats/"
  cp /usr/lib/gcc/x86_64-w64-mingw32/12-posix/{libgcc_s_seh-1,libstdc++-6}.dll \
     /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$app/"
fi
cp "$win_build/pagerbench-layoutdump.exe" "$app/"

# A display of our own, large enough for the window at 200 %; Xvfb tells its
# number once it listens.
Xvfb -displayfd 3 -screen 0 2560x1600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
background_pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n1 "$work/display")

say "new Wine prefix in $WINEPREFIX"
wineboot -i >/dev/null 2>&1 || fail "wineboot failed"
wineserver -w

"$unitsim" --type "$unit_type" --link "$work/unit" >"$work/unit.out" 2>&1 &
background_pids+=($!)
for _ in $(seq 50); do grep -q '^pty: ' "$work/unit.out" && break; sleep 0.1; done
pty=$(sed -n 's/^pty: //p' "$work/unit.out")
[ -n "$pty" ] || fail "the virtual unit did not start: $(cat "$work/unit.out")"
say "virtual unit (type $unit_type) on $pty"

# What the unit holds, as the Linux command-line tool reads it.
timeout 60 "$cli" read --port "$work/unit" --type "$unit_type" --json >"$work/unit-rows.json" ||
  fail "pagerbench-cli could not read the virtual unit"
rows=$(jq '.rows | length' "$work/unit-rows.json")
[ "$rows" -gt 0 ] || fail "the virtual unit has no rows"

wine reg add 'HKLM\Software\Wine\Ports' /v COM1 /t REG_SZ /d "$pty" /f >/dev/null || fail "cannot map COM1"
# Windows' dialog font (MS Shell Dlg) stands for Tahoma, which this Wine does
# not have: Qt would fall back on the first family it finds, a serif one. A
# sans face of like size keeps the picture and the menu bar as on Windows.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Tahoma /t REG_SZ /d 'DejaVu Sans' /f >/dev/null ||
  fail "cannot set the font replacement"
wineserver -k
wineserver -w

failures=0

# The layout on each tab: every control's place, and what each tab shows.
for tab in 0 1 2 3 4; do
  QT_QPA_PLATFORM=offscreen "$linux_layoutdump" --language "$language" --type "$unit_type" --tab "$tab" \
    --out "$work/layout-linux-$tab.json" 2>/dev/null || fail "the Linux layout dump failed"
  (cd "$app" && WINEQT_QPA_PLATFORM=windows timeout 120 wine pagerbench-layoutdump.exe --language "$language" \
    --type "$unit_type" --tab "$tab" --out "Z:$work/layout-wine-$tab.json") >/dev/null 2>&1 ||
    fail "pagerbench-layoutdump.exe failed under Wine"
  say "layout on tab $tab, Wine against Linux:"
  python3 "$here/compare-layout.py" --tolerance "$tolerance" \
    "$work/layout-linux-$tab.json" "$work/layout-wine-$tab.json" || failures=$((failures + 1))
done

# Where a user clicks: the centres of a tab and of a button, from the
# window's layout under Wine.
centre() { jq -r --arg p "$2" '.widgets[$p] | "\(.x + (.width / 2 | floor)) \(.y + (.height / 2 | floor))"' \
  "$work/layout-wine-$1.json"; }
tab_centre() {
  jq -r --argjson n "$1" '.widgets["client/SSTab1/tabStrip"] |
    "\(.x + (.width / 5 | floor) * $n + (.width / 10 | floor)) \(.y + (.height / 2 | floor))"' "$work/layout-wine-0.json"
}
read -r read_x read_y < <(centre 3 client/SSTab1/page3/CmdLeesAlles)
read -r save_x save_y < <(centre 2 client/SSTab1/page2/FrameAlleInstellingen/CmdOpslaanUnitGegevens)
read -r grid_tab_x grid_tab_y < <(tab_centre 1)
read -r file_tab_x file_tab_y < <(tab_centre 2)
read -r unit_tab_x unit_tab_y < <(tab_centre 3)

# The program's configuration: Com 1, the unit type, French, no guide at
# start, and its own folder for the settings-file dialogs.
app_windows_path="Z:${app//\//\\}"
printf '%s\r\n' "0        Compoort ->0" "1      Logfile ->1" "2       SetPath ->$app_windows_path" \
  "3       UnitType ->$unit_type" "4       Taal ->$language" "5       Case ->1" >"$app/Pagerbench.set"

# Starts pagerbench.exe; `program` and `window` name its process and its window.
start_program() { # start_program OUTPUT
  (cd "$app" && exec wine pagerbench.exe) >"$1" 2>&1 &
  program=$!
  background_pids+=("$program")
  window=
  for _ in $(seq 120); do
    window=$(xdotool search --onlyvisible --name 'Pagerbench' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.5
  done
  [ -n "$window" ] || fail "no Pagerbench window within a minute: $(cat "$1")"
  sleep 2 # the delayed load of the default settings
}
start_program "$work/program.out"

# The X window must be the Qt window's client area, or the clicks miss.
eval "$(xdotool getwindowgeometry --shell "$window")"
expected_size=$(jq -r '.window | "\(.width)x\(.height)"' "$work/layout-wine-3.json")
[ "${WIDTH}x${HEIGHT}" = "$expected_size" ] ||
  fail "the window is ${WIDTH}x${HEIGHT} on the display, $expected_size to Qt: clicks would miss"

say "clicking the Unit tab at $unit_tab_x,$unit_tab_y and 'Read all settings from Unit' at $read_x,$read_y"
xdotool mousemove --window "$window" "$unit_tab_x" "$unit_tab_y" click 1
sleep 1
xdotool mousemove --window "$window" "$read_x" "$read_y" click 1

count_read_rows() { cat "$app"/Log/*.log 2>/dev/null | grep -c '\[Item: [0-9]* [A-Za-z]*: ' || true; }
for _ in $(seq $((log_rows_timeout * 2))); do
  [ "$(count_read_rows)" -ge "$rows" ] && break
  sleep 0.5
done
got=$(count_read_rows)
if [ "$got" -lt "$rows" ]; then
  import -window "$window" "$work/failed.png" 2>/dev/null && mkdir -p "$win_build/screenshots" &&
    cp "$work/failed.png" "$win_build/screenshots/main-window-wine.png"
  tail -n 20 "$app"/Log/*.log 2>/dev/null || echo "(no log in $app/Log)"
  fail "the log names $got of the unit's $rows rows after ${log_rows_timeout}s: the read did not start or did not finish"
fi
say "read of $rows rows done"
cat "$app"/Log/*.log >"$work/log"
python3 "$here/check-log.py" --non-ascii "$work/log" "$work/unit-rows.json" || failures=$((failures + 1))

# The grid as the program saves it ("Save to file" on the File tab, the name
# it offers) must hold the unit's values.
say "saving the grid through 'Save to file' at $save_x,$save_y"
xdotool mousemove --window "$window" "$file_tab_x" "$file_tab_y" click 1
sleep 1
xdotool mousemove --window "$window" "$save_x" "$save_y" click 1
dialog=
for _ in $(seq 40); do
  dialog=$(xdotool search --onlyvisible --name 'Pagerbench' 2>/dev/null | grep -vx "$window" | head -n1 || true)
  [ -n "$dialog" ] && break
  sleep 0.5
done
[ -n "$dialog" ] || fail "no file dialog after 'Save to file'"
sleep 1
xdotool key --window "$dialog" Return 2>/dev/null
saved=
for _ in $(seq 40); do
  saved=$(find "$app" -maxdepth 1 -name 'NewSettings*' | head -n1)
  [ -n "$saved" ] && break
  sleep 0.25
done
[ -n "$saved" ] || fail "the file dialog saved no NewSettings file in the program's folder"
sleep 0.5
unit_values() { jq -c '[.rows[] | {item, value}] | sort_by(.item)' "$1"; }
"$cli" show --type "$unit_type" --json "$saved" >"$work/saved-rows.json" || fail "pagerbench-cli cannot show $saved"
if [ "$(unit_values "$work/saved-rows.json")" != "$(unit_values "$work/unit-rows.json")" ]; then
  echo "saved grid: $(unit_values "$work/saved-rows.json")"
  echo "the unit:   $(unit_values "$work/unit-rows.json")"
  failures=$((failures + 1))
elif [ "$(grep -c $'\r$' "$saved")" -ne "$(wc -l <"$saved")" ]; then
  echo "saved grid: a line end other than CR LF in $(basename "$saved")"
  failures=$((failures + 1))
else
  say "the saved grid ($(basename "$saved")) holds the unit's $rows values"
fi

# The picture: the grid with what was read.
xdotool mousemove --window "$window" "$grid_tab_x" "$grid_tab_y" click 1
sleep 1
mkdir -p "$win_build/screenshots"
shot=$win_build/screenshots/main-window-wine.png
import -window "$window" "$shot" || fail "no screenshot"
read -r shot_width shot_height < <(identify -format '%w %h\n' "$shot")
read -r linux_width linux_height < <(jq -r '.window | "\(.width) \(.height)"' "$work/layout-linux-1.json")
say "screenshot $shot: ${shot_width}x${shot_height}, the Linux window ${linux_width}x${linux_height}"
if [ "$shot_width" -ne "$linux_width" ] || [ $((shot_height - linux_height)) -gt "$tolerance" ] ||
   [ $((linux_height - shot_height)) -gt "$tolerance" ]; then
  echo "screenshot: ${shot_width}x${shot_height}, expected ${linux_width}x${linux_height} within $tolerance px in height"
  failures=$((failures + 1))
fi

# Closing the window must close the port and end the program.
xdotool key --window "$window" alt+F4 2>/dev/null
for _ in $(seq 40); do kill -0 "$program" 2>/dev/null || break; sleep 0.25; done
if kill -0 "$program" 2>/dev/null; then
  echo "the program still runs 10 s after Alt+F4 on its window"
  failures=$((failures + 1))
fi

# The windows on scaled screens, one table over the scales: at each, the
# main window and the secondary windows in device pixels are those at 100 %
# times the factor (within 6 px), and no text is cut. Wine takes LogPixels
# when its server starts again.
for dpi in 96 120 144 192; do
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null ||
    fail "cannot set LogPixels"
  wineserver -k
  wineserver -w
  for shown in main settings guide about; do
    dump=$work/scale-$dpi-$shown.json
    (cd "$app" && WINEQT_QPA_PLATFORM=windows timeout 120 wine pagerbench-layoutdump.exe --language "$language" \
      --type "$unit_type" --window "$shown" --out "Z:$dump") >/dev/null 2>&1 ||
      fail "pagerbench-layoutdump.exe --window $shown failed at LogPixels $dpi"
    say "$shown at $dpi dpi against 96 dpi:"
    python3 "$here/compare-layout.py" --tolerance 6 --scale "$(jq -n "$dpi / 96")" \
      "$work/scale-96-$shown.json" "$dump" || failures=$((failures + 1))
  done
  [ "$dpi" = 144 ] || continue
  # The picture at 150 %, as large on the screen as the window's dump says.
  start_program "$work/program-150.out"
  shot=$win_build/screenshots/main-window-wine-150.png
  import -window "$window" "$shot" || fail "no screenshot at 150 %"
  expected=$(jq -r '.window | "\(.width * .devicePixelRatio | round)x\(.height * .devicePixelRatio | round)"' \
    "$work/scale-144-main.json")
  size=$(identify -format '%wx%h' "$shot")
  say "screenshot $shot: $size, the window at 150 % $expected"
  [ "$size" = "$expected" ] || failures=$((failures + 1))
  wineserver -k
done

[ "$failures" -eq 0 ] || fail "$failures check(s) failed"
say "passed"

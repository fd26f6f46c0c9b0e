#!/usr/bin/env bash
# The Windows build under Wine, after the Linux suite: builds the programs,
# portable folder, zip and installer (scripts/windows.sh) and the core's test
# programs (build-win64-tests), runs those programs in a fresh Wine prefix,
# then pagerbench-cli.exe against the Linux virtual unit on COM5 (a
# pseudo-terminal mapped by Wine, so through our own Win32 serial line; also
# read to standard output) and over tcp://, then tests/windows/gui-test.sh,
# installer-test.sh and reproducible-test.sh (two builds of the last commit
# alike, and signed) when they are there. Prints how long each stage
# took; exits 1 when anything failed.
#
# TESTS_BUILD names the Linux build that holds the virtual unit (default
# build-tests; it is built there when missing); PAGERBENCH_JOBS the number
# of parallel jobs (default 2). Runs as root, or through sudo (for apt-get).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=${PAGERBENCH_JOBS:-2}
win_build=$root/build-win64
tests_build=$root/build-win64-tests
linux_build=${TESTS_BUILD:-build-tests}
[[ $linux_build == /* ]] || linux_build=$root/$linux_build
core_tests=(texts settings log files link)
unit_type=3
edited_row=13 # Serial ESPA speed: 2 and 3 are both speeds the unit takes

bash scripts/install-deps.sh
bash scripts/ensure-packages.sh wine wine64 xvfb xauth libgtest-dev

. "$root/tests/windows/wine-prefix.sh" wintest
export WINEQT_FORCE_STDERR_LOGGING=1

# What each stage took and whether it passed, for the summary.
results=()
failures=0
stage_start=0
begin() {
  echo "== $1"
  stage_start=$(date +%s)
}
end() { # NAME OK|FAIL
  local took=$(($(date +%s) - stage_start))
  results+=("$(printf '%-4s %-44s %4d s' "$2" "$1" "$took")")
  [ "$2" = ok ] || failures=$((failures + 1))
}
checks_failed=0
check() { # DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then
    echo "   ok: $what"
  else
    echo "   FAILED: $what" >&2
    checks_failed=$((checks_failed + 1))
  fi
}
end_checks() { # NAME: passed when every check since checks_failed=0 did
  if [ $checks_failed -eq 0 ]; then end "$1" ok; else end "$1" FAIL; fi
}
winpath() { printf 'Z:%s' "${1//\//\\}"; }
quietly() { # LOG COMMAND...: the command's output only when it fails
  local log=$1
  shift
  "$@" >"$log" 2>&1 && return 0
  tail -n 40 "$log" >&2
  echo "   (all of it in $log)" >&2
  return 1
}
total_start=$(date +%s)

begin "scripts/windows.sh"
if quietly "$work/windows.log" bash scripts/windows.sh; then end "scripts/windows.sh" ok; else
  end "scripts/windows.sh" FAIL
  printf '%s\n' "${results[@]}"
  exit 1
fi

qt=$(bash scripts/windows-qt.sh | tail -n1)
runtime_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
# The test programs find Qt's and MinGW's DLLs here, not beside them.
build_dlls="$(winpath "$qt/bin");$(winpath "$runtime_dir");$(winpath /usr/x86_64-w64-mingw32/lib)"

begin "core test programs, build"
mkdir -p "$tests_build"
build_tests() {
  PAGERBENCH_WIN_QT=$qt cmake -S "$root" -B "$tests_build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$qt" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DPAGERBENCH_TESTS=ON &&
    PAGERBENCH_WIN_QT=$qt cmake --build "$tests_build" --parallel "$jobs" \
      --target "${core_tests[@]/#/test_}" pagerbench-cli &&
    ! grep -q 'warning:' "$tests_build/build.log"
}
if quietly "$tests_build/build.log" build_tests; then end "core test programs, build" ok; else
  grep 'warning:' "$tests_build/build.log" >&2 || true
  end "core test programs, build" FAIL
  printf '%s\n' "${results[@]}"
  exit 1
fi

begin "Linux virtual unit"
unitsim=$linux_build/tools/unitsim/pagerbench-unitsim
build_unitsim() {
  { [ -f "$linux_build/CMakeCache.txt" ] ||
      cmake -S "$root" -B "$linux_build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo; } &&
    cmake --build "$linux_build" --parallel "$jobs" --target pagerbench-unitsim
}
if [ -x "$unitsim" ] || quietly "$work/unitsim.log" build_unitsim; then end "Linux virtual unit" ok; else
  end "Linux virtual unit" FAIL
fi

begin "fresh Wine prefix"
if quietly "$work/wineboot.log" wineboot -i && wineserver -w; then end "fresh Wine prefix" ok; else
  end "fresh Wine prefix" FAIL
fi

# test_link's Win32 serial line on COM6 and COM7: tests/windows/far-ends.py.
stalled= hangup=
python3 tests/windows/far-ends.py >"$work/far-ends.out" &
background_pids+=($!)
for _ in $(seq 50); do read -r stalled hangup <"$work/far-ends.out" && break; sleep 0.1; done
ln -sfn "$stalled" "$WINEPREFIX/dosdevices/com6" && ln -sfn "$hangup" "$WINEPREFIX/dosdevices/com7"
export PAGERBENCH_STALLED_PORT=COM6 PAGERBENCH_HANGUP_PORT=COM7

logs=$tests_build/wine-logs
mkdir -p "$logs"
for name in "${core_tests[@]}"; do
  begin "test_$name.exe under Wine"
  log=$logs/test_$name.log
  if WINEPATH=$build_dlls timeout 600 wine "$tests_build/test_$name.exe" >"$log" 2>&1; then
    grep -E '^\[  PASSED  \]' "$log" || true
    end "test_$name.exe" ok
  else
    grep -E '^\[  FAILED  \]|Failure$' "$log" >&2 || tail -n 20 "$log" >&2
    echo "   (all of it in $log)" >&2
    end "test_$name.exe" FAIL
  fi
done

# The command-line tool as it ships: from the portable folder, with nothing
# but the folder to find its DLLs in; without one, put together the same way.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$win_build/CMakeCache.txt")
portable=$win_build/Pagerbench-$version-win64
cli_dlls=
if [ -f "$portable/pagerbench-cli.exe" ]; then
  cli=$portable/pagerbench-cli.exe
  echo "   pagerbench-cli.exe from $portable, on its own DLLs"
else
  echo "   no portable folder at $portable: pagerbench-cli.exe from $win_build"
  mkdir -p "$work/cli"
  cp "$win_build/pagerbench-cli.exe" "$win_build/modules/pagerbench-tcp.dll" "$work/cli/"
  cli=$work/cli/pagerbench-cli.exe
  cli_dlls=$build_dlls
fi
run_cli() { WINEPATH=$cli_dlls timeout 120 wine "$cli" "$@"; }

# A unit started with OPTIONS; its first line names where it listens.
start_unit() { # OUTPUT OPTIONS...
  local out=$1
  shift
  "$unitsim" --type "$unit_type" --quiet "$@" >"$out" 2>&1 &
  background_pids+=($!)
  for _ in $(seq 50); do
    grep -qE '^(pty|tcp): ' "$out" && return 0
    sleep 0.1
  done
  cat "$out" >&2
  return 1
}

# 50 lines, each ending CR LF, no byte order mark, nothing Windows-1252 lacks.
is_windows_settings_file() {
  local file=$1
  [ -s "$file" ] && [ "$(head -c3 "$file" | od -An -tx1 | tr -d ' ')" != efbbbf ] &&
    iconv -f WINDOWS-1252 -t UTF-8 "$file" >/dev/null 2>&1 &&
    [ "$(tr -cd '\n' <"$file" | wc -c)" -eq 50 ] &&
    [ "$(tail -c2 "$file" | od -An -tx1 | tr -d ' ')" = 0d0a ] &&
    ! LC_ALL=C grep -q $'[^\r]$' "$file"
}
row_value() { sed -n "s/^$2 *->\\(-\\?[0-9]*\\)\\r\$/\\1/p" "$1"; }
with_row_changed() { # FILE ROW VALUE
  sed "s/^\\($2 *->\\)-\\?[0-9]*\\r\$/\\1$3\\r/" "$1"
}

# Read, change a row, write it back, read again: the unit holds the change.
read_edit_write() { # PORT NAME
  local port=$1 name=$2 first=$work/$2-first.set edited=$work/$2-edited.set again=$work/$2-again.set
  check "$name: read exits 0" run_cli read --port "$port" --type "$unit_type" --out "$(winpath "$first")"
  check "$name: the file is Windows-1252 with CR LF" is_windows_settings_file "$first"
  local old new
  old=$(row_value "$first" "$edited_row")
  new=$([ "$old" = 2 ] && echo 3 || echo 2)
  with_row_changed "$first" "$edited_row" "$new" >"$edited"
  check "$name: row $edited_row changed from $old to $new" test "$(row_value "$edited" "$edited_row")" = "$new"
  check "$name: write exits 0" run_cli write --port "$port" --type "$unit_type" "$(winpath "$edited")"
  check "$name: read again exits 0" run_cli read --port "$port" --type "$unit_type" --out "$(winpath "$again")"
  check "$name: the unit gives back what was written" cmp "$edited" "$again"
}

# read to standard output writes the very bytes read --out writes.
read_out_and_standard_output_agree() { # PORT NAME
  local port=$1 piped=$work/$2-piped.set written=$work/$2-written.set
  run_cli read --port "$port" --type "$unit_type" >"$piped" &&
    run_cli read --port "$port" --type "$unit_type" --out "$(winpath "$written")" &&
    cmp "$piped" "$written"
}

begin "pagerbench-cli.exe on COM5, a pseudo-terminal"
checks_failed=0
if start_unit "$work/unit-serial.out"; then
  pty=$(sed -n 's/^pty: //p' "$work/unit-serial.out")
  pty=$(readlink -f "$pty")
  wine reg add 'HKLM\Software\Wine\Ports' /v COM5 /t REG_SZ /d "$pty" /f >/dev/null 2>&1
  wineserver -k || true
  read_edit_write COM5 COM5
  check "COM5: read > a.set is read --out b.set, byte for byte" read_out_and_standard_output_agree COM5 COM5
  check "COM5: check finds the unit answering" run_cli check --port COM5 --type "$unit_type"
else
  checks_failed=1
fi
end_checks "cli on COM5"

# A report under Wine: the minimal platform finds Windows' fonts, and the
# PDF's text holds the words, the call and the fingerprint of read --out's file.
begin "pagerbench-cli.exe report on COM5"
checks_failed=0
if [ -n "${pty:-}" ]; then
  report_pdf=$work/report.pdf
  report_set=$work/report.set
  check "report exits 0" run_cli report --port COM5 --type "$unit_type" --lang fr --call 1234 \
    --technician "J. Jansen" --out "$(winpath "$report_pdf")"
  check "read --out beside it exits 0" run_cli read --port COM5 --type "$unit_type" --out "$(winpath "$report_set")"
  report_text=$(pdftotext -enc UTF-8 "$report_pdf" - 2>/dev/null | tr -s ' \n' ' ' || true)
  for words in "Rapport de mise en service" "J. Jansen" "Réglages" "Serial ESPA speed" \
    "l'unité a accepté l'appel" "$(sha256sum "$report_set" | cut -d' ' -f1)"; do
    check "the PDF's text holds: $words" grep -qF "$words" <<<"$report_text"
  done
else
  checks_failed=1
fi
end_checks "cli report on COM5"

begin "pagerbench-cli.exe on a COM port Wine does not map"
checks_failed=0
unmapped=COM9
if [ -e "$WINEPREFIX/dosdevices/${unmapped,,}" ]; then
  echo "   FAILED: Wine maps $unmapped here; the case needs a port it does not" >&2
  checks_failed=1
else
  status=0
  run_cli read --port "$unmapped" --type "$unit_type" --out "$(winpath "$work/unmapped.set")" \
    2>"$work/unmapped.err" || status=$?
  echo "   it said: $(cat "$work/unmapped.err")"
  check "exit status 3 (was $status)" test "$status" -eq 3
  check "the message names the port" grep -q "$unmapped" "$work/unmapped.err"
  check "no file is written" test ! -e "$work/unmapped.set"
fi
end_checks "cli on an unmapped COM port"

begin "pagerbench-cli.exe over tcp://"
checks_failed=0
started=false
for port in $((20000 + RANDOM % 20000)) $((20000 + RANDOM % 20000)) $((20000 + RANDOM % 20000)); do
  if start_unit "$work/unit-tcp.out" --tcp "$port"; then
    started=true
    break
  fi
done
if $started; then
  read_edit_write "tcp://127.0.0.1:$port" tcp
  check "tcp: a fresh unit reads as a fresh unit did on COM5" cmp "$work/COM5-first.set" "$work/tcp-first.set"
else
  checks_failed=1
fi
end_checks "cli over tcp://"
wineserver -k 2>/dev/null || true

for helper in "gui-test.sh" "installer-test.sh $win_build" "reproducible-test.sh"; do
  script=${helper%% *}
  begin "tests/windows/$script"
  if [ ! -f "tests/windows/$script" ]; then
    echo "   tests/windows/$script is not there yet: skipped"
    end "tests/windows/$script (not there)" ok
    continue
  fi
  # shellcheck disable=SC2086 # the installer test's folder, no blanks in it
  if PAGERBENCH_LINUX_BUILD=$linux_build PAGERBENCH_UNITSIM=$unitsim bash tests/windows/$helper; then
    end "tests/windows/$script" ok
  else
    end "tests/windows/$script" FAIL
  fi
done

echo "== Summary"
printf '%s\n' "${results[@]}"
echo "     all                                          $(printf '%4d' $(($(date +%s) - total_start))) s"
echo "windows: $((${#results[@]} - failures)) passed, $failures failed"
[ $failures -eq 0 ]

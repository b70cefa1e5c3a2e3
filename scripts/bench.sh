#!/usr/bin/env bash
# Installs whatever is missing, builds Chromivo and its benchmark, and measures, as Windows 10:
# start-up against a minimal dialog program (bare, and with Chromivo's manifest), pick entry at
# 1920x1080 and 3840x2160 against a program that takes the same hot key and copies and blits the
# screen, the wait before that copy, pick exit, whether a snapshot ever shows the window (pick
# entry and snapshots also as Windows 7), the colour path, idle CPU and resident memory
# (read from outside the processes, in /proc), a soak, and the executable's footprint; and, where
# the machine runs 32-bit programs, the 32-bit program's start-up and idle memory against its own
# builds of the same floors. Prints a table and one JSON line. CHROMIVO_SOAK_PICKS and CHROMIVO_SOAK_CHANGES shorten the soak (default
# 1000 and 100000), CHROMIVO_SNAPSHOT_ENTRIES the snapshot check (default 1000).
set -uo pipefail
source "$(dirname "$0")/common.sh"
trap stop_started EXIT
trap 'exit 130' INT TERM

RUNS=3
METRICS="$BUILD_DIR/bench-metrics.txt"
BIN="$BUILD_DIR/bin"
BIN_X86="$CHROMIVO_ROOT/build-i686/bin"
# The 32-bit programs run in the same 64-bit prefix under Wine's 32-bit loader, which keeps the
# process id (wine64 would hand them on to another process).
WINE32=/usr/lib/wine/wine
FLOORS=(MinimalDialog MinimalDialogManifest DesignDialog)

# "metric NAME median min max UNIT" from a list of numbers.
summarise() {
  local name=$1 unit=$2
  shift 2
  printf '%s\n' "$@" | sort -g | awk -v name="$name" -v unit="$unit" '
    { v[NR] = $1 }
    END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "metric %s %.4f %.4f %.4f %s\n", name, m, v[1], v[NR], unit }'
}

rss_mib() { awk '/^VmRSS/ { printf "%.3f", $2 / 1024 }' "/proc/$1/status"; }
cpu_ms() { awk -v tick="$(getconf CLK_TCK)" '{ printf "%.1f", ($14 + $15) * 1000 / tick }' "/proc/$1/stat"; }

# Starts a Windows program (a path under $BIN, or $BIN_X86 for the 32-bit ones) and waits for its
# window; the Wine process keeps the unix pid.
start_program() {
  local exe=$1 caption=$2 loader=$WINE64
  [ "${exe#"$BIN_X86"}" != "$exe" ] && loader=$WINE32
  "$loader" "$exe" >/dev/null 2>&1 &
  PROGRAM_PID=$!
  timeout 30 xdotool search --sync --onlyvisible --name "^$caption\$" >/dev/null 2>&1 ||
    fail "$exe did not show its window"
  sleep 2  # let start-up work finish before measuring the idle program
}

stop_program() {
  kill "$PROGRAM_PID" 2>/dev/null
  wait "$PROGRAM_PID" 2>/dev/null
}

# The CPU time the program uses over ten idle seconds, the pointer away from it: resting on a
# push button, Wine's hover tracking for the themed button polls the pointer (about 16 ms a
# second), which is the platform's work, not the program's.
idle_cpu_ms() {
  local before
  xdotool mousemove "$(($(xdpyinfo | awk -F'[ x]+' '/dimensions:/ { print $3 }') - 1))" 0
  before=$(cpu_ms "$PROGRAM_PID")
  sleep 10
  awk -v a="$before" -v b="$(cpu_ms "$PROGRAM_PID")" 'BEGIN { print b - a }'
}

# True once Chromivo's window covers the whole screen, as it does while picking.
covers_screen() {
  local size
  size=$(xdotool search --onlyvisible --name '^Chromivo$' getwindowgeometry 2>/dev/null | awk '/Geometry/ { print $2 }')
  [ "$size" = "$(xdpyinfo | awk '/dimensions:/ { print $2 }')" ]
}

measure_from_outside() {
  local idle=() idle_minimal=() rss_idle=() rss_picking=() rss_after=() rss_minimal=() run
  local rss_manifest=()
  for run in $(seq "$RUNS"); do
    start_program "$BIN/Chromivo.exe" Chromivo
    rss_idle+=("$(rss_mib "$PROGRAM_PID")")
    idle+=("$(idle_cpu_ms)")
    xdotool key ctrl+KP_Subtract && sleep 2
    covers_screen || fail "the hot key did not start pick mode"
    rss_picking+=("$(rss_mib "$PROGRAM_PID")")
    xdotool key Escape && sleep 2
    rss_after+=("$(rss_mib "$PROGRAM_PID")")
    stop_program

    start_program "$BIN/MinimalDialog.exe" Minimal
    rss_minimal+=("$(rss_mib "$PROGRAM_PID")")
    idle_minimal+=("$(idle_cpu_ms)")
    stop_program

    start_program "$BIN/MinimalDialogManifest.exe" Minimal
    rss_manifest+=("$(rss_mib "$PROGRAM_PID")")
    stop_program
  done
  summarise idle_cpu ms "${idle[@]}"
  summarise idle_cpu_minimal ms "${idle_minimal[@]}"
  summarise rss_idle MiB "${rss_idle[@]}"
  summarise rss_picking MiB "${rss_picking[@]}"
  summarise rss_after_pick MiB "${rss_after[@]}"
  summarise rss_minimal MiB "${rss_minimal[@]}"
  summarise rss_minimal_manifest MiB "${rss_manifest[@]}"
}

# The 32-bit program idle, against its own builds of the minimal dialog program.
measure_x86_from_outside() {
  local rss_idle=() rss_minimal=() rss_manifest=() run
  for run in $(seq "$RUNS"); do
    start_program "$BIN_X86/Chromivo.exe" Chromivo
    rss_idle+=("$(rss_mib "$PROGRAM_PID")")
    stop_program
    start_program "$BIN_X86/MinimalDialog.exe" Minimal
    rss_minimal+=("$(rss_mib "$PROGRAM_PID")")
    stop_program
    start_program "$BIN_X86/MinimalDialogManifest.exe" Minimal
    rss_manifest+=("$(rss_mib "$PROGRAM_PID")")
    stop_program
  done
  summarise rss_idle_x86 MiB "${rss_idle[@]}"
  summarise rss_minimal_x86 MiB "${rss_minimal[@]}"
  summarise rss_minimal_manifest_x86 MiB "${rss_manifest[@]}"
}

footprint() {
  local exe="$BIN/Chromivo.exe" stripped="$BUILD_DIR/Chromivo.stripped.exe" size imports delay_loaded
  size=$(awk -v b="$(stat -c %s "$exe")" 'BEGIN { print b / 1024 }')
  summarise exe_size KiB "$size"
  x86_64-w64-mingw32-strip -o "$stripped" "$exe"
  size=$(awk -v b="$(stat -c %s "$stripped")" 'BEGIN { print b / 1024 }')
  summarise exe_size_stripped KiB "$size"
  imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ { print $3 }' | sort)
  # GNU ld leaves the PE header's entry for delay-loaded DLLs empty; their names are among the
  # executable's strings. They are listed as "name.dll(on-use)".
  delay_loaded=$(x86_64-w64-mingw32-strings "$exe" | grep -ixE '[a-z0-9_]+\.dll' |
    grep -vixF -f <(echo "$imports") | sort -u | sed 's/$/(on-use)/')
  echo "info imports $(printf '%s\n' "$imports" "$delay_loaded" | sed '/^$/d' | paste -sd, -)"
  summarise exe_size_x86 KiB "$(awk -v b="$(stat -c %s "$BIN_X86/Chromivo.exe")" 'BEGIN { print b / 1024 }')"
}

bench() { "$WINE64" "$BIN/chromivo_bench.exe" "$@" 2>/dev/null | grep -E '^(metric|info) '; }

ensure_packages
x86_runs=true
if can_run_32bit_programs; then
  ensure_wine32
else
  echo "chromivo: 32-bit Windows programs cannot run on this machine: the x86 build is compiled, not run" >&2
  x86_runs=false
fi
build_preset x86_64 "$BUILD_DIR" --target chromivo_bench
build_preset i686 "$CHROMIVO_ROOT/build-i686" --target Chromivo "${FLOORS[@]}"
: >"$METRICS"

echo "chromivo: measuring at 1920x1080 as Windows 10" >&2
start_virtual_display 1920x1080
prepare_wine_prefix "$BUILD_DIR/wine-bench" 1920x1080
bench startup >>"$METRICS"
if $x86_runs; then
  bench startup _x86 "$(winepath -w "$BIN_X86" 2>/dev/null)" >>"$METRICS"
  measure_x86_from_outside >>"$METRICS"
fi
bench inprocess >>"$METRICS"
bench snapshot >>"$METRICS"
measure_from_outside >>"$METRICS"

# Windows 7 has no compositor: the wait before the copy takes its other way.
echo "chromivo: measuring pick entry and snapshots at 1920x1080 as Windows 7" >&2
prepare_wine_prefix "$BUILD_DIR/wine-bench" 1920x1080 96 - win7
bench pick-entry _1080_win7 >>"$METRICS"
bench snapshot _win7 >>"$METRICS"
stop_started

echo "chromivo: measuring pick entry at 3840x2160 as Windows 10" >&2
start_virtual_display 3840x2160
prepare_wine_prefix "$BUILD_DIR/wine-bench" 3840x2160
bench pick-entry _2160 >>"$METRICS"

footprint >>"$METRICS"
"$WINE64" "$BIN/chromivo_bench.exe" report "$(winepath -w "$METRICS" 2>/dev/null)"

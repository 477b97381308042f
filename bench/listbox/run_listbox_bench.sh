#!/bin/sh
# The whole program beside `dialog --checklist`, `whiptail --checklist`,
# `fzf --multi` and a floor, in one run: an 80 x 30 pseudo-terminal and
# 1000 names. The program starts in a start directory whose course holds
# 600 .txt and 400 .dat files; the list box alone (listbox_show) and the
# peers get the same 1000 names; the floor (floor_list) lists the course
# directory and writes one frame in one write. Each program is started RUNS
# times (10 by default); every figure is a median.
#
#   bench/listbox/run_listbox_bench.sh [build-dir]      (default: build/native)
#
# Prints a Markdown table. Needs the native build (corrivex, listbox_show,
# pty_measure, floor_list); dialog, whiptail and fzf are measured where
# installed (scripts/install-deps --bench).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build/native}
build=$(cd "$build" && pwd)
program=$build/corrivex
show=$build/bench/listbox/listbox_show
measure=$build/bench/listbox/pty_measure
floor=$build/bench/listbox/floor_list
runs=${RUNS:-10}

for tool in "$program" "$show" "$measure" "$floor"; do
  [ -x "$tool" ] || { echo "missing $tool: build the native preset first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
start=$work/start
mkdir -p "$start/course"
# The demo's batchs.ini: batch mode on, the course directory `course`.
cp "$here/../../demo/batchs.ini" "$start/batchs.ini"
names=$work/names.txt
(
  cd "$start/course"
  i=1
  while [ $i -le 1000 ]; do
    if [ $i -le 600 ]; then extension=txt; else extension=dat; fi
    : > "$(printf 'set%04d' $i).$extension"
    printf 'SET%04d\n' $i
    i=$((i + 1))
  done
) > "$names"

export TERM=${TERM_FOR_BENCH:-xterm-256color}

# measure LABEL [--toggle-tab] COMMAND...: one column, kept in col_<n>.
columns=0
measure() {
  label=$1
  shift
  toggle=
  if [ "$1" = --toggle-tab ]; then
    toggle=--toggle-tab
    shift
  fi
  columns=$((columns + 1))
  # shellcheck disable=SC2086
  line=$(cd "$start" && "$measure" --cols 80 --rows 30 --runs "$runs" $toggle -- "$@")
  eval "label_$columns=\$label line_$columns=\$line"
}

measure "ours (whole program)" "$program"
measure "our list box alone" "$show" "$names"
if command -v dialog >/dev/null 2>&1; then
  # shellcheck disable=SC2046
  measure "dialog --checklist" dialog --no-items --checklist "Select files" 0 0 0 $(sed 's/$/ off/' "$names")
else
  echo "dialog is not installed" >&2
fi
if command -v whiptail >/dev/null 2>&1; then
  # shellcheck disable=SC2046
  measure "whiptail --checklist" whiptail --noitem --checklist "Select files" 30 80 20 $(sed 's/$/ off/' "$names")
else
  echo "whiptail is not installed" >&2
fi
if command -v fzf >/dev/null 2>&1; then
  # Top-down like the others; fzf marks with Tab (Space would be typed into
  # its query).
  measure "fzf --multi" --toggle-tab sh -c 'exec fzf --multi --reverse < "$1"' sh "$names"
else
  echo "fzf is not installed" >&2
fi
measure "floor" "$floor" course

# value N KEY: the figure KEY of column N.
value() {
  eval "line=\$line_$1"
  for pair in $line; do
    case $pair in "$2="*) echo "${pair#*=}"; return ;; esac
  done
}

row() {
  title=$1
  key=$2
  printf '| %s |' "$title"
  n=1
  while [ $n -le $columns ]; do
    printf ' %s |' "$(value $n "$key")"
    n=$((n + 1))
  done
  printf '\n'
}

printf '| |'
n=1
while [ $n -le $columns ]; do
  eval "printf ' %s |' \"\$label_$n\""
  n=$((n + 1))
done
printf '\n|---|'
n=1
while [ $n -le $columns ]; do
  printf -- '---:|'
  n=$((n + 1))
done
printf '\n'
row "bytes to the first complete frame" frame_bytes
row "CPU ms to that frame" cpu_ms
row "ms to that frame" first_frame_ms
row "bytes for Down" down
row "bytes for PageDown" pgdn
row "bytes for Space (fzf: Tab)" space
row "peak RSS KiB" rss_kib
echo
echo "80 x 30 pseudo-terminal, 1000 names, medians of $runs runs"

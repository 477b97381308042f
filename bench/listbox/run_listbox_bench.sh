#!/bin/sh
# The list box beside `dialog --checklist` and `fzf --multi`: the same 1000
# names in an 80 x 30 pseudo-terminal, each program started a few times.
# For each: the time from the start to the first complete frame (median),
# the bytes of that frame, and the bytes sent for Down, PgDn and Space.
#
#   bench/listbox/run_listbox_bench.sh [build-dir]      (default: build/native)
#
# Needs the native build's listbox_show and pty_measure, and dialog and fzf
# (apt-get install dialog fzf).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build/native}
show=$build/bench/listbox/listbox_show
measure=$build/bench/listbox/pty_measure
runs=${RUNS:-5}

for program in "$show" "$measure"; do
  [ -x "$program" ] || { echo "missing $program: build the native preset first" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
names=$work/names.txt
i=1
while [ $i -le 1000 ]; do
  printf 'DATASET%04d\n' $i
  i=$((i + 1))
done > "$names"

export TERM=${TERM_FOR_BENCH:-xterm-256color}

printf '%-22s %14s %12s %8s %8s %8s\n' program first-frame-ms frame-bytes down pgdn space
row() {
  label=$1
  shift
  toggle=
  if [ "$1" = --toggle-tab ]; then
    toggle=--toggle-tab
    shift
  fi
  # shellcheck disable=SC2046,SC2086
  set -- $("$measure" --cols 80 --rows 30 --runs "$runs" $toggle -- "$@" | tr ' ' '\n' | cut -d= -f2)
  printf '%-22s %14s %12s %8s %8s %8s\n' "$label" "$1" "$2" "$3" "$4" "$5"
}

row "corrivex list box" "$show" "$names"

if command -v dialog >/dev/null 2>&1; then
  # shellcheck disable=SC2046
  row "dialog --checklist" dialog --no-items --checklist "Select files" 0 0 0 $(sed 's/$/ off/' "$names")
else
  echo "dialog is not installed" >&2
fi

if command -v fzf >/dev/null 2>&1; then
  # Top-down like the others; fzf marks with Tab (Space would be typed into
  # its query).
  row "fzf --multi --reverse" --toggle-tab sh -c 'exec fzf --multi --reverse < "$1"' sh "$names"
else
  echo "fzf is not installed" >&2
fi

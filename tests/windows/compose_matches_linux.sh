#!/bin/sh
# kestrel-cli.exe composes every job in both languages byte for byte as the
# Linux kestrel-cli does, with both settings files fresh; the settings files
# the two made are the same bytes.
# Arguments: WINE-RUN KESTREL-CLI.EXE LINUX-KESTREL-CLI WORK-FOLDER WINE-PREFIX
set -u
wine_run=$1 windows_cli=$2 linux_cli=$3 work=$4 prefix=$5
rm -rf "$work" && mkdir -p "$work/linux-data" || exit 1
export XDG_DATA_HOME="$work/linux-data"
at="2024-03-05 14:07:09"
jobs=$("$linux_cli" jobs) || exit 1
failed=0 compared=0
for job in $jobs; do
  for lang in zh en; do
    linux="$work/$job-$lang.linux.bin" windows="$work/$job-$lang.windows.bin"
    "$linux_cli" compose "$job" --lang "$lang" --at "$at" --output "$linux"
    # Wine's output goes to files: a pipe would be held open by its server.
    "$wine_run" "$windows_cli" compose "$job" --lang "$lang" --at "$at" --output "Z:$windows" \
      >"$work/wine.out" 2>"$work/wine.err"
    if ! cmp -s "$linux" "$windows"; then
      echo "compose $job --lang $lang differs:"
      cmp "$linux" "$windows"
      cat "$work/wine.err"
      failed=1
    fi
    compared=$((compared + 1))
  done
done
echo "$compared jobs compared"
windows_ini=$(find "$prefix/drive_c/users" -path '*/AppData/Local/Tarnwick/Kestrel.ini' | head -n 1)
if ! cmp "$work/linux-data/Tarnwick/Kestrel.ini" "${windows_ini:-missing}"; then
  echo "the settings files differ"
  failed=1
fi
[ "$compared" -ge 74 ] || { echo "expected at least 37 jobs in two languages"; failed=1; }
exit $failed

#!/bin/sh
# Serial ports registered under HARDWARE\DEVICEMAP\SERIALCOMM are listed in
# the registry's order (not sorted), after the ports Wine registers itself.
# Arguments: WINE-RUN KESTREL-CLI.EXE WORK-FOLDER
set -u
wine_run=$1 windows_cli=$2 work=$3
rm -rf "$work" && mkdir -p "$work" || exit 1
key='HKLM\HARDWARE\DEVICEMAP\SERIALCOMM'
remove() {
  for name in KestrelTestA KestrelTestB; do
    "$wine_run" reg delete "$key" /v "$name" /f >"$work/reg.out" 2>&1
  done
}
trap remove EXIT
"$wine_run" reg add "$key" /v KestrelTestA /d COM23 /f >"$work/reg.out" 2>&1 || exit 1
"$wine_run" reg add "$key" /v KestrelTestB /d COM4 /f >"$work/reg.out" 2>&1 || exit 1
"$wine_run" "$windows_cli" list-ports >"$work/list.out" 2>"$work/list.err" || { cat "$work/list.err"; exit 1; }
ports=$(sed -n '/^Serial ports:/,$p' "$work/list.out" | tr -d '\r' | tail -n 2 | tr -s ' \n' ' ')
if [ "$ports" != " COM23 COM4 " ]; then
  echo "the last two listed ports are '$ports', expected COM23 then COM4:"
  cat "$work/list.out"
  exit 1
fi

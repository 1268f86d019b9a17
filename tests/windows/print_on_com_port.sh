#!/bin/sh
# kestrel-cli.exe prints on a COM port that Wine maps onto one end of a
# pseudo-terminal pair; the other end receives exactly the Linux build's job
# bytes, at each of two line rates. An aging run on the port stops on Ctrl+C
# (SIGINT to the Wine process) as it does on Linux: exit 0, the run logged
# as interrupted.
# Arguments: WINE-RUN KESTREL-CLI.EXE LINUX-KESTREL-CLI WORK-FOLDER WINE-PREFIX
set -u
wine_run=$1 windows_cli=$2 linux_cli=$3 work=$4 prefix=$5
rm -rf "$work" && mkdir -p "$work" || exit 1
export XDG_DATA_HOME="$work"
at="2024-03-05 14:07:09"
port=COM5

socat pty,raw,echo=0,link="$work/printer" pty,raw,echo=0,link="$work/port" 2>"$work/socat.log" &
socat_pid=$!
trap 'kill $socat_pid 2>/dev/null; rm -f "$prefix/dosdevices/com5"' EXIT
for _ in 1 2 3 4 5 6 7 8 9 10; do
  [ -e "$work/port" ] && [ -e "$work/printer" ] && break
  sleep 0.2
done
# Wine's first run makes the prefix; only then is there a dosdevices folder.
"$wine_run" "$windows_cli" --version >"$work/version.out" 2>&1
ln -sfn "$work/port" "$prefix/dosdevices/com5" || exit 1

failed=0
for job_rate in "80x60 115200" "60x20 9600"; do
  set -- $job_rate
  job=$1 rate=$2
  "$linux_cli" compose "$job" --lang zh --at "$at" --output "$work/want.bin" || exit 1
  size=$(wc -c <"$work/want.bin")
  timeout 20 head -c "$size" "$work/printer" >"$work/got.bin" &
  reader=$!
  "$wine_run" "$windows_cli" print "$job" --port "$port" --baud "$rate" --lang zh --at "$at" \
    >"$work/print.out" 2>"$work/print.err"
  status=$?
  wait $reader
  if [ $status -ne 0 ] || ! cmp "$work/want.bin" "$work/got.bin"; then
    echo "print $job at $rate on $port: exit $status, $(wc -c <"$work/got.bin") of $size bytes"
    cat "$work/print.err"
    failed=1
  fi
  # The line keeps the settings the program gave it: the rate, 8N1, no handshake.
  settings=$(stty -F "$work/port" -a | tr ' ;' '\n\n')
  for setting in "$rate" cs8 -parenb -cstopb -crtscts -ixon -ixoff; do
    if ! printf '%s\n' "$settings" | grep -qx -- "$setting"; then
      echo "after print at $rate the line lacks $setting:" $settings
      failed=1
    fi
  done
done

cat "$work/printer" >"$work/aging.bin" &
drain=$!
"$wine_run" "$windows_cli" aging 60x40 --port "$port" --interval 200 --log "$work/aging.csv" \
  >"$work/aging.out" 2>"$work/aging.err" &
aging=$!
for _ in $(seq 100); do
  [ "$(wc -l <"$work/aging.out" 2>/dev/null || echo 0)" -ge 3 ] && break
  sleep 0.2
done
pkill -INT -f "aging 60x40 --port $port --interval 200 --log $work/aging.csv"
wait $aging
status=$?
kill $drain 2>/dev/null
if [ $status -ne 0 ] || ! tail -n 1 "$work/aging.csv" | grep -q ',end,.*,interrupted,'; then
  echo "aging on $port after Ctrl+C: exit $status, log ends with: $(tail -n 1 "$work/aging.csv")"
  cat "$work/aging.err"
  failed=1
fi
exit $failed

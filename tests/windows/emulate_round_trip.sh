#!/bin/sh
# kestrel-cli.exe emulate --listen is a network printer: two jobs that
# kestrel-cli.exe prints to its tcp: port, one connection each, become
# page-0001 and page-0002, each the picture the Linux build previews for the
# job, with its commands beside it; Ctrl+C ends the printer with exit 0.
# Arguments: WINE-RUN KESTREL-CLI.EXE LINUX-KESTREL-CLI WORK-FOLDER
set -u
wine_run=$1 windows_cli=$2 linux_cli=$3 work=$4
rm -rf "$work" && mkdir -p "$work/want" || exit 1
export XDG_DATA_HOME="$work"
at="2024-03-05 14:07:09"

# Port 0: the system picks a free one, which the printer announces.
"$wine_run" "$windows_cli" emulate --listen 127.0.0.1:0 --output-dir "Z:$work/pages" \
  >"$work/emulate.out" 2>"$work/emulate.err" &
printer=$!
port=""
for _ in $(seq 150); do
  port=$(sed -n 's/^printer port: tcp .*, port \([0-9]*\)$/\1/p' "$work/emulate.out")
  [ -n "$port" ] && break
  sleep 0.2
done
if [ -z "$port" ]; then
  echo "the printer announced no port"
  cat "$work/emulate.out" "$work/emulate.err"
  kill -INT $printer
  exit 1
fi

failed=0 number=0
for job in 60x30 80x60; do
  number=$((number + 1))
  "$linux_cli" preview "$job" --lang zh --at "$at" --output "$work/want/$job.png" >/dev/null || exit 1
  "$wine_run" "$windows_cli" print "$job" --lang zh --at "$at" --port "tcp:127.0.0.1:$port" \
    >"$work/print.out" 2>"$work/print.err" || { cat "$work/print.err"; failed=1; }
  page=$(printf '%s/pages/page-%04d' "$work" $number)
  for _ in $(seq 100); do
    grep -q "^page $number: " "$work/emulate.out" && break
    sleep 0.2
  done
  if ! cmp "$work/want/$job.png" "$page.png" || ! grep -q 'ESC FF' "$page.txt"; then
    echo "$job over TCP did not print as page $number as the Linux build previews it"
    failed=1
  fi
done

kill -INT $printer
wait $printer
status=$?
if [ $status -ne 0 ] || [ -e "$work/pages/page-0003.png" ]; then
  echo "after Ctrl+C the printer ended with $status, pages: $(ls "$work/pages")"
  cat "$work/emulate.err"
  failed=1
fi
exit $failed

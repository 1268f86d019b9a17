#!/bin/sh
# kestrel-cli.exe asks the Linux build's virtual printer for its status and
# identity over TCP (winsock) and on a COM port that Wine maps onto the
# printer's pseudo-terminal, waits for a printed label, and names a refused
# connection.
# Arguments: WINE-RUN KESTREL-CLI.EXE LINUX-KESTREL-CLI WORK-FOLDER WINE-PREFIX
set -u
wine_run=$1 windows_cli=$2 linux_cli=$3 work=$4 prefix=$5
rm -rf "$work" && mkdir -p "$work" || exit 1
export XDG_DATA_HOME="$work"

"$linux_cli" emulate --listen 127.0.0.1:0 --fault paper-end@1 --output-dir "$work/tcp-pages" >"$work/tcp.out" 2>&1 &
tcp_pid=$!
"$linux_cli" emulate --pty --link "$work/port" --fault cover-open --output-dir "$work/pty-pages" \
  >"$work/pty.out" 2>&1 &
pty_pid=$!
trap 'kill $tcp_pid $pty_pid 2>/dev/null; rm -f "$prefix/dosdevices/com7"' EXIT
for _ in $(seq 50); do
  grep -q ', port ' "$work/tcp.out" 2>/dev/null && [ -e "$work/port" ] && break
  sleep 0.1
done
port=$(sed -n 's/.*, port \([0-9]*\)$/\1/p' "$work/tcp.out")
printer="tcp:127.0.0.1:$port"
# Wine's first run makes the prefix; only then is there a dosdevices folder.
"$wine_run" "$windows_cli" --version >"$work/version.out" 2>&1
ln -sfn "$work/port" "$prefix/dosdevices/com7" || exit 1

failed=0
# expect NAME STATUS TEXT ARGS...: the run exits with STATUS and its stdout
# and stderr together hold TEXT.
expect() {
  name=$1 want=$2 text=$3
  shift 3
  "$wine_run" "$windows_cli" "$@" >"$work/$name.out" 2>"$work/$name.err"
  got=$?
  if [ $got -ne "$want" ] || ! cat "$work/$name.out" "$work/$name.err" | grep -qF -- "$text"; then
    echo "$name: exit $got (wanted $want), wanted \"$text\" in:"
    cat "$work/$name.out" "$work/$name.err"
    failed=1
  fi
}

expect tcp-ready 0 '"ready": true' status --port "$printer" --json
expect tcp-print 3 'printed in ' print 60x40 --port "$printer" --wait
expect tcp-fault 3 '"fault": "paper end"' status --port "$printer" --json
expect tcp-info 0 'serial number:    (no answer in 300 ms)' info --port "$printer" --timeout 300
expect com-fault 3 'fault: cover open' status --port COM7
expect com-info 0 'maker:            Tarnwick' info --port COM7 --timeout 300
kill $tcp_pid
wait $tcp_pid 2>/dev/null
expect tcp-refused 1 "connection refused by 127.0.0.1:$port" status --port "$printer"
exit $failed

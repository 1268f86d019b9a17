#!/bin/bash
# Installs the build into a temporary prefix with `cmake --install` and checks
# what a desktop, man and bash find there. Usage: check_install.sh BUILD_DIR
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() { echo "check_install: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$root" >/dev/null

for file in bin/kestrel bin/kestrel-cli share/applications/kestrel.desktop \
    share/man/man1/kestrel.1.gz share/man/man1/kestrel-cli.1.gz \
    share/bash-completion/completions/kestrel-cli \
    share/doc/kestrel/70-kestrel-printers.rules share/doc/kestrel/README.md \
    share/doc/kestrel/examples/plans/quick-check.toml; do
  [ -s "$root/$file" ] || fail "$file is missing"
done
[ -x "$root/bin/kestrel-cli" ] || fail "kestrel-cli is not executable"
"$root/bin/kestrel-cli" --version | grep -q '^kestrel-cli V[0-9]' || fail "kestrel-cli --version"
# The window program answers --help and --version on a console without a display.
nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"; }
[ "$(nodisplay "$root/bin/kestrel" --version)" = "$("$root/bin/kestrel-cli" --version | sed 's/^kestrel-cli/kestrel/')" ] ||
  fail "kestrel --version without a display"
nodisplay "$root/bin/kestrel" --help | grep -q '^usage: kestrel' || fail "kestrel --help without a display"
status=0
nodisplay "$root/bin/kestrel" --frobnicate 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "kestrel --frobnicate: exit status $status, not 2"

# The icon theme's sizes are PNG pictures of their size, with transparency around the mark.
for size in 16 22 24 32 48 64 128 256; do
  icon=$root/share/icons/hicolor/${size}x${size}/apps/kestrel.png
  file -b "$icon" | grep -q "^PNG image data, $size x $size, 8-bit/color RGBA," || fail "icon $size: $(file -b "$icon")"
done

# The desktop entry starts a program and shows an icon that are installed.
entry=$root/share/applications/kestrel.desktop
for key in 'Type=Application' 'Name=Kestrel' 'Exec=kestrel' 'Icon=kestrel' 'Terminal=false'; do
  grep -qx "$key" "$entry" || fail "desktop entry lacks $key"
done
grep -q '^Name\[zh_CN\]=.*标签打印机' "$entry" || fail "desktop entry lacks its Chinese name"
grep -q '^Categories=.*;$' "$entry" || fail "desktop entry lacks categories"

# The manual pages format without a warning, and the CLI's page names every
# command and option that the program's help lists.
for page in kestrel kestrel-cli; do
  warnings=$(gzip -dc "$root/share/man/man1/$page.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done
manual=$(MANWIDTH=200 man -l "$root/share/man/man1/kestrel-cli.1.gz" 2>/dev/null | sed 's/‐//g')
commands=$("$root/bin/kestrel-cli" help | sed -n '/^commands:/,/^$/s/^  \([a-z-]*\) .*/\1/p')
[ -n "$commands" ] || fail "kestrel-cli help lists no commands"
for command in $commands; do
  grep -qw -- "$command" <<<"$manual" || fail "kestrel-cli.1 does not describe $command"
  for option in $("$root/bin/kestrel-cli" help "$command" | sed -n 's/^  \(--[a-z-]*\).*/\1/p'); do
    grep -q -- "$option" <<<"$manual" || fail "kestrel-cli.1 does not describe $option of $command"
  done
done

# Bash completion, against the installed program: commands, job names,
# options of the command, ports.
export PATH="$root/bin:$PATH"
source "$root/share/bash-completion/completions/kestrel-cli"
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  _kestrel_cli
  echo "${COMPREPLY[*]}"
}
[ "$(complete_words kestrel-cli com)" = compose ] || fail "completes 'com' to '$(complete_words kestrel-cli com)'"
[ "$(complete_words kestrel-cli print 80x)" = "80x20 80x30 80x40 80x50 80x60" ] || fail "job names"
[ "$(complete_words kestrel-cli aging 60x40 --tic)" = --ticks ] || fail "aging options"
[ "$(complete_words kestrel-cli send --h)" = "--hex --help" ] || fail "send options"
[ "$(complete_words kestrel-cli print 60x40 --port '')" = "$(printf 'usb\n%s' "$("$root/bin/kestrel-cli" list-ports \
  | sed -n '/^Serial ports:/,$s/^  //p')" | tr '\n' ' ')" ] || fail "ports: $(complete_words kestrel-cli print x --port '')"
[ -z "$(complete_words kestrel-cli aging 60x40 --interval '')" ] || fail "offers words for --interval"
touch "$root/run.csv"
[ "$(complete_words kestrel-cli aging 60x40 --log "$root/ru")" = "$root/run.csv" ] || fail "file names for --log"
echo "check_install: all installed files in order"

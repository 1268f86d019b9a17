#!/bin/bash
# Builds the Debian package from the build folder into a temporary folder,
# checks its name, control fields and contents, unpacks it with dpkg -x and
# runs the unpacked kestrel-cli. Usage: check_deb.sh BUILD_DIR VERSION
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_deb: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$work/out/kestrel_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); made: $(ls "$work/out")"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kestrel ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
# Found by dpkg-shlibdeps, not written by hand: the C library and Qt Widgets.
for library in libc6 libqt6widgets6 libqt6core6 libstdc++6; do
  grep -q "\b$library (>= " <<<"$(field Depends)" || fail "Depends lacks $library: $(field Depends)"
done
[ -n "$(field Maintainer)" ] && [ -n "$(field Description)" ] || fail "Maintainer or Description missing"

# Debian's own checker finds no error in the package.
if command -v lintian >/dev/null; then
  lintian --no-tag-display-limit "$deb" >"$work/lintian.log" 2>&1 || true
  if grep -q '^E:' "$work/lintian.log"; then
    grep '^E:' "$work/lintian.log" >&2
    fail "lintian reports errors"
  fi
else
  fail "lintian is missing (scripts/setup installs it)"
fi

contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/kestrel ./usr/bin/kestrel-cli ./usr/share/applications/kestrel.desktop \
    ./usr/share/man/man1/kestrel-cli.1.gz ./usr/share/icons/hicolor/48x48/apps/kestrel.png \
    ./usr/share/bash-completion/completions/kestrel-cli ./usr/share/doc/kestrel/copyright \
    ./usr/share/doc/kestrel/changelog.gz ./usr/share/doc/kestrel/THIRD-PARTY-NOTICES.txt; do
  grep -q " $file\$" <<<"$contents" || fail "the package lacks $file"
done

dpkg -x "$deb" "$work/root"
cli=$work/root/usr/bin/kestrel-cli
[ "$("$cli" --version)" = "kestrel-cli V$version" ] || fail "--version: $("$cli" --version)"
[ "$("$cli" compose density --density 8)" = "1B 4E 04 08" ] || fail "compose: $("$cli" compose density --density 8)"
echo "check_deb: $(basename "$deb") in order"

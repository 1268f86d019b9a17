#!/bin/bash
# Builds the Debian package from the build folder into a temporary folder,
# checks its name, control fields and contents, unpacks it with dpkg -x and
# runs the unpacked kestrel-cli. Usage: check_deb.sh BUILD_DIR VERSION BUILD_TYPE
set -euo pipefail
build=$1
version=$2
build_type=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_deb: $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$work/out/kestrel_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || fail "no $(basename "$deb"); made: $(ls "$work/out")"

# cpack checks the programs' hardening before it packs them, and makes no
# package whose programs lack what their build type promises: programs of an
# unoptimised build passed off as Release are refused.
for program in kestrel kestrel-cli; do
  grep -q "check_hardening: $program: PIE, RELRO, bind-now" "$work/cpack.log" ||
    fail "cpack did not check the hardening of $program"
done
case "$build_type" in
  Release | RelWithDebInfo | MinSizeRel) ;;
  *)
    if cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/claimed" -D CPACK_KESTREL_BUILD_TYPE=Release \
      >"$work/claimed.log" 2>&1 || compgen -G "$work/claimed/*.deb" >/dev/null; then
      fail "a package of $build_type programs passed off as Release was made"
    fi
    grep -q "has no stack protector" "$work/claimed.log" || fail "the refusal does not say why: $(cat "$work/claimed.log")"
    ;;
esac

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

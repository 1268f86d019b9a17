#!/bin/bash
# Makes the Windows zip and installer from the Windows build folder into a
# temporary folder and checks them without running the installer (a 32-bit
# program): the zip's files, and that every shortcut and registry entry of
# the installer script names a file the package installs, the folder put on
# PATH is the programs' folder, and the licence page holds Kestrel's terms and
# the notices. Usage: check_windows_package.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_windows_package: $*" >&2; exit 1; }

cpack -G "ZIP;NSIS" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
zip=$(ls "$work"/out/Kestrel-*-win64.zip) || fail "no zip made"
ls "$work"/out/Kestrel-*-win64.exe >/dev/null || fail "no installer made"
listing=$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' "$zip")
for file in kestrel.exe kestrel-cli.exe README.txt LICENSE.txt; do
  grep -Eq "^[^/]+/$file\$" <<<"$listing" || fail "the zip lacks $file at the top of its folder"
done

script=$work/out/_CPack_Packages/win64/NSIS/project.nsi
staged=$(ls -d "$work"/out/_CPack_Packages/win64/NSIS/Kestrel-*-win64)
[ -f "$script" ] && [ -d "$staged" ] || fail "no installer script or staged files"
# The script as makensis compiles it: lines in !ifdef blocks of names it
# does not define are left out.
awk 'FNR == NR { if ($1 == "!define") defined[$2] = 1; next }
  $1 == "!ifdef" { skip[++depth] = !($2 in defined); next }
  $1 == "!ifndef" { skip[++depth] = ($2 in defined); next }
  $1 == "!else" { skip[depth] = !skip[depth]; next }
  $1 == "!endif" { depth--; next }
  { for (i = 1; i <= depth; i++) if (skip[i]) next; print }' "$script" "$script" >"$work/compiled.nsi"
script=$work/compiled.nsi
uninstaller=$(sed -n 's/^ *WriteUninstaller "\$INSTDIR\\\(.*\)"/\1/p' "$script")
# Every "$INSTDIR\..." that the script makes a shortcut or registry value of.
mapfile -t targets < <(grep -E 'CreateShortCut|WriteReg|^ *Push "' "$script" | grep -o '\$INSTDIR\\[^"$]*' | sort -u)
[ "${#targets[@]}" -ge 3 ] || fail "too few install-folder paths in the script: ${targets[*]}"
for target in "${targets[@]}"; do
  relative=${target#\$INSTDIR\\}
  relative=${relative//\\.\\/\\}
  relative=${relative#.\\}
  relative=${relative//\\//}
  [ "$relative" = "$uninstaller" ] && continue
  [ -e "$staged/$relative" ] || fail "the script points at $target, which the package does not install"
done
grep -q 'CreateShortCut "\$SMPROGRAMS\\\$STARTMENU_FOLDER\\Kestrel.lnk" "\$INSTDIR\\.\\kestrel.exe"' "$script" ||
  fail "no Start menu entry Kestrel for kestrel.exe"
grep -q 'Kestrel command prompt.lnk" "\$SYSDIR\\cmd.exe" "/k kestrel-cli --help"' "$script" ||
  fail "no Start menu entry for a console in the install folder"
grep -q 'StrCmp "ON" "ON" 0 doNotAddToPath' "$script" || fail "the installer does not offer to add the folder to PATH"
if grep -q 'Push \$INSTDIR\\bin' "$script"; then fail "PATH would get \$INSTDIR\\bin, which holds nothing"; fi
for value in '"InstallLocation" "\$INSTDIR"' '"EstimatedSize" \$0' '"DisplayIcon"'; do
  grep -q "$value" "$script" || fail "the uninstall entry lacks $value"
done
licence=$(sed -n 's/^ *!insertmacro MUI_PAGE_LICENSE "\(.*\)"/\1/p' "$script")
[ -f "$licence" ] || fail "no licence page"
for notice in 'Copyright (C) 2024-2026 Tarnwick' 'The FreeType Project' 'libpng' 'Jean-loup Gailly and Mark Adler' \
    'Robin Stuart' 'WenQuanYi' 'Apache License'; do
  grep -q "$notice" "$licence" || fail "the licence page lacks $notice"
done
echo "check_windows_package: $(basename "$zip") and the installer in order (${#targets[@]} install-folder paths)"

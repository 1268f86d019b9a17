#!/bin/sh
# Builds the virtual printer's libraries for Windows: zlib, libpng, FreeType
# and libzint, static, from Debian's own source packages. The sources come
# through apt from a deb-src list private to this folder (apt checks them
# against the Debian archive keyring, as it checks every download); nothing of
# the system's apt setup is read or changed. What was built is kept: a later
# run with the same versions and compiler does nothing.
#
# Arguments: FOLDER TRIPLE C-COMPILER C++-COMPILER [COMPILER-LAUNCHER]
# Writes FOLDER/prefix/{include,lib} and FOLDER/prefix/built, the record of
# what it holds; the log of a run goes to FOLDER/build.log.
set -eu
folder=$1 triple=$2 cc=$3 cxx=$4 launcher=${5:-}

# The versions of Debian 12 (bookworm and its point releases). When one of
# them leaves the archive, apt says so and the new one is written here.
PACKAGES="zlib=1:1.2.13.dfsg-1
  libpng1.6=1.6.39-2+deb12u5
  freetype=2.12.1+dfsg-5+deb12u4
  zint=2.11.1-1"
MIRROR=http://deb.debian.org
KEYRING=/usr/share/keyrings/debian-archive-keyring.gpg

prefix="$folder/prefix"
mkdir -p "$folder"
# A change of versions, compiler or of this script builds them again.
record="$PACKAGES $triple $($cc -dumpfullversion 2>/dev/null || $cc -dumpversion) $(cksum <"$0")"
if [ -f "$prefix/built" ] && [ "$(cat "$prefix/built")" = "$record" ]; then
  exit 0
fi

for tool in apt-get dpkg-source cmake "$cc" "$cxx"; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "windows-libraries: $tool is missing (scripts/setup installs it)" >&2
    exit 1
  fi
done
if [ ! -r "$KEYRING" ]; then
  echo "windows-libraries: $KEYRING is missing (package debian-archive-keyring)" >&2
  exit 1
fi

# The details go to the log; the caller sees what is being done, and the
# end of the log when something fails.
log="$folder/build.log"
exec 3>&1 4>&2 >"$log" 2>&1
say() { echo "windows-libraries: $*" >&3; }
report_failure() {
  status=$?
  if [ "$status" != 0 ]; then
    tail -n 40 "$log" >&4
    echo "windows-libraries: failed; the whole log is $log" >&4
  fi
}
trap report_failure EXIT

rm -rf "$prefix" "$folder/sources" "$folder/build"
apt_root="$folder/apt"
mkdir -p "$apt_root/sources.list.d" "$apt_root/preferences.d" "$apt_root/lists/partial" \
  "$apt_root/cache/archives/partial" "$folder/sources" "$folder/build" "$prefix"
cat >"$apt_root/sources.list" <<EOF
deb-src [signed-by=$KEYRING] $MIRROR/debian bookworm main
deb-src [signed-by=$KEYRING] $MIRROR/debian bookworm-updates main
EOF
# Only this folder's list, state and cache; downloads as the caller (root
# hands them to the _apt user, who cannot write into a build folder).
cat >"$apt_root/apt.conf" <<EOF
Dir::Etc::sourcelist "$apt_root/sources.list";
Dir::Etc::sourceparts "$apt_root/sources.list.d";
Dir::Etc::preferences "$apt_root/preferences";
Dir::Etc::preferencesparts "$apt_root/preferences.d";
Dir::State "$apt_root";
Dir::State::lists "$apt_root/lists";
Dir::State::status "$apt_root/status";
Dir::Cache "$apt_root/cache";
APT::Sandbox::User "$(id -un)";
Acquire::Languages "none";
EOF
: >"$apt_root/status"
export APT_CONFIG="$apt_root/apt.conf"

say "fetching the sources of" $PACKAGES
apt-get -q update
# shellcheck disable=SC2086
(cd "$folder/sources" && apt-get -q source --only-source $PACKAGES)

source_of() {
  for dir in "$folder/sources/$1"-*/; do
    [ -d "$dir" ] && echo "${dir%/}" && return 0
  done
  echo "windows-libraries: the source of $1 was not unpacked" >&2
  return 1
}

# Configures one library's CMake build for the target system.
configure() {
  name=$1 source=$2
  shift 2
  cmake -S "$source" -B "$folder/build/$name" -G "Unix Makefiles" \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=x86_64 \
    -DCMAKE_C_COMPILER="$cc" -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_RC_COMPILER="$triple-windres" \
    -DCMAKE_AR="$(command -v "$triple-gcc-ar-posix" || command -v "$triple-ar")" \
    -DCMAKE_RANLIB="$(command -v "$triple-gcc-ranlib-posix" || command -v "$triple-ranlib")" \
    ${launcher:+-DCMAKE_C_COMPILER_LAUNCHER="$launcher" -DCMAKE_CXX_COMPILER_LAUNCHER="$launcher"} \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH_MODE_PROGRAM=NEVER \
    -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=ONLY -DCMAKE_FIND_ROOT_PATH_MODE_INCLUDE=ONLY \
    -DCMAKE_FIND_ROOT_PATH_MODE_PACKAGE=ONLY -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DCMAKE_POLICY_DEFAULT_CMP0074=NEW --no-warn-unused-cli -Wno-dev "$@"
}

jobs=$(nproc 2>/dev/null || echo 2)

# Configures, builds and installs one library into the prefix.
build() {
  configure "$@"
  cmake --build "$folder/build/$1" -j "$jobs"
  cmake --install "$folder/build/$1"
  say "$1 built"
}

# zlib: only the static library. Debian's source leaves out the win32 folder
# that the shared library's resources would come from.
zlib_source=$(source_of zlib)
configure zlib "$zlib_source"
cmake --build "$folder/build/zlib" --target zlibstatic -j "$jobs"
mkdir -p "$prefix/include" "$prefix/lib"
cp "$folder/build/zlib/libzlibstatic.a" "$prefix/lib/libz.a"
cp "$folder/build/zlib/zconf.h" "$zlib_source/zlib.h" "$prefix/include/"
say "zlib built"

build libpng "$(source_of libpng1.6)" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF -DZLIB_ROOT="$prefix" -DZLIB_LIBRARY="$prefix/lib/libz.a" \
  -DZLIB_INCLUDE_DIR="$prefix/include"

# The virtual printer draws TrueType outlines only: no colour fonts, no
# shaping. Compressed fonts are read with the zlib above, not a copy of it.
build freetype "$(source_of freetype)" -DFT_REQUIRE_ZLIB=ON -DZLIB_LIBRARY="$prefix/lib/libz.a" \
  -DZLIB_INCLUDE_DIR="$prefix/include" -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON \
  -DFT_DISABLE_BROTLI=ON

# libzint: only the static library, without its own PNG writer (the
# symbols are read from its buffer). Its install step would write a CMake
# module into CMake's own folder, so the two files are copied instead.
zint_source=$(source_of zint)
configure zint "$zint_source" -DZINT_STATIC=ON -DZINT_USE_PNG=OFF -DZINT_USE_QT=OFF
cmake --build "$folder/build/zint" --target zint-static -j "$jobs"
cp "$folder/build/zint/backend/libzint-static.a" "$prefix/lib/libzint.a"
cp "$zint_source/backend/zint.h" "$prefix/include/"
say "zint built"

# The licence texts of what the programs carry, for the Windows package.
mkdir -p "$prefix/licenses"
for package in zlib libpng1.6 freetype zint; do
  cp "$(source_of "$package")/debian/copyright" "$prefix/licenses/$package.copyright"
done
echo "$record" >"$prefix/built"

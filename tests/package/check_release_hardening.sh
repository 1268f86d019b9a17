#!/bin/bash
# Configures the project as the package is built (Release) in a scratch
# folder, builds only the small hardening probe with the flags that
# configuration gives every program, and checks the probe for PIE, RELRO,
# bind-now, the stack protector and fortified calls. The suite builds Debug,
# where the last two are left out, so this is where they are checked.
# Usage: check_release_hardening.sh SOURCE_DIR CXX_COMPILER
set -euo pipefail
source_dir=$1
compiler=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check_release_hardening: $*" >&2; exit 1; }

cmake -S "$source_dir" -B "$work" -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER="$compiler" \
  -DKESTREL_BENCHMARKS=OFF >"$work/configure.log" 2>&1 || { cat "$work/configure.log" >&2; fail "configure failed"; }
cmake --build "$work" --target kestrel-hardening-probe >"$work/build.log" 2>&1 ||
  { cat "$work/build.log" >&2; fail "the probe did not build"; }
bash "$(dirname "$0")/check_hardening.sh" Release "$work/tests/kestrel-hardening-probe"

#!/bin/bash
# Checks the built programs for Debian's hardening: position-independent
# (PIE), relocations read-only and bound at start (RELRO, bind-now), and, in
# an optimised build (the package's), the stack protector and the C library's
# fortified calls.
# Usage: check_hardening.sh BUILD_TYPE PROGRAM...
set -euo pipefail
build_type=$1
shift
fail() { echo "check_hardening: $*" >&2; exit 1; }

for program in "$@"; do
  name=$(basename "$program")
  readelf -h "$program" | grep -q 'Type:[[:space:]]*DYN' || fail "$name is not position-independent (PIE)"
  readelf -l -W "$program" | grep -q 'GNU_RELRO' || fail "$name has no read-only relocations (RELRO)"
  readelf -d -W "$program" | grep -Eq 'BIND_NOW|FLAGS_1.*\bNOW\b' || fail "$name is not linked with bind-now"
  symbols=$(readelf --dyn-syms -W "$program")
  case "$build_type" in
    Release | RelWithDebInfo | MinSizeRel)
      grep -q '__stack_chk_fail' <<<"$symbols" || fail "$name has no stack protector"
      grep -Eq '__(memcpy|memmove|memset|snprintf|vsnprintf|sprintf|vfprintf|fprintf|printf|strcpy|strncpy|read)_chk' \
        <<<"$symbols" || fail "$name calls no fortified function (_FORTIFY_SOURCE)"
      ;;
  esac
  echo "check_hardening: $name: PIE, RELRO, bind-now${build_type:+ ($build_type build)}"
done

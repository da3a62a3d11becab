#!/usr/bin/env bash
# Runs the layer check on small made-up source trees: a tree that keeps the
# rules passes, and each kind of broken rule fails with its file and include.
# Usage: check_layers_test.sh PATH/TO/check-layers.sh
set -euo pipefail
check=${1:?usage: check_layers_test.sh CHECK_LAYERS_SCRIPT}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0

put() {  # tree file lines...
  local file=$1/src/$2
  shift 2
  mkdir -p "$(dirname "$file")"
  printf '%s\n' "$@" > "$file"
}

good_tree() {
  rm -rf "$1"
  put "$1" base/error.h '#pragma once'
  put "$1" base/handles_win.h '#pragma once' '#include <windows.h>'
  put "$1" export/crop.h '#pragma once' '#include "base/error.h"'
  put "$1" export/crop.cpp '#include "export/crop.h"' '#include "crop.h"' '#include <vector>'
  put "$1" messenger/store_win.cpp '#include <windows.h>' '#include "base/handles_win.h"' '#include "export/crop.h"'
  put "$1" app/main_win.cpp '#include <windows.h>' '#include "messenger/../export/crop.h"' '#include "app/form_win.h"'
  put "$1" app/form_win.h '#pragma once'
}

expect_pass() {  # name tree
  local out
  if ! out=$(bash "$check" "$2" 2>&1); then
    echo "FAIL $1: the check refused a tree that keeps the rules:"
    echo "$out"
    failures=$((failures + 1))
  else
    echo "ok   $1"
  fi
}

expect_offence() {  # name tree expected-line
  local out rc=0
  out=$(bash "$check" "$2" 2>/dev/null) || rc=$?
  if [ "$rc" -eq 0 ]; then
    echo "FAIL $1: the check passed, expected: $3"
    failures=$((failures + 1))
  elif [ "$out" != "$3" ]; then
    echo "FAIL $1: expected only \"$3\", the check printed:"
    echo "$out"
    failures=$((failures + 1))
  else
    echo "ok   $1"
  fi
}

tree=$tmp/tree
good_tree "$tree"
expect_pass "a tree that keeps the rules passes" "$tree"

good_tree "$tree"
put "$tree" export/export_win.cpp '#include <windows.h>' '#include "app/form_win.h"'
expect_offence "an include from a higher layer fails" "$tree" \
  'src/export/export_win.cpp: "app/form_win.h" (app is above export)'

good_tree "$tree"
put "$tree" scene/pixels.cpp '#include "base/error.h"' '  #  include <Windows.h>'
expect_offence "a platform-free file including windows.h fails" "$tree" \
  'src/scene/pixels.cpp: <Windows.h> (a platform-free file includes the Windows API)'

good_tree "$tree"
put "$tree" base/text.h '#pragma once' '#include "handles_win.h"'
expect_offence "a platform-free file including a Win32 header of its own layer fails" "$tree" \
  'src/base/text.h: "handles_win.h" (a platform-free file includes a Win32 header)'

good_tree "$tree"
put "$tree" scene/sign.cpp '#include "../messenger/store.h"'
put "$tree" messenger/store.h '#pragma once'
expect_offence "an include that climbs out of its folder by a relative path fails" "$tree" \
  'src/scene/sign.cpp: "../messenger/store.h" (messenger is above scene)'

[ "$failures" -eq 0 ] || { echo "$failures case(s) failed"; exit 1; }

#!/usr/bin/env bash
# Runs a Windows test program through the build's Wine wrapper (the first
# argument) with Wine's CR LF line ends turned into LF, so that GoogleTest's
# test listing gives whole test names to ctest.
set -uo pipefail
runner=$1
shift
"$runner" "$@" | tr -d '\r'

#!/usr/bin/env bash
# Usage: run-under-wine.sh PROGRAM.exe [ARGS...]; exits with the program's code.
set -u
source "$(dirname "$0")/../../scripts/wine-env.sh"
wk_start_display || exit 1
trap wk_stop_display EXIT
wk_prepare_prefix
wk_wine "$@"

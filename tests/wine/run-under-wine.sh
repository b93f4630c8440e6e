#!/usr/bin/env bash
# Runs one Windows test program under Wine in the project's prefix and
# passes its exit code on. Usage: run-under-wine.sh PROGRAM.exe [ARGS...]
set -u
source "$(dirname "$0")/wine-env.sh"
wk_start_display || exit 1
wk_prepare_prefix
trap wk_stop_display EXIT
wine "$@"

#!/usr/bin/env bash
# Runs a Wine program with its output going to a file, printed when it ends. Wine's services inherit the
# first program's output and outlive it: a pipe they hold would keep ctest waiting for each test until
# the Wine server shuts down, seconds after the program itself has ended.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
"$@" >"$log" 2>&1
status=$?
cat "$log"
exit "$status"

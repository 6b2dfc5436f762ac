#!/bin/sh
# Runs one test program under Wine for CTest: "$@" is Wine, the program and its arguments.
# A program that fails having written nothing at all leaves CTest nothing to show, so its
# exit status is told on the error output.
"$@"
status=$?
[ "$status" -eq 0 ] || echo "wine-run: $2 ended with status $status" >&2
exit "$status"

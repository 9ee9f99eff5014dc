#!/bin/bash
# What a hidden run writes, on a bare X server: the result line keeps ASCII
# digits in every locale (only the decimal separator is the locale's); a
# reader that went away is a failure with a word on standard error, never a
# death by SIGPIPE.
. "$(dirname "$0")/lib.sh"
start_xvfb

PLANG=ar_EG.UTF-8 run "$HIDDEN_L"
check_eq "ar_EG: status" 0 "$rc"
check_out "ar_EG: ASCII digits, the Arabic decimal separator" "1892٫585 km/139٫74 °"

# The reader is gone before the line comes: status 1 and one line on stderr.
LANG=$PLANG timeout -s KILL 10 python3 -c '
import os, subprocess, sys
read_end, write_end = os.pipe()
os.close(read_end)
with open(sys.argv[1], "w") as err:
    sys.exit(subprocess.run(sys.argv[2:], stdout=write_end, stderr=err).returncode)' \
  "$work/pipe.err" "$program" "$HIDDEN_L"
rc=$?
check_eq "closed pipe: status" 1 "$rc"
check_eq "closed pipe: one line on standard error" 1 "$(wc -l <"$work/pipe.err")"
check "closed pipe: the clipboard has the line all the same" clipboard_is "$RESULT_DE"
finish

#!/bin/bash
# Stands in for the Linux program in the shared end-to-end scripts
# (tests/e2e): runs $PELVORN_EXE under Wine with the same arguments.
exec "$(dirname "${BASH_SOURCE[0]}")/wine.sh" "${PELVORN_EXE:?Pelvorn.sh: PELVORN_EXE is not set}" "$@"

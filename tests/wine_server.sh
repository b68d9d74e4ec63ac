#!/bin/sh
# For the end-to-end tests of a Windows build under Wine (DAYNAME_WINE names
# the loader); nothing to do without it.
#   start: makes the prefix, since Wine writes to standard error while it makes
#          one, then starts a wineserver that stays until `stop`, so that no
#          test's run starts one under that test's limits: a file-size limit
#          would keep it from writing the prefix.
#   stop:  ends that wineserver.
set -eu
[ -n "${DAYNAME_WINE:-}" ] || exit 0
server=$(dirname "$DAYNAME_WINE")/wineserver
case $1 in
start)
    "$DAYNAME_WINE" wineboot --init
    "$server" -w
    "$server" -p </dev/null >/dev/null 2>&1
    ;;
stop)
    "$server" -k
    ;;
esac

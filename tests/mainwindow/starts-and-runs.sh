#!/usr/bin/env bash
# Starts corvant in a throw-away home folder, checks that it is still running after a few seconds
# (it did not fail while starting up), then stops it.
set -u
program=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home LUMARC_HOME=$home/lumarc XDG_CONFIG_HOME=$home/.config XDG_DATA_HOME=$home/.local/share
"$program" >"$home/out.log" 2>&1 &
pid=$!
sleep 4
if ! kill -0 "$pid" 2>/dev/null; then
  wait "$pid"; rc=$?
  echo "corvant ended at start-up with exit code $rc"; cat "$home/out.log"; exit 1
fi
kill -TERM "$pid"; wait "$pid" 2>/dev/null
exit 0

#!/usr/bin/env bash
# Runs a program that opens windows: on the X display there is, else on a virtual one of its own
# (xvfb-run, from Debian's xvfb package).
set -euo pipefail
if [[ -n ${DISPLAY:-} ]]; then
  exec "$@"
fi
if ! command -v xvfb-run >/dev/null; then
  echo "no X display and no xvfb-run: install xvfb to run the window's tests" >&2
  exit 1
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"

#!/usr/bin/env bash
# The Qt-free layers must not include Qt: only their qt/ subfolders may.
set -euo pipefail
cd "$(dirname "$0")/.."
hits=$(grep -rnE '#include\s*<Q' platform common palette engine cli --include='*.h' --include='*.cpp' \
  | grep -vE '^(platform|common|engine)/qt/' || true)
if [[ -n "$hits" ]]; then
  echo "Qt included in a Qt-free layer:"
  echo "$hits"
  exit 1
fi
echo "Layer check: no Qt in the Qt-free layers."

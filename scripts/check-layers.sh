#!/usr/bin/env bash
# The Qt-free layers must not include Qt: only their qt/ subfolders may.
set -euo pipefail
cd "$(dirname "$0")/.."
hits=$(grep -rnE '#include\s*<Q' platform common palette engine app samples cli --include='*.h' --include='*.cpp' \
  | grep -vE '^(platform|common|engine)/qt/' || true)
if [[ -n "$hits" ]]; then
  echo "Qt included in a Qt-free layer:"
  echo "$hits"
  exit 1
fi
# Nor may they reach into a view: the window's folders and the toolkit subfolders.
views=$(grep -rnE '#include\s*"(window|window-win32|[a-z]+/qt)/' platform common palette engine app samples cli \
  --include='*.h' --include='*.cpp' | grep -vE '^(platform|common|engine)/qt/' || true)
if [[ -n "$views" ]]; then
  echo "A view included in a Qt-free layer:"
  echo "$views"
  exit 1
fi
echo "Layer check: no Qt and no view in the Qt-free layers."

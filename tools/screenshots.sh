#!/usr/bin/env bash
# Writes a PNG of each window into a folder (default screenshots/), under a virtual X server.
#   tools/screenshots.sh [folder] [scene...]      e.g. tools/screenshots.sh screenshots frmAbout
set -euo pipefail
cd "$(dirname "$0")/.."
salida="${1:-screenshots}"
shift || true

export CCACHE_BASEDIR="$PWD"
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DDALVOHD_WERROR=ON >/dev/null
cmake --build build --target capturas >/dev/null

if command -v xvfb-run >/dev/null 2>&1; then
    xvfb-run -a -s "-screen 0 1600x1200x24 -dpi 96" build/bin/capturas "$salida" "$@"
else
    echo "xvfb-run no está instalado (paquete xvfb): se usa la plataforma offscreen." >&2
    QT_QPA_PLATFORM=offscreen build/bin/capturas "$salida" "$@"
fi

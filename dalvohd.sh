#!/usr/bin/env bash
# DalvoHD: install what is missing, build, and start the program (or run every test).
#   ./dalvohd.sh [program arguments]   build and start the console on the embedded demo database
#   ./dalvohd.sh test                  build and run every test (offscreen)
set -euo pipefail
cd "$(dirname "$0")"

# Debian 12 packages the build, the program and the tests need.
PAQUETES=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-translations-l10n
    libsqlite3-dev unixodbc-dev tdsodbc freetds-bin
    xvfb xauth poppler-utils fonts-dejavu-core
)

instalar_faltantes() {
    local faltan=()
    for p in "${PAQUETES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            faltan+=("$p")
        fi
    done
    [ ${#faltan[@]} -eq 0 ] && return 0
    echo "Instalando paquetes: ${faltan[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            sudo=(sudo)
        else
            echo "Faltan paquetes (${faltan[*]}) y no hay sudo: instálelos como root." >&2
            exit 1
        fi
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${faltan[@]}"
}

construir() {
    export CCACHE_BASEDIR="$PWD"
    cmake -S . -B build -G Ninja -DDALVOHD_WERROR=ON >/dev/null
    cmake --build build --parallel "$(nproc)"
}

instalar_faltantes
construir

if [ "${1:-}" = "test" ]; then
    shift
    ctest --test-dir build --output-on-failure --parallel "$(nproc)" "$@"
else
    exec build/bin/dalvohd "$@"
fi

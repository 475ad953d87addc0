#!/bin/sh
# Builds the benchmark, creates the bench database once (kept in <build>/bench and reused while the
# generator, schema and procedures are unchanged), runs every group and prints one table.
#   bench/run.sh [--veces n] [capa|consola|lista|arranque|reporte|memoria ...]
# BUILD names another build folder (default: build at the top of the source tree).
set -eu
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$raiz/build}
hoy=2024-06-11 # the bench data's "today": fixed, so the file is made once and the cases stay the same
cache=$build/bench
mkdir -p "$cache/config" "$cache/datos"

cmake --build "$build" --target dalvohd-bench >&2

# Offscreen, with the program's settings and data folders kept out of the user's own.
export QT_QPA_PLATFORM=offscreen TZ=America/Argentina/Mendoza LANG=es_AR.UTF-8
export XDG_CONFIG_HOME="$cache/config" XDG_DATA_HOME="$cache/datos"
unset DALVOHD_SERVER DALVOHD_SQL_TRACE 2>/dev/null || true

salida=$cache/ultima-corrida.txt
"$build/bin/dalvohd-bench" --base "$cache/banco-$hoy.sqlite" --hoy "$hoy" "$@" | tee "$salida.crudo" >&2

{
    echo "| grupo | caso | filas (cuenta) | medido ms | piso ms | razón | meta | cumple | nota |"
    echo "|---|---|---|---|---|---|---|---|---|"
    grep '^FILA' "$salida.crudo" | cut -f2- | sed 's/\t/ | /g; s/^/| /; s/$/ |/'
    echo
    echo "Máquina: $(nproc) núcleos, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//')."
} | tee "$salida"

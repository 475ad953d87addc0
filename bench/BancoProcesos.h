#pragma once

#include "Comun.h"

namespace dalvo::banco {

// Start-up to the main window and peak memory, each run in a process of its own (this program started
// again with --proceso), against a floor process: Qt, the database file read with the C API, and a bare
// window with a list.
void bancoArranque(const Opciones& o);
void bancoMemoria(const Opciones& o);

// The body of such a process: "arranque", "memoria" or "piso". Prints "RESULTADO ms kb". The clock was
// started at the top of main().
int correrProceso(int argc, char** argv, const QString& modo, const QString& base, const QString& condicion,
                  const QElapsedTimer& reloj);

} // namespace dalvo::banco

#pragma once

#include <QStringList>
#include <QTextStream>

namespace dalvo::herramientas {

// The pieces of dalvohd-report, kept apart from main() so that tests can drive them.

QString textoAyudaReporte();

// Produces one report of the catalogue into a PDF file: connects, builds the report's SQL from the
// parameters, runs it and renders the layout. Prints the report name, rows, pages and file; returns 0, or 1
// with the reason on the error stream (no data, no layout, a query error, a bad argument ...).
int ejecutarReporte(const QStringList& argumentos, QTextStream& salida, QTextStream& errores);

} // namespace dalvo::herramientas

#pragma once

#include "data/Motor.h"

#include <QString>

namespace dalvo::prueba {

// A column of a test table.
ado::Columna columna(const QString& nombre, int tipo, int tamano = 0);

// Rows shaped like the closings listing (Cierres.SQL): IdCierre 1..filas, each provider holding
// "porPrestador" consecutive closings, names "Farmacia 00001 ...", amounts with cents.
ado::Tabla tablaCierres(int filas, int porPrestador = 7);

// The layouts shipped in Reportes/ (the source folder).
QString carpetaReportesFuente();

// Writes a text file (UTF-8) and returns its path.
QString escribir(const QString& ruta, const QByteArray& contenido);

} // namespace dalvo::prueba

#pragma once

#include "data/Motor.h"
#include "reports/ColeccionParametros.h"

#include <QString>

namespace dalvo::prueba {

// A column of a test table.
ado::Columna columna(const QString& nombre, int tipo, int tamano = 0);

// Rows shaped like the closings listing (Cierres.SQL): IdCierre 1..filas, each provider holding
// "porPrestador" consecutive closings, names "Farmacia 00001 ...", amounts with cents.
ado::Tabla tablaCierres(int filas, int porPrestador = 7);

// Every key of the main window's parameter collections but the dates, with values that catch trimming
// (blanks around some) and quoting (a quote in some): provider 42 "Farmacia O'Brien" of type 1, closing 17
// ...
void agregarParametros(ColeccionParametros& p);

// A table of texts for a _data() function: the columns (all QString), then one row per entry, its name first.
void filasDeTexto(std::initializer_list<const char*> columnas,
                  std::initializer_list<std::initializer_list<const char*>> filas);

// The layouts shipped in Reportes/ (the source folder).
QString carpetaReportesFuente();

// Writes a text file (UTF-8) and returns its path.
QString escribir(const QString& ruta, const QByteArray& contenido);

} // namespace dalvo::prueba

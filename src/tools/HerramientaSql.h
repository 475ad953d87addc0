#pragma once

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace dalvo::ado {
class Recordset;
}

namespace dalvo::herramientas {

// The pieces of dalvohd-sql, kept apart from main() so that tests can drive them.

// Splits a script into batches at lines holding only GO (any letter case, blanks around allowed); empty
// batches are dropped.
QStringList separarLotes(const QString& guion);

// One result set as an aligned table: a heading with each column's name and ADO type code, a rule, the
// rows (NULL for nulls, numbers aligned right), then "(n filas)".
QString tablaComoTexto(ado::Recordset& rs);

// How a value of the given ADO type is printed.
QString textoValor(const QVariant& valor, int tipo, int escala);

QString textoAyuda();

// Runs the tool: connects, runs every batch, prints every result set and every error. Returns the exit
// status: 0, or 1 when anything failed.
int ejecutarHerramienta(const QStringList& argumentos, QTextStream& entrada, QTextStream& salida,
                        QTextStream& errores);

} // namespace dalvo::herramientas

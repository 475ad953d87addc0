#pragma once

#include "reports/Diseno.h"

#include <QVariant>

namespace dalvo::reportes {

// The text of a value under a layout format, in the user's locale (FormatoNumero, comoTexto). A null value
// is empty text; Automatico picks the format from the column's database type.
QString formatearValor(const QVariant& valor, Formato formato, int tipoAdo);

// The format Automatico stands for with a column of that database type.
Formato formatoDeTipo(int tipoAdo);

// Amounts and whole numbers are right-aligned, the rest left-aligned.
bool esFormatoNumerico(Formato formato);

// A value as a number for sums: numbers as they are, texts read with "." or the locale's separator, anything
// else (null included) 0.
double valorNumerico(const QVariant& valor);

} // namespace dalvo::reportes

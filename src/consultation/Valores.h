#pragma once

// Conversions of the values the consultation windows pass between them.

#include <QDateTime>
#include <QString>

namespace dalvo {

// A number as a 32-bit whole number, rounded to the nearest (halves to even); out of range raises the
// overflow error with the given source.
qint32 enteroLargo(double valor, const QString& origen);

// A number read from a list cell ("12", "2000001"); a cell that is not a number raises the type mismatch
// error with the given source.
double numeroDeTexto(const QString& texto, const QString& origen);

// A date read from a list cell ("03/05/2024" or "03/05/2024  14:05:09"); an invalid QDateTime when the
// cell holds none.
QDateTime fechaDeTexto(const QString& texto);

} // namespace dalvo

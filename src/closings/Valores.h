#pragma once

// Conversions of the closings: values read from result sets and numbers handed between windows, with the
// errors of the platform the system was written for (a null is an invalid use of Null, a text that is no
// number a type mismatch, a number out of range an overflow), never a silent wrap.

#include <QString>
#include <QVariant>

namespace dalvo {

// A number as a 16-bit one (halves to even): provider numbers as the closing service holds them.
qint16 aEntero16(double numero, const QString& origen);

// A field value as a 32-bit number.
qint32 aEntero32(const QVariant& valor, const QString& origen);

// A field value "as the text of the value": a null is an invalid use of Null.
QString textoDelValor(const QVariant& valor, const QString& origen);

} // namespace dalvo

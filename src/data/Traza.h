#pragma once

#include <QString>

namespace dalvo::ado {

// Statement trace for support. When the environment variable DALVOHD_SQL_TRACE names a file, every
// statement and procedure call sent through a connection appends one line to it:
//
//   2024-02-03 14:05:09.123 | 12 ms | 3 filas | error 0 | SELECT ...
//
// time, elapsed milliseconds, rows of every result set together, the error number (0 = none) and the
// statement on one line. Connection texts are never traced (they hold the password); an open is traced
// as "-- conexión: servidor x, base y, usuario z".
inline constexpr const char* kVariableTraza = "DALVOHD_SQL_TRACE";

void trazar(const QString& sentencia, qint64 milisegundos, qint64 filas, qint32 numeroError);

// The text as one line: line breaks and tabs become blanks.
QString enUnaLinea(const QString& texto);

} // namespace dalvo::ado

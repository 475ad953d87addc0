#pragma once

// Helpers of the ODBC engine shared by its two source files.

#include "data/Motor.h"

#include <QString>
#include <sql.h>
#include <sqlext.h>
#include <vector>

namespace dalvo::ado::odbc {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "unixODBC's SQLWCHAR must be UTF-16");

inline bool exito(SQLRETURN rc)
{
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

// A zero-terminated UTF-16 copy for the wide calls.
std::vector<SQLWCHAR> ancho(const QString& texto);
QString deAncho(const SQLWCHAR* texto, qsizetype largo);

// Every diagnostic record of the handle, in the driver's order.
QVector<ErrorAdo> diagnosticos(SQLSMALLINT tipoHandle, SQLHANDLE handle);

// The records of a failed call; never an empty list.
QVector<ErrorAdo> registrosDelFallo(SQLSMALLINT tipoHandle, SQLHANDLE handle, SQLRETURN rc);

// Throws FallaMotor with the handle's records.
[[noreturn]] void fallar(SQLSMALLINT tipoHandle, SQLHANDLE handle, SQLRETURN rc);

// Reads what an executed statement returned: every result set with columns, the informational messages,
// and an error met after the first result set as the batch's final error.
Lote leerResultados(SQLHSTMT sentencia, SQLRETURN rcEjecucion);

// One bound procedure parameter: its buffer and length/indicator stay put until the call is over.
struct Enlace
{
    std::vector<char> datos;
    SQLLEN indicador = 0;
};

void enlazarParametro(SQLHSTMT sentencia, SQLUSMALLINT posicion, const ParametroMotor& p, Enlace& enlace);
QVariant leerSalida(const ParametroMotor& p, const Enlace& enlace);

} // namespace dalvo::ado::odbc

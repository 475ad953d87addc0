#pragma once

#include "data/Motor.h"

#include <QString>

namespace dalvo::ado {

// A SQL Server host as the program names it: "host", "host,port" or "host\instance".
struct ServidorSql
{
    QString host;   // with "\instance" when one is named: FreeTDS asks the server's browser for its port
    QString puerto; // empty: the driver's default (1433)
};

ServidorSql leerServidorSql(const QString& servidor);

// An ODBC connection-string value in braces, so that ";" or "=" in a password cannot end it. How a "}"
// inside is written depends on the driver:
//  - FreeTDS 1.3 (Debian 12) ends a braced value at the first "}" followed by ";" and keeps everything
//    before it as it stands (measured: "{a}}b}" reaches the server as "a}}b"). So "}" goes in single, and
//    a value holding "};" cannot be written at all.
//  - Drivers that follow the ODBC rule (newer FreeTDS releases) read "}}" as "}": llavesDobles.
QString entreLlaves(const QString& valor, bool llavesDobles);

// DRIVER=...;SERVER=...;PORT=...;UID=...;PWD=...;DATABASE=...;TDS_Version=7.4;ClientCharset=UTF-8;APP=DalvoHD
// TDS_Version is fixed: left to "auto", a silent server makes FreeTDS fall back to an old login and hang
// past the login time-out. Throws FallaMotor (08001) for a value the driver cannot be given.
QString cadenaConexionOdbc(const DatosConexion& datos, const QString& controlador, bool llavesDobles);

// The ADO type code that ADO reports for a column that ODBC describes with this SQL type. The driver's
// type name tells money and smallmoney (which ODBC describes as DECIMAL(19,4) and DECIMAL(10,4)) from
// other decimals; without it a DECIMAL of scale 4 and precision 19 or 10 is taken for money.
int tipoAdoDeSql(int tipoSql, int precision, int escala, const QString& nombreTipo = {});

} // namespace dalvo::ado

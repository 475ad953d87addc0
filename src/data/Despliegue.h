#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace dalvo::ado {

// Deployment settings of the connection. They come from "dalvohd.conf" beside the executable (INI):
//
//   [Conexion]
//   Servidor=sqlprod01,1433
//   ControladorODBC=FreeTDS
//
// Servidor is the default server host: demo, host, host,port, host\\instance (QSettings reads a single
// backslash as an escape, so write it doubled) or sqlite:<file>. ControladorODBC is an ODBC driver name
// registered in odbcinst.ini, or the path of a driver library. LlavesDobles=true says that the driver
// reads "}}" inside a braced connection-string value as "}" (newer FreeTDS releases; Debian 12's FreeTDS
// 1.3 does not, and is the default).
//
// The environment variables DALVOHD_SERVER and DALVOHD_ODBC_DRIVER override the file (an empty variable
// counts as unset). With neither, the server is "demo" and the driver is FreeTDS's library in its Debian
// location, or the name "FreeTDS" when the library is not there.
struct Despliegue
{
    QString servidor;
    QString controladorOdbc;
    bool llavesDobles = false;
};

inline constexpr const char* kArchivoDespliegue = "dalvohd.conf";

// Reads the settings from the given file and environment (tests pass their own).
Despliegue leerDespliegue(const QString& archivoConf, const QProcessEnvironment& entorno);

// The settings of this process: the file beside the executable and the process environment.
Despliegue despliegue();

// The default server host (cUserConnection's "default server host").
QString servidorPredeterminado();

// FreeTDS's ODBC driver library where Debian installs it, or "FreeTDS".
QString controladorOdbcPredeterminado();

} // namespace dalvo::ado

#pragma once

#include "data/Motor.h"

#include <QString>

namespace dalvo::ado {

// Reads the connection text the program builds:
//   "Provider=SQLOLEDB;Data Source=<server>;Initial Catalog=<db>;User Id=<user>;Password=<password> ; "
// Values are sliced between the known keys in that order, so a ";" or "=" inside a user name or a
// password cannot cut it short. The password ends before the closing " ; " (or a last ";"). A text that
// does not follow that shape is read as "key=value;" pairs (Data Source/Server, Initial Catalog/Database,
// User Id/UID, Password/PWD; keys without regard to letter case).
DatosConexion leerTextoConexion(const QString& texto);

// Which engine serves a server name.
enum class ClaseServidor
{
    Demo,      // "demo": the bundled demo database
    Embebido,  // "sqlite:<path>": the embedded engine on that file
    SqlServer, // "host", "host,port", "host\instance"
};

ClaseServidor claseServidor(const QString& servidor);

// The file named by "sqlite:<path>".
QString rutaEmbebida(const QString& servidor);

} // namespace dalvo::ado

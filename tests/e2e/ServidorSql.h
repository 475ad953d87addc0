#pragma once

// The SQL Server path as the operators meet it, on machines without a SQL Server: the TDS test server over
// a Pruebas demo database, every connection of it run by the embedded demo engine, and the program reaching
// it as "127.0.0.1,<port>" through unixODBC and the real FreeTDS driver. The same database opened directly
// with the embedded engine ("sqlite:<file>") gives what each statement must return over the wire.

#include "data/Recordset.h"
#include "data/cUserConnection.h"
#include "tds/ServidorTds.h"

#include <QTemporaryDir>
#include <memory>

namespace dalvo::e2e {

// Once per test program (initTestCase): no FreeTDS variable and no system ODBC file steers the driver
// (the connection string names its library).
void prepararProceso();

class ServidorSql
{
public:
    // Serves rutaBase (by default the Pruebas database shared by the program's tests) and makes it the
    // default server (DALVOHD_SERVER, restored by the destructor), where a reconnection goes.
    explicit ServidorSql(const QString& rutaBase = {});
    ~ServidorSql();
    ServidorSql(const ServidorSql&) = delete;
    ServidorSql& operator=(const ServidorSql&) = delete;

    QString servidor() const;         // "127.0.0.1,<port>"
    QString servidorEmbebido() const; // "sqlite:<file>": the same database without the wire
    tds::ServidorTds& tds() { return *mTds; }

private:
    QString mRutaBase;
    std::unique_ptr<tds::ServidorTds> mTds;
    quint16 mPuerto = 0;
    QByteArray mServidorAnterior;
};

// A copy of the Pruebas database for a test that writes; lives as long as the folder.
QString copiaBase(const QTemporaryDir& carpeta, const QString& nombre);

// A connection as the log-in opens it: user operador, password demo.
std::unique_ptr<cUserConnection> conectar(const QString& servidor,
                                          const QString& base = QStringLiteral("dalvoPralMendoza"));

// Empty when both hold the same result sets: the same columns (name, ADO type, defined size, precision and
// scale), the same rows (value, ActualSize), the same count; otherwise the first difference found. Both
// are read from their current position to the end, result set after result set.
QString diferencias(ado::Recordset& sobreElCable, ado::Recordset& embebido);

// "number description" (the description begins with the SQLSTATE) of every entry of a connection's error
// list, one per line, without the driver's "[FreeTDS][SQL Server]" before the server's text.
QString registros(const ado::Connection& conexion);

} // namespace dalvo::e2e

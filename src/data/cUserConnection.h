#pragma once

#include "data/Connection.h"
#include "data/Recordset.h"

#include <QString>
#include <memory>

namespace dalvo {

// The program's one door to the database (gConexion). Connect opens the connection with the stored or
// given credentials; Query runs a statement and hands back a static snapshot, or nothing with the error in
// SQLError/SQLDescription. Failures are raised as dalvo::Falla, never shown.
class cUserConnection
{
public:
    cUserConnection() = default;
    ~cUserConnection(); // closes the connection
    cUserConnection(const cUserConnection&) = delete;
    cUserConnection& operator=(const cUserConnection&) = delete;

    QString UserName;
    QString Password;
    QString Server;
    QString DataBase;
    // The live connection; data classes run their own recordsets and commands on it. The error driver
    // sets it to null before reconnecting, and Connect creates a new one.
    std::shared_ptr<ado::Connection> Connection;
    QString Version;
    qint32 State = 0;

    // Empty arguments take the stored values (the server: the default host). Raises with source
    // "clsUserConnection".
    void Connect(const QString& sServer = {}, const QString& sUserName = {}, const QString& sPassword = {},
                 const QString& sDataBase = {});

    // An open snapshot, or nullptr with SQLError/SQLDescription telling why. Raises ("Usuario.Query") when
    // bRaise is set, and always when the failure left nothing in the error list or no Connect came first.
    // bSync is accepted for the callers' sake: every snapshot is complete when Query returns.
    std::unique_ptr<ado::Recordset> Query(const QString& sSQL, qint32& SQLError, QString& SQLDescription,
                                          bool bSync = false, bool bRaise = false);
    std::unique_ptr<ado::Recordset> Query(const QString& sSQL, bool bSync = false, bool bRaise = false);

    static constexpr const char* kBaseDatosPredeterminada = "dalvoPralMendoza";

    // "Provider=SQLOLEDB;Data Source=...;Initial Catalog=...;User Id=...;Password=... ; "
    static QString TextoConexion(const QString& servidor, const QString& baseDatos, const QString& usuario,
                                 const QString& clave);

private:
    QString leerUnValor(const QString& sql, const QString& campo);

    bool mVolviendoDeMaster = false;
};

// The process-wide connection, set by the start-up code (tests set their own and reset it).
extern cUserConnection* gConexion;

} // namespace dalvo

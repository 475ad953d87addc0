#include "data/cUserConnection.h"

#include "common/Falla.h"
#include "data/Despliegue.h"

namespace dalvo {

cUserConnection* gConexion = nullptr;

namespace {

const QString kOrigenConnect = QStringLiteral("clsUserConnection");
const QString kOrigenQuery = QStringLiteral("Usuario.Query");
const QString kCrLf = QStringLiteral("\r\n");

QString oGuardado(const QString& argumento, const QString& guardado)
{
    return argumento.isEmpty() ? guardado : argumento;
}

} // namespace

cUserConnection::~cUserConnection()
{
    if (Connection)
        Connection->Close();
}

QString cUserConnection::TextoConexion(const QString& servidor, const QString& baseDatos,
                                       const QString& usuario, const QString& clave)
{
    return QStringLiteral("Provider=SQLOLEDB;") + QStringLiteral("Data Source=") + servidor + u';' +
           QStringLiteral("Initial Catalog=") + baseDatos + u';' + QStringLiteral("User Id=") + usuario +
           u';' + QStringLiteral("Password=") + clave + QStringLiteral(" ; ");
}

void cUserConnection::Connect(const QString& sServer, const QString& sUserName, const QString& sPassword,
                              const QString& sDataBase)
{
    Server = ado::servidorPredeterminado();
    const QString texto = TextoConexion(oGuardado(sServer, Server), oGuardado(sDataBase, DataBase),
                                        oGuardado(sUserName, UserName), oGuardado(sPassword, Password));
    const QString mensaje = QStringLiteral("No se puede establecer la conexión") + QStringLiteral(": ") +
                            kCrLf + QStringLiteral("Servidor: ") + sServer + kCrLf +
                            QStringLiteral("Data Base: ") + sDataBase + kCrLf + QStringLiteral("Usuario: ") +
                            sUserName + kCrLf;
    try {
        if (!Connection)
            Connection = std::make_shared<ado::Connection>();
        if (Connection->State() != ado::adStateClosed)
            Connection->Close();
        Connection->Open(texto);

        if (!sDataBase.isEmpty())
            DataBase = sDataBase;
        if (!sServer.isEmpty())
            Server = sServer;
        if (!sUserName.isEmpty())
            UserName = sUserName;
        if (!sPassword.isEmpty())
            Password = sPassword;

        Connection->CommandTimeout = 180;
        Version = leerUnValor(QStringLiteral("SELECT @@VERSION AS Version"), QStringLiteral("Version"));

        // A login whose default database is master lands there: move to the transaction database. Only
        // once, so that a server that ignores the database asked for cannot loop for ever.
        const QString base =
            leerUnValor(QStringLiteral("SELECT DB_NAME() AS BaseDatos"), QStringLiteral("BaseDatos"));
        if (base == u"master" && !mVolviendoDeMaster) {
            DataBase = QLatin1String(kBaseDatosPredeterminada);
            mVolviendoDeMaster = true;
            struct Restaurar
            {
                bool& b;
                ~Restaurar() { b = false; }
            } restaurar{mVolviendoDeMaster};
            Connect();
        }
    } catch (const Falla& f) {
        throw Falla(f.Numero, kOrigenConnect, mensaje + kCrLf + f.Descripcion);
    }
}

QString cUserConnection::leerUnValor(const QString& sql, const QString& campo)
{
    qint32 numero = 0;
    QString descripcion;
    auto rs = Query(sql, numero, descripcion, true, false);
    // The query's own error is the one worth reporting, not a missing result.
    if (!rs)
        throw Falla(numero, kOrigenQuery, descripcion);
    const QString valor = rs->Fields(campo).Value().toString();
    rs->Close();
    return valor;
}

std::unique_ptr<ado::Recordset> cUserConnection::Query(const QString& sSQL, qint32& SQLError,
                                                       QString& SQLDescription, bool bSync, bool bRaise)
{
    Q_UNUSED(bSync)
    if (!Connection)
        throw Falla(91, kOrigenQuery, QStringLiteral("Variable de objeto o bloque With no establecida"));
    State = Connection->State();
    if (State != ado::adStateOpen) {
        SQLError = 1;
        SQLDescription = QStringLiteral("Conexión al SQL no establecida");
        if (bRaise)
            throw Falla(SQLError, kOrigenQuery, SQLDescription);
        return nullptr;
    }
    auto rs = std::make_unique<ado::Recordset>();
    try {
        rs->Open(sSQL, *Connection);
    } catch (const Falla&) {
        const auto& errores = Connection->Errors();
        if (errores.isEmpty())
            throw;
        SQLError = errores.first().Number;
        SQLDescription = errores.first().Description;
        if (bRaise)
            throw Falla(SQLError, kOrigenQuery, SQLDescription);
        return nullptr;
    }
    SQLError = 0;
    SQLDescription = QStringLiteral("Ejecucion Ok");
    return rs;
}

std::unique_ptr<ado::Recordset> cUserConnection::Query(const QString& sSQL, bool bSync, bool bRaise)
{
    qint32 numero = 0;
    QString descripcion;
    return Query(sSQL, numero, descripcion, bSync, bRaise);
}

} // namespace dalvo

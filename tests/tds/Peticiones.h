#pragma once

// What a client sends: the login record, SQL batches and procedure calls.

#include "tds/TiposTds.h"

#include <QString>
#include <QVector>

namespace dalvo::tds {

// Types of the messages a client sends (first byte of each packet header).
namespace mensaje {
enum : quint8
{
    Lote = 0x01,
    Rpc = 0x03,
    Respuesta = 0x04,
    Atencion = 0x06,
    Login7 = 0x10,
    Prelogin = 0x12,
};
} // namespace mensaje

struct Login7
{
    quint32 versionTds = 0; // as the client wrote it (0x74000004 for 7.4)
    quint32 tamanoPaquete = 0;
    QString usuario;
    QString clave;
    QString baseDatos;
};

Login7 leerLogin7(const QByteArray& datos);

// The text of a SQL batch. conCabeceras: the client speaks 7.2 or later and puts headers first.
QString leerLote(const QByteArray& datos, bool conCabeceras);

struct ParametroRpc
{
    QString nombre; // as sent, with its "@" (often empty: the driver sends positional parameters)
    bool salida = false;
    TipoTds tipo;
    QVariant valor;
};

struct LlamadaRpc
{
    QString procedimiento;       // empty when the client named a system procedure by number
    quint16 idProcedimiento = 0; // 10 is sp_executesql
    QVector<ParametroRpc> parametros;

    QString nombre() const; // the procedure's name, or the system procedure's
};

inline constexpr quint16 kSpExecuteSql = 10;

// Every call of an RPC request (a client may send several, separated by a batch flag).
QVector<LlamadaRpc> leerRpc(const QByteArray& datos, bool conCabeceras);

// The statement of an sp_executesql call, its parameters written into it as literals.
QString sentenciaDeExecuteSql(const LlamadaRpc& llamada);
QString literalSql(const TipoTds& tipo, const QVariant& valor);

// True for a batch made only of SET statements that change session options (what drivers and tsql send
// on their own); the server acknowledges those without handing them to the engine.
bool soloOpcionesDeSesion(const QString& sql);

} // namespace dalvo::tds

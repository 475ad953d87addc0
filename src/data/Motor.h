#pragma once

// The contract between the connection and the two database engines (SQL Server through ODBC/FreeTDS, and
// the embedded demo server). Header-only so that the engines, the test TDS server and the connection can
// all include it without linking each other.

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVector>
#include <exception>
#include <memory>
#include <vector>

namespace dalvo::ado {

// ADO DataTypeEnum codes: what Field.Type reports and what FormatearCampo switches on.
enum TipoDato : int
{
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBoolean = 11,
    adVariant = 12,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adBigInt = 20,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBDate = 133,
    adDBTimeStamp = 135,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
};

enum class Direccion
{
    Entrada = 1,       // adParamInput
    Salida = 2,        // adParamOutput
    EntradaSalida = 3, // adParamInputOutput
    Retorno = 4,       // adParamReturnValue
};

// One entry of the connection's error list. Number is the native error number (SQL Server's message
// number, or FreeTDS's own 20000+ numbers); Description begins with the SQLSTATE and a blank.
struct ErrorAdo
{
    qint32 Number = 0;
    QString SQLState;
    QString Description;
};

// One column of a result set as the server describes it.
struct Columna
{
    QString nombre;
    int tipo = adVarChar;   // TipoDato
    int tamanoDefinido = 0; // characters for text types, bytes otherwise
    int precision = 0;
    int escala = 0;
};

// Values carried in cells and parameters:
//   char/varchar/nchar/nvarchar/text -> QString (char(n) padded with blanks to n, as the server sends it)
//   tinyint/smallint/int -> int, bigint -> qlonglong, bit -> bool
//   money/numeric/decimal/float/real -> double
//   datetime -> QDateTime (local, no time zone)
//   NULL -> an invalid QVariant (QVariant()), never an empty text
inline bool esNulo(const QVariant& v)
{
    return !v.isValid();
}

// One result set, every row already fetched (the client-side static snapshot).
struct Tabla
{
    QVector<Columna> columnas;
    QVector<QVariant> celdas; // row-major: celdas[fila * columnas.size() + columna]

    qsizetype filas() const { return columnas.isEmpty() ? 0 : celdas.size() / columnas.size(); }
    const QVariant& celda(qsizetype fila, qsizetype columna) const
    {
        return celdas[fila * columnas.size() + columna];
    }
};

// Everything one statement, batch or procedure call returned. Only results with columns count as result
// sets (row counts of INSERT/UPDATE are not result sets). When the batch failed after producing some
// result sets, errorFinal holds the error that the caller meets when it asks for the next result set.
struct Lote
{
    std::vector<Tabla> tablas;
    QVector<ErrorAdo> errorFinal;
    QVector<ErrorAdo> avisos; // informational messages (PRINT, 01000)
    int valorRetorno = 0;     // RETURN value of a procedure call
};

// Raised by an engine; carries the full error list of the failed call, in the order the server gave it.
class FallaMotor : public std::exception
{
public:
    explicit FallaMotor(QVector<ErrorAdo> errores) : mErrores(std::move(errores))
    {
        mTexto = mErrores.isEmpty() ? QByteArray("error") : mErrores.first().Description.toUtf8();
    }
    const QVector<ErrorAdo>& errores() const { return mErrores; }
    const char* what() const noexcept override { return mTexto.constData(); }

private:
    QVector<ErrorAdo> mErrores;
    QByteArray mTexto;
};

struct ParametroMotor
{
    QString nombre; // without "@"
    int tipo = adInteger;
    Direccion direccion = Direccion::Entrada;
    int tamano = 0;
    QVariant valor; // input value; output parameters receive theirs here
};

// What the connection text names. servidor: "demo", "sqlite:<path>", or a SQL Server host
// ("host", "host,port", "host\instance").
struct DatosConexion
{
    QString servidor;
    QString baseDatos; // empty: the login's default database
    QString usuario;
    QString clave;
    int segundosLogin = 15;
};

// One open session with a database server.
class Motor
{
public:
    virtual ~Motor() = default;

    // Throws FallaMotor with the server's or driver's records.
    virtual void abrir(const DatosConexion& datos) = 0;
    virtual void cerrar() = 0;
    virtual bool abierta() const = 0;

    // Runs a statement or batch; every result set is fetched before it returns. Throws FallaMotor when the
    // call fails before the first result set.
    virtual Lote ejecutar(const QString& sql, int segundosEspera) = 0;

    // Calls a stored procedure with typed parameters; output parameters are written back.
    virtual Lote llamar(const QString& procedimiento, QVector<ParametroMotor>& parametros,
                        int segundosEspera) = 0;

    // Asked after a failed call: true when the link to the server is gone for good.
    virtual bool conexionPerdida() = 0;
};

} // namespace dalvo::ado

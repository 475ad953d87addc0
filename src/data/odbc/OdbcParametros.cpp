// Binding procedure parameters by ADO type, and reading the output values back.

#include "data/odbc/OdbcInterno.h"

#include <QDateTime>
#include <cstring>

namespace dalvo::ado::odbc {

namespace {

enum class Clase
{
    Entero,
    EnteroLargo,
    Logico,
    Real,
    FechaHora,
    Texto,
};

Clase clase(int tipo)
{
    switch (tipo) {
    case adInteger:
    case adSmallInt:
    case adTinyInt:
    case adUnsignedTinyInt:
        return Clase::Entero;
    case adBigInt:
        return Clase::EnteroLargo;
    case adBoolean:
        return Clase::Logico;
    case adCurrency:
    case adNumeric:
    case adDecimal:
    case adDouble:
    case adSingle:
        return Clase::Real;
    case adDate:
    case adDBDate:
    case adDBTimeStamp:
        return Clase::FechaHora;
    default:
        return Clase::Texto;
    }
}

SQLSMALLINT tipoSqlEntero(int tipo)
{
    if (tipo == adSmallInt)
        return SQL_SMALLINT;
    if (tipo == adTinyInt || tipo == adUnsignedTinyInt)
        return SQL_TINYINT;
    return SQL_INTEGER;
}

SQLSMALLINT tipoSqlTexto(int tipo)
{
    switch (tipo) {
    case adChar:
    case adWChar:
        return SQL_WCHAR;
    case adLongVarChar:
    case adLongVarWChar:
        return SQL_WLONGVARCHAR;
    default:
        return SQL_WVARCHAR; // wide even for varchar: text outside the server's code page survives
    }
}

[[noreturn]] void valorNoValido(const ParametroMotor& p)
{
    throw FallaMotor({{0, QStringLiteral("22018"),
                       QStringLiteral("22018 Valor no válido para el parámetro @%1: %2")
                           .arg(p.nombre, p.valor.toString())}});
}

template <typename T> void guardar(Enlace& e, const T& valor)
{
    e.datos.assign(sizeof(T), 0);
    std::memcpy(e.datos.data(), &valor, sizeof(T));
}

template <typename T> T leer(const Enlace& e)
{
    T v{};
    std::memcpy(&v, e.datos.data(), std::min(sizeof(T), e.datos.size()));
    return v;
}

} // namespace

void enlazarParametro(SQLHSTMT st, SQLUSMALLINT posicion, const ParametroMotor& p, Enlace& e)
{
    const SQLSMALLINT sentido = p.direccion == Direccion::Salida          ? SQL_PARAM_OUTPUT
                                : p.direccion == Direccion::EntradaSalida ? SQL_PARAM_INPUT_OUTPUT
                                                                          : SQL_PARAM_INPUT;
    const bool nulo = p.direccion == Direccion::Salida || esNulo(p.valor);
    SQLSMALLINT tipoC = SQL_C_WCHAR;
    SQLSMALLINT tipoSql = SQL_WVARCHAR;
    SQLULEN tamano = 0;
    SQLSMALLINT decimales = 0;
    bool ok = true;
    switch (clase(p.tipo)) {
    case Clase::Entero:
        tipoC = SQL_C_SLONG;
        tipoSql = tipoSqlEntero(p.tipo);
        guardar<SQLINTEGER>(e, nulo ? 0 : p.valor.toInt(&ok));
        break;
    case Clase::EnteroLargo:
        tipoC = SQL_C_SBIGINT;
        tipoSql = SQL_BIGINT;
        guardar<SQLBIGINT>(e, nulo ? 0 : p.valor.toLongLong(&ok));
        break;
    case Clase::Logico:
        tipoC = SQL_C_BIT;
        tipoSql = SQL_BIT;
        guardar<unsigned char>(e, !nulo && p.valor.toBool() ? 1 : 0);
        break;
    case Clase::Real:
        tipoC = SQL_C_DOUBLE;
        tipoSql = p.tipo == adCurrency ? SQL_DECIMAL : p.tipo == adSingle ? SQL_REAL : SQL_DOUBLE;
        if (p.tipo == adCurrency) {
            tamano = 19;
            decimales = 4;
        }
        guardar<double>(e, nulo ? 0.0 : p.valor.toDouble(&ok));
        break;
    case Clase::FechaHora: {
        tipoC = SQL_C_TYPE_TIMESTAMP;
        tipoSql = SQL_TYPE_TIMESTAMP;
        tamano = 23;
        decimales = 3;
        SQL_TIMESTAMP_STRUCT ts{};
        if (!nulo) {
            const QDateTime dt = p.valor.toDateTime();
            ok = dt.isValid();
            ts.year = SQLSMALLINT(dt.date().year());
            ts.month = SQLUSMALLINT(dt.date().month());
            ts.day = SQLUSMALLINT(dt.date().day());
            ts.hour = SQLUSMALLINT(dt.time().hour());
            ts.minute = SQLUSMALLINT(dt.time().minute());
            ts.second = SQLUSMALLINT(dt.time().second());
            ts.fraction = SQLUINTEGER(dt.time().msec()) * 1000000u;
        }
        guardar(e, ts);
        break;
    }
    case Clase::Texto: {
        tipoSql = tipoSqlTexto(p.tipo);
        const QString texto = nulo ? QString() : p.valor.toString();
        const qsizetype caracteres = std::max<qsizetype>({qsizetype(p.tamano), texto.size(), 1});
        tamano = SQLULEN(caracteres);
        e.datos.assign(size_t(caracteres + 1) * sizeof(SQLWCHAR), 0);
        std::memcpy(e.datos.data(), texto.utf16(), size_t(texto.size()) * sizeof(SQLWCHAR));
        e.indicador = SQLLEN(texto.size()) * SQLLEN(sizeof(SQLWCHAR));
        break;
    }
    }
    if (!ok)
        valorNoValido(p);
    if (nulo)
        e.indicador = p.direccion == Direccion::Salida ? 0 : SQL_NULL_DATA;
    else if (tipoC != SQL_C_WCHAR)
        e.indicador = 0;
    const SQLRETURN rc = SQLBindParameter(st, posicion, sentido, tipoC, tipoSql, tamano, decimales,
                                          e.datos.data(), SQLLEN(e.datos.size()), &e.indicador);
    if (!exito(rc))
        fallar(SQL_HANDLE_STMT, st, rc);
}

QVariant leerSalida(const ParametroMotor& p, const Enlace& e)
{
    if (e.indicador == SQL_NULL_DATA)
        return QVariant();
    switch (clase(p.tipo)) {
    case Clase::Entero:
        return int(leer<SQLINTEGER>(e));
    case Clase::EnteroLargo:
        return qlonglong(leer<SQLBIGINT>(e));
    case Clase::Logico:
        return leer<unsigned char>(e) != 0;
    case Clase::Real:
        return leer<double>(e);
    case Clase::FechaHora: {
        const auto ts = leer<SQL_TIMESTAMP_STRUCT>(e);
        return QDateTime(QDate(ts.year, ts.month, ts.day),
                         QTime(ts.hour, ts.minute, ts.second, int(ts.fraction / 1000000u)));
    }
    case Clase::Texto:
        break;
    }
    const qsizetype cabe = qsizetype(e.datos.size() / sizeof(SQLWCHAR)) - 1;
    const qsizetype n = std::min<qsizetype>(qsizetype(e.indicador / SQLLEN(sizeof(SQLWCHAR))), cabe);
    return deAncho(reinterpret_cast<const SQLWCHAR*>(e.datos.data()), std::max<qsizetype>(n, 0));
}

} // namespace dalvo::ado::odbc

// Fetching result sets and binding procedure parameters.

#include "data/TiposAdo.h"
#include "data/odbc/CadenaOdbc.h"
#include "data/odbc/OdbcInterno.h"

#include <QDateTime>
#include <cstring>

namespace dalvo::ado::odbc {

std::vector<SQLWCHAR> ancho(const QString& texto)
{
    std::vector<SQLWCHAR> v(size_t(texto.size()) + 1, 0);
    std::memcpy(v.data(), texto.utf16(), size_t(texto.size()) * sizeof(SQLWCHAR));
    return v;
}

QString deAncho(const SQLWCHAR* texto, qsizetype largo)
{
    return QString(reinterpret_cast<const QChar*>(texto), largo);
}

QVector<ErrorAdo> diagnosticos(SQLSMALLINT tipoHandle, SQLHANDLE handle)
{
    QVector<ErrorAdo> lista;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLWCHAR estado[6] = {};
        SQLINTEGER nativo = 0;
        SQLSMALLINT largo = 0;
        std::vector<SQLWCHAR> texto(1024);
        SQLRETURN rc = SQLGetDiagRecW(tipoHandle, handle, i, estado, &nativo, texto.data(),
                                      SQLSMALLINT(texto.size()), &largo);
        if (!exito(rc))
            break;
        if (largo >= SQLSMALLINT(texto.size())) {
            texto.resize(size_t(largo) + 1);
            rc = SQLGetDiagRecW(tipoHandle, handle, i, estado, &nativo, texto.data(),
                                SQLSMALLINT(texto.size()), &largo);
            if (!exito(rc))
                break;
        }
        const QString sqlState = deAncho(estado, 5);
        const qsizetype n = std::min<qsizetype>(largo, qsizetype(texto.size()) - 1);
        lista.append({nativo, sqlState, sqlState + u' ' + deAncho(texto.data(), n)});
    }
    return lista;
}

QVector<ErrorAdo> registrosDelFallo(SQLSMALLINT tipoHandle, SQLHANDLE handle, SQLRETURN rc)
{
    QVector<ErrorAdo> lista = diagnosticos(tipoHandle, handle);
    if (lista.isEmpty())
        lista.append(
            {0, QStringLiteral("HY000"),
             QStringLiteral("HY000 El controlador ODBC falló sin dar diagnóstico (código %1).").arg(rc)});
    return lista;
}

void fallar(SQLSMALLINT tipoHandle, SQLHANDLE handle, SQLRETURN rc)
{
    throw FallaMotor(registrosDelFallo(tipoHandle, handle, rc));
}

namespace {

// Reads a text or binary column piece by piece (SQLGetData returns 01004 while more remains).
template <typename Unidad, typename Armar>
QVariant leerPorPartes(SQLHSTMT st, SQLUSMALLINT columna, SQLSMALLINT tipoC, Armar armar)
{
    std::vector<Unidad> buffer(4096);
    const qsizetype terminador = tipoC == SQL_C_WCHAR ? 1 : 0;
    std::vector<Unidad> todo;
    for (;;) {
        SQLLEN indicador = 0;
        const SQLRETURN rc =
            SQLGetData(st, columna, tipoC, buffer.data(), SQLLEN(buffer.size() * sizeof(Unidad)), &indicador);
        if (rc == SQL_NO_DATA)
            break;
        if (!exito(rc))
            fallar(SQL_HANDLE_STMT, st, rc);
        if (indicador == SQL_NULL_DATA)
            return QVariant();
        const qsizetype cabe = qsizetype(buffer.size()) - terminador;
        qsizetype n = cabe;
        if (indicador != SQL_NO_TOTAL && qsizetype(indicador / SQLLEN(sizeof(Unidad))) < cabe)
            n = qsizetype(indicador / SQLLEN(sizeof(Unidad)));
        todo.insert(todo.end(), buffer.begin(), buffer.begin() + n);
        if (rc == SQL_SUCCESS)
            break;
    }
    return armar(todo);
}

template <typename T> bool leerFijo(SQLHSTMT st, SQLUSMALLINT columna, SQLSMALLINT tipoC, T& destino)
{
    SQLLEN indicador = 0;
    const SQLRETURN rc = SQLGetData(st, columna, tipoC, &destino, sizeof(T), &indicador);
    if (!exito(rc))
        fallar(SQL_HANDLE_STMT, st, rc);
    return indicador != SQL_NULL_DATA;
}

QDateTime fechaHora(const SQL_TIMESTAMP_STRUCT& ts)
{
    return QDateTime(QDate(ts.year, ts.month, ts.day),
                     QTime(ts.hour, ts.minute, ts.second, int(ts.fraction / 1000000)));
}

QVariant leerCelda(SQLHSTMT st, SQLUSMALLINT columna, int tipo)
{
    switch (tipo) {
    case adInteger:
    case adSmallInt:
    case adTinyInt:
    case adUnsignedTinyInt: {
        SQLINTEGER v = 0;
        return leerFijo(st, columna, SQL_C_SLONG, v) ? QVariant(int(v)) : QVariant();
    }
    case adBigInt: {
        SQLBIGINT v = 0;
        return leerFijo(st, columna, SQL_C_SBIGINT, v) ? QVariant(qlonglong(v)) : QVariant();
    }
    case adBoolean: {
        unsigned char v = 0;
        return leerFijo(st, columna, SQL_C_BIT, v) ? QVariant(v != 0) : QVariant();
    }
    case adCurrency:
    case adNumeric:
    case adDecimal:
    case adDouble:
    case adSingle: {
        double v = 0;
        return leerFijo(st, columna, SQL_C_DOUBLE, v) ? QVariant(v) : QVariant();
    }
    case adDBTimeStamp:
    case adDBDate:
    case adDate: {
        SQL_TIMESTAMP_STRUCT v{};
        return leerFijo(st, columna, SQL_C_TYPE_TIMESTAMP, v) ? QVariant(fechaHora(v)) : QVariant();
    }
    case adBinary:
    case adVarBinary:
        return leerPorPartes<char>(st, columna, SQL_C_BINARY, [](const std::vector<char>& b) {
            return QByteArray(b.data(), qsizetype(b.size()));
        });
    default:
        return leerPorPartes<SQLWCHAR>(st, columna, SQL_C_WCHAR, [](const std::vector<SQLWCHAR>& t) {
            return deAncho(t.data(), qsizetype(t.size()));
        });
    }
}

Columna describir(SQLHSTMT st, SQLUSMALLINT columna)
{
    SQLWCHAR nombre[256] = {};
    SQLSMALLINT largoNombre = 0;
    SQLSMALLINT tipoSql = 0;
    SQLULEN tamano = 0;
    SQLSMALLINT decimales = 0;
    SQLSMALLINT admiteNulos = 0;
    SQLRETURN rc =
        SQLDescribeColW(st, columna, nombre, 256, &largoNombre, &tipoSql, &tamano, &decimales, &admiteNulos);
    if (!exito(rc))
        fallar(SQL_HANDLE_STMT, st, rc);
    SQLWCHAR nombreTipo[64] = {};
    SQLSMALLINT bytesTipo = 0;
    rc = SQLColAttributeW(st, columna, SQL_DESC_TYPE_NAME, nombreTipo, SQLSMALLINT(sizeof(nombreTipo)),
                          &bytesTipo, nullptr);
    const QString tipoTexto =
        exito(rc) ? deAncho(nombreTipo, std::min<qsizetype>(bytesTipo / 2, 63)) : QString();

    Columna c;
    c.nombre = deAncho(nombre, std::min<qsizetype>(largoNombre, 255));
    c.tipo = tipoAdoDeSql(tipoSql, int(tamano), decimales, tipoTexto);
    const bool porValor = esTipoTexto(c.tipo) || c.tipo == adBinary || c.tipo == adVarBinary;
    c.tamanoDefinido = porValor ? int(std::min<SQLULEN>(tamano, 0x7fffffff)) : bytesTipoFijo(c.tipo);
    // Precision and NumericScale as ADO reports them: 255 where they do not apply (text, bit, a scale of
    // whole numbers), not ODBC's column size and 0 decimals.
    const bool conEscala = c.tipo == adNumeric || c.tipo == adDecimal || c.tipo == adCurrency ||
                           (c.tipo == adDBTimeStamp && decimales > 0);
    // ODBC gives a float's precision in bits (53, 24); ADO in decimal digits.
    c.precision = porValor || c.tipo == adBoolean ? 255
                  : c.tipo == adDouble            ? 15
                  : c.tipo == adSingle            ? 7
                                                  : int(tamano);
    c.escala = conEscala ? decimales : 255;
    return c;
}

Tabla leerTabla(SQLHSTMT st, SQLSMALLINT cantidad)
{
    Tabla t;
    for (SQLUSMALLINT i = 1; i <= SQLUSMALLINT(cantidad); ++i)
        t.columnas.append(describir(st, i));
    for (;;) {
        const SQLRETURN rc = SQLFetch(st);
        if (rc == SQL_NO_DATA)
            break;
        if (!exito(rc))
            fallar(SQL_HANDLE_STMT, st, rc);
        for (SQLUSMALLINT i = 1; i <= SQLUSMALLINT(cantidad); ++i)
            t.celdas.append(leerCelda(st, i, t.columnas[i - 1].tipo));
    }
    return t;
}

} // namespace

Lote leerResultados(SQLHSTMT st, SQLRETURN rc)
{
    Lote lote;
    if (!exito(rc) && rc != SQL_NO_DATA)
        fallar(SQL_HANDLE_STMT, st, rc);
    for (;;) {
        if (rc == SQL_SUCCESS_WITH_INFO)
            lote.avisos += diagnosticos(SQL_HANDLE_STMT, st);
        if (rc != SQL_NO_DATA) {
            SQLSMALLINT columnas = 0;
            SQLNumResultCols(st, &columnas);
            if (columnas > 0) {
                try {
                    lote.tablas.push_back(leerTabla(st, columnas));
                } catch (const FallaMotor& f) {
                    if (lote.tablas.empty())
                        throw;
                    lote.errorFinal = f.errores();
                    return lote;
                }
            }
        }
        rc = SQLMoreResults(st);
        if (rc == SQL_NO_DATA)
            break;
        if (!exito(rc)) {
            QVector<ErrorAdo> errores = registrosDelFallo(SQL_HANDLE_STMT, st, rc);
            if (lote.tablas.empty())
                throw FallaMotor(errores);
            lote.errorFinal = errores;
            break;
        }
    }
    return lote;
}

} // namespace dalvo::ado::odbc

#include "tds/Odbc.h"

#include <QDebug>

namespace dalvo::tds::prueba {

QString describir(const QVector<Registro>& registros)
{
    QStringList lineas;
    for (const Registro& r : registros)
        lineas << QStringLiteral("%1 (%2) %3").arg(r.estado).arg(r.nativo).arg(r.texto);
    return lineas.isEmpty() ? QStringLiteral("(sin registros)") : lineas.join(QStringLiteral(" | "));
}

bool contiene(const QVector<Registro>& registros, const QString& estado, qint32 nativo)
{
    return std::any_of(registros.begin(), registros.end(), [&](const Registro& r) {
        return r.estado == estado && (nativo < 0 || r.nativo == nativo);
    });
}

Odbc::Odbc()
{
    SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &mEntorno);
    SQLSetEnvAttr(mEntorno, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, mEntorno, &mConexion);
}

Odbc::~Odbc()
{
    desconectar();
    SQLFreeHandle(SQL_HANDLE_DBC, mConexion);
    SQLFreeHandle(SQL_HANDLE_ENV, mEntorno);
}

QString Odbc::cadena(quint16 puerto, const QString& usuario, const QString& clave, const QString& baseDatos)
{
    return QStringLiteral("DRIVER=%1;SERVER=127.0.0.1;PORT=%2;UID={%3};PWD={%4};DATABASE=%5;"
                          "TDS_Version=7.4;ClientCharset=UTF-8")
        .arg(QStringLiteral(DALVO_TDSODBC))
        .arg(puerto)
        .arg(usuario, clave, baseDatos);
}

SQLRETURN Odbc::conectar(const QString& cadena, int segundosLogin)
{
    SQLSetConnectAttr(mConexion, SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(intptr_t(segundosLogin)), 0);
    SQLWCHAR salida[1024];
    SQLSMALLINT largo = 0;
    const SQLRETURN r = SQLDriverConnectW(mConexion, nullptr, ancho(cadena), SQL_NTS, salida, 1024, &largo,
                                          SQL_DRIVER_NOPROMPT);
    if (SQL_SUCCEEDED(r))
        SQLAllocHandle(SQL_HANDLE_STMT, mConexion, &mSentencia);
    return r;
}

void Odbc::desconectar()
{
    if (mSentencia != SQL_NULL_HSTMT) {
        SQLFreeHandle(SQL_HANDLE_STMT, mSentencia);
        mSentencia = SQL_NULL_HSTMT;
        SQLDisconnect(mConexion);
    }
}

SQLRETURN Odbc::ejecutar(const QString& sql)
{
    SQLFreeStmt(mSentencia, SQL_CLOSE);
    return SQLExecDirectW(mSentencia, ancho(sql), SQL_NTS);
}

SQLRETURN Odbc::masResultados()
{
    return SQLMoreResults(mSentencia);
}

QString Odbc::celda(int columna)
{
    QString texto;
    SQLWCHAR trozo[2048];
    for (;;) {
        SQLLEN indicador = 0;
        const SQLRETURN r =
            SQLGetData(mSentencia, SQLUSMALLINT(columna), SQL_C_WCHAR, trozo, sizeof trozo, &indicador);
        if (r == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(r)) {
            qWarning().noquote() << "SQLGetData:" << describir(registrosSentencia());
            return QStringLiteral("<error>");
        }
        if (indicador == SQL_NULL_DATA)
            return kNulo;
        const qsizetype enBuffer = qsizetype(sizeof trozo / sizeof(SQLWCHAR)) - 1;
        const qsizetype caracteres =
            indicador == SQL_NO_TOTAL
                ? enBuffer
                : std::min<qsizetype>(indicador / qsizetype(sizeof(SQLWCHAR)), enBuffer);
        texto += deAncho(trozo, caracteres);
        if (r == SQL_SUCCESS)
            break;
    }
    return texto;
}

QVector<QStringList> Odbc::filas(SQLRETURN* ultimo)
{
    SQLSMALLINT columnas = 0;
    SQLNumResultCols(mSentencia, &columnas);
    QVector<QStringList> filas;
    SQLRETURN r;
    while (SQL_SUCCEEDED(r = SQLFetch(mSentencia))) {
        QStringList fila;
        for (int c = 1; c <= columnas; ++c)
            fila << celda(c);
        filas << fila;
    }
    if (ultimo)
        *ultimo = r;
    return filas;
}

QStringList Odbc::columnas()
{
    SQLSMALLINT n = 0;
    SQLNumResultCols(mSentencia, &n);
    QStringList nombres;
    for (SQLUSMALLINT c = 1; c <= n; ++c) {
        SQLWCHAR nombre[256];
        SQLSMALLINT largo = 0;
        SQLColAttributeW(mSentencia, c, SQL_DESC_NAME, nombre, sizeof nombre, &largo, nullptr);
        nombres << deAncho(nombre, largo / qsizetype(sizeof(SQLWCHAR)));
    }
    return nombres;
}

bool Odbc::conexionMuerta() const
{
    SQLUINTEGER muerta = SQL_CD_FALSE;
    SQLGetConnectAttr(mConexion, SQL_ATTR_CONNECTION_DEAD, &muerta, 0, nullptr);
    return muerta == SQL_CD_TRUE;
}

QVector<Registro> Odbc::registros(SQLSMALLINT tipo, SQLHANDLE h)
{
    QVector<Registro> lista;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLWCHAR estado[6];
        SQLINTEGER nativo = 0;
        SQLWCHAR texto[1024];
        SQLSMALLINT largo = 0;
        if (!SQL_SUCCEEDED(SQLGetDiagRecW(tipo, h, i, estado, &nativo, texto, 1024, &largo)))
            break;
        lista.append(
            {deAncho(estado, 5), qint32(nativo), deAncho(texto, std::min<SQLSMALLINT>(largo, 1023))});
    }
    return lista;
}

} // namespace dalvo::tds::prueba

#pragma once

// Raw ODBC for the tests: one environment, connection and statement through the FreeTDS driver named by
// its path (no system ODBC files), text through the wide functions.

#include <QString>
#include <QStringList>
#include <QVector>
#include <sql.h>
#include <sqlext.h>

namespace dalvo::tds::prueba {

// One diagnostic record.
struct Registro
{
    QString estado;
    qint32 nativo = 0;
    QString texto;
};
QString describir(const QVector<Registro>& registros);
bool contiene(const QVector<Registro>& registros, const QString& estado, qint32 nativo = -1);

// A cell read back as text; NULL reads as this marker.
inline const QString kNulo = QStringLiteral("<NULL>");

class Odbc
{
public:
    Odbc();
    ~Odbc();
    Odbc(const Odbc&) = delete;
    Odbc& operator=(const Odbc&) = delete;

    static QString cadena(quint16 puerto, const QString& usuario, const QString& clave,
                          const QString& baseDatos = QStringLiteral("dalvoPralMendoza"));

    SQLRETURN conectar(const QString& cadena, int segundosLogin = 5);
    void desconectar();
    SQLRETURN ejecutar(const QString& sql);
    SQLRETURN masResultados();
    SQLRETURN leerFila() { return SQLFetch(mSentencia); }
    // The current row's cell as text (SQL_C_WCHAR, whatever its length).
    QString celda(int columna);
    // The rest of the current result set; ultimo receives the return of the call that ended it.
    QVector<QStringList> filas(SQLRETURN* ultimo = nullptr);
    QStringList columnas();

    QVector<Registro> registrosConexion() const { return registros(SQL_HANDLE_DBC, mConexion); }
    QVector<Registro> registrosSentencia() const { return registros(SQL_HANDLE_STMT, mSentencia); }
    bool conexionMuerta() const;

    SQLHDBC conexion() const { return mConexion; }
    SQLHSTMT sentencia() const { return mSentencia; }

private:
    static QVector<Registro> registros(SQLSMALLINT tipo, SQLHANDLE h);

    SQLHENV mEntorno = SQL_NULL_HENV;
    SQLHDBC mConexion = SQL_NULL_HDBC;
    SQLHSTMT mSentencia = SQL_NULL_HSTMT;
};

// Wide-text helpers for SQLBindParameter and friends.
inline SQLWCHAR* ancho(const QString& s)
{
    return reinterpret_cast<SQLWCHAR*>(const_cast<ushort*>(s.utf16()));
}
inline QString deAncho(const SQLWCHAR* s, qsizetype caracteres)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(s), caracteres);
}

} // namespace dalvo::tds::prueba

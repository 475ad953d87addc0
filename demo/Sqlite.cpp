#include "demo/Sqlite.h"

#include "common/Falla.h"
#include "data/embedded/Extensiones.h"

#include <sqlite3.h>

namespace dalvo::demo {

namespace {
const QString kOrigen = QStringLiteral("dalvo::demo");
// SQLITE_TRANSIENT, written without the C cast of its macro: SQLite copies the text before the call returns.
const sqlite3_destructor_type kCopiar = reinterpret_cast<sqlite3_destructor_type>(static_cast<intptr_t>(-1));
} // namespace

Conexion::Conexion(const QString& ruta, bool soloLectura)
{
    const int banderas = soloLectura ? SQLITE_OPEN_READONLY : (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    const int rc = sqlite3_open_v2(ruta.toUtf8().constData(), &mDb, banderas, nullptr);
    if (rc != SQLITE_OK) {
        const QString texto =
            mDb ? QString::fromUtf8(sqlite3_errmsg(mDb)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(mDb);
        mDb = nullptr;
        throw Falla(rc, kOrigen, QStringLiteral("No se pudo abrir %1: %2").arg(ruta, texto));
    }
    sqlite3_extended_result_codes(mDb, 1);
    embebido::registrarExtensiones(mDb);
}

Conexion::~Conexion()
{
    cerrar();
}

void Conexion::cerrar()
{
    if (mDb) {
        sqlite3_close_v2(mDb);
        mDb = nullptr;
    }
}

void Conexion::fallar(const QString& que) const
{
    throw Falla(sqlite3_errcode(mDb), kOrigen,
                QStringLiteral("%1: %2").arg(que, QString::fromUtf8(sqlite3_errmsg(mDb))));
}

void Conexion::ejecutar(const char* sql)
{
    if (sqlite3_exec(mDb, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        fallar(QString::fromUtf8(sql).left(200));
}

qint64 Conexion::entero(const QString& sql)
{
    const QByteArray texto = sql.toUtf8();
    Sentencia s(*this, texto.constData());
    return s.siguiente() ? s.columnaEntero(0) : 0;
}

QString Conexion::texto(const QString& sql)
{
    const QByteArray texto = sql.toUtf8();
    Sentencia s(*this, texto.constData());
    return s.siguiente() ? QString::fromUtf8(s.columnaTexto(0)) : QString();
}

Sentencia::Sentencia(Conexion& conexion, const char* sql) : mConexion(conexion)
{
    if (sqlite3_prepare_v2(conexion.db(), sql, -1, &mSt, nullptr) != SQLITE_OK)
        conexion.fallar(QString::fromUtf8(sql).left(200));
}

Sentencia::~Sentencia()
{
    sqlite3_finalize(mSt);
}

void Sentencia::ligar(int i, Nulo)
{
    sqlite3_bind_null(mSt, i);
}

void Sentencia::ligar(int i, qint64 valor)
{
    sqlite3_bind_int64(mSt, i, valor);
}

void Sentencia::ligar(int i, double valor)
{
    sqlite3_bind_double(mSt, i, valor);
}

void Sentencia::ligar(int i, std::string_view texto)
{
    sqlite3_bind_text(mSt, i, texto.data(), static_cast<int>(texto.size()), kCopiar);
}

void Sentencia::ejecutar()
{
    const int rc = sqlite3_step(mSt);
    sqlite3_reset(mSt);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        mConexion.fallar(QString::fromUtf8(sqlite3_sql(mSt)).left(200));
}

bool Sentencia::siguiente()
{
    const int rc = sqlite3_step(mSt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        mConexion.fallar(QString::fromUtf8(sqlite3_sql(mSt)).left(200));
    return false;
}

qint64 Sentencia::columnaEntero(int i) const
{
    return sqlite3_column_int64(mSt, i);
}

double Sentencia::columnaReal(int i) const
{
    return sqlite3_column_double(mSt, i);
}

bool Sentencia::columnaNula(int i) const
{
    return sqlite3_column_type(mSt, i) == SQLITE_NULL;
}

QByteArray Sentencia::columnaTexto(int i) const
{
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(mSt, i));
    return p ? QByteArray(p, sqlite3_column_bytes(mSt, i)) : QByteArray();
}

int Sentencia::columnas() const
{
    return sqlite3_column_count(mSt);
}

} // namespace dalvo::demo

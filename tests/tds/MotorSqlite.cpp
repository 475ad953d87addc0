#include "tds/MotorSqlite.h"

#include "data/embedded/Extensiones.h"

#include <QRegularExpression>
#include <sqlite3.h>

namespace dalvo::tds {

namespace {

[[noreturn]] void fallar(qint32 numero, const QString& estado, const QString& texto)
{
    throw ado::FallaMotor({{numero, estado, estado + u' ' + texto}});
}

// SQL Server's numbers for the failures a developer meets most, so that clients show familiar records.
[[noreturn]] void fallarSqlite(sqlite3* db)
{
    const QString texto = QString::fromUtf8(sqlite3_errmsg(db));
    static const QRegularExpression kTabla(QStringLiteral("^no such table: (.+)$"));
    static const QRegularExpression kColumna(QStringLiteral("^no such column: (.+)$"));
    if (const auto m = kTabla.match(texto); m.hasMatch())
        fallar(208, QStringLiteral("42S02"), QStringLiteral("Invalid object name '%1'.").arg(m.captured(1)));
    if (const auto m = kColumna.match(texto); m.hasMatch())
        fallar(207, QStringLiteral("42S22"), QStringLiteral("Invalid column name '%1'.").arg(m.captured(1)));
    if (texto.contains(QLatin1String("syntax error")))
        fallar(102, QStringLiteral("42000"), QStringLiteral("Incorrect syntax: %1").arg(texto));
    fallar(50000, QStringLiteral("42000"), texto);
}

ado::Columna columnaDe(sqlite3_stmt* st, int i)
{
    ado::Columna c;
    c.nombre = QString::fromUtf8(sqlite3_column_name(st, i));
    const QString declarado = QString::fromUtf8(sqlite3_column_decltype(st, i)).toLower();
    static const QRegularExpression kTamanos(QStringLiteral(R"(\((\d+)(?:\s*,\s*(\d+))?\))"));
    const auto m = kTamanos.match(declarado);
    const int n1 = m.hasMatch() ? m.captured(1).toInt() : 0;
    const int n2 = m.hasMatch() ? m.captured(2).toInt() : 0;
    auto es = [&](const char* prefijo) { return declarado.startsWith(QLatin1String(prefijo)); };
    if (es("bigint"))
        c.tipo = ado::adBigInt;
    else if (es("smallint"))
        c.tipo = ado::adSmallInt;
    else if (es("tinyint"))
        c.tipo = ado::adUnsignedTinyInt;
    else if (es("int"))
        c.tipo = ado::adInteger;
    else if (es("bit"))
        c.tipo = ado::adBoolean;
    else if (es("money") || es("smallmoney"))
        c.tipo = ado::adCurrency;
    else if (es("numeric") || es("decimal")) {
        c.tipo = ado::adNumeric;
        c.precision = n1 > 0 ? n1 : 18;
        c.escala = n2;
    } else if (es("float") || es("real") || es("double"))
        c.tipo = ado::adDouble;
    else if (es("datetime") || es("smalldatetime") || es("date"))
        c.tipo = ado::adDBTimeStamp;
    else if (es("nchar"))
        c.tipo = ado::adWChar;
    else if (es("char"))
        c.tipo = ado::adChar;
    else if (es("nvarchar") || es("ntext"))
        c.tipo = ado::adVarWChar;
    else if (declarado.isEmpty() && sqlite3_column_type(st, i) == SQLITE_INTEGER)
        c.tipo = ado::adBigInt;
    else if (declarado.isEmpty() && sqlite3_column_type(st, i) == SQLITE_FLOAT)
        c.tipo = ado::adDouble;
    else
        c.tipo = ado::adVarChar;
    c.tamanoDefinido = n1;
    return c;
}

QVariant valorDe(sqlite3_stmt* st, int i, const ado::Columna& c)
{
    if (sqlite3_column_type(st, i) == SQLITE_NULL)
        return {};
    switch (c.tipo) {
    case ado::adBigInt:
        return qlonglong(sqlite3_column_int64(st, i));
    case ado::adSmallInt:
    case ado::adUnsignedTinyInt:
    case ado::adInteger:
        return sqlite3_column_int(st, i);
    case ado::adBoolean:
        return sqlite3_column_int(st, i) != 0;
    case ado::adCurrency:
    case ado::adNumeric:
    case ado::adDouble:
        return sqlite3_column_double(st, i);
    case ado::adDBTimeStamp: {
        const QString texto = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
        QDateTime f = QDateTime::fromString(texto.left(23), Qt::ISODateWithMs);
        if (!f.isValid())
            f = QDateTime::fromString(texto, QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        return f.isValid() ? QVariant(f) : QVariant();
    }
    default: {
        QString texto = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
        if ((c.tipo == ado::adChar || c.tipo == ado::adWChar) && texto.size() < c.tamanoDefinido)
            texto = texto.leftJustified(c.tamanoDefinido);
        return texto;
    }
    }
}

} // namespace

MotorSqlite::MotorSqlite(QString clave) : mClave(std::move(clave))
{}

MotorSqlite::~MotorSqlite()
{
    cerrar();
}

void MotorSqlite::abrir(const ado::DatosConexion& datos)
{
    cerrar();
    if (!mClave.isEmpty() && datos.clave != mClave)
        fallar(18456, QStringLiteral("42000"),
               QStringLiteral("Login failed for user '%1'.").arg(datos.usuario));
    if (!datos.servidor.startsWith(QLatin1String("sqlite:")))
        fallar(4060, QStringLiteral("42000"), QStringLiteral("Cannot open server '%1'.").arg(datos.servidor));
    const QByteArray ruta = datos.servidor.mid(7).toUtf8();
    if (sqlite3_open_v2(ruta.constData(), &mDb, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(mDb);
        mDb = nullptr;
        fallar(4060, QStringLiteral("42000"),
               QStringLiteral("Cannot open database \"%1\".").arg(QString::fromUtf8(ruta)));
    }
    embebido::registrarExtensiones(mDb);
}

void MotorSqlite::cerrar()
{
    sqlite3_close(mDb);
    mDb = nullptr;
}

ado::Lote MotorSqlite::ejecutar(const QString& sql, int)
{
    const QByteArray texto = sql.toUtf8();
    const char* resto = texto.constData();
    ado::Lote lote;
    while (resto && *resto) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(mDb, resto, -1, &st, &resto) != SQLITE_OK)
            fallarSqlite(mDb);
        if (!st)
            break; // only blanks or comments were left
        ado::Tabla t;
        int r = sqlite3_step(st);
        const int columnas = sqlite3_column_count(st);
        for (int i = 0; i < columnas; ++i)
            t.columnas.append(columnaDe(st, i));
        for (; r == SQLITE_ROW; r = sqlite3_step(st))
            for (int i = 0; i < columnas; ++i)
                t.celdas.append(valorDe(st, i, t.columnas[i]));
        sqlite3_finalize(st);
        if (r != SQLITE_DONE)
            fallarSqlite(mDb);
        if (columnas > 0)
            lote.tablas.push_back(std::move(t));
    }
    return lote;
}

ado::Lote MotorSqlite::llamar(const QString& procedimiento, QVector<ado::ParametroMotor>&, int)
{
    fallar(2812, QStringLiteral("42000"),
           QStringLiteral("Could not find stored procedure '%1' (this stand-in engine runs no procedures).")
               .arg(procedimiento));
}

} // namespace dalvo::tds

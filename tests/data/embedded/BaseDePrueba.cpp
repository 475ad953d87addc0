#include "BaseDePrueba.h"

#include "data/embedded/Extensiones.h"
#include "data/embedded/Procedimientos.h"

#include <QFile>
#include <QTest>
#include <sqlite3.h>

// Q_INIT_RESOURCE must be used outside any namespace.
static void iniciarRecursos()
{
    Q_INIT_RESOURCE(prueba);
}

namespace dalvo::prueba {

namespace {

// The fixture's file opened straight with SQLite, with the demo server's functions, for set-up. Set-up needs
// no durability: without syncs a fixture is ready in milliseconds on a busy disk.
struct Archivo
{
    sqlite3* db = nullptr;
    explicit Archivo(const QString& ruta)
    {
        sqlite3_open(ruta.toUtf8().constData(), &db);
        embebido::registrarExtensiones(db);
        sqlite3_exec(db, "PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY", nullptr, nullptr, nullptr);
    }
    ~Archivo() { sqlite3_close(db); }
};

void ejecutarEn(const QString& ruta, const QString& sql)
{
    Archivo archivo(ruta);
    char* error = nullptr;
    if (sqlite3_exec(archivo.db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
        qFatal("preparando la base de prueba: %s", error);
}

} // namespace

BaseDePrueba::BaseDePrueba()
{
    iniciarRecursos();
    QFile esquema(QStringLiteral(":/prueba/esquema_prueba.sql"));
    if (!mCarpeta.isValid() || !esquema.open(QIODevice::ReadOnly))
        qFatal("no se pudo preparar la base de prueba");
    ejecutarEn(ruta(), QString::fromUtf8(esquema.readAll()));
}

QString BaseDePrueba::ruta() const
{
    return mCarpeta.filePath(QStringLiteral("prueba.db"));
}

std::unique_ptr<embebido::MotorEmbebido> BaseDePrueba::abrir(const QString& base, const QString& usuario,
                                                             const QString& clave) const
{
    auto motor = std::make_unique<embebido::MotorEmbebido>();
    ado::DatosConexion datos;
    datos.servidor = servidor();
    datos.baseDatos = base;
    datos.usuario = usuario;
    datos.clave = clave;
    motor->abrir(datos);
    return motor;
}

void BaseDePrueba::instalar(const QString& nombre, const QString& texto) const
{
    Archivo archivo(ruta());
    embebido::instalarProcedimiento(archivo.db, nombre, texto);
}

void BaseDePrueba::sqlite(const QString& sql) const
{
    ejecutarEn(ruta(), sql);
}

ado::Tabla unaTabla(ado::Motor& motor, const QString& sql)
{
    try {
        ado::Lote lote = motor.ejecutar(sql, 0);
        if (lote.tablas.size() != 1 || !lote.errorFinal.isEmpty())
            qWarning("%s: %d result sets", qPrintable(sql), int(lote.tablas.size()));
        return lote.tablas.empty() ? ado::Tabla{} : lote.tablas.front();
    } catch (const ado::FallaMotor& f) {
        qWarning("%s: %s", qPrintable(sql), f.what());
        return {};
    }
}

QVariant unValor(ado::Motor& motor, const QString& sql)
{
    const ado::Tabla t = unaTabla(motor, sql);
    return t.filas() > 0 ? t.celda(0, 0) : QVariant(QStringLiteral("<sin filas>"));
}

QVector<ado::ErrorAdo> errores(const std::function<void()>& llamada)
{
    try {
        llamada();
    } catch (const ado::FallaMotor& f) {
        return f.errores();
    }
    return {};
}

} // namespace dalvo::prueba

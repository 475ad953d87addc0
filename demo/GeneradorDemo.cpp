#include "demo/GeneradorDemo.h"

#include "common/Falla.h"
#include "common/Reloj.h"
#include "data/Motor.h"
#include "data/embedded/Procedimientos.h"
#include "demo/Modelo.h"
#include "demo/Sqlite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>

namespace dalvo::demo {

namespace {

const QString kOrigen = QStringLiteral("dalvo::demo::GenerarBase");
const QString kEsquema = QStringLiteral(":/demo/schema.sql");
const QString kProcedimientos = QStringLiteral(":/demo/procedures");

QByteArray leerRecurso(const QString& ruta)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        throw Falla(1, kOrigen, QStringLiteral("Falta el recurso %1").arg(ruta));
    return archivo.readAll();
}

struct Procedimiento
{
    QString nombre;
    QByteArray texto;
};

// Every demo/procedures/<name>.sql compiled into the library, by name.
std::vector<Procedimiento> procedimientos()
{
    std::vector<Procedimiento> lista;
    const QDir carpeta(kProcedimientos);
    for (const QString& archivo : carpeta.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        lista.push_back({QFileInfo(archivo).completeBaseName(), leerRecurso(carpeta.filePath(archivo))});
    return lista;
}

// What the data depends on besides the options: the generator's version, the schema, the procedures.
QByteArray huella()
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QByteArray::number(kVersionGenerador));
    hash.addData(leerRecurso(kEsquema));
    for (const Procedimiento& p : procedimientos()) {
        hash.addData(p.nombre.toUtf8());
        hash.addData(QByteArray(1, '\0'));
        hash.addData(p.texto);
        hash.addData(QByteArray(1, '\0'));
    }
    return hash.result().toHex();
}

bool esIndice(const char* sql)
{
    const QByteArray texto = QByteArray(sql).simplified().toUpper();
    return texto.startsWith("CREATE INDEX") || texto.startsWith("CREATE UNIQUE INDEX");
}

// Runs the schema's statements one by one; the CREATE INDEX statements are returned for later.
std::vector<QByteArray> crearTablas(Conexion& db)
{
    const QByteArray esquema = leerRecurso(kEsquema);
    std::vector<QByteArray> indices;
    const char* resto = esquema.constData();
    while (resto && *resto) {
        sqlite3_stmt* st = nullptr;
        const char* siguiente = nullptr;
        if (sqlite3_prepare_v2(db.db(), resto, -1, &st, &siguiente) != SQLITE_OK)
            db.fallar(QStringLiteral("schema.sql"));
        if (st) {
            const char* sql = sqlite3_sql(st);
            if (esIndice(sql)) {
                indices.emplace_back(sql);
            } else if (sqlite3_step(st) != SQLITE_DONE) {
                sqlite3_finalize(st);
                db.fallar(QString::fromUtf8(sql).left(80));
            }
            sqlite3_finalize(st);
        }
        resto = siguiente;
    }
    return indices;
}

void instalarProcedimientos(Conexion& db)
{
    // The engine reads each text as it stores it, so a faulty procedure file stops the generation here,
    // named, instead of failing later when the program calls it.
    for (const Procedimiento& p : procedimientos()) {
        try {
            embebido::instalarProcedimiento(db.db(), p.nombre, QString::fromUtf8(p.texto));
        } catch (const ado::FallaMotor& f) {
            const ado::ErrorAdo& e = f.errores().first();
            throw Falla(e.Number, kOrigen, e.Description);
        }
    }
}

void sellar(Conexion& db, const OpcionesDemo& opciones, QDate hoy)
{
    Sentencia s(db, "INSERT INTO dalvo_info (clave, valor) VALUES (?1, ?2)");
    s.insertar("version", QByteArray::number(kVersionGenerador));
    s.insertar("escala", NombreEscala(opciones.escala));
    s.insertar("semilla", QByteArray::number(opciones.semilla));
    s.insertar("hoy", hoy.toString(Qt::ISODate));
    s.insertar("huella", huella());
}

QDate hoyDe(const OpcionesDemo& opciones)
{
    return opciones.hoy.isValid() ? opciones.hoy : dalvo::Hoy();
}

void escribir(const QString& ruta, const OpcionesDemo& opciones, QDate hoy)
{
    const auto avance = [&](const char* etapa) {
        if (opciones.avance)
            opciones.avance(QString::fromUtf8(etapa));
    };
    Conexion db(ruta, false);
    // A throw-away file until it is complete: no journal, no waiting for the disk.
    db.ejecutar("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA locking_mode = EXCLUSIVE; "
                "PRAGMA temp_store = MEMORY; PRAGMA cache_size = -262144;");
    db.ejecutar("BEGIN");
    avance("Creando las tablas");
    const std::vector<QByteArray> indices = crearTablas(db);

    Modelo modelo;
    modelo.escala = opciones.escala;
    modelo.hoy = hoy;
    modelo.desde = hoy.addMonths(-13).addDays(1);
    modelo.tamanos = tamanosDe(opciones.escala);
    Aleatorio azar(0x44616C766F4844ULL ^ opciones.semilla);
    avance("Prestadores, médicos, medicamentos y prácticas");
    Aleatorio azarMaestros = azar.derivar(1);
    generarMaestros(db, modelo, azarMaestros);
    avance("Tickets y cierres");
    Aleatorio azarMovimientos = azar.derivar(2);
    generarMovimientos(db, modelo, azarMovimientos);
    avance("Procedimientos almacenados");
    instalarProcedimientos(db);
    db.ejecutar("COMMIT");

    avance("Índices");
    db.ejecutar("BEGIN");
    for (const QByteArray& indice : indices)
        db.ejecutar(indice.constData());
    sellar(db, opciones, hoy);
    db.ejecutar("COMMIT");
    db.cerrar();
}

} // namespace

void GenerarBase(const QString& ruta, const OpcionesDemo& opciones)
{
    const QDate hoy = hoyDe(opciones);
    const QFileInfo destino(ruta);
    if (!QDir().mkpath(destino.absolutePath()))
        throw Falla(1, kOrigen, QStringLiteral("No se pudo crear la carpeta %1").arg(destino.absolutePath()));
    // Written beside the target and renamed over it when complete (a rename within one file system is
    // atomic).
    QTemporaryFile temporal(destino.absolutePath() + QStringLiteral("/.") + destino.fileName() +
                            QStringLiteral(".XXXXXX"));
    if (!temporal.open())
        throw Falla(1, kOrigen,
                    QStringLiteral("No se pudo crear un archivo en %1: %2")
                        .arg(destino.absolutePath(), temporal.errorString()));
    temporal.close();
    escribir(temporal.fileName(), opciones, hoy);
    if (opciones.avance)
        opciones.avance(QStringLiteral("Reemplazando %1").arg(destino.fileName()));
    if (std::rename(QFile::encodeName(temporal.fileName()).constData(),
                    QFile::encodeName(destino.absoluteFilePath()).constData()) != 0)
        throw Falla(errno, kOrigen,
                    QStringLiteral("No se pudo escribir %1: %2")
                        .arg(ruta, QString::fromLocal8Bit(std::strerror(errno))));
    temporal.setAutoRemove(false); // its name is gone: nothing left to remove
}

bool BaseVigente(const QString& ruta, const OpcionesDemo& opciones)
{
    if (!QFileInfo(ruta).isFile())
        return false;
    try {
        Conexion db(ruta, true);
        const auto valor = [&](const char* clave) {
            return db.texto(
                QStringLiteral("SELECT valor FROM dalvo_info WHERE clave = '%1'").arg(QLatin1String(clave)));
        };
        return valor("version") == QString::number(kVersionGenerador) &&
               valor("escala") == NombreEscala(opciones.escala) &&
               valor("semilla") == QString::number(opciones.semilla) &&
               valor("hoy") == hoyDe(opciones).toString(Qt::ISODate) &&
               valor("huella") == QString::fromLatin1(huella());
    } catch (const Falla&) {
        return false; // not a database, or not one of ours: it is regenerated
    }
}

bool BaseVigente(const QString& ruta, QDate hoy)
{
    OpcionesDemo opciones;
    opciones.hoy = hoy;
    return BaseVigente(ruta, opciones);
}

QString AsegurarBase(const QString& ruta, const OpcionesDemo& opciones)
{
    if (!BaseVigente(ruta, opciones))
        GenerarBase(ruta, opciones);
    return ruta;
}

QString RutaBaseDemo()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/DalvoHD/dalvoPralMendoza.sqlite");
}

QString AsegurarBaseDemo()
{
    OpcionesDemo opciones;
    opciones.hoy = dalvo::Hoy();
    return AsegurarBase(RutaBaseDemo(), opciones);
}

QString NombreEscala(Escala escala)
{
    switch (escala) {
    case Escala::Pruebas:
        return QStringLiteral("pruebas");
    case Escala::Demo:
        return QStringLiteral("demo");
    case Escala::Banco:
        return QStringLiteral("banco");
    }
    return {};
}

std::optional<Escala> EscalaDesdeNombre(const QString& nombre)
{
    for (Escala e : {Escala::Pruebas, Escala::Demo, Escala::Banco})
        if (nombre.compare(NombreEscala(e), Qt::CaseInsensitive) == 0)
            return e;
    return std::nullopt;
}

QStringList TablasDemo()
{
    static const QRegularExpression kTabla(QStringLiteral("^CREATE TABLE (\\w+)"),
                                           QRegularExpression::MultilineOption);
    QStringList tablas;
    const QString esquema = QString::fromUtf8(leerRecurso(kEsquema));
    for (auto it = kTabla.globalMatch(esquema); it.hasNext();) {
        const QString nombre = it.next().captured(1);
        if (!nombre.startsWith(QLatin1String("dalvo_")))
            tablas << nombre;
    }
    return tablas;
}

} // namespace dalvo::demo

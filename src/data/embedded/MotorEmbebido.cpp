#include "data/embedded/MotorEmbebido.h"

#include "data/embedded/Errores.h"
#include "data/embedded/FallaSimulada.h"
#include "data/embedded/Sesion.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <sqlite3.h>

namespace dalvo::embebido {

namespace {

// The demo logins: user, salt and SHA-256 of salt + password. They live here, not in the database, so that
// no statement can read them.
struct LoginDemo
{
    const char* usuario;
    const char* sal;
    const char* hash;
};

constexpr LoginDemo kLogins[] = {
    {"operador", "dalvo-demo-op-5c1e", "046bedc227df62d453346fd14335565c3be2752a9ba5669d4bd809001d9b02ca"},
    {"supervisor", "dalvo-demo-su-a94b", "a6419122e2123097719adf112b6c7f77770f3b3a1764bd12381176ec816b92b3"},
};

bool igualesSinAtajo(const QByteArray& a, const QByteArray& b)
{
    if (a.size() != b.size())
        return false;
    unsigned char diferencia = 0;
    for (qsizetype i = 0; i < a.size(); ++i)
        diferencia |= static_cast<unsigned char>(a[i] ^ b[i]);
    return diferencia == 0;
}

} // namespace

MotorEmbebido::MotorEmbebido() = default;

MotorEmbebido::~MotorEmbebido() = default;

bool MotorEmbebido::credencialesValidas(const QString& usuario, const QString& clave)
{
    bool valida = false;
    for (const LoginDemo& l : kLogins) {
        const QByteArray hash =
            QCryptographicHash::hash(QByteArray(l.sal) + clave.toUtf8(), QCryptographicHash::Sha256).toHex();
        const bool esUsuario = usuario.compare(QLatin1String(l.usuario), Qt::CaseInsensitive) == 0;
        valida = (esUsuario && igualesSinAtajo(hash, QByteArray(l.hash))) || valida;
    }
    return valida;
}

void MotorEmbebido::abrir(const ado::DatosConexion& datos)
{
    cerrar();
    const QString prefijo = QStringLiteral("sqlite:");
    if (FallaSimulada::consumirRechazo())
        throw ado::FallaMotor(erroresSinServidor(QStringLiteral("rechazo simulado")));
    if (!datos.servidor.startsWith(prefijo, Qt::CaseInsensitive))
        throw ado::FallaMotor(erroresSinServidor(datos.servidor));
    const QString ruta = datos.servidor.mid(prefijo.size());
    if (ruta.isEmpty() || !QFileInfo(ruta).isFile())
        throw ado::FallaMotor(erroresSinServidor(ruta));
    if (!credencialesValidas(datos.usuario, datos.clave))
        lanzar(num::InicioSesion, QStringLiteral("42000"),
               QStringLiteral("Error de inicio de sesión del usuario '%1'.").arg(datos.usuario));
    const QString base = datos.baseDatos.trimmed();
    const bool enMaster = base.isEmpty() || base.compare(QLatin1String("master"), Qt::CaseInsensitive) == 0;
    if (!enMaster && base.compare(QLatin1String(kBaseDemo), Qt::CaseInsensitive) != 0)
        throw ado::FallaMotor(
            {errorAdo(num::BaseDeInicio, QStringLiteral("42000"),
                      QStringLiteral(
                          "No se puede abrir la base de datos \"%1\" solicitada por el inicio de sesión. "
                          "Error de inicio de sesión.")
                          .arg(base)),
             errorAdo(num::InicioSesion, QStringLiteral("42000"),
                      QStringLiteral("Error de inicio de sesión del usuario '%1'.").arg(datos.usuario))});
    sqlite3* db = nullptr;
    const QByteArray archivo = ruta.toUtf8();
    if (sqlite3_open_v2(archivo.constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) !=
        SQLITE_OK) {
        const QString detalle = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_close_v2(db);
        throw ado::FallaMotor(erroresSinServidor(detalle));
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, 5000);
    try {
        mSesion = std::make_unique<Sesion>(db, datos.usuario, enMaster);
    } catch (const ado::FallaMotor& f) {
        // A file that is no demo database answers like a server that is not there.
        throw ado::FallaMotor(erroresSinServidor(f.errores().value(0).Description));
    }
    mEpoca = FallaSimulada::epoca();
    mPerdida = false;
}

void MotorEmbebido::cerrar()
{
    mSesion.reset();
    mPerdida = false;
}

bool MotorEmbebido::abierta() const
{
    return mSesion != nullptr;
}

void MotorEmbebido::revisarEnlace()
{
    if (!mSesion)
        throw ado::FallaMotor(
            {errorAdo(0, QStringLiteral("08003"),
                      QStringLiteral("La conexión no está abierta (Connection not open)"))});
    if (mPerdida || FallaSimulada::epoca() != mEpoca) {
        mPerdida = true;
        throw ado::FallaMotor(erroresEnlacePerdido());
    }
}

ado::Lote MotorEmbebido::ejecutar(const QString& sql, int segundosEspera)
{
    revisarEnlace();
    return mSesion->ejecutar(sql, segundosEspera);
}

ado::Lote MotorEmbebido::llamar(const QString& procedimiento, QVector<ado::ParametroMotor>& parametros,
                                int segundosEspera)
{
    revisarEnlace();
    return mSesion->llamar(procedimiento, parametros, segundosEspera);
}

bool MotorEmbebido::conexionPerdida()
{
    if (mSesion && FallaSimulada::epoca() != mEpoca)
        mPerdida = true;
    return mPerdida;
}

QStringList MotorEmbebido::traduccion(const QString& sql)
{
    revisarEnlace();
    return mSesion->traducir(sql);
}

QStringList MotorEmbebido::planDeConsulta(const QString& sql)
{
    revisarEnlace();
    return mSesion->plan(sql);
}

QString MotorEmbebido::baseDatos() const
{
    return mSesion ? mSesion->baseDatos() : QString();
}

} // namespace dalvo::embebido

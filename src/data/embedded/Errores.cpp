#include "data/embedded/Errores.h"

#include <sqlite3.h>

namespace dalvo::embebido {

namespace {

constexpr char kMarca = '\x01';

QString textoSqlite(const char* mensaje)
{
    return QString::fromUtf8(mensaje ? mensaje : "");
}

// The name between the first pair of "..." in an SQLite constraint message ("UNIQUE constraint failed: T.c").
QString tras(const QString& mensaje, const char* prefijo)
{
    const qsizetype i = mensaje.indexOf(QLatin1String(prefijo));
    return i < 0 ? mensaje : mensaje.mid(i + qsizetype(qstrlen(prefijo))).trimmed();
}

} // namespace

ado::ErrorAdo errorAdo(qint32 numero, const QString& estado, const QString& texto)
{
    return ado::ErrorAdo{numero, estado, estado + QLatin1Char(' ') + texto};
}

void lanzar(qint32 numero, const QString& estado, const QString& texto)
{
    throw ado::FallaMotor({errorAdo(numero, estado, texto)});
}

void errorSintaxis(const QString& cerca)
{
    lanzar(num::SintaxisCerca, QStringLiteral("42000"),
           QStringLiteral("Sintaxis incorrecta cerca de '%1'.").arg(cerca));
}

void errorPalabraClave(const QString& palabra)
{
    lanzar(num::PalabraClave, QStringLiteral("42000"),
           QStringLiteral("Sintaxis incorrecta cerca de la palabra clave '%1'.").arg(palabra));
}

void noSoportado(const QString& construccion)
{
    lanzar(num::NoSoportado, QStringLiteral("42000"),
           QStringLiteral("El servidor de demostración no admite %1.").arg(construccion));
}

void objetoInvalido(const QString& nombre)
{
    lanzar(num::ObjetoInvalido, QStringLiteral("42S02"),
           QStringLiteral("El nombre de objeto '%1' no es válido.").arg(nombre));
}

void columnaInvalida(const QString& nombre)
{
    lanzar(num::ColumnaInvalida, QStringLiteral("42S22"),
           QStringLiteral("El nombre de columna '%1' no es válido.").arg(nombre));
}

QVector<ado::ErrorAdo> erroresEnlacePerdido()
{
    return {
        errorAdo(num::EscrituraFallida, QStringLiteral("08S01"),
                 QStringLiteral("Error de vínculo de comunicación (Communication link failure): se perdió la "
                                "conexión con el servidor."))};
}

QVector<ado::ErrorAdo> erroresSinServidor(const QString& detalle)
{
    QString texto =
        QStringLiteral("No se puede conectar: el servidor no está disponible o no existe (Unable to "
                       "connect: Adaptive Server is unavailable or does not exist)");
    if (!detalle.isEmpty())
        texto += QStringLiteral(": ") + detalle;
    return {errorAdo(num::SinServidor, QStringLiteral("08S01"), texto),
            errorAdo(0, QStringLiteral("08001"),
                     QStringLiteral(
                         "No se puede conectar con el origen de datos (Unable to connect to data source)"))};
}

QVector<ado::ErrorAdo> erroresTiempoAgotado()
{
    return {
        errorAdo(0, QStringLiteral("HYT00"), QStringLiteral("Tiempo de espera agotado (Timeout expired)")),
        errorAdo(0, QStringLiteral("HY008"), QStringLiteral("Operación cancelada (Operation canceled)"))};
}

QByteArray codificarError(const ado::ErrorAdo& e)
{
    QByteArray t;
    t += kMarca;
    t += QByteArray::number(e.Number);
    t += kMarca;
    t += e.SQLState.toUtf8();
    t += kMarca;
    t += e.Description.toUtf8();
    return t;
}

ado::ErrorAdo errorDeSqlite(sqlite3* db, int codigo, const char* mensaje)
{
    const QString m = textoSqlite(mensaje);
    if (!m.isEmpty() && m.at(0) == QLatin1Char(kMarca)) {
        const QStringList partes = m.mid(1).split(QLatin1Char(kMarca));
        if (partes.size() == 3)
            return ado::ErrorAdo{partes[0].toInt(), partes[1], partes[2]};
    }
    const int extendido = db ? sqlite3_extended_errcode(db) : codigo;
    switch (extendido) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        return errorAdo(
            num::ClavePrimaria, QStringLiteral("23000"),
            QStringLiteral("Infracción de la restricción PRIMARY KEY. No se puede insertar una clave "
                           "duplicada en el objeto '%1'.")
                .arg(tras(m, "failed:")));
    case SQLITE_CONSTRAINT_UNIQUE:
        return errorAdo(
            num::ClaveUnica, QStringLiteral("23000"),
            QStringLiteral("No se puede insertar una fila de clave duplicada en el objeto '%1' con "
                           "índice único.")
                .arg(tras(m, "failed:")));
    case SQLITE_CONSTRAINT_NOTNULL:
        return errorAdo(num::NoNulo, QStringLiteral("23000"),
                        QStringLiteral("No se puede insertar el valor NULL en la columna '%1'; la columna no "
                                       "admite valores NULL.")
                            .arg(tras(m, "failed:")));
    case SQLITE_CONSTRAINT_FOREIGNKEY:
    case SQLITE_CONSTRAINT_CHECK:
        return errorAdo(num::Restriccion, QStringLiteral("23000"),
                        QStringLiteral("La instrucción está en conflicto con una restricción (%1).").arg(m));
    default:
        break;
    }
    switch (codigo & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return errorAdo(num::BloqueoAgotado, QStringLiteral("HY000"),
                        QStringLiteral("Se superó el tiempo de espera de la solicitud de bloqueo."));
    default:
        return errorAdo(num::ErrorInterno, QStringLiteral("HY000"),
                        QStringLiteral("Error interno del servidor de demostración: %1").arg(m));
    }
}

} // namespace dalvo::embebido

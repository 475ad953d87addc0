#pragma once

// A scriptable engine for the TDS tests: checks the password, answers statements and procedure calls
// through functions the test gives, fails with given records, and records every call. One Guion is shared
// by the engines of every connection (the server makes one engine per connection).

#include "data/Motor.h"
#include "tds/ServidorTds.h"

#include <functional>
#include <mutex>

namespace dalvo::tds::prueba {

struct Guion
{
    QString usuario = QStringLiteral("operador");
    QString clave = QStringLiteral("secreta");
    QString baseDatos = QStringLiteral("dalvoPralMendoza"); // the only database that exists (empty: any)

    // Replies; by default a statement fails as an unknown table would, and a procedure as unknown.
    std::function<ado::Lote(const QString& sql)> alEjecutar;
    std::function<ado::Lote(const QString& procedimiento, QVector<ado::ParametroMotor>& parametros)> alLlamar;

    // What the engines received.
    struct Llamada
    {
        QString procedimiento;
        QVector<ado::ParametroMotor> parametros; // as received, before the engine wrote outputs
    };
    QVector<ado::DatosConexion> aperturas() const;
    QStringList sentencias() const;
    QVector<Llamada> llamadas() const;

    FabricaMotor fabrica();

    // Used by the engines.
    mutable std::mutex mutex;
    QVector<ado::DatosConexion> mAperturas;
    QStringList mSentencias;
    QVector<Llamada> mLlamadas;
};

// Building blocks for replies.
ado::ErrorAdo error(qint32 numero, const QString& estado, const QString& texto);
ado::Tabla tabla(const QVector<ado::Columna>& columnas, const QVector<QVariant>& celdas);
ado::Columna columna(const QString& nombre, int tipo, int tamano = 0, int precision = 0, int escala = 0);

} // namespace dalvo::tds::prueba

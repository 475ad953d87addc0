#pragma once

// Shared by Connection, Recordset and Command; not for other folders.

#include "common/Falla.h"
#include "data/Motor.h"

#include <functional>
#include <memory>

namespace dalvo::ado::detalle {

// ADO's own run-time errors, with the texts of its Spanish edition.
inline constexpr qint32 kSinRegistroActual = 3021;
inline constexpr qint32 kElementoNoEncontrado = 3265;
inline constexpr qint32 kObjetoCerrado = 3704;
inline constexpr qint32 kObjetoAbierto = 3705;
inline constexpr qint32 kConexionNoValida = 3709;

[[noreturn]] void fallaAdo(qint32 numero, const QString& origen);

// The entry put in front of the error list when the engine says the link is gone and the driver's own
// records do not say so in a way the error driver recognises (08S01 with a number above 9999).
inline constexpr qint32 kNumeroEnlacePerdido = 20006;

// One open session: the engine and the connection's error list. Recordsets keep a weak reference, so that
// an error met when they move to the next result set lands in the connection's list.
struct Sesion
{
    std::unique_ptr<Motor> motor;
    QVector<ErrorAdo> errores;

    // Stores the records of a failed call in the error list (with the lost-link entry when it applies) and
    // returns the error to raise: the first entry's number, every description on its own line.
    Falla registrarFallo(QVector<ErrorAdo> registros, const QString& origen);
};

Falla fallaDeRegistros(const QVector<ErrorAdo>& registros, const QString& origen);

// Rows of every result set of a batch together (for the trace).
qint64 filasDelLote(const Lote& lote);

} // namespace dalvo::ado::detalle

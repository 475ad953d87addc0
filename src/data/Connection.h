#pragma once

#include "data/Motor.h"

#include <QString>
#include <QVector>
#include <functional>
#include <memory>

namespace dalvo::ado {

class Recordset;
namespace detalle {
struct Sesion;
}

enum EstadoObjeto : int
{
    adStateClosed = 0,
    adStateOpen = 1,
};

// The stand-in for ADO's Connection: one session with a database server, picked from the connection text
// (TextoConexion.h, FabricaMotor.h). Every failed call raises dalvo::Falla with the number of the first
// entry of Errors() and every entry's description, one per line; Errors() keeps the records until the
// next call. After a failed call the engine is asked whether the link is gone; when it is and no entry
// already reads 08S01 with a number above 9999, an entry "08S01 ..." numbered 20006 is put first, so the
// error driver sees a lost link as one.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void Open(const QString& connectionString);
    void Close();
    int State() const; // adStateClosed or adStateOpen; stays open after a lost link until Close

    // The records of the last failed call (or the informational messages of the last successful one).
    const QVector<ErrorAdo>& Errors() const;

    // Runs a statement or batch: the first result set, or a closed recordset when it returned none.
    std::unique_ptr<Recordset> Execute(const QString& commandText);

    int CommandTimeout = 30;    // seconds; 0 waits for ever
    int ConnectionTimeout = 15; // seconds for the login

private:
    friend class Recordset;
    friend class Command;

    // Runs one call on the engine with the trace and the error rule; textoTraza is what the trace shows.
    Lote correr(const QString& textoTraza, const QString& origen, const std::function<Lote(Motor&)>& llamada);
    std::weak_ptr<detalle::Sesion> sesion() const;

    std::shared_ptr<detalle::Sesion> mSesion;
    bool mAbierta = false;
};

} // namespace dalvo::ado

#pragma once

// What the server sends back: the pre-login answer and the token stream of every reply.

#include "data/Motor.h"
#include "tds/TiposTds.h"

#include <QVector>

namespace dalvo::tds {

namespace token {
enum : quint8
{
    EstadoRetorno = 0x79,     // RETURNSTATUS
    MetadatosColumnas = 0x81, // COLMETADATA
    Error = 0xAA,
    Info = 0xAB,
    ValorRetorno = 0xAC, // RETURNVALUE
    LoginAck = 0xAD,
    Fila = 0xD1,          // ROW
    CambioEntorno = 0xE3, // ENVCHANGE
    Done = 0xFD,
    DoneProc = 0xFE,
    DoneInProc = 0xFF,
};
} // namespace token

namespace estadoDone {
enum : quint16
{
    Final = 0x00,
    Mas = 0x01,
    Error = 0x02,
    Cuenta = 0x10,
    Atencion = 0x20,
};
} // namespace estadoDone

// Severity of the ERROR tokens: ordinary statement errors, and a refused login.
inline constexpr quint8 kClaseError = 16;
inline constexpr quint8 kClaseLogin = 14;

QByteArray respuestaPrelogin();

// The token stream of one reply, built in order.
class Respuesta
{
public:
    void cambioEntorno(quint8 tipo, const QString& nuevo, const QString& anterior);
    void cambioColacion(const QByteArray& colacion);
    void loginAck(quint32 versionTds);
    void mensaje(quint8 token, qint32 numero, quint8 clase, const QString& texto);
    void error(const ado::ErrorAdo& e, quint8 clase = kClaseError);
    void info(const ado::ErrorAdo& e);
    void done(quint8 token, quint16 estado, quint64 filas = 0);
    void estadoRetorno(qint32 valor);
    void valorRetorno(quint16 ordinal, const QString& nombre, const TipoTds& tipo, const QVariant& valor);

    // COLMETADATA, ROW tokens and the DONE (or DONEINPROC) with the row count. filasHastaCorte >= 0
    // marks the place after that many rows (or after the last one) where a cut in the middle of rows falls.
    void tabla(const ado::Tabla& t, quint8 tokenDone, int filasHastaCorte = -1);

    // The stream with the "more" bit on every DONE, DONEPROC and DONEINPROC but the last: without it the
    // driver stops reading and loses what follows (output parameters among it).
    QByteArray terminar();
    qsizetype corte() const { return mCorte; }
    bool vacia() const { return mE.tamano() == 0; }

private:
    Escritor mE;
    QVector<qsizetype> mEstadosDone; // positions of the status field of each DONE-family token
    qsizetype mCorte = -1;
};

// The text of an ERROR or INFO token: the engine's description without the SQLSTATE it begins with.
QString textoDeMensaje(const ado::ErrorAdo& e);

// A batch's or procedure's results: INFO tokens, the result sets, the error met after them.
// enProcedimiento: result sets end with DONEINPROC, and the caller ends the reply with DONEPROC.
void escribirLote(Respuesta& r, const ado::Lote& lote, bool enProcedimiento, int filasHastaCorte);

} // namespace dalvo::tds

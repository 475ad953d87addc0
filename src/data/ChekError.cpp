#include "data/ChekError.h"

#include "common/Falla.h"
#include "data/FinProceso.h"
#include "data/GrabarLog.h"
#include "data/cUserConnection.h"
#include "ui/Mensajes.h"
#include "ui/RelojArena.h"
#include "ui/frmProceso.h"

#include <QCoreApplication>

namespace dalvo {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTitulo = QStringLiteral("Error");

int gLlamadasEnCurso = 0;
bool gReconectando = false;

class Contador
{
public:
    explicit Contador(int& n) : mN(n) { ++mN; }
    ~Contador() { --mN; }
    Contador(const Contador&) = delete;
    Contador& operator=(const Contador&) = delete;

private:
    int& mN;
};

class Bandera
{
public:
    explicit Bandera(bool& b) : mB(b) { mB = true; }
    ~Bandera() { mB = false; }
    Bandera(const Bandera&) = delete;
    Bandera& operator=(const Bandera&) = delete;

private:
    bool& mB;
};

void dejarCorrerEventos()
{
    QCoreApplication::processEvents();
}

// Every failure that is not a lost connection: log it and show it.
void reportar(qint32 lNumero, const QString& sDescripcion, const QString& sOrigen, const QString& sErrores)
{
    if (lNumero > 9999) {
        const QString reporte = sErrores.isEmpty() ? QStringLiteral("VB Error:") + kCrLf + sDescripcion
                                                   : QStringLiteral("RDO Error:") + kCrLf + sErrores;
        GrabarLog(reporte, sOrigen);
        ui::msgBox(sOrigen + kCrLf + reporte, ui::Botones::OK, ui::Icono::Critico, kTitulo);
        return;
    }
    GrabarLog(QString::number(lNumero) + u' ' + sDescripcion + u' ', sOrigen);
    ui::msgBox(QString::number(lNumero) + kCrLf + sOrigen + kCrLf + sDescripcion, ui::Botones::OK,
               ui::Icono::Critico, kTitulo);
}

void cerrarProgreso()
{
    ui::frmProceso::instancia().Descargar();
    ui::restaurarPuntero();
    dejarCorrerEventos();
}

// Asked before every attempt but the first. False: the operator gave up.
bool preguntarReintento(const QString& sErrores)
{
    // The box takes the pointer's arrow; the hourglass comes back for the attempt.
    ui::restaurarPuntero();
    const ui::Respuesta respuesta =
        ui::msgBox(QStringLiteral("Error") + kCrLf + sErrores + kCrLf +
                       QStringLiteral("al intentar reestablecer la conección con ") + gConexion->Server +
                       kCrLf + QStringLiteral("¿ Reintenta ?"),
                   ui::Botones::RetryCancel, ui::Icono::Critico, QStringLiteral("Conección"), 2);
    if (respuesta != ui::Respuesta::Retry)
        return false;
    ui::ponerRelojArena();
    return true;
}

// A new connection to the default server with the stored user, password and database, proved by a
// statement. Loops while the failure is a lost connection; only the operator's Cancel ends it.
void reconectar(QString sErrores)
{
    const Bandera reconectando(gReconectando);
    int reintentos = 0;
    for (;;) {
        GrabarLog(sErrores);
        ui::ponerRelojArena();
        ui::frmProceso::instancia().Cargar(QStringLiteral("Intentando reestablecer conección con ") +
                                           gConexion->Server);
        dejarCorrerEventos();
        ++reintentos;
        if (reintentos >= 2 && !preguntarReintento(sErrores)) {
            GrabarLog(QStringLiteral("Cancelación de reintentos de conección"), QStringLiteral("ChekError"));
            FinalizarProceso(1);
            cerrarProgreso(); // only reached where the exit is a test's
            return;
        }
        try {
            if (gConexion->Connection)
                gConexion->Connection->Close();
            gConexion->Connection.reset();
            gConexion->Connect({}, {}, {}, {});
            auto rs = gConexion->Connection->Execute(QString::fromLatin1(kVerificacionConexion));
            if (rs)
                rs->Close();
        } catch (const Falla& f) {
            cerrarProgreso();
            QString ultimo;
            if (ChekConexion(sErrores, ultimo))
                continue;
            // Something other than the link (a refused login, a server without the catalogue): trying
            // again would not help, and the operator must know why the connection is still down.
            reportar(f.Numero, f.Descripcion, f.Origen, sErrores);
            return;
        }
        cerrarProgreso();
        return;
    }
}

} // namespace

void ChekError(qint32 lNumero, QString sDescripcion, QString sOrigen)
{
    const Contador enCurso(gLlamadasEnCurso);
    QString sErrores;
    if (lNumero > 9999) {
        QString sUltimo;
        if (ChekConexion(sErrores, sUltimo)) {
            // A failure met while a reconnection lets events run belongs to the link being recovered.
            if (gReconectando) {
                GrabarLog(sErrores, sOrigen);
                return;
            }
            reconectar(sErrores);
            return;
        }
    }
    reportar(lNumero, sDescripcion, sOrigen, sErrores);
}

void ChekError(const Falla& falla)
{
    ChekError(falla.Numero, falla.Descripcion, falla.Origen);
}

bool ChekErrorEnCurso()
{
    return gLlamadasEnCurso > 0;
}

} // namespace dalvo

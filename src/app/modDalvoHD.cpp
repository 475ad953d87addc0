#include "app/modDalvoHD.h"

#include "app/frmDalvoHD.h"
#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "data/ChekError.h"
#include "data/FinProceso.h"
#include "data/cUserConnection.h"
#include "data/clsParametros.h"
#include "data/frmDNS.h"

#include <QCoreApplication>

namespace dalvo {

QString argumentoInicio(const QStringList& argumentos)
{
    return argumentos.mid(1).join(u' ').trimmed().toUpper();
}

void Main()
{
    const QString argumento = argumentoInicio(QCoreApplication::arguments());
    delete gConexion;
    gConexion = new cUserConnection;
    if (!frmDNS::instancia().Conectar(argumento)) {
        FinalizarProceso(0);
        return;
    }
    gSeparadorDecimal = SeparadorDecimal();
    try {
        gTituloEmpresa = LeerNombreEmpresa();
    } catch (const Falla& f) {
        // The connection may have dropped right after the log-in: the driver says so and recovers it; the
        // console opens all the same, with a bare caption.
        ChekError(f.Numero, f.Descripcion, QStringLiteral("Main"));
    }
    auto* ventana = new frmDalvoHD; // lives until Terminar ends the process
    ventana->show();
}

QString LeerNombreEmpresa()
{
    clsParametros parametros;
    parametros.Connection = gConexion->Connection;
    parametros.Buscar().reset();
    return parametros.RegistrosLeidos == 1 ? parametros.NombreEmpresa : QString();
}

void Terminar()
{
    delete gConexion;
    gConexion = nullptr;
    FinalizarProceso(0);
}

} // namespace dalvo

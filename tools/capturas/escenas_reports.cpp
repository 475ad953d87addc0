#include "Escenas.h"
#include "data/Motor.h"
#include "reports/ColeccionParametros.h"
#include "reports/FuncionesReportes.h"
#include "reports/Informe.h"
#include "reports/ParametrosReportes.h"
#include "reports/frmReportes.h"
#include "reports/frmVistaPrevia.h"

#include <QLineEdit>

namespace dalvo::capturas {
namespace {

ado::Columna columna(const char* nombre, int tipo)
{
    ado::Columna c;
    c.nombre = QString::fromLatin1(nombre);
    c.tipo = tipo;
    return c;
}

// Closings as Cierres.SQL returns them.
ado::Tabla cierres(int filas)
{
    static const char* const nombres[] = {"Farmacia del Sol", "Farmacia Central Mendoza",
                                          "Farmacia San Martín", "Farmacia Godoy Cruz",
                                          "Farmacia Luján de Cuyo"};
    ado::Tabla t;
    t.columnas = {columna("IdCierre", ado::adInteger),     columna("FechaServer", ado::adDBTimeStamp),
                  columna("IdPrestador", ado::adInteger),  columna("Prestador_OS", ado::adChar),
                  columna("Nombre", ado::adChar),          columna("Cant_transac", ado::adSmallInt),
                  columna("TTicket", ado::adCurrency),     columna("TAfilia", ado::adCurrency),
                  columna("TDPrestador", ado::adCurrency), columna("BPRAL", ado::adCurrency),
                  columna("NumeroTramite", ado::adInteger)};
    for (int i = 0; i < filas; ++i) {
        const double total = 2500 + (i * 7919 % 90000) / 7.0;
        t.celdas << 20310 + i << QDateTime(QDate(2008, 3, 1 + i % 28), QTime(18, 5 + i % 50)) << 101 + i % 5
                 << QStringLiteral("%1").arg(300101 + i % 5) << QString::fromUtf8(nombres[i % 5])
                 << 12 + i * 13 % 300 << total << total * 0.3 << total * 0.08 << total * 0.62 << 70100 + i;
    }
    return t;
}

const Registro reportes("frmReportes", [] {
    static QLineEdit desde(QStringLiteral("01/03/2008"));
    static QLineEdit hasta(QStringLiteral("31/03/2008"));
    static PedidoVentanaReportes pedido =
        ParametrosCierre(20317, QStringLiteral("103"), QStringLiteral("Farmacia San Martín"), true);
    pedido.parametros.setItem(QStringLiteral("FECHADESDE"), desde.text());
    pedido.parametros.setItem(QStringLiteral("FECHAHASTA"), hasta.text());
    auto* ventana = new frmReportes;
    ventana->cargar(pedido.contexto, pedido.parametros);
    return ventana;
});

const Registro vistaPrevia("frmVistaPrevia", [] {
    const reportes::Diseno diseno = reportes::leerDiseno(CarpetaReportes() + QStringLiteral("Cierres.rpt"));
    auto informe = std::make_shared<reportes::Informe>(diseno, cierres(120));
    informe->setFormula(QStringLiteral("SubTitulo"), QStringLiteral("'ENTRE CIERRE 20310 Y CIERRE 20429'"));
    auto* ventana = new frmVistaPrevia(informe, QStringLiteral("Cierres"));
    ventana->showMaximized();
    ventana->findChild<QLineEdit*>(QStringLiteral("txtBuscar"))->setText(QStringLiteral("San Martín"));
    ventana->buscarSiguiente();
    return ventana;
});

} // namespace
} // namespace dalvo::capturas

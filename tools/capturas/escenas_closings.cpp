#include "Escenas.h"
#include "closings/frmCierres.h"
#include "closings/frmCierresTotal.h"
#include "common/Falla.h"
#include "common/Reloj.h"
#include "data/cUserConnection.h"

#include <QTabBar>
#include <cstdio>

namespace dalvo::capturas {
namespace {

// The program's demo database; a scene without it still shows its window, with the failure in a scripted box.
void conectar()
{
    delete gConexion;
    gConexion = new cUserConnection;
    try {
        gConexion->Connect(QStringLiteral("demo"), QStringLiteral("operador"), QStringLiteral("demo"));
    } catch (const Falla& f) {
        std::fprintf(stderr, "Sin base de demostración: %s\n", f.what());
    }
}

// The busy pharmacy's latest closing, on one of the three tabs.
frmCierres* cierre(int pestana)
{
    conectar();
    auto* ventana = new frmCierres;
    ventana->resize(760, 470);
    const QString sql =
        QStringLiteral("SELECT MAX(IdCierre) AS Cierre FROM Cierres (NOLOCK) WHERE IdPrestador = 1");
    if (auto rs = gConexion->Query(sql); rs && !rs->Eof())
        ventana->Mostrar(1, rs->Fields(0).Value().toInt());
    ventana->TabCierres->setCurrentIndex(pestana);
    return ventana;
}

const Registro cierres("frmCierres", [] { return cierre(0); });
const Registro cierresTickets("frmCierres_tickets", [] { return cierre(1); });
const Registro cierresDescuentos("frmCierres_descuentos", [] { return cierre(2); });

// The closings run in the first days of this month (last month's), as a consultation of kind 5 over that
// range leaves the main window's condition and date fields.
const Registro totales("frmCierresTotal", [] {
    conectar();
    const QDate hoy = Hoy();
    const QDate desde(hoy.year(), hoy.month(), 1);
    const QDate hasta = desde.addDays(4);
    auto* ventana = new frmCierresTotal;
    ventana->cargar(
        desde.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(" al ") +
            hasta.toString(QStringLiteral("dd/MM/yyyy")),
        QStringLiteral("C.FechaServer BETWEEN '%1 00:00:00' AND '%2 23:59:59'")
            .arg(desde.toString(QStringLiteral("MM/dd/yyyy")), hasta.toString(QStringLiteral("MM/dd/yyyy"))));
    return ventana;
});

} // namespace
} // namespace dalvo::capturas

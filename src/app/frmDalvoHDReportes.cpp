// The main window's "Reportes" menu: the report window for the rows on screen, or for the general reports.

#include "app/frmDalvoHD.h"
#include "common/Falla.h"
#include "data/ChekError.h"
#include "reports/ParametrosReportes.h"
#include "reports/frmReportes.h"
#include "ui/RelojArena.h"

namespace dalvo {

// The collection holds the kind's values from lvwGeneral as they stand now, and the two date fields
// themselves: a date changed in the report window is changed here too.
void frmDalvoHD::mnuReportes_Click()
{
    try {
        std::optional<PedidoVentanaReportes> pedido =
            ParametrosEspecificos(casoActivo(), *lvwGeneral, txtDesdeFecha, txtHastaFecha);
        if (!pedido)
            return;
        frmReportes ventana(this);
        ventana.Carga(pedido->contexto, pedido->parametros);
    } catch (const Falla& f) {
        ui::restaurarPuntero();
        ChekError(f);
    }
}

void frmDalvoHD::mnuReportesGenerales_Click()
{
    PedidoVentanaReportes pedido = ParametrosGenerales(txtDesdeFecha, txtHastaFecha);
    frmReportes ventana(this);
    ventana.Carga(pedido.contexto, pedido.parametros);
}

} // namespace dalvo

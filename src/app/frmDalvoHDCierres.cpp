// The main window's closings: a double-click on a closings row opens the closings window, and the "Cierre"
// menu's "Totales..." the totals of the closings of the last consultation.

#include "app/frmDalvoHD.h"
#include "closings/frmCierres.h"
#include "closings/frmCierresTotal.h"

#include <QLineEdit>

namespace dalvo {

void frmDalvoHD::abrirCierre(qint32 pIdPrestador, qint32 pIdCierre, bool bFarmacia)
{
    frmCierres::abrir(this, pIdPrestador, pIdCierre, bFarmacia);
}

void frmDalvoHD::mnuCierreTotales_Click()
{
    frmCierresTotal ventana(this);
    ventana.Cargar(txtDesdeFecha->text() + QStringLiteral(" al ") + txtHastaFecha->text(), mCondicion);
}

} // namespace dalvo

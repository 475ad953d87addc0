// The main window's entry to the ad-hoc table query window (the entry itself stays hidden).

#include "adhoc/frmConsultas.h"
#include "app/frmDalvoHD.h"

namespace dalvo {

void frmDalvoHD::mnuConsultas_Click()
{
    frmConsultas::Mostrar(this);
}

} // namespace dalvo

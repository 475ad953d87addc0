// The main window's handlers that belong to other parts of the console. Each is connected already (see
// frmDalvoHD::conectarEventos); the part that fills one in moves it to its own file of this class
// (frmDalvoHDTipos.cpp, frmDalvoHDConsulta.cpp, frmDalvoHDResultado.cpp ...) and deletes it here.

#include "app/frmDalvoHD.h"

namespace dalvo {

// Closing totals of the closings found.
void frmDalvoHD::mnuCierreTotales_Click()
{}

} // namespace dalvo

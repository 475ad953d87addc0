// The main window's handlers that belong to other parts of the console. Each is connected already (see
// frmDalvoHD::conectarEventos); the part that fills one in moves it to its own file of this class
// (frmDalvoHDTipos.cpp, frmDalvoHDConsulta.cpp, frmDalvoHDResultado.cpp ...) and deletes it here.

#include "app/frmDalvoHD.h"

namespace dalvo {

// Choosing a search kind: criteria, menus, per-kind memory, "Mantener Consulta".
void frmDalvoHD::lvwMenu_ItemClick(QListWidgetItem*)
{}

// Sorts the kinds by caption.
void frmDalvoHD::lvwMenu_DblClick()
{}

// The consultation run.
void frmDalvoHD::cmdConsulta_Click()
{}

// The result list: column sorting, double-click and right-click with the kind's popup menu.
void frmDalvoHD::lvwGeneral_ColumnClick(int)
{}
void frmDalvoHD::lvwGeneral_DblClick()
{}
void frmDalvoHD::lvwGeneral_MouseUp(const QPoint&)
{}

// Detail windows opened from the result list.
void frmDalvoHD::mnuVetItemTicket_Click()
{}
void frmDalvoHD::mnuPrestadorInformacion_Click()
{}

// Closing totals of the closings found.
void frmDalvoHD::mnuCierreTotales_Click()
{}

// The report window: for the selected row, and in general.
void frmDalvoHD::mnuReportes_Click()
{}
void frmDalvoHD::mnuReportesGenerales_Click()
{}

// The ad-hoc table query window.
void frmDalvoHD::mnuConsultas_Click()
{}

} // namespace dalvo

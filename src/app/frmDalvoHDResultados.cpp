// The main window's result list: sorting by a heading, the double-click and right-click of each kind, and
// the detail windows opened from the popup menus.

#include "app/frmDalvoHD.h"
#include "common/Falla.h"
#include "consultation/Valores.h"
#include "consultation/frmInformacionPrestador.h"
#include "consultation/frmTicket.h"
#include "data/ChekError.h"
#include "ui/VistaLista.h"

#include <QCursor>
#include <QLineEdit>
#include <QMenu>

namespace dalvo {

namespace {

// Columns of lvwGeneral the handlers read (the catalogue's column order).
constexpr int kColumnaFecha = 2;       // "Fecha Prestación" / "Fecha Práctica"
constexpr int kColumnaPrestador = 6;   // "Nombre Prestador"
constexpr int kColumnaIdPrestador = 9; // "HH IdPrestador" of a closing

const QString kOrigen = QStringLiteral("frmDalvoHD");

} // namespace

// Every click sorts ascending by the first column with the clicked heading, comparing texts.
void frmDalvoHD::lvwGeneral_ColumnClick(int columna)
{
    const QString encabezado = lvwGeneral->encabezado(columna);
    for (int c = 0; c < lvwGeneral->cantidadColumnas(); ++c) {
        if (lvwGeneral->encabezado(c) == encabezado) {
            lvwGeneral->ordenarPor(c, Qt::AscendingOrder);
            return;
        }
    }
}

QMenu* frmDalvoHD::menuDelCaso(bool dobleClic) const
{
    switch (casoActivo()) {
    case 1:
        return mnuPrestador;
    case 4:
    case 9:
        return mnuTicket;
    case 5:
        return dobleClic ? nullptr : mnuCierre;
    default:
        return nullptr;
    }
}

void frmDalvoHD::mostrarMenuContextual(QMenu* menu)
{
    if (!menu)
        return;
    if (mostrarPopup)
        mostrarPopup(menu);
    else
        menu->exec(QCursor::pos());
}

void frmDalvoHD::lvwGeneral_DblClick()
{
    QTreeWidgetItem* item = lvwGeneral->itemSeleccionado();
    if (!item)
        return;
    if (casoActivo() == 5) {
        try {
            const qint32 prestador =
                enteroLargo(numeroDeTexto(item->text(kColumnaIdPrestador), kOrigen), kOrigen);
            const qint32 cierre = enteroLargo(numeroDeTexto(item->text(0), kOrigen), kOrigen);
            emit mostrarCierre(prestador, cierre, false);
        } catch (const Falla& falla) {
            ChekError(falla.Numero, falla.Descripcion, falla.Origen);
        }
    }
    mostrarMenuContextual(menuDelCaso(true));
}

void frmDalvoHD::lvwGeneral_MouseUp(const QPoint&)
{
    mostrarMenuContextual(menuDelCaso(false));
}

void frmDalvoHD::mnuVetItemTicket_Click()
{
    const int caso = casoActivo();
    QTreeWidgetItem* item = lvwGeneral->itemSeleccionado();
    if (lvwGeneral->cantidadItems() == 0 || !item || (caso != 4 && caso != 9))
        return;
    try {
        const double ticket = numeroDeTexto(item->text(0), kOrigen);
        frmTicket ventana(this);
        ventana.CargaItemTicket(ticket, fechaDeTexto(item->text(kColumnaFecha)),
                                item->text(kColumnaPrestador), caso == 4);
    } catch (const Falla& falla) {
        ChekError(falla.Numero, falla.Descripcion, falla.Origen);
    }
}

void frmDalvoHD::mnuPrestadorInformacion_Click()
{
    QTreeWidgetItem* item = lvwGeneral->itemSeleccionado();
    if (lvwGeneral->cantidadItems() == 0 || !item || casoActivo() != 1)
        return;
    try {
        const double prestador = numeroDeTexto(item->text(0), kOrigen);
        frmInformacionPrestador ventana(this);
        ventana.CargaInformacionPrestador(prestador, txtDesdeFecha->text(), txtHastaFecha->text());
    } catch (const Falla& falla) {
        ChekError(falla.Numero, falla.Descripcion, falla.Origen);
    }
}

} // namespace dalvo

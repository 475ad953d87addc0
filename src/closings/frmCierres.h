#pragma once

#include "closings/DatosCierre.h"
#include "closings/NavegacionCierres.h"
#include "reports/ParametrosReportes.h"

#include <QDateTime>
#include <QWidget>
#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabBar;
class QToolBar;

namespace dalvo {

namespace ui {
class VistaLista;
}

// One provider settlement, read-only, on three tabs: the header (provider, dates, counts, amounts), its
// tickets and its discount lines, all from spDatosCierre. Not modal. The toolbar moves through closings
// ("Primero", "Anterior", "Siguiente", "Ultimo", and "Find" with the number in txtIdCierre, over every
// closing), prints ("Print": the report window with the closing's parameters) and closes ("Exit");
// "Ver Ticket" opens the selected ticket's items.
class frmCierres : public QWidget
{
    Q_OBJECT

public:
    explicit frmCierres(QWidget* parent = nullptr);

    // Loads the closing and shows the window when it loaded. Provider 0 does nothing; a closing the
    // procedure does not find shows "Aviso" and leaves the window as it was (hidden when it was hidden).
    void Mostrar(qint32 pIdPrestador, qint32 pIdCierre, bool bFarmacia = false);

    // The main window's double-click: the one closings window (created on first use, parented to padre,
    // deleted when closed) shows the closing; a window that never loaded is not kept.
    static void abrir(QWidget* padre, qint32 pIdPrestador, qint32 pIdCierre, bool bFarmacia = false);

    // The report window (frmReportes::Carga with the context and the collection) and the ticket items window
    // (frmTicket::CargaItemTicket), replaceable (tests).
    static std::function<void(QWidget* padre, PedidoVentanaReportes& pedido)> abrirReportes;
    static std::function<void(QWidget* padre, double ticket, const QDateTime& fecha, const QString& prestador,
                              bool farmacia)>
        abrirTicket;

    qint32 idPrestador() const { return mIdPrestador; }
    qint32 idCierre() const { return mIdCierre; }
    bool farmacia() const { return mFarmacia; }

    // Controls, named as the system names them.
    QToolBar* tbrABM;
    QPushButton* cmdFind;
    QLineEdit* txtIdCierre;
    QTabBar* TabCierres;
    QGroupBox* fmeCierre;
    QGroupBox* fraFecha;
    QGroupBox* fraImportes;
    QGroupBox* fmeTickets;
    QGroupBox* fmeDescuentos;
    QLabel *lblFCierre, *lblFDesde, *lblHDesde, *lblFHasta, *lblHHasta;
    QLabel *lblTotal, *lblBonificacion, *lblBonificacionP, *lblDscOS, *lblDescuentoP, *lblAPagar;
    QLabel *lblCntTickets, *lblCntDevueltos, *lblCntAnulados;
    QLabel *lblNroTramite, *lblNroLote, *lblPrestadorID, *lblPrestador;
    ui::VistaLista* lvwTickets;
    QPushButton* cmdTicket;
    QLabel* lblCntTicket;
    ui::VistaLista* lvwDescuentos;

    // The toolbar button of a key ("Find", "Primero" ... "Exit").
    QAction* boton(const QString& clave) const;

private:
    void crearControles();
    QWidget* crearCabecera();
    QWidget* crearTickets();
    QWidget* crearDescuentos();
    void tbrABM_ButtonClick(const QString& clave);
    void TabCierres_Click(int indice);
    void cmdTicket_Click();
    void imprimir();
    void navegar(Navegacion accion);

    // Reads the closing and, when found, shows it; false on a failure (to the error driver) or a closing
    // not found ("Aviso").
    bool cargarCierre(qint32 pIdPrestador, qint32 pIdCierre, bool bFarmacia);
    void mostrarDatos(const DatosCierre& datos);

    qint32 mIdPrestador = 0;
    qint32 mIdCierre = 0;
    bool mFarmacia = false;
    QDateTime mFecha;
};

} // namespace dalvo

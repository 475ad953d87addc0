// The main window's search kinds and consultation run: choosing a kind restores its criterion and values
// (and, with "Mantener Consulta", its result), cmdConsulta builds the condition and caption, counts, and
// loads the rows into lvwGeneral.

#include "app/frmDalvoHD.h"
#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "consultation/CondicionConsulta.h"
#include "consultation/MuestraResultado.h"
#include "consultation/TiposConsulta.h"
#include "consultation/clsQuerys.h"
#include "data/ChekError.h"
#include "ui/Mensajes.h"
#include "ui/RelojArena.h"
#include "ui/VistaLista.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

namespace dalvo {

namespace {

// Above this many entries a consultation is refused: the operator narrows it.
constexpr double kMaximoEntradas = 1500;

const QString kCambieCondicion = QStringLiteral("\r\nCambie la condición de búsqueda.");

} // namespace

void frmDalvoHD::lvwMenu_ItemClick(QListWidgetItem* item)
{
    if (!item)
        return;
    activarCaso(0);
    mostrarMenu(mnuPrestador, false);
    mostrarMenu(mnuTicket, false);
    mostrarMenu(mnuCierre, false);

    const QString clave = item->data(Qt::UserRole).toString();
    const TipoConsulta* tipo = tipoConsulta(clave);
    clsItemConsulta* registro = itemConsulta(clave);
    if (!tipo || !registro)
        return;
    cboConsulta->clear();
    cboConsulta->addItems(tipo->criterios);
    activarCaso(tipo->caso);
    mostrarMenu(mnuPrestador, tipo->menu == MenuConsulta::Prestador);
    mostrarMenu(mnuTicket, tipo->menu == MenuConsulta::Ticket);
    mostrarMenu(mnuCierre, tipo->menu == MenuConsulta::Cierre);

    if (registro->ConsultaOk) {
        cboConsulta->setCurrentIndex(registro->IndexConsulta);
        txtConsulta->setText(registro->Consulta);
        txtDesdeFecha->setText(registro->DesdeFecha);
        txtHastaFecha->setText(registro->HastaFecha);
    } else {
        cboConsulta->setCurrentIndex(0);
        txtConsulta->clear();
    }

    // Choosing the kind already shown keeps its list.
    if (clave == mClaveActual)
        return;
    mClaveActual = clave;
    if (chkMantenerConsulta->isChecked() && registro->ConsultaOk) {
        cmdConsulta_Click();
        return;
    }
    lvwGeneral->hide();
    lvwGeneral->limpiarColumnas();
    lblConsulta->clear();
    lblCantidadEntradas->clear();
    lvwGeneral->show();
}

void frmDalvoHD::lvwMenu_DblClick()
{
    lvwMenu->setSortingEnabled(true);
    lvwMenu->sortItems(Qt::AscendingOrder);
}

void frmDalvoHD::cmdConsulta_Click()
{
    mCondicion.clear();
    const TipoConsulta* tipo = tipoConsulta(casoActivo());
    if (!tipo)
        return;
    const CondicionConsulta armada =
        ArmarCondicion({tipo->caso, cboConsulta->currentText(), txtConsulta->text(),
                        chkBuscarExacto->isChecked(), txtDesdeFecha->text(), txtHastaFecha->text()});
    if (armada.valorReescrito)
        txtConsulta->setText(*armada.valorReescrito);
    if (armada.descripcion)
        mDescripcion = *armada.descripcion;
    mCondicion = armada.condicion;
    if (!armada.numeroValido) {
        ui::msgBox(QStringLiteral("El valor a buscar debe ser un número"), ui::Botones::OK,
                   ui::Icono::Informacion, QString(), 1, this);
        return;
    }

    clsItemConsulta* registro = itemConsulta(tipo->clave);
    const bool cargada = EjecutarConsulta(tipo->caso);
    if (!registro)
        return;
    registro->ConsultaOk = cargada;
    if (cargada) {
        registro->IndexConsulta = qint16(cboConsulta->currentIndex());
        registro->Consulta = recortar(txtConsulta->text());
        registro->DesdeFecha = recortar(txtDesdeFecha->text());
        registro->HastaFecha = recortar(txtHastaFecha->text());
    }
}

bool frmDalvoHD::EjecutarConsulta(qint32 pCaso)
{
    setTextoEstado(QStringLiteral("Buscando ") + mDescripcion + QStringLiteral("..."));
    QCoreApplication::processEvents();
    lvwGeneral->hide();
    ui::ponerRelojArena();

    bool resultado = false;
    try {
        double cuenta = 0;
        QString textoCuenta = QStringLiteral("0");
        bool rechazada = false;
        std::unique_ptr<ado::Recordset> conteo = gQuerys->Consulta(pCaso, mCondicion, true);
        if (gQuerys->RegistrosAfectados() > 0) {
            cuenta = conteo->Fields(QStringLiteral("Cuenta")).Value().toDouble();
            textoCuenta = QString::number(qint64(cuenta));
            QString aviso;
            if (cuenta > kMaximoEntradas)
                aviso = QStringLiteral("La consulta devuelve ") + textoCuenta + QStringLiteral(" entradas.");
            else if (cuenta == 0)
                aviso = QStringLiteral("La consulta no tiene resultado.");
            if (!aviso.isEmpty()) {
                rechazada = true;
                ui::restaurarPuntero();
                ui::msgBox(aviso + kCambieCondicion, ui::Botones::OK, ui::Icono::Ninguno, QString(), 1, this);
            }
        }
        conteo->Close();

        if (!rechazada) {
            setTextoEstado(QStringLiteral("Buscando ") + textoCuenta + u' ' + mDescripcion +
                           QStringLiteral("..."));
            QCoreApplication::processEvents();
            std::unique_ptr<ado::Recordset> filas =
                gQuerys->Consulta(pCaso, mCondicion, false, txtDesdeFecha->text(), txtHastaFecha->text());
            if (gQuerys->RegistrosAfectados() > 0)
                MuestraResultado(*filas, *lvwGeneral, *this);
            filas->Close();
            lblCantidadEntradas->setText(cuenta > 0 ? textoCuenta : QString());
            lblConsulta->setText(mDescripcion);
            resultado = true;
        }
    } catch (const Falla& falla) {
        ui::restaurarPuntero();
        lvwGeneral->show();
        setTextoEstado({});
        ChekError(falla.Numero, falla.Descripcion, falla.Origen);
        resultado = false;
    }
    ui::restaurarPuntero();
    lvwGeneral->show();
    setTextoEstado({});
    return resultado;
}

} // namespace dalvo

#include "closings/frmCierres.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "consultation/frmTicket.h"
#include "data/ChekError.h"
#include "reports/frmReportes.h"
#include "ui/Iconos.h"
#include "ui/Mensajes.h"
#include "ui/RelojArena.h"
#include "ui/VistaLista.h"

#include <QAction>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace dalvo {

namespace {

const QString kOrigen = QStringLiteral("frmCierres");
const QString kAviso = QStringLiteral("Aviso");

QLabel* valor(const char* nombre, QWidget* padre, Qt::Alignment alineacion = Qt::AlignLeft)
{
    auto* lbl = new QLabel(padre);
    lbl->setObjectName(QLatin1String(nombre));
    lbl->setFrameShape(QFrame::StyledPanel);
    lbl->setFrameShadow(QFrame::Sunken);
    lbl->setAlignment(alineacion | Qt::AlignVCenter);
    lbl->setMinimumWidth(lbl->fontMetrics().horizontalAdvance(QStringLiteral("000.000.000,00")));
    return lbl;
}

QLabel* rotulo(const QString& texto, QWidget* padre)
{
    return new QLabel(texto, padre);
}

QGroupBox* marco(const char* nombre, const QString& titulo, QWidget* padre)
{
    auto* m = new QGroupBox(titulo, padre);
    m->setObjectName(QLatin1String(nombre));
    return m;
}

} // namespace

std::function<void(QWidget*, PedidoVentanaReportes&)> frmCierres::abrirReportes =
    [](QWidget* padre, PedidoVentanaReportes& pedido) {
        frmReportes ventana(padre);
        ventana.Carga(pedido.contexto, pedido.parametros);
    };
std::function<void(QWidget*, double, const QDateTime&, const QString&, bool)> frmCierres::abrirTicket =
    [](QWidget* padre, double ticket, const QDateTime& fecha, const QString& prestador, bool farmacia) {
        frmTicket ventana(padre);
        ventana.CargaItemTicket(ticket, fecha, prestador, farmacia);
    };

frmCierres::frmCierres(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmCierres"));
    setWindowTitle(QStringLiteral("Cierres"));
    setWindowIcon(ui::icono(QStringLiteral("CIERRE")));
    crearControles();
    TabCierres->setCurrentIndex(0);
    TabCierres_Click(0);
    ui::restaurarPuntero();
}

void frmCierres::crearControles()
{
    tbrABM = new QToolBar(this);
    tbrABM->setObjectName(QStringLiteral("tbrABM"));
    tbrABM->setIconSize(QSize(24, 24));
    const std::pair<const char*, const char*> botones[] = {
        {"Find", "Buscar"}, {"Primero", "First"}, {"Anterior", "Prior"}, {"Siguiente", "Next"},
        {"Ultimo", "Last"}, {"Print", "print"},   {"Exit", "Exit"},
    };
    for (const auto& [clave, ayuda] : botones) {
        QAction* a = tbrABM->addAction(ui::icono(QLatin1String(clave)), QString());
        a->setObjectName(QLatin1String(clave));
        a->setData(QLatin1String(clave));
        a->setToolTip(QLatin1String(ayuda));
        connect(a, &QAction::triggered, this,
                [this, c = QString::fromLatin1(clave)] { tbrABM_ButtonClick(c); });
    }
    cmdFind = new QPushButton(ui::icono(QStringLiteral("Find")), QString(), this);
    cmdFind->setObjectName(QStringLiteral("cmdFind"));
    cmdFind->setToolTip(QStringLiteral("Buscar"));
    txtIdCierre = new QLineEdit(this);
    txtIdCierre->setObjectName(QStringLiteral("txtIdCierre"));
    txtIdCierre->setMaxLength(9);
    txtIdCierre->setMaximumWidth(txtIdCierre->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) +
                                 12);
    connect(cmdFind, &QPushButton::clicked, this, [this] { navegar(Navegacion::Este); });
    connect(txtIdCierre, &QLineEdit::returnPressed, this, [this] { navegar(Navegacion::Este); });

    auto* barra = new QHBoxLayout;
    barra->addWidget(tbrABM);
    barra->addStretch();
    barra->addWidget(txtIdCierre);
    barra->addWidget(cmdFind);

    TabCierres = new QTabBar(this);
    TabCierres->setObjectName(QStringLiteral("TabCierres"));
    TabCierres->setExpanding(false);
    const std::pair<const char*, const char*> pestanas[] = {
        {"Cierre", "CIERRE"}, {"Tickets", "TICKETS"}, {"Descuentos", "DESCUENTOS"}};
    for (const auto& [texto, clave] : pestanas)
        TabCierres->setTabData(TabCierres->addTab(QLatin1String(texto)), QLatin1String(clave));
    connect(TabCierres, &QTabBar::tabBarClicked, this, &frmCierres::TabCierres_Click);
    connect(TabCierres, &QTabBar::currentChanged, this, &frmCierres::TabCierres_Click);

    // The three frames lie on one another; the tab strip shows one.
    auto* paginas = new QGridLayout;
    paginas->setContentsMargins(4, 6, 0, 0);
    paginas->addWidget(crearCabecera(), 0, 0);
    paginas->addWidget(crearTickets(), 0, 0);
    paginas->addWidget(crearDescuentos(), 0, 0);

    auto* todo = new QVBoxLayout(this);
    todo->addLayout(barra);
    todo->addWidget(TabCierres);
    todo->addLayout(paginas, 1);
}

QWidget* frmCierres::crearCabecera()
{
    fmeCierre = marco("fmeCierre", {}, this);

    lblPrestadorID = valor("lblPrestadorID", fmeCierre, Qt::AlignRight);
    lblPrestadorID->setMinimumWidth(
        lblPrestadorID->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 8);
    lblPrestador = valor("lblPrestador", fmeCierre);
    auto* prestador = new QHBoxLayout;
    prestador->addWidget(lblPrestadorID);
    prestador->addWidget(lblPrestador, 1);

    fraFecha = marco("fraFecha", QStringLiteral("Fechas"), fmeCierre);
    lblFCierre = valor("lblFCierre", fraFecha);
    lblFDesde = valor("lblFDesde", fraFecha);
    lblHDesde = valor("lblHDesde", fraFecha);
    lblFHasta = valor("lblFHasta", fraFecha);
    lblHHasta = valor("lblHHasta", fraFecha);
    auto* fechas = new QGridLayout(fraFecha);
    fechas->addWidget(rotulo(QStringLiteral("Fecha"), fraFecha), 0, 1, Qt::AlignCenter);
    fechas->addWidget(rotulo(QStringLiteral("Hora"), fraFecha), 0, 2, Qt::AlignCenter);
    fechas->addWidget(rotulo(QStringLiteral("Cierre"), fraFecha), 1, 0);
    fechas->addWidget(lblFCierre, 1, 1);
    fechas->addWidget(rotulo(QStringLiteral("Desde"), fraFecha), 2, 0);
    fechas->addWidget(lblFDesde, 2, 1);
    fechas->addWidget(lblHDesde, 2, 2);
    fechas->addWidget(rotulo(QStringLiteral("Hasta"), fraFecha), 3, 0);
    fechas->addWidget(lblFHasta, 3, 1);
    fechas->addWidget(lblHHasta, 3, 2);
    fechas->setRowStretch(4, 1);

    fraImportes = marco("fraImportes", QStringLiteral("Importes"), fmeCierre);
    lblTotal = valor("lblTotal", fraImportes, Qt::AlignRight);
    lblBonificacion = valor("lblBonificacion", fraImportes, Qt::AlignRight);
    lblBonificacionP = valor("lblBonificacionP", fraImportes, Qt::AlignRight);
    lblDscOS = valor("lblDscOS", fraImportes, Qt::AlignRight);
    lblDescuentoP = valor("lblDescuentoP", fraImportes, Qt::AlignRight);
    lblAPagar = valor("lblAPagar", fraImportes, Qt::AlignRight);
    auto* importes = new QGridLayout(fraImportes);
    importes->addWidget(rotulo(QStringLiteral("Pesos"), fraImportes), 0, 1, Qt::AlignCenter);
    importes->addWidget(rotulo(QStringLiteral("%"), fraImportes), 0, 2, Qt::AlignCenter);
    importes->addWidget(rotulo(QStringLiteral("Total"), fraImportes), 1, 0);
    importes->addWidget(lblTotal, 1, 1);
    importes->addWidget(rotulo(QStringLiteral("T. Afiliado"), fraImportes), 2, 0);
    importes->addWidget(lblBonificacion, 2, 1);
    importes->addWidget(lblBonificacionP, 2, 2);
    importes->addWidget(rotulo(QStringLiteral("Dec. O.S."), fraImportes), 3, 0);
    importes->addWidget(lblDscOS, 3, 1);
    importes->addWidget(lblDescuentoP, 3, 2);
    importes->addWidget(rotulo(QStringLiteral("A pagar"), fraImportes), 4, 0);
    importes->addWidget(lblAPagar, 4, 1);

    lblCntTickets = valor("lblCntTickets", fmeCierre, Qt::AlignRight);
    lblCntDevueltos = valor("lblCntDevueltos", fmeCierre, Qt::AlignRight);
    lblCntAnulados = valor("lblCntAnulados", fmeCierre, Qt::AlignRight);
    lblNroTramite = valor("lblNroTramite", fmeCierre, Qt::AlignRight);
    lblNroLote = valor("lblNroLote", fmeCierre, Qt::AlignRight);
    auto* cuentas = new QGridLayout;
    cuentas->addWidget(rotulo(QStringLiteral("Cantidad de Tickets"), fmeCierre), 0, 0);
    cuentas->addWidget(lblCntTickets, 0, 1);
    cuentas->addWidget(rotulo(QStringLiteral("Cantidad de Tickets Devueltos"), fmeCierre), 1, 0);
    cuentas->addWidget(lblCntDevueltos, 1, 1);
    cuentas->addWidget(rotulo(QStringLiteral("Cantidad de Tickets  Anulados"), fmeCierre), 2, 0);
    cuentas->addWidget(lblCntAnulados, 2, 1);
    cuentas->addWidget(rotulo(QStringLiteral("Nº trámite"), fmeCierre), 0, 3);
    cuentas->addWidget(lblNroTramite, 0, 4);
    cuentas->addWidget(rotulo(QStringLiteral("Nº Lote"), fmeCierre), 1, 3);
    cuentas->addWidget(lblNroLote, 1, 4);
    cuentas->setColumnMinimumWidth(2, 24);
    cuentas->setColumnStretch(5, 1);

    auto* marcos = new QHBoxLayout;
    marcos->addWidget(fraFecha);
    marcos->addWidget(fraImportes);
    auto* v = new QVBoxLayout(fmeCierre);
    v->addLayout(prestador);
    v->addLayout(marcos);
    v->addLayout(cuentas);
    v->addStretch();
    return fmeCierre;
}

QWidget* frmCierres::crearTickets()
{
    fmeTickets = marco("fmeTickets", {}, this);
    lvwTickets = new ui::VistaLista(fmeTickets);
    lvwTickets->setObjectName(QStringLiteral("lvwTickets"));
    lvwTickets->agregarColumna(QStringLiteral("Tickets"), 1200);
    lvwTickets->agregarColumna(QStringLiteral("Afiliado"), 1800);
    lvwTickets->agregarColumna(QStringLiteral("Cantidad"), 1000, Qt::AlignRight);
    lvwTickets->agregarColumna(QStringLiteral("Total"), 1400, Qt::AlignRight);
    lvwTickets->agregarColumna(QStringLiteral("Tipo"), 1400);
    cmdTicket = new QPushButton(QStringLiteral("Ver Ticket"), fmeTickets);
    cmdTicket->setObjectName(QStringLiteral("cmdTicket"));
    cmdTicket->setEnabled(false);
    lblCntTicket = valor("lblCntTicket", fmeTickets, Qt::AlignRight);
    lblCntTicket->setMinimumWidth(lblCntTicket->fontMetrics().horizontalAdvance(QStringLiteral("000000")) +
                                  8);
    connect(cmdTicket, &QPushButton::clicked, this, &frmCierres::cmdTicket_Click);
    connect(lvwTickets, &QTreeWidget::itemDoubleClicked, this, &frmCierres::cmdTicket_Click);

    auto* pie = new QHBoxLayout;
    pie->addWidget(cmdTicket);
    pie->addStretch();
    pie->addWidget(rotulo(QStringLiteral("Cant. de Tickets:"), fmeTickets));
    pie->addWidget(lblCntTicket);
    auto* v = new QVBoxLayout(fmeTickets);
    v->addWidget(lvwTickets, 1);
    v->addLayout(pie);
    return fmeTickets;
}

QWidget* frmCierres::crearDescuentos()
{
    fmeDescuentos = marco("fmeDescuentos", {}, this);
    lvwDescuentos = new ui::VistaLista(fmeDescuentos);
    lvwDescuentos->setObjectName(QStringLiteral("lvwDescuentos"));
    lvwDescuentos->agregarColumna(QStringLiteral("Tipo Afiliado"), 1300);
    lvwDescuentos->agregarColumna(QStringLiteral("Desc. (OS)"), 1200, Qt::AlignRight);
    for (const char* encabezado : {"Desc. Total", "Cargo Afiliado", "Bonif. (OS)", "Bonif. Farmacia"})
        lvwDescuentos->agregarColumna(QLatin1String(encabezado), 1700, Qt::AlignRight);
    auto* v = new QVBoxLayout(fmeDescuentos);
    v->addWidget(lvwDescuentos);
    return fmeDescuentos;
}

QAction* frmCierres::boton(const QString& clave) const
{
    for (QAction* a : tbrABM->actions())
        if (a->data().toString() == clave)
            return a;
    return nullptr;
}

void frmCierres::abrir(QWidget* padre, qint32 pIdPrestador, qint32 pIdCierre, bool bFarmacia)
{
    static QPointer<frmCierres> ventana;
    const bool nueva = !ventana;
    if (nueva) {
        ventana = new frmCierres(padre);
        ventana->setAttribute(Qt::WA_DeleteOnClose);
    }
    ventana->Mostrar(pIdPrestador, pIdCierre, bFarmacia);
    if (nueva && !ventana->isVisible())
        delete ventana;
    else if (ventana)
        ventana->raise();
}

void frmCierres::Mostrar(qint32 pIdPrestador, qint32 pIdCierre, bool bFarmacia)
{
    if (pIdPrestador == 0)
        return;
    ui::ponerRelojArena();
    QCoreApplication::processEvents();
    const bool cargado = cargarCierre(pIdPrestador, pIdCierre, bFarmacia);
    ui::restaurarPuntero();
    if (cargado) {
        QCoreApplication::processEvents();
        show();
    }
}

bool frmCierres::cargarCierre(qint32 pIdPrestador, qint32 pIdCierre, bool bFarmacia)
{
    try {
        const DatosCierre datos = CargarDatosCierre(pIdPrestador, pIdCierre);
        if (datos.error != 0) {
            ui::restaurarPuntero();
            ui::msgBox(datos.aviso(), ui::Botones::OK, ui::Icono::Informacion, kAviso, 1, this);
            return false;
        }
        // The window takes the closing only once it was read: a failed load leaves what it showed.
        mIdPrestador = pIdPrestador;
        mIdCierre = pIdCierre;
        mFarmacia = bFarmacia;
        mostrarDatos(datos);
        QCoreApplication::processEvents();
        return true;
    } catch (const Falla& falla) {
        ui::restaurarPuntero();
        ChekError(falla);
        QCoreApplication::processEvents();
        return false;
    }
}

void frmCierres::mostrarDatos(const DatosCierre& d)
{
    lvwTickets->limpiarItems();
    lvwDescuentos->limpiarItems();
    mFarmacia = d.farmacia;
    mFecha = d.fecha;
    lblPrestadorID->setText(d.prestadorId);
    lblPrestador->setText(d.prestador);
    lblFCierre->setText(d.fechaCierre);
    lblFDesde->setText(d.fechaDesde);
    lblHDesde->setText(d.horaDesde);
    lblFHasta->setText(d.fechaHasta);
    lblHHasta->setText(d.horaHasta);
    lblCntTickets->setText(d.cantTickets);
    lblCntDevueltos->setText(d.cantDevueltos);
    lblCntAnulados->setText(d.cantAnulados);
    lblTotal->setText(d.total);
    lblBonificacion->setText(d.bonificacion);
    lblBonificacionP->setText(d.bonificacionP);
    lblDscOS->setText(d.dscOS);
    lblDescuentoP->setText(d.descuentoP);
    lblAPagar->setText(d.aPagar);
    lblNroTramite->setText(d.nroTramite);
    lblNroLote->setText(d.idCierre);
    txtIdCierre->setText(d.idCierre);
    for (const FilaTicketCierre& t : d.tickets) {
        QTreeWidgetItem* item = lvwTickets->agregarItem({}, t.ticket);
        item->setText(1, t.afiliado);
        item->setText(2, t.cantidad);
        item->setText(3, t.total);
        item->setText(4, t.tipo);
    }
    for (const FilaDescuentoCierre& f : d.descuentos) {
        QTreeWidgetItem* item = lvwDescuentos->agregarItem({}, f.columnas[0]);
        for (int i = 1; i < 6; ++i)
            item->setText(i, f.columnas[i]);
    }
    const int cuenta = lvwTickets->cantidadItems();
    lblCntTicket->setText(QString::number(cuenta));
    cmdTicket->setEnabled(cuenta > 0);
    if (cuenta > 0)
        lvwTickets->setCurrentItem(lvwTickets->item(0));
}

void frmCierres::TabCierres_Click(int indice)
{
    QGroupBox* marcos[] = {fmeCierre, fmeTickets, fmeDescuentos};
    if (indice < 0 || indice > 2)
        return;
    for (int i = 0; i < 3; ++i) {
        marcos[i]->setVisible(i == indice);
        marcos[i]->setEnabled(i == indice);
    }
}

void frmCierres::tbrABM_ButtonClick(const QString& clave)
{
    if (clave == QLatin1String("Print"))
        imprimir();
    else if (clave == QLatin1String("Exit"))
        close();
    else if (clave == QLatin1String("Find"))
        navegar(Navegacion::Este);
    else if (clave == QLatin1String("Primero"))
        navegar(Navegacion::Primero);
    else if (clave == QLatin1String("Anterior"))
        navegar(Navegacion::Anterior);
    else if (clave == QLatin1String("Siguiente"))
        navegar(Navegacion::Siguiente);
    else if (clave == QLatin1String("Ultimo"))
        navegar(Navegacion::Ultimo);
}

void frmCierres::navegar(Navegacion accion)
{
    qint32 desde = mIdCierre;
    if (accion == Navegacion::Este) {
        const std::optional<qint32> numero = NumeroDeCierre(txtIdCierre->text());
        if (!numero) {
            ui::msgBox(QStringLiteral("Escriba el número del cierre a buscar."), ui::Botones::OK,
                       ui::Icono::Exclamacion, kAviso, 1, this);
            txtIdCierre->setFocus();
            return;
        }
        desde = *numero;
    }
    try {
        ui::ponerRelojArena();
        const std::optional<CierreEncontrado> encontrado = BuscarCierre(accion, desde);
        if (!encontrado) {
            ui::restaurarPuntero();
            ui::msgBox(AvisoSinCierre(accion, desde), ui::Botones::OK, ui::Icono::Informacion, kAviso, 1,
                       this);
            return;
        }
        cargarCierre(encontrado->prestador, encontrado->cierre, false);
        ui::restaurarPuntero();
    } catch (const Falla& falla) {
        ui::restaurarPuntero();
        ChekError(falla);
    }
}

void frmCierres::cmdTicket_Click()
{
    if (lvwTickets->cantidadItems() == 0)
        return;
    QTreeWidgetItem* item = lvwTickets->itemSeleccionado();
    if (!item)
        item = lvwTickets->currentItem();
    if (!item)
        return;
    abrirTicket(this, recortar(item->text(0)).toDouble(), mFecha, lblPrestador->text(), mFarmacia);
}

void frmCierres::imprimir()
{
    try {
        PedidoVentanaReportes pedido =
            ParametrosCierre(mIdCierre, lblPrestadorID->text(), lblPrestador->text(), mFarmacia);
        abrirReportes(this, pedido);
    } catch (const Falla& falla) {
        ui::restaurarPuntero();
        ChekError(falla);
    }
}

} // namespace dalvo

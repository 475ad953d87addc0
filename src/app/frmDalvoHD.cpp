#include "app/frmDalvoHD.h"

#include "app/frmAbout.h"
#include "app/modDalvoHD.h"
#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "common/Reloj.h"
#include "consultation/clsQuerys.h"
#include "data/ChekError.h"
#include "data/cUserConnection.h"
#include "ui/Configuracion.h"
#include "ui/Iconos.h"
#include "ui/Mensajes.h"
#include "ui/RelojArena.h"
#include "ui/VistaLista.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

namespace dalvo {

namespace {

const QString kSeccion = QStringLiteral("Start");
const QString kClaveChequeo = QStringLiteral("CheckTimeOut");

// Sizes the resize rules keep, in twips.
constexpr int kAnchoMinimo = 7950;
constexpr int kAltoMinimo = 6930;
constexpr int kMargenAnchoLista = 1935;
constexpr int kMargenAltoLista = 3855;
constexpr int kMargenAnchoConsulta = 3675;
constexpr int kMargenAltoMenu = 1260;

// Where the records of the kinds are added, in this order.
constexpr int kOrdenItems[] = {2, 5, 6, 3, 8, 7, 1, 4, 9, 10};

template <typename T> T* nombrado(T* control, const char* nombre)
{
    control->setObjectName(QLatin1String(nombre));
    return control;
}

} // namespace

const std::array<frmDalvoHD::Caso, 10> frmDalvoHD::kCasos = {{
    {"TERMINAL", 1, "Prestadores"},
    {"AFILIADO", 2, "Afiliados"},
    {"MEDICAMENTO", 3, "Medicamentos"},
    {"PRACTICA", 7, "Practicas"},
    {"MEDICO", 8, "Medicos Prescrip."},
    {"TICKETFARMACIA", 4, "Tickets de Farmacia"},
    {"TICKETPRESTADOR", 9, "Tickets de Prestador"},
    {"CIERRE", 5, "Cierres"},
    {"ACCIONES", 10, "Acciones"},
    {"ERROR", 6, "Errores"},
}};

frmDalvoHD::frmDalvoHD(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmDalvoHD"));
    setWindowIcon(ui::iconoAplicacion());
    crearControles();
    crearMenus();
    colocarControles();
    conectarEventos();
    setMinimumSize(aPixelesX(kAnchoMinimo), aPixelesY(kAltoMinimo));
    resize(aPixelesX(11400), aPixelesY(8400));
    Form_Load();
}

frmDalvoHD::~frmDalvoHD() = default;

QString frmDalvoHD::claveCaso(int pCaso)
{
    return QString::number(pCaso) + u'K';
}

void frmDalvoHD::crearControles()
{
    auto* centro = new QWidget(this);
    setCentralWidget(centro);

    lvwMenu = nombrado(new QListWidget(centro), "lvwMenu");
    lvwMenu->setViewMode(QListView::IconMode);
    lvwMenu->setFlow(QListView::TopToBottom);
    lvwMenu->setWrapping(false);
    lvwMenu->setMovement(QListView::Static);
    lvwMenu->setResizeMode(QListView::Adjust);
    lvwMenu->setWordWrap(true);
    lvwMenu->setIconSize(QSize(32, 32));
    lvwMenu->setGridSize(QSize(aPixelesX(1380), aPixelesY(1020)));
    lvwMenu->setUniformItemSizes(true);
    lvwMenu->setTextElideMode(Qt::ElideNone);
    lvwMenu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    Frame1 = nombrado(new QGroupBox(QStringLiteral("Consultar"), centro), "Frame1");
    const char* textos[] = {"Buscar por:", "Valor a buscar:", "Desde Fecha:", "Hasta Fecha:"};
    for (int i = 0; i < 4; ++i) {
        Label1[i] = nombrado(new QLabel(QString::fromUtf8(textos[i]), Frame1), "Label1");
        Label1[i]->setProperty("Index", i);
    }
    cboConsulta = nombrado(new QComboBox(Frame1), "cboConsulta");
    txtConsulta = nombrado(new QLineEdit(Frame1), "txtConsulta");
    chkBuscarExacto = nombrado(new QCheckBox(QStringLiteral("Valor Exacto"), Frame1), "chkBuscarExacto");
    txtDesdeFecha = nombrado(new QLineEdit(Frame1), "txtDesdeFecha");
    txtHastaFecha = nombrado(new QLineEdit(Frame1), "txtHastaFecha");
    chkMantenerConsulta =
        nombrado(new QCheckBox(QStringLiteral("Mantener Consulta"), Frame1), "chkMantenerConsulta");
    cmdConsulta = nombrado(new QPushButton(QStringLiteral("Consultar"), Frame1), "cmdConsulta");
    cmdConsulta->setDefault(true);

    // Two columns of label over field; the check boxes and the button in a third.
    auto* grilla = new QGridLayout(Frame1);
    grilla->addWidget(Label1[0], 0, 0);
    grilla->addWidget(cboConsulta, 1, 0);
    grilla->addWidget(Label1[1], 0, 1);
    grilla->addWidget(txtConsulta, 1, 1);
    grilla->addWidget(Label1[2], 2, 0);
    grilla->addWidget(txtDesdeFecha, 3, 0);
    grilla->addWidget(Label1[3], 2, 1);
    grilla->addWidget(txtHastaFecha, 3, 1);
    grilla->addWidget(chkBuscarExacto, 1, 2);
    grilla->addWidget(chkMantenerConsulta, 2, 2);
    grilla->addWidget(cmdConsulta, 3, 2);
    grilla->setColumnStretch(0, 1);
    grilla->setColumnStretch(1, 1);

    Label3 = nombrado(new QLabel(QStringLiteral("Descripción Consulta:"), centro), "Label3");
    lblConsulta = nombrado(new QLabel(centro), "lblConsulta");
    Label2 = nombrado(new QLabel(QStringLiteral("Cantidad de Entradas:"), centro), "Label2");
    lblCantidadEntradas = nombrado(new QLabel(centro), "lblCantidadEntradas");
    // The captions of the two values take two lines: the value fields keep the width the rules give them.
    for (QLabel* etiqueta : {Label3, Label2})
        etiqueta->setWordWrap(true);
    for (QLabel* valor : {lblConsulta, lblCantidadEntradas}) {
        valor->setFrameShape(QFrame::StyledPanel);
        valor->setFrameShadow(QFrame::Sunken);
    }

    lvwGeneral = nombrado(new ui::VistaLista(centro), "lvwGeneral");
    lvwGeneral->setContextMenuPolicy(Qt::CustomContextMenu);

    sbrHelpDesk = nombrado(new QStatusBar(this), "sbrHelpDesk");
    sbrPanel1 = nombrado(new QLabel(sbrHelpDesk), "Panel1");
    sbrHelpDesk->addWidget(sbrPanel1, 1);
    setStatusBar(sbrHelpDesk);

    Timer1 = nombrado(new QTimer(this), "Timer1");
}

void frmDalvoHD::crearMenus()
{
    auto* barra = menuBar();
    auto menu = [&](const char* nombre, const QString& titulo) {
        return nombrado(barra->addMenu(titulo), nombre);
    };
    auto entrada = [](QMenu* padre, const char* nombre, const QString& texto) {
        return nombrado(padre->addAction(texto), nombre);
    };
    mnuSistema = menu("mnuSistema", QStringLiteral("Sistema"));
    mnuAcerca = entrada(mnuSistema, "mnuAcerca", QStringLiteral("Acerca..."));
    mnuLinea1 = nombrado(mnuSistema->addSeparator(), "mnuLinea1");
    mnuSalir = entrada(mnuSistema, "mnuSalir", QStringLiteral("Salir"));
    mnuPReportes = menu("mnuPReportes", QStringLiteral("Reportes"));
    mnuReportes = entrada(mnuPReportes, "mnuReportes", QStringLiteral("Específicos..."));
    mnuReportesGenerales = entrada(mnuPReportes, "mnuReportesGenerales", QStringLiteral("Generales..."));
    mnuConsultas = entrada(mnuPReportes, "mnuConsultas", QStringLiteral("Consultas..."));
    mnuTicket = menu("mnuTicket", QStringLiteral("Ticket"));
    mnuVetItemTicket = entrada(mnuTicket, "mnuVetItemTicket", QStringLiteral("Ver Items de Ticket"));
    mnuPrestador = menu("mnuPrestador", QStringLiteral("Prestador"));
    mnuPrestadorInformacion =
        entrada(mnuPrestador, "mnuPrestadorInformacion", QStringLiteral("Información..."));
    mnuCierre = menu("mnuCierre", QStringLiteral("Cierre"));
    mnuCierreTotales = entrada(mnuCierre, "mnuCierreTotales", QStringLiteral("Totales..."));
}

// Fixed positions in twips inside the window's client area (below the menu bar); the sizes that follow
// the window are set by Form_Resize.
void frmDalvoHD::colocarControles()
{
    auto poner = [this](QWidget* control, int x, int y, int ancho, int alto) {
        control->setGeometry(aPixelesX(x), aPixelesY(y), aPixelesX(ancho), aPixelesY(alto));
    };
    poner(lvwMenu, 60, 240, 1680, 5430);
    poner(Frame1, 1800, 60, 6015, 1950);
    poner(Label3, 1800, 2070, 1740, 480);
    poner(lblConsulta, 3600, 2145, 4275, 330);
    poner(Label2, 1800, 2580, 1740, 480);
    poner(lblCantidadEntradas, 3600, 2655, 1500, 330);
    poner(lvwGeneral, 1800, 3120, 6015, 3075);
}

void frmDalvoHD::conectarEventos()
{
    connect(Timer1, &QTimer::timeout, this, &frmDalvoHD::Timer1_Timer);
    connect(mnuAcerca, &QAction::triggered, this, &frmDalvoHD::mnuAcerca_Click);
    connect(mnuSalir, &QAction::triggered, this, &frmDalvoHD::mnuSalir_Click);
    for (QLineEdit* fecha : {txtDesdeFecha, txtHastaFecha}) {
        connect(fecha, &QLineEdit::textChanged, this, &frmDalvoHD::txtFecha_Change);
        fecha->setAttribute(Qt::WA_InputMethodEnabled, false); // every character meets the key filter
        fecha->installEventFilter(this);
    }

    connect(lvwMenu, &QListWidget::itemClicked, this, &frmDalvoHD::lvwMenu_ItemClick);
    connect(lvwMenu, &QListWidget::itemDoubleClicked, this, &frmDalvoHD::lvwMenu_DblClick);
    connect(cmdConsulta, &QPushButton::clicked, this, &frmDalvoHD::cmdConsulta_Click);
    connect(lvwGeneral->header(), &QHeaderView::sectionClicked, this, &frmDalvoHD::lvwGeneral_ColumnClick);
    connect(lvwGeneral, &QTreeWidget::itemDoubleClicked, this, &frmDalvoHD::lvwGeneral_DblClick);
    connect(lvwGeneral, &QWidget::customContextMenuRequested, this, &frmDalvoHD::lvwGeneral_MouseUp);
    connect(mnuVetItemTicket, &QAction::triggered, this, &frmDalvoHD::mnuVetItemTicket_Click);
    connect(mnuPrestadorInformacion, &QAction::triggered, this, &frmDalvoHD::mnuPrestadorInformacion_Click);
    connect(this, &frmDalvoHD::mostrarCierre, this, &frmDalvoHD::abrirCierre);
    connect(mnuCierreTotales, &QAction::triggered, this, &frmDalvoHD::mnuCierreTotales_Click);
    connect(mnuReportes, &QAction::triggered, this, &frmDalvoHD::mnuReportes_Click);
    connect(mnuReportesGenerales, &QAction::triggered, this, &frmDalvoHD::mnuReportesGenerales_Click);
    connect(mnuConsultas, &QAction::triggered, this, &frmDalvoHD::mnuConsultas_Click);
}

void frmDalvoHD::Form_Load()
{
    try {
        mItemsConsulta.clear();
        setWindowTitle(QStringLiteral("Dalvo Help Desk ") + gTituloEmpresa);

        const IntervaloChequeo intervalo = intervaloChequeo(
            ui::leerConfiguracion(kSeccion, kClaveChequeo, QString::number(kChequeoPredeterminado)));
        ui::guardarConfiguracion(kSeccion, kClaveChequeo, intervalo.guardar);
        Timer1->stop();
        Timer1->setInterval(intervalo.milisegundos);
        if (intervalo.milisegundos > 0)
            Timer1->start();

        lvwMenu->clear();
        for (const Caso& caso : kCasos) {
            auto* item =
                new QListWidgetItem(ui::icono(QLatin1String(caso.icono)), QString::fromUtf8(caso.texto));
            item->setData(Qt::UserRole, claveCaso(caso.numero));
            item->setData(Qt::UserRole + 1, QLatin1String(caso.icono));
            item->setSizeHint(lvwMenu->gridSize()); // the whole cell, so that icon and text are centred
            lvwMenu->addItem(item);
        }
        lvwMenu->setCurrentRow(0);

        cboConsulta->clear();
        cboConsulta->addItems({QStringLiteral("Codigo"), QStringLiteral("Licencia"), QStringLiteral("Nombre"),
                               QStringLiteral("Clave"), QStringLiteral("Tipo Prestador"),
                               QStringLiteral("Con Movimientos")});

        const QDate hoy = Hoy();
        const QString textoHoy =
            Rellenar(hoy.day(), 2) + u'/' + Rellenar(hoy.month(), 2) + u'/' + QString::number(hoy.year());
        txtDesdeFecha->setText(textoHoy);
        txtHastaFecha->setText(textoHoy);

        mDesdeFecha = ConvertirFecha(txtDesdeFecha->text()).toDate();
        mHastaFecha = ConvertirFecha(txtHastaFecha->text()).toDate();
        cboConsulta->setCurrentIndex(0);

        activarCaso(1);
        for (const int caso : kOrdenItems) {
            clsItemConsulta item;
            item.Caso = qint16(caso);
            mItemsConsulta.emplace_back(claveCaso(caso), item);
        }
        mClaveActual = QStringLiteral("K0");

        mostrarMenu(mnuPReportes, true);
        mostrarMenu(mnuPrestador, true);
        mostrarMenu(mnuTicket, false);
        mostrarMenu(mnuCierre, false);
        mnuConsultas->setEnabled(false);
        mnuConsultas->setVisible(false);

        lvwGeneral->limpiarColumnas();

        delete gQuerys;
        gQuerys = new clsQuerys;
        gQuerys->Connection = gConexion ? gConexion->Connection : nullptr;
        gQuerys->Parametros().reset();
        if (gQuerys->RegistrosAfectados() == 1)
            gNombreEmpresa = gQuerys->NombreEmpresa();
    } catch (const Falla& f) {
        ui::restaurarPuntero();
        const QString texto =
            QStringLiteral("Error en carga de formulario: ") + QStringLiteral("\r\n") + f.Descripcion;
        ui::msgBox(texto, ui::Botones::OK, ui::Icono::Informacion, QStringLiteral("Login"), 1, this);
        ChekError(f.Numero, texto, QStringLiteral("Load"));
    }
}

int frmDalvoHD::casoActivo() const
{
    for (int caso = 1; caso < int(mCasos.size()); ++caso) {
        if (mCasos[caso])
            return caso;
    }
    return 0;
}

void frmDalvoHD::activarCaso(int pCaso)
{
    mCasos.fill(false);
    if (pCaso > 0 && pCaso < int(mCasos.size()))
        mCasos[pCaso] = true;
}

clsItemConsulta* frmDalvoHD::itemConsulta(const QString& clave)
{
    for (auto& [k, item] : mItemsConsulta) {
        if (k == clave)
            return &item;
    }
    return nullptr;
}

void frmDalvoHD::mostrarMenu(QMenu* menu, bool visible)
{
    menu->menuAction()->setEnabled(visible);
    menu->menuAction()->setVisible(visible);
}

void frmDalvoHD::setTextoEstado(const QString& texto)
{
    sbrPanel1->setText(texto);
}

QString frmDalvoHD::textoEstado() const
{
    return sbrPanel1->text();
}

int frmDalvoHD::aPixelesX(int twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0);
}

int frmDalvoHD::aPixelesY(int twips) const
{
    return qRound(twips * logicalDpiY() / 1440.0);
}

void frmDalvoHD::resizeEvent(QResizeEvent* evento)
{
    QMainWindow::resizeEvent(evento);
    Form_Resize();
}

// The window's size is its client area with the menu and status bars; the lists keep fixed margins.
void frmDalvoHD::Form_Resize()
{
    if (isMinimized())
        return;
    const int anchoMinimo = aPixelesX(kAnchoMinimo);
    const int altoMinimo = aPixelesY(kAltoMinimo);
    if (width() < anchoMinimo || height() < altoMinimo) {
        resize(std::max(width(), anchoMinimo), std::max(height(), altoMinimo));
        return; // the new size comes back here
    }
    lvwGeneral->resize(width() - aPixelesX(kMargenAnchoLista), height() - aPixelesY(kMargenAltoLista));
    lblConsulta->resize(width() - aPixelesX(kMargenAnchoConsulta), lblConsulta->height());
    lvwMenu->resize(lvwMenu->width(), height() - aPixelesY(kMargenAltoMenu));
}

void frmDalvoHD::closeEvent(QCloseEvent* evento)
{
    Form_Unload();
    evento->accept();
}

void frmDalvoHD::Form_Unload()
{
    Timer1->stop();
    delete gQuerys;
    gQuerys = nullptr;
    mItemsConsulta.clear();
    Terminar();
}

void frmDalvoHD::Timer1_Timer()
{
    mVigia.latido();
}

void frmDalvoHD::mnuAcerca_Click()
{
    if (!mAcerca) {
        mAcerca = new frmAbout(this);
        mAcerca->setAttribute(Qt::WA_DeleteOnClose);
    }
    mAcerca->show();
    mAcerca->raise();
    mAcerca->activateWindow();
}

void frmDalvoHD::mnuSalir_Click()
{
    close();
}

} // namespace dalvo

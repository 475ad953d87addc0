#include "reports/frmVistaPrevia.h"

#include "common/Falla.h"
#include "reports/DialogosVistaPrevia.h"
#include "reports/HojaVistaPrevia.h"
#include "reports/Informe.h"
#include "reports/SalidaInforme.h"
#include "ui/Configuracion.h"
#include "ui/Iconos.h"
#include "ui/Mensajes.h"
#include "ui/RelojArena.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <climits>

namespace dalvo {

namespace {

QList<frmVistaPrevia*>& registro()
{
    static QList<frmVistaPrevia*> vistas;
    return vistas;
}

const QString SeccionConfiguracion = QStringLiteral("Reportes");
const QString ClaveCarpetaPdf = QStringLiteral("CarpetaPdf");

QAction* accion(QToolBar* barra, const QString& nombre, const QString& icono, const QString& texto,
                const QString& ayuda, const QKeySequence& tecla = {})
{
    QAction* a = barra->addAction(ui::icono(icono), texto);
    a->setObjectName(nombre);
    a->setToolTip(tecla.isEmpty()
                      ? ayuda
                      : QStringLiteral("%1 (%2)").arg(ayuda, tecla.toString(QKeySequence::NativeText)));
    a->setShortcut(tecla);
    return a;
}

} // namespace

frmVistaPrevia::frmVistaPrevia(std::shared_ptr<reportes::Informe> informe, const QString& titulo)
    : QMainWindow(nullptr), mInforme(std::move(informe))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmVistaPrevia"));
    setWindowTitle(titulo);
    registro().append(this);

    mDesplazable = new QScrollArea(this);
    mDesplazable->setObjectName(QStringLiteral("scrVistaPrevia"));
    mDesplazable->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    mDesplazable->setBackgroundRole(QPalette::Dark);
    mHoja = new HojaVistaPrevia(mInforme);
    mHoja->setObjectName(QStringLiteral("hojVistaPrevia"));
    mDesplazable->setWidget(mHoja);
    mDesplazable->viewport()->installEventFilter(this);
    setCentralWidget(mDesplazable);

    crearBarra();
    mEstado = new QLabel(this);
    mEstado->setObjectName(QStringLiteral("lblEstado"));
    statusBar()->addWidget(mEstado, 1);
    resize(900, 700);
    actualizar();
}

frmVistaPrevia::~frmVistaPrevia()
{
    registro().removeAll(this);
}

QList<frmVistaPrevia*> frmVistaPrevia::abiertas()
{
    return registro();
}

void frmVistaPrevia::crearBarra()
{
    QToolBar* barra = addToolBar(QStringLiteral("Vista previa"));
    barra->setObjectName(QStringLiteral("tbrVistaPrevia"));
    barra->setMovable(false);
    barra->setToolButtonStyle(Qt::ToolButtonIconOnly);

    QAction* primera =
        accion(barra, QStringLiteral("cmdPrimera"), QStringLiteral("Primero"), QStringLiteral("Primera"),
               QStringLiteral("Primera página"), QKeySequence(Qt::CTRL | Qt::Key_Home));
    QAction* anterior =
        accion(barra, QStringLiteral("cmdAnterior"), QStringLiteral("Anterior"), QStringLiteral("Anterior"),
               QStringLiteral("Página anterior"), QKeySequence(Qt::Key_PageUp));
    mNumeroPagina = new QSpinBox(barra);
    mNumeroPagina->setObjectName(QStringLiteral("txtPagina"));
    mNumeroPagina->setToolTip(QStringLiteral("Página que se muestra"));
    mNumeroPagina->setRange(1, std::max(1, mInforme->cantidadPaginas()));
    mNumeroPagina->setKeyboardTracking(false);
    barra->addWidget(mNumeroPagina);
    mTotalPaginas = new QLabel(QStringLiteral(" de %1 ").arg(mInforme->cantidadPaginas()), barra);
    mTotalPaginas->setObjectName(QStringLiteral("lblPaginas"));
    barra->addWidget(mTotalPaginas);
    QAction* siguiente = accion(barra, QStringLiteral("cmdSiguiente"), QStringLiteral("Siguiente"),
                                QStringLiteral("Siguiente"), QStringLiteral("Página siguiente"),
                                QKeySequence(Qt::Key_PageDown));
    QAction* ultima =
        accion(barra, QStringLiteral("cmdUltima"), QStringLiteral("Ultimo"), QStringLiteral("Última"),
               QStringLiteral("Última página"), QKeySequence(Qt::CTRL | Qt::Key_End));
    mHaciaAtras = {primera, anterior};
    mHaciaAdelante = {siguiente, ultima};
    connect(primera, &QAction::triggered, this, [this] { irAPagina(0); });
    connect(anterior, &QAction::triggered, this, [this] { irAPagina(mPagina - 1); });
    connect(siguiente, &QAction::triggered, this, [this] { irAPagina(mPagina + 1); });
    connect(ultima, &QAction::triggered, this, [this] { irAPagina(mInforme->cantidadPaginas() - 1); });
    connect(mNumeroPagina, &QSpinBox::valueChanged, this, [this](int n) { irAPagina(n - 1); });

    barra->addSeparator();
    mZoomElegido = new QComboBox(barra);
    mZoomElegido->setObjectName(QStringLiteral("cboZoom"));
    mZoomElegido->setToolTip(QStringLiteral("Tamaño de la página en pantalla"));
    mZoomElegido->addItems({QStringLiteral("Ajustar al ancho"), QStringLiteral("Página completa"),
                            QStringLiteral("50 %"), QStringLiteral("75 %"), QStringLiteral("100 %"),
                            QStringLiteral("125 %"), QStringLiteral("150 %"), QStringLiteral("200 %")});
    barra->addWidget(mZoomElegido);
    connect(mZoomElegido, &QComboBox::currentIndexChanged, this,
            [this](int i) { setZoom(static_cast<Zoom>(i)); });

    barra->addSeparator();
    mTextoBuscado = new QLineEdit(barra);
    mTextoBuscado->setObjectName(QStringLiteral("txtBuscar"));
    mTextoBuscado->setPlaceholderText(QStringLiteral("Buscar en el reporte"));
    mTextoBuscado->setToolTip(QStringLiteral("Texto a buscar (Intro: siguiente)"));
    mTextoBuscado->setClearButtonEnabled(true);
    mTextoBuscado->setMaximumWidth(220);
    barra->addWidget(mTextoBuscado);
    connect(mTextoBuscado, &QLineEdit::returnPressed, this, [this] { buscarSiguiente(); });
    QAction* buscarAdelante = accion(barra, QStringLiteral("cmdBuscarSiguiente"), QStringLiteral("Find"),
                                     QStringLiteral("Buscar siguiente"), QStringLiteral("Buscar siguiente"),
                                     QKeySequence(Qt::Key_F3));
    QAction* buscarAtras = accion(barra, QStringLiteral("cmdBuscarAnterior"), QStringLiteral("IZQUIERDA"),
                                  QStringLiteral("Buscar anterior"), QStringLiteral("Buscar anterior"),
                                  QKeySequence(Qt::SHIFT | Qt::Key_F3));
    connect(buscarAdelante, &QAction::triggered, this, [this] { buscarSiguiente(); });
    connect(buscarAtras, &QAction::triggered, this, [this] { buscarAnterior(); });
    QAction* irABuscar = new QAction(this);
    irABuscar->setShortcut(QKeySequence::Find);
    addAction(irABuscar);
    connect(irABuscar, &QAction::triggered, this, [this] {
        mTextoBuscado->setFocus();
        mTextoBuscado->selectAll();
    });

    barra->addSeparator();
    QAction* configurar = accion(barra, QStringLiteral("cmdConfigurarImpresora"), QString(),
                                 QStringLiteral("Configurar impresora"),
                                 QStringLiteral("Configurar la impresora: papel y orientación"));
    QAction* imprimirAccion =
        accion(barra, QStringLiteral("cmdImprimir"), QStringLiteral("Print"), QStringLiteral("Imprimir"),
               QStringLiteral("Imprimir el reporte"), QKeySequence::Print);
    QAction* pdf =
        accion(barra, QStringLiteral("cmdExportarPdf"), QString(), QStringLiteral("Exportar a PDF"),
               QStringLiteral("Guardar el reporte en un archivo PDF"));
    connect(configurar, &QAction::triggered, this, &frmVistaPrevia::configurarImpresora);
    connect(imprimirAccion, &QAction::triggered, this, &frmVistaPrevia::imprimir);
    connect(pdf, &QAction::triggered, this, &frmVistaPrevia::exportarPdf);
    for (QAction* a : {configurar, imprimirAccion, pdf}) {
        if (auto* boton = qobject_cast<QToolButton*>(barra->widgetForAction(a)))
            boton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    barra->addSeparator();
    QAction* cerrar = accion(barra, QStringLiteral("cmdCerrar"), QStringLiteral("Exit"),
                             QStringLiteral("Cerrar"), QStringLiteral("Cerrar la vista previa"));
    connect(cerrar, &QAction::triggered, this, &QWidget::close);
}

void frmVistaPrevia::irAPagina(int pagina)
{
    const int ultima = mInforme->cantidadPaginas() - 1;
    pagina = std::clamp(pagina, 0, std::max(0, ultima));
    if (pagina == mPagina)
        return;
    mPagina = pagina;
    actualizar();
    mDesplazable->verticalScrollBar()->setValue(0);
}

double frmVistaPrevia::escala() const
{
    const QSizeF hoja = mInforme->tamanoPagina();
    const QSize vista =
        mDesplazable->viewport()->size() - QSize(2 * HojaVistaPrevia::Borde, 2 * HojaVistaPrevia::Borde);
    const double anchoJusto =
        std::max(1, vista.width() - mDesplazable->verticalScrollBar()->sizeHint().width()) / hoja.width();
    switch (mZoom) {
    case AjustarAncho:
        return anchoJusto;
    case PaginaCompleta:
        return std::min(std::max(1, vista.width()) / hoja.width(),
                        std::max(1, vista.height()) / hoja.height());
    default:
        break;
    }
    static const int porcentajes[] = {50, 75, 100, 125, 150, 200};
    const int porcentaje = porcentajes[mZoom - Porcentaje50];
    return porcentaje / 100.0 * logicalDpiX() / reportes::UnidadesPorPulgada;
}

void frmVistaPrevia::setZoom(Zoom zoom)
{
    mZoom = zoom;
    if (mZoomElegido->currentIndex() != zoom)
        mZoomElegido->setCurrentIndex(zoom);
    actualizar();
}

void frmVistaPrevia::actualizar()
{
    const int total = mInforme->cantidadPaginas();
    QVector<QRectF> resaltados;
    if (!mBuscado.isEmpty())
        resaltados = mInforme->buscar(mPagina, mBuscado);
    mHoja->mostrar(mPagina, escala(), resaltados, mPagina == mPaginaHallada ? mIndiceHallado : -1);
    {
        const QSignalBlocker bloqueo(mNumeroPagina);
        mNumeroPagina->setValue(mPagina + 1);
    }
    for (QAction* a : mHaciaAtras)
        a->setEnabled(mPagina > 0);
    for (QAction* a : mHaciaAdelante)
        a->setEnabled(mPagina < total - 1);
}

void frmVistaPrevia::resizeEvent(QResizeEvent* evento)
{
    QMainWindow::resizeEvent(evento);
    if (mHoja)
        actualizar();
}

// The wheel past the end of a page goes on to the next one (and back past its top).
bool frmVistaPrevia::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == mDesplazable->viewport() && evento->type() == QEvent::Wheel) {
        const auto* rueda = static_cast<QWheelEvent*>(evento);
        QScrollBar* barra = mDesplazable->verticalScrollBar();
        const int delta = rueda->angleDelta().y();
        if (!(rueda->modifiers() & Qt::ControlModifier)) {
            if (delta < 0 && barra->value() == barra->maximum() &&
                mPagina < mInforme->cantidadPaginas() - 1) {
                irAPagina(mPagina + 1);
                return true;
            }
            if (delta > 0 && barra->value() == barra->minimum() && mPagina > 0) {
                irAPagina(mPagina - 1);
                barra->setValue(barra->maximum());
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(objeto, evento);
}

bool frmVistaPrevia::buscarSiguiente()
{
    return buscar(1);
}

bool frmVistaPrevia::buscarAnterior()
{
    return buscar(-1);
}

bool frmVistaPrevia::buscar(int sentido)
{
    const QString texto = mTextoBuscado->text();
    if (texto.isEmpty())
        return false;
    if (texto.compare(mBuscado, Qt::CaseInsensitive) != 0) {
        mBuscado = texto;
        mPaginaHallada = -1;
        mIndiceHallado = -1;
    }
    const int total = mInforme->cantidadPaginas();
    int pagina = mPagina;
    int indice = mPaginaHallada == mPagina ? mIndiceHallado : (sentido > 0 ? -1 : INT_MAX);
    ui::RelojArena reloj;
    // The current page from the current match on, then every other page, then the current page again.
    for (int vuelta = 0; vuelta <= total; ++vuelta) {
        const QVector<QRectF> halladas = mInforme->buscar(pagina, texto);
        const int siguiente = sentido > 0 ? indice + 1 : std::min<int>(indice, halladas.size()) - 1;
        if (siguiente >= 0 && siguiente < halladas.size()) {
            mPaginaHallada = pagina;
            mIndiceHallado = siguiente;
            mPagina = pagina;
            mEstado->clear();
            actualizar();
            mDesplazable->ensureVisible(mHoja->aPixeles(halladas[siguiente]).center().x(),
                                        mHoja->aPixeles(halladas[siguiente]).center().y(), 40, 80);
            return true;
        }
        pagina = (pagina + sentido + total) % total;
        indice = sentido > 0 ? -1 : INT_MAX;
    }
    mPaginaHallada = -1;
    mIndiceHallado = -1;
    actualizar();
    mEstado->setText(QStringLiteral("No se encontró «%1» en el reporte.").arg(texto));
    return false;
}

QPrinter& frmVistaPrevia::impresora()
{
    if (!mImpresora) {
        mImpresora = std::make_unique<QPrinter>(QPrinter::HighResolution);
        reportes::prepararImpresora(*mInforme, *mImpresora);
    }
    return *mImpresora;
}

void frmVistaPrevia::configurarImpresora()
{
    dialogosVistaPrevia().configurarImpresora(this, impresora());
}

void frmVistaPrevia::imprimir()
{
    QPrinter& destino = impresora();
    destino.setFromTo(0, 0);
    if (!dialogosVistaPrevia().elegirImpresora(this, destino, mInforme->cantidadPaginas()))
        return;
    bool impreso = false;
    {
        ui::RelojArena reloj;
        mEstado->setText(QStringLiteral("Imprimiendo..."));
        impreso = reportes::imprimir(*mInforme, destino);
    }
    if (impreso) {
        mEstado->setText(
            QStringLiteral("Reporte enviado a %1.")
                .arg(destino.printerName().isEmpty() ? destino.outputFileName() : destino.printerName()));
    } else {
        mEstado->clear();
        ui::msgBox(QStringLiteral("No se pudo imprimir el reporte en %1.").arg(destino.printerName()),
                   ui::Botones::OK, ui::Icono::Exclamacion, QStringLiteral("Imprimir"), 1, this);
    }
}

void frmVistaPrevia::exportarPdf()
{
    const QString documentos = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString carpeta = ui::leerConfiguracion(SeccionConfiguracion, ClaveCarpetaPdf, documentos);
    QString ruta = dialogosVistaPrevia().archivoPdf(
        this, QDir(carpeta).filePath(windowTitle().trimmed() + QStringLiteral(".pdf")));
    if (ruta.isEmpty())
        return;
    if (!ruta.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        ruta += QStringLiteral(".pdf");
    try {
        ui::RelojArena reloj;
        reportes::exportarPdf(*mInforme, ruta);
    } catch (const Falla& f) {
        ui::restaurarPuntero();
        ui::msgBox(f.Descripcion, ui::Botones::OK, ui::Icono::Critico, QStringLiteral("Exportar a PDF"), 1,
                   this);
        return;
    }
    ui::guardarConfiguracion(SeccionConfiguracion, ClaveCarpetaPdf, QFileInfo(ruta).absolutePath());
    mEstado->setText(QStringLiteral("Reporte guardado en %1.").arg(QDir::toNativeSeparators(ruta)));
}

} // namespace dalvo

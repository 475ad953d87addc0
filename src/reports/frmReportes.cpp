#include "reports/frmReportes.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "data/Empresa.h"
#include "reports/CatalogoReportes.h"
#include "reports/ColeccionParametros.h"
#include "reports/GeneracionReportes.h"
#include "ui/RelojArena.h"
#include "ui/VistaLista.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace dalvo {

namespace {

std::function<void(const QString&)>& avisoEstado()
{
    static std::function<void(const QString&)> aviso;
    return aviso;
}

// The first panel of the main window's status bar (frmDalvoHD, sbrHelpDesk), wherever the report window was
// opened from.
void mostrarEnEstado(const QString& texto)
{
    if (avisoEstado()) {
        avisoEstado()(texto);
        return;
    }
    for (QWidget* ventana : QApplication::topLevelWidgets()) {
        if (ventana->objectName() != QLatin1String("frmDalvoHD"))
            continue;
        if (auto* barra = ventana->findChild<QStatusBar*>(QStringLiteral("sbrHelpDesk"))) {
            if (auto* panel = barra->findChild<QLabel*>())
                panel->setText(texto);
        }
    }
}

QLineEdit* campo(const QString& nombre, int ancho, QWidget* padre)
{
    auto* c = new QLineEdit(padre);
    c->setObjectName(nombre);
    c->setFixedWidth(ancho);
    return c;
}

// A typed character through FiltrarTecla: dropped, replaced or let through.
bool filtrarTecla(QLineEdit* campo, QKeyEvent* tecla, qint32 tipo)
{
    const QString texto = tecla->text();
    if (texto.size() != 1 || !texto.at(0).isPrint() ||
        (tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const qint16 codigo = static_cast<qint16>(texto.at(0).unicode());
    const qint16 resultado = FiltrarTecla(codigo, tipo);
    if (resultado == codigo)
        return false;
    if (resultado != 0)
        campo->insert(QString(QChar(resultado)));
    return true;
}

} // namespace

frmReportes::frmReportes(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReportes"));
    setWindowTitle(QStringLiteral("Reportes"));
    setWindowModality(Qt::WindowModal);

    mReportes = new ui::VistaLista(this);
    mReportes->setObjectName(QStringLiteral("lvwReportes"));
    mReportes->agregarColumna(QStringLiteral("Reporte"), 7000);
    mReportes->header()->setStretchLastSection(true);
    mReportes->setSelectionMode(QAbstractItemView::ExtendedSelection);
    mReportes->setToolTip(QStringLiteral("Reportes a generar (Ctrl o Mayús para elegir varios)"));

    mDesde = campo(QStringLiteral("txtDesdeFecha"), 90, this);
    mHasta = campo(QStringLiteral("txtHastaFecha"), 90, this);
    mTicket = campo(QStringLiteral("txtTicket"), 90, this);
    mDesde->setToolTip(QStringLiteral("Fecha inicial (dd/mm/aaaa)"));
    mHasta->setToolTip(QStringLiteral("Fecha final (dd/mm/aaaa)"));
    mTicket->setToolTip(QStringLiteral("Número de ticket para el reporte \"Ticket\""));
    for (QLineEdit* c : {mDesde, mHasta, mTicket})
        c->installEventFilter(this);

    mGenerar = new QPushButton(QStringLiteral("Generar"), this);
    mGenerar->setObjectName(QStringLiteral("cmdGenerar"));
    mGenerar->setToolTip(QStringLiteral("Generar los reportes seleccionados"));
    mGenerar->setDefault(true);
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("cmdCancelar"));
    cancelar->setToolTip(QStringLiteral("Cerrar la ventana"));
    connect(mGenerar, &QPushButton::clicked, this, &frmReportes::cmdGenerar_Click);
    connect(cancelar, &QPushButton::clicked, this, &QDialog::reject);

    auto* datos = new QGridLayout;
    datos->addWidget(new QLabel(QStringLiteral("Desde Fecha:"), this), 0, 0);
    datos->addWidget(mDesde, 0, 1);
    datos->addWidget(new QLabel(QStringLiteral("Hasta Fecha:"), this), 0, 2);
    datos->addWidget(mHasta, 0, 3);
    datos->addWidget(new QLabel(QStringLiteral("Ticket Nº:"), this), 1, 0);
    datos->addWidget(mTicket, 1, 1);
    datos->setColumnStretch(4, 1);
    auto* botones = new QHBoxLayout;
    botones->addStretch(1);
    botones->addWidget(mGenerar);
    botones->addWidget(cancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(mReportes, 1);
    todo->addLayout(datos);
    todo->addLayout(botones);
    resize(560, 420);
}

void frmReportes::setAvisoEstado(std::function<void(const QString&)> aviso)
{
    avisoEstado() = std::move(aviso);
}

void frmReportes::Carga(qint16 contexto, ColeccionParametros& parametros)
{
    cargar(contexto, parametros);
    exec();
}

void frmReportes::cargar(qint16 contexto, ColeccionParametros& parametros)
{
    mContexto = contexto;
    mParametros = &parametros;
    mReportes->limpiarItems();
    QList<ItemReporte> items;
    try {
        mDesde->setText(parametros.Item(QStringLiteral("FECHADESDE")));
        mHasta->setText(parametros.Item(QStringLiteral("FECHAHASTA")));
        mSubtituloRango = dalvo::subtituloRango(parametros);
        itemsReportes(contexto, parametros, items);
    } catch (const Falla& f) {
        ui::restaurarPuntero();
        ChekErrorReportes(f.Numero, f.Descripcion, QStringLiteral("Load"));
    }
    for (const ItemReporte& item : items)
        mReportes->agregarItem(item.clave, item.texto);
    if (mReportes->cantidadItems() > 0)
        mReportes->setCurrentItem(mReportes->item(0));
    mGenerar->setEnabled(mReportes->cantidadItems() > 0);
}

void frmReportes::cmdGenerar_Click()
{
    PedidoReportes pedido;
    for (int i = 0; i < mReportes->cantidadItems(); ++i) {
        const QTreeWidgetItem* item = mReportes->item(i);
        if (item->isSelected())
            pedido.seleccionados.append({ui::VistaLista::clave(item), item->text(0)});
    }
    pedido.ticket = mTicket->text();
    pedido.parametros = mParametros;
    pedido.subtituloRango = mSubtituloRango;
    pedido.carpeta = CarpetaReportes();
    pedido.empresa = gNombreEmpresa;
    GenerarReportes(pedido, origenReportes());
}

void frmReportes::fechaPerdioFoco(QLineEdit* campo, const QString& clave)
{
    if (mDevolviendoFoco || campo->text().isEmpty())
        return;
    QVariant fecha = campo->text();
    if (ValidarFecha(fecha)) {
        campo->setText(fecha.toString());
        try {
            mParametros->setItem(clave, fecha.toString());
            mSubtituloRango = dalvo::subtituloRango(*mParametros);
        } catch (const Falla& f) {
            ChekErrorReportes(f.Numero, f.Descripcion, campo->objectName() + QStringLiteral("_LostFocus"));
        }
        return;
    }
    mostrarEnEstado(QStringLiteral("Fecha inválida"));
    // The field drops its selection when it has handled the loss of focus: select once it has.
    QMetaObject::invokeMethod(campo, &QLineEdit::selectAll, Qt::QueuedConnection);
    // Taking the focus back makes the field that was getting it lose it: that one must not answer.
    mDevolviendoFoco = true;
    campo->setFocus();
    mDevolviendoFoco = false;
}

bool frmReportes::eventFilter(QObject* objeto, QEvent* evento)
{
    auto* campo = qobject_cast<QLineEdit*>(objeto);
    if (campo && evento->type() == QEvent::KeyPress)
        return filtrarTecla(campo, static_cast<QKeyEvent*>(evento), campo == mTicket ? 1 : 4);
    if (campo && evento->type() == QEvent::FocusOut && campo != mTicket && mParametros) {
        // Only a move to another control of the window counts: not a switch to another window (a preview)
        // nor the field's own context menu.
        const Qt::FocusReason motivo = static_cast<QFocusEvent*>(evento)->reason();
        if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason)
            fechaPerdioFoco(campo,
                            campo == mDesde ? QStringLiteral("FECHADESDE") : QStringLiteral("FECHAHASTA"));
    }
    return QDialog::eventFilter(objeto, evento);
}

} // namespace dalvo

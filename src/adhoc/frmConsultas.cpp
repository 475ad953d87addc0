#include "adhoc/frmConsultas.h"

#include "adhoc/SentenciasConsultas.h"
#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "consultation/frmSeleccion.h"
#include "data/ChekError.h"
#include "data/cUserConnection.h"
#include "ui/Mensajes.h"
#include "ui/RelojArena.h"
#include "ui/VistaLista.h"

#include <algorithm>

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

namespace dalvo {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kValorPara = QStringLiteral("Valor Para:");

// The window's layout, in twips; the result list takes the rest of the window.
constexpr int kAnchoMinimo = 8130;
constexpr int kAltoMinimo = 2475;
constexpr int kMargen = 120;
constexpr int kRestoAncho = 255;
constexpr int kRestoAlto = 1935;

cUserConnection& conexion()
{
    if (!gConexion)
        throw Falla(91, QStringLiteral("frmConsultas"),
                    QStringLiteral("Variable de objeto o bloque With no establecida"));
    return *gConexion;
}

} // namespace

frmConsultas::frmConsultas(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setWindowTitle(QStringLiteral("Consultas"));
    crearControles();
    setMinimumSize(aPixeles(kAnchoMinimo), aPixeles(kAltoMinimo));
    resize(aPixeles(11520), aPixeles(6480));

    try {
        CargarTablas();
        VaciarSeleccion();
        cmdSeleccionar->setEnabled(false);
    } catch (const Falla& f) {
        informarFalla(f);
    }
}

frmConsultas* frmConsultas::Mostrar(QWidget* parent)
{
    static QPointer<frmConsultas> abierta;
    if (!abierta) {
        abierta = new frmConsultas(parent);
        abierta->setAttribute(Qt::WA_DeleteOnClose);
    }
    abierta->show();
    abierta->raise();
    abierta->activateWindow();
    return abierta;
}

void frmConsultas::crearControles()
{
    const auto ubicar = [this](QWidget* control, const char* nombre, int x, int y, int ancho, int alto) {
        control->setObjectName(QString::fromLatin1(nombre));
        control->setGeometry(aPixeles(x), aPixeles(y), aPixeles(ancho), aPixeles(alto));
    };
    lblTablas = new QLabel(QStringLiteral("Tablas:"), this);
    ubicar(lblTablas, "lblTablas", 120, 120, 2895, 255);
    cboTablas = new QComboBox(this);
    ubicar(cboTablas, "cboTablas", 120, 375, 2895, 330);
    lblTituloValor = new QLabel(kValorPara, this);
    ubicar(lblTituloValor, "lblTituloValor", 120, 900, 2895, 255);
    txtValor = new QLineEdit(this);
    ubicar(txtValor, "txtValor", 120, 1155, 2895, 330);
    lblCampos = new QLabel(QStringLiteral("Campos:"), this);
    ubicar(lblCampos, "lblCampos", 3135, 120, 2895, 255);
    lstCampos = new QListWidget(this);
    ubicar(lstCampos, "lstCampos", 3135, 375, 2895, 1335);
    cmdConsultar = new QPushButton(QStringLiteral("Consultar"), this);
    ubicar(cmdConsultar, "cmdConsultar", 6150, 375, 1845, 390);
    cmdSeleccionar = new QPushButton(QStringLiteral("Selec."), this);
    ubicar(cmdSeleccionar, "cmdSeleccionar", 6150, 848, 900, 390);
    cmdAsignarSeleccion = new QPushButton(QStringLiteral("Asig. Sel."), this);
    ubicar(cmdAsignarSeleccion, "cmdAsignarSeleccion", 7095, 848, 900, 390);
    cmdVerSeleccion = new QPushButton(QStringLiteral("Ver Sel."), this);
    ubicar(cmdVerSeleccion, "cmdVerSeleccion", 6150, 1320, 1845, 390);
    lvwRespuesta = new ui::VistaLista(this);
    lvwRespuesta->setObjectName(QStringLiteral("lvwRespuesta"));

    lblTablas->setBuddy(cboTablas);
    lblCampos->setBuddy(lstCampos);
    lblTituloValor->setBuddy(txtValor);
    txtValor->installEventFilter(this);

    // A choice made by the operator, not the filling of the list, loads a table.
    connect(cboTablas, &QComboBox::activated, this, [this] { cboTablas_Click(); });
    connect(lstCampos, &QListWidget::currentRowChanged, this, [this](int fila) {
        if (fila >= 0)
            lstCampos_Click();
    });
    connect(cmdConsultar, &QPushButton::clicked, this, [this] { cmdConsultar_Click(); });
    connect(cmdSeleccionar, &QPushButton::clicked, this, [this] { cmdSeleccionar_Click(); });
    connect(lvwRespuesta, &QTreeWidget::itemDoubleClicked, this, [this] { cmdSeleccionar_Click(); });
    connect(cmdAsignarSeleccion, &QPushButton::clicked, this, [this] { cmdAsignarSeleccion_Click(); });
    connect(cmdVerSeleccion, &QPushButton::clicked, this, [this] { cmdVerSeleccion_Click(); });
}

const QList<clsItemDato>& frmConsultas::columnas() const
{
    static const QList<clsItemDato> ninguna;
    return mColumnas ? *mColumnas : ninguna;
}

int frmConsultas::aPixeles(int twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0);
}

void frmConsultas::resizeEvent(QResizeEvent* evento)
{
    QWidget::resizeEvent(evento);
    if (isMinimized())
        return;
    lvwRespuesta->setGeometry(aPixeles(kMargen), aPixeles(kRestoAlto - kMargen),
                              width() - aPixeles(kRestoAncho), height() - aPixeles(kRestoAlto));
}

void frmConsultas::CargarTablas()
{
    qint32 numero = 0;
    QString descripcion;
    std::unique_ptr<ado::Recordset> rs;
    {
        ui::RelojArena reloj;
        rs = conexion().Query(adhoc::sqlTablas(), numero, descripcion);
    }
    if (!rs) {
        mostrarErrorConsulta(numero, descripcion);
        return;
    }
    cboTablas->clear();
    while (!rs->Eof()) {
        cboTablas->addItem(recortar(comoTexto(rs->Fields(QStringLiteral("Tabla")).Value())));
        rs->MoveNext();
    }
    rs->Close();
    // Nothing chosen until the operator chooses.
    cboTablas->setCurrentIndex(-1);
}

void frmConsultas::cboTablas_Click()
{
    try {
        CargarFormatoTabla(cboTablas->currentText());
    } catch (const Falla& f) {
        ui::restaurarPuntero();
        informarFalla(f);
    }
}

void frmConsultas::CargarFormatoTabla(const QString& sNombreTabla)
{
    mColumnas = QList<clsItemDato>();
    // The column last clicked belonged to the other table.
    mColumnaActual = 0;
    mTipoActual.clear();
    lblTituloValor->setText(kValorPara);
    txtValor->clear();

    const QString sql = adhoc::sqlFormatoTabla(sNombreTabla);
    lvwRespuesta->limpiarColumnas();
    lstCampos->clear();
    cmdSeleccionar->setEnabled(false);

    qint32 numero = 0;
    QString descripcion;
    std::unique_ptr<ado::Recordset> rs;
    {
        ui::RelojArena reloj;
        rs = conexion().Query(sql, numero, descripcion);
    }
    if (!rs) {
        mostrarErrorConsulta(numero, descripcion);
        return;
    }
    while (!rs->Eof()) {
        clsItemDato dato;
        dato.NumeroColumna = qint16(rs->Fields(QStringLiteral("Numero")).Value().toInt());
        dato.NombreColumna = comoTexto(rs->Fields(QStringLiteral("Columna")).Value());
        dato.Tipo = recortar(comoTexto(rs->Fields(QStringLiteral("Tipo")).Value()));
        dato.Longitud = qint16(rs->Fields(QStringLiteral("Longitud")).Value().toInt());
        dato.Decimales = qint16(rs->Fields(QStringLiteral("Decimales")).Value().toInt()); // null reads 0
        mColumnas->append(dato);
        lstCampos->addItem(dato.NombreColumna);
        // 120 twips per character of the column's length, but never narrower than its heading.
        lvwRespuesta->agregarColumna(
            dato.NombreColumna,
            std::max(120 * int(dato.Longitud), lvwRespuesta->anchoEncabezado(dato.NombreColumna)));
        rs->MoveNext();
    }
    rs->Close();
    lvwRespuesta->update();
}

void frmConsultas::lstCampos_Click()
{
    mTipoActual.clear();
    mColumnaActual = qint16(lstCampos->currentRow() + 1);
    if (!mColumnas || mColumnaActual > mColumnas->size())
        return;
    const clsItemDato& dato = mColumnas->at(mColumnaActual - 1);
    mTipoActual = dato.Tipo;
    lblTituloValor->setText(kValorPara + QLatin1Char(' ') + dato.NombreColumna);
    txtValor->setText(comoTexto(dato.Valor));
}

bool frmConsultas::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == txtValor) {
        if (evento->type() == QEvent::KeyPress)
            return txtValor_KeyPress(static_cast<QKeyEvent*>(evento));
        if (evento->type() == QEvent::FocusOut) {
            // Switching to another window or opening a menu is not leaving the box.
            const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
            if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason &&
                razon != Qt::MenuBarFocusReason)
                txtValor_LostFocus();
        }
    }
    return QWidget::eventFilter(objeto, evento);
}

// Text columns take any key; every other column, and no column at all, digits only.
bool frmConsultas::txtValor_KeyPress(QKeyEvent* tecla)
{
    switch (tecla->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    const QString texto = tecla->text();
    if (texto.size() != 1)
        return false;
    const auto codigo = qint16(texto.at(0).unicode());
    const qint16 filtrada = FiltrarTecla(codigo, adhoc::filtroValor(mTipoActual));
    if (filtrada == 0)
        return true;
    if (filtrada != codigo) {
        txtValor->insert(QChar(char16_t(filtrada)));
        return true;
    }
    return false;
}

void frmConsultas::txtValor_LostFocus()
{
    if (mColumnaActual <= 0 || !mColumnas || mColumnaActual > mColumnas->size())
        return;
    clsItemDato& dato = (*mColumnas)[mColumnaActual - 1];
    dato.Valor = txtValor->text();
    if (QListWidgetItem* linea = lstCampos->item(mColumnaActual - 1))
        linea->setText(adhoc::lineaCampo(dato.NombreColumna, txtValor->text()));
}

void frmConsultas::cmdConsultar_Click()
{
    cmdConsultar->setEnabled(false);
    QCoreApplication::processEvents();
    try {
        correrConsulta();
    } catch (const Falla& f) {
        ui::restaurarPuntero();
        informarFalla(f);
    }
    // Whatever happened, the window is ready for the next query.
    cmdConsultar->setEnabled(true);
    cmdSeleccionar->setEnabled(lvwRespuesta->cantidadItems() > 0);
    QCoreApplication::processEvents();
}

void frmConsultas::correrConsulta()
{
    if (!mColumnas)
        throw Falla(91, QStringLiteral("frmConsultas.cmdConsultar"),
                    QStringLiteral("Variable de objeto o bloque With no establecida"));
    const adhoc::Consulta consulta = adhoc::armarConsulta(cboTablas->currentText(), *mColumnas);
    if (!consulta.rechazo.isEmpty()) {
        ui::msgBox(consulta.rechazo, ui::Botones::OK, ui::Icono::Exclamacion, windowTitle(), 1, this);
        return;
    }

    lvwRespuesta->limpiarItems();
    qint32 numero = 0;
    QString descripcion;
    qint64 filas = 0;
    {
        ui::RelojArena reloj;
        auto rs = conexion().Query(consulta.cuenta, numero, descripcion);
        if (rs) {
            filas = rs->Fields(QStringLiteral("Cuenta")).Value().toLongLong();
            rs->Close();
        }
    }
    if (numero != 0) {
        mostrarErrorConsulta(numero, descripcion);
        return;
    }
    cmdConsultar->setEnabled(true);
    QCoreApplication::processEvents();

    const QString cuantas =
        QStringLiteral("La consulta tiene ") + QString::number(filas) + QStringLiteral(" filas.") + kCrLf;
    switch (adhoc::decidirPorCuenta(filas)) {
    case adhoc::Decision::SinResultado:
        ui::msgBox(QStringLiteral("Consulta sin resultado"), ui::Botones::OK, ui::Icono::Ninguno,
                   windowTitle(), 1, this);
        break;
    case adhoc::Decision::Correr:
        cargarRespuesta(consulta.datos);
        break;
    case adhoc::Decision::Confirmar:
        if (ui::msgBox(cuantas + QStringLiteral("¿ Confirma ?"), ui::Botones::YesNo, ui::Icono::Pregunta,
                       windowTitle(), 1, this) == ui::Respuesta::Yes)
            cargarRespuesta(consulta.datos);
        break;
    case adhoc::Decision::Rechazar:
        // Asked as a question, but whatever the answer nothing runs.
        ui::msgBox(cuantas + QStringLiteral("Debe agregar condiciones a la bússqueda"), ui::Botones::YesNo,
                   ui::Icono::Pregunta, windowTitle(), 1, this);
        break;
    }
}

void frmConsultas::cargarRespuesta(const QString& sSQL)
{
    ui::RelojArena reloj;
    qint32 numero = 0;
    QString descripcion;
    auto rs = conexion().Query(sSQL, numero, descripcion);
    if (!rs) {
        ui::restaurarPuntero();
        mostrarErrorConsulta(numero, descripcion);
        return;
    }
    const int campos = rs->Fields().Count();
    lvwRespuesta->setUpdatesEnabled(false);
    while (!rs->Eof()) {
        QTreeWidgetItem* fila = lvwRespuesta->agregarItem({}, comoTexto(rs->Fields(0).Value()));
        for (int j = 1; j < campos; ++j)
            fila->setText(j, comoTexto(rs->Fields(j).Value()));
        rs->MoveNext();
    }
    lvwRespuesta->setUpdatesEnabled(true);
    rs->Close();
}

void frmConsultas::cmdSeleccionar_Click()
{
    QTreeWidgetItem* fila = lvwRespuesta->itemSeleccionado();
    if (!fila)
        return;
    if (ui::msgBox(QStringLiteral("¿ Selecciona valores ?"), ui::Botones::YesNo, ui::Icono::Pregunta, {}, 1,
                   this) != ui::Respuesta::Yes)
        return;
    QStringList encabezados;
    QStringList textos;
    for (int i = 0; i < lvwRespuesta->cantidadColumnas(); ++i) {
        encabezados << lvwRespuesta->encabezado(i);
        textos << fila->text(i);
    }
    adhoc::agregarValores(mSeleccion, encabezados, textos);
    if (!mSeleccion.isEmpty()) {
        cmdAsignarSeleccion->setEnabled(true);
        cmdVerSeleccion->setEnabled(true);
    }
}

void frmConsultas::cmdAsignarSeleccion_Click()
{
    if (!mSeleccion.isEmpty())
        asignarSeleccion();
}

void frmConsultas::asignarSeleccion()
{
    if (!mColumnas)
        return;
    for (const adhoc::LineaCampo& linea : adhoc::aplicarSeleccion(mSeleccion, *mColumnas)) {
        // A catalogue number beyond the list (columns dropped from the table) has no line to show it.
        if (QListWidgetItem* item = lstCampos->item(linea.posicion))
            item->setText(linea.texto);
    }
    // The box shows the current column's value: leaving it must not put back the one it had.
    if (mColumnaActual > 0 && mColumnaActual <= mColumnas->size())
        txtValor->setText(comoTexto(mColumnas->at(mColumnaActual - 1).Valor));
}

void frmConsultas::cmdVerSeleccion_Click()
{
    if (mSeleccion.isEmpty())
        return;
    frmSeleccion ventana(this);
    switch (ventana.Cargar(mSeleccion)) {
    case frmSeleccion::TomarValores:
        asignarSeleccion();
        break;
    case frmSeleccion::BorrarSeleccion:
        VaciarSeleccion();
        break;
    default:
        break;
    }
}

void frmConsultas::VaciarSeleccion()
{
    mSeleccion.clear();
    cmdAsignarSeleccion->setEnabled(false);
    cmdVerSeleccion->setEnabled(false);
}

void frmConsultas::mostrarErrorConsulta(qint32 numero, const QString& descripcion)
{
    ui::msgBox(QString::number(numero) + kCrLf + descripcion, ui::Botones::OK, ui::Icono::Critico,
               QStringLiteral("Error"), 1, this);
}

void frmConsultas::informarFalla(const Falla& falla)
{
    ChekError(falla.Numero, falla.Descripcion, falla.Origen);
}

} // namespace dalvo

#include "data/frmDNS.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "common/Programa.h"
#include "data/GrabarLog.h"
#include "data/cUserConnection.h"
#include "ui/Configuracion.h"
#include "ui/Iconos.h"
#include "ui/Mensajes.h"
#include "ui/RelojArena.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace dalvo {

namespace {

const QString kSeccion = QStringLiteral("Start");
const QString kClaveUsuario = QStringLiteral("Usuario");

// The beep of rejected keys is the one the application installed (tests count it).
void pitar()
{
    auto pitido = setPitido({});
    setPitido(pitido);
    if (pitido)
        pitido();
}

QLabel* etiqueta(const QString& nombre, const QString& texto, QWidget* padre, int indice = -1)
{
    auto* label = new QLabel(texto, padre);
    label->setObjectName(nombre);
    if (indice >= 0)
        label->setProperty("Index", indice);
    return label;
}

QLineEdit* campo(const QString& nombre, QWidget* padre)
{
    auto* txt = new QLineEdit(padre);
    txt->setObjectName(nombre);
    txt->setMinimumWidth(180);
    return txt;
}

} // namespace

frmDNS::frmDNS(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDNS"));
    setWindowTitle(QStringLiteral("Conexión"));
    setWindowIcon(ui::iconoAplicacion());
    QFont tahoma(QStringLiteral("Tahoma")); // falls back to a like font where it is missing
    tahoma.setPointSizeF(font().pointSizeF());
    setFont(tahoma);

    Frame2 = new QGroupBox(QStringLiteral("Conexión Licencias"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    lblServidor = etiqueta(QStringLiteral("Label1"), QStringLiteral("Servidor:"), Frame2, 2);
    txtServidor = campo(QStringLiteral("txtServidor"), Frame2);
    lblDataBase = etiqueta(QStringLiteral("Label1"), QStringLiteral("Base de Datos:"), Frame2, 3);
    txtDataBase = campo(QStringLiteral("txtDataBase"), Frame2);
    Label5 = etiqueta(QStringLiteral("Label5"), QStringLiteral("Nombre de Usuario:"), Frame2);
    txtUsuario = campo(QStringLiteral("txtUsuario"), Frame2);
    Label4 = etiqueta(QStringLiteral("Label4"), QStringLiteral("Password:"), Frame2);
    txtPassword = campo(QStringLiteral("txtPassword"), Frame2);
    txtPassword->setEchoMode(QLineEdit::Password);
    // Every character must come as a key press to meet the filter: no input method composes behind it.
    for (QLineEdit* filtrado : {txtUsuario, txtPassword}) {
        filtrado->setAttribute(Qt::WA_InputMethodEnabled, false);
        filtrado->installEventFilter(this);
    }

    auto* grilla = new QGridLayout(Frame2);
    const QList<QPair<QLabel*, QLineEdit*>> filas = {
        {lblServidor, txtServidor}, {lblDataBase, txtDataBase}, {Label5, txtUsuario}, {Label4, txtPassword}};
    for (int fila = 0; fila < filas.size(); ++fila) {
        grilla->addWidget(filas[fila].first, fila, 0);
        grilla->addWidget(filas[fila].second, fila, 1);
    }

    cmdAceptar = new QPushButton(QStringLiteral("Conectar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar->setDefault(true);
    cmdCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    cmdCancelar->setAutoDefault(false);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmDNS::cmdAceptar_Click);
    connect(cmdCancelar, &QPushButton::clicked, this, &frmDNS::cmdCancelar_Click);

    stbDNS = new QStatusBar(this);
    stbDNS->setObjectName(QStringLiteral("stbDNS"));
    stbDNS->setSizeGripEnabled(false);
    stbPanel1 = etiqueta(QStringLiteral("Panel1"), {}, stbDNS);
    stbDNS->addWidget(stbPanel1, 1);

    auto* botones = new QVBoxLayout;
    botones->addWidget(cmdAceptar);
    botones->addWidget(cmdCancelar);
    botones->addStretch();
    auto* cuerpo = new QHBoxLayout;
    cuerpo->addWidget(Frame2, 1);
    cuerpo->addLayout(botones);
    auto* disposicion = new QVBoxLayout(this);
    disposicion->addLayout(cuerpo);
    disposicion->addWidget(stbDNS);
    disposicion->setSizeConstraint(QLayout::SetFixedSize);
}

frmDNS::~frmDNS() = default;

frmDNS& frmDNS::instancia()
{
    static QPointer<frmDNS> ventana;
    if (!ventana)
        ventana = new frmDNS;
    return *ventana;
}

bool frmDNS::teclaAceptada(QChar tecla, bool campoUsuario)
{
    const char16_t c = tecla.unicode();
    if (c == 8 || c == 13)
        return true;
    if (campoUsuario && (c == u'-' || c == u'_'))
        return true;
    return (c >= 48 && c <= 90) || (c >= 97 && c <= 122);
}

bool frmDNS::Conectar(const QString& parametro)
{
    Preparar(parametro);
    exec();
    return mConectado;
}

void frmDNS::Preparar(const QString& parametro)
{
    mConectado = false;
    mCancelado = false;
    GrabarLog(QStringLiteral("Servidor: ") + mServidor, QStringLiteral("Conectar"));
    if (!mCargado)
        Form_Load();
    mostrarModoMantenimiento(parametro == u"KVL");
}

void frmDNS::mostrarModoMantenimiento(bool visible)
{
    for (QWidget* control : {static_cast<QWidget*>(lblServidor), static_cast<QWidget*>(lblDataBase),
                             static_cast<QWidget*>(txtDataBase), static_cast<QWidget*>(txtServidor)})
        control->setVisible(visible);
}

void frmDNS::Form_Load()
{
    mCargado = true;
    mCancelado = true;
    mServidor.clear();
    GrabarLog(QStringLiteral("Servidor: ") + mServidor, QStringLiteral("Form_load"));
    mBaseDatos.clear();
    GrabarLog(QStringLiteral("Data Base: ") + mBaseDatos, QStringLiteral("Form_load"));
    mUsuario = ui::leerConfiguracion(kSeccion, kClaveUsuario);
    GrabarLog(QStringLiteral("Usuario: ") + mUsuario, QStringLiteral("Form_load"));
    CargarDatos();
}

void frmDNS::CargarDatos()
{
    stbPanel1->clear();
    txtServidor->setText(recortar(mServidor));
    txtDataBase->setText(recortar(mBaseDatos));
    txtUsuario->setText(recortar(mUsuario));
    txtPassword->clear();
    mServidorCarga = mServidor;
    mBaseDatosCarga = mBaseDatos;
    mUsuarioCarga = mUsuario;
    for (QWidget* control : {static_cast<QWidget*>(txtServidor), static_cast<QWidget*>(txtDataBase),
                             static_cast<QWidget*>(txtUsuario), static_cast<QWidget*>(txtPassword),
                             static_cast<QWidget*>(Frame2)})
        control->setEnabled(true);
    Frame2->setVisible(true);
}

void frmDNS::cmdAceptar_Click()
{
    mConectado = false;
    if (txtUsuario->text().isEmpty()) {
        ui::msgBox(QStringLiteral("Debe ingresar un Usuario."), ui::Botones::OK, ui::Icono::Exclamacion,
                   QString::fromLatin1(NombreProducto), 1, this);
        txtUsuario->setFocus();
        return;
    }
    mServidor = recortar(txtServidor->text());
    mBaseDatos = recortar(txtDataBase->text());
    mUsuario = recortar(txtUsuario->text());
    stbPanel1->setText(QStringLiteral("Conectando a ") + mServidor + QStringLiteral("..."));
    // Paints the status text before the connection blocks the window; no input is taken meanwhile.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);

    mConectado = Conectarse();
    if (mConectado) {
        if (mUsuario != mUsuarioCarga)
            ui::guardarConfiguracion(kSeccion, kClaveUsuario, mUsuario);
        QCoreApplication::processEvents();
        mCancelado = false;
        accept();
        return;
    }
    txtPassword->setFocus();
}

bool frmDNS::Conectarse()
{
    GrabarLog(QStringLiteral("Conectando en: ") + mServidor + u'.' + mBaseDatos + QStringLiteral(" como ") +
                  mUsuario,
              QStringLiteral("Conectarse"));
    try {
        if (!gConexion)
            throw Falla(91, QStringLiteral("frmDNS"),
                        QStringLiteral("Variable de objeto o bloque With no establecida"));
        const ui::RelojArena reloj;
        // Read here, never kept in the window.
        gConexion->Connect(mServidor, mUsuario, recortar(txtPassword->text()), mBaseDatos);
        return true;
    } catch (const Falla& f) {
        ui::restaurarPuntero();
        ui::msgBox(QString::number(f.Numero) + QStringLiteral("\r\n") + f.Descripcion, ui::Botones::OK,
                   ui::Icono::Critico, QStringLiteral("Error"), 1, this);
        GrabarLog(QString::number(f.Numero) + u' ' + f.Descripcion);
        return false;
    }
}

void frmDNS::cmdCancelar_Click()
{
    reject();
}

void frmDNS::reject()
{
    mCancelado = true;
    QDialog::reject();
}

bool frmDNS::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() != QEvent::KeyPress || (objeto != txtUsuario && objeto != txtPassword))
        return QDialog::eventFilter(objeto, evento);
    const auto* tecla = static_cast<QKeyEvent*>(evento);
    // Keys that move the focus, close the dialog or edit without typing are not typed characters.
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
    for (const QChar c : texto) {
        if (!teclaAceptada(c, objeto == txtUsuario)) {
            pitar();
            return true;
        }
    }
    return false;
}

} // namespace dalvo

#include "consultation/frmTicket.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "consultation/MuestraResultado.h"
#include "consultation/Valores.h"
#include "consultation/clsQuerys.h"
#include "data/ChekError.h"
#include "ui/Iconos.h"
#include "ui/RelojArena.h"
#include "ui/VistaLista.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>

namespace dalvo {

namespace {

// Sizes the resize rules keep, in twips.
constexpr int kAnchoMinimo = 6900;
constexpr int kAltoMinimo = 4995;
constexpr int kMargenAnchoLista = 345;
constexpr int kMargenAltoLista = 2040;

} // namespace

frmTicket::frmTicket(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmTicket"));
    setWindowTitle(QStringLiteral("Ticket"));
    setWindowIcon(ui::icono(QStringLiteral("TICKET")));
    setAttribute(Qt::WA_DeleteOnClose, false);

    const char* textos[] = {"Ticket Nº", "Fecha", "Prestador"};
    for (int i = 0; i < 3; ++i)
        mEtiquetas[i] = new QLabel(QString::fromUtf8(textos[i]), this);
    auto valor = [this](const char* nombre) {
        auto* etiqueta = new QLabel(this);
        etiqueta->setObjectName(QLatin1String(nombre));
        etiqueta->setFrameShape(QFrame::StyledPanel);
        etiqueta->setFrameShadow(QFrame::Sunken);
        return etiqueta;
    };
    lblTicket = valor("lblTicket");
    lblFecha = valor("lblFecha");
    lblPrestador = valor("lblPrestador");
    lvwItemTickets = new ui::VistaLista(this);
    lvwItemTickets->setObjectName(QStringLiteral("lvwItemTickets"));
    cmdAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar->setDefault(true);
    connect(cmdAceptar, &QPushButton::clicked, this, &QDialog::accept);

    setMinimumSize(aPixeles(kAnchoMinimo), aPixeles(kAltoMinimo));
    resize(aPixeles(9600), aPixeles(5400));
}

int frmTicket::aPixeles(int twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0);
}

void frmTicket::CargaItemTicket(double pTicket, const QDateTime& pFecha, const QString& pPrestador,
                                bool pEsFarmacia)
{
    Cargar(pTicket, pFecha, pPrestador, pEsFarmacia);
    exec();
}

void frmTicket::Cargar(double pTicket, const QDateTime& pFecha, const QString& pPrestador, bool pEsFarmacia)
{
    mTicket = pTicket;
    mFecha = pFecha;
    mPrestador = pPrestador;
    mEsFarmacia = pEsFarmacia;
    lblTicket->setText(comoTexto(pTicket));
    lblFecha->setText(comoTexto(pFecha));
    lblPrestador->setText(pPrestador);
    Form_Load();
}

void frmTicket::Form_Load()
{
    try {
        ui::ponerRelojArena();
        QCoreApplication::processEvents();
        std::unique_ptr<ado::Recordset> items =
            gQuerys->BuscarItemsTicket(enteroLargo(mTicket, QStringLiteral("frmTicket")), mEsFarmacia);
        if (gQuerys->RegistrosAfectados() > 0)
            MuestraResultado(*items, *lvwItemTickets, *this);
        items->Close();
        ui::restaurarPuntero();
    } catch (const Falla& falla) {
        ui::restaurarPuntero();
        ChekError(falla.Numero, falla.Descripcion, falla.Origen);
    }
}

void frmTicket::resizeEvent(QResizeEvent* evento)
{
    QDialog::resizeEvent(evento);
    if (isMinimized())
        return;
    // The minimum size is the window's own (setMinimumSize); the list follows the window.
    const int ancho = width();
    const int alto = height();
    auto poner = [this](QWidget* control, int x, int y, int w, int h) {
        control->setGeometry(aPixeles(x), aPixeles(y), w, aPixeles(h));
    };
    poner(mEtiquetas[0], 120, 150, aPixeles(900), 285);
    poner(lblTicket, 1080, 120, aPixeles(1620), 315);
    poner(mEtiquetas[1], 2940, 150, aPixeles(660), 285);
    poner(lblFecha, 3660, 120, aPixeles(2580), 315);
    poner(mEtiquetas[2], 120, 570, aPixeles(900), 285);
    poner(lblPrestador, 1080, 540, std::max(aPixeles(1500), ancho - aPixeles(1080 + 225)), 315);
    lvwItemTickets->setGeometry(aPixeles(120), aPixeles(1080), ancho - aPixeles(kMargenAnchoLista),
                                alto - aPixeles(kMargenAltoLista));
    cmdAceptar->setGeometry(ancho - aPixeles(225 + 1215), alto - aPixeles(780), aPixeles(1215),
                            aPixeles(375));
}

} // namespace dalvo

#include "consultation/frmInformacionPrestador.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "common/Reloj.h"
#include "consultation/MuestraResultado.h"
#include "consultation/Valores.h"
#include "consultation/clsQuerys.h"
#include "data/ChekError.h"
#include "ui/Iconos.h"
#include "ui/RelojArena.h"
#include "ui/VistaLista.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dalvo {

namespace {

QLabel* valor(QWidget* padre, const char* nombre)
{
    auto* etiqueta = new QLabel(padre);
    etiqueta->setObjectName(QLatin1String(nombre));
    etiqueta->setFrameShape(QFrame::StyledPanel);
    etiqueta->setFrameShadow(QFrame::Sunken);
    etiqueta->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    etiqueta->setMinimumWidth(80);
    return etiqueta;
}

} // namespace

frmInformacionPrestador::frmInformacionPrestador(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInformacionPrestador"));
    setWindowTitle(QStringLiteral("Información Prestador"));
    setWindowIcon(ui::icono(QStringLiteral("TERMINAL")));

    lvwPrestador = new ui::VistaLista(this);
    lvwPrestador->setObjectName(QStringLiteral("lvwPrestador"));
    lvwPrestador->header()->hide(); // the card's two columns have no heading

    frmTransacciones = new QGroupBox(QStringLiteral("Transacciones"), this);
    frmTransacciones->setObjectName(QStringLiteral("frmTransacciones"));
    lblDelDia = new QLabel(QStringLiteral("Del día:"), frmTransacciones);
    lblDelDia->setObjectName(QStringLiteral("Label1"));
    lblTransaccionesDia = valor(frmTransacciones, "lblTransaccionesDia");
    lblEntreFecha = new QLabel(frmTransacciones);
    lblEntreFecha->setObjectName(QStringLiteral("lblEntreFecha"));
    lbltransaccionesRango = valor(frmTransacciones, "lbltransaccionesRango");
    auto* grilla = new QGridLayout(frmTransacciones);
    grilla->addWidget(lblDelDia, 0, 0);
    grilla->addWidget(lblTransaccionesDia, 0, 1);
    grilla->addWidget(lblEntreFecha, 1, 0);
    grilla->addWidget(lbltransaccionesRango, 1, 1);
    grilla->setColumnStretch(0, 1);

    cmdAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar->setDefault(true);
    connect(cmdAceptar, &QPushButton::clicked, this, &QDialog::accept);

    auto* pie = new QHBoxLayout;
    pie->addWidget(frmTransacciones, 1);
    pie->addWidget(cmdAceptar, 0, Qt::AlignBottom);
    auto* principal = new QVBoxLayout(this);
    principal->addWidget(lvwPrestador, 1);
    principal->addLayout(pie);
    resize(560, 500);
}

void frmInformacionPrestador::CargaInformacionPrestador(double pPrestador, const QString& pFechaDesde,
                                                        const QString& pFechaHasta)
{
    Cargar(pPrestador, pFechaDesde, pFechaHasta);
    exec();
}

void frmInformacionPrestador::Cargar(double pPrestador, const QString& pFechaDesde,
                                     const QString& pFechaHasta)
{
    mPrestador = pPrestador;
    mDesde = pFechaDesde.left(10);
    mHasta = pFechaHasta.left(10);
    const QDate hoy = Hoy();
    mHoy = Rellenar(hoy.day(), 2) + u'/' + Rellenar(hoy.month(), 2) + u'/' + QString::number(hoy.year());
    lblEntreFecha->setText(QStringLiteral("Entre el ") + mDesde + QStringLiteral(" y el ") + mHasta);
    Form_Load();
}

void frmInformacionPrestador::Form_Load()
{
    try {
        ui::ponerRelojArena();
        QCoreApplication::processEvents();
        const qint32 id = enteroLargo(mPrestador, QStringLiteral("frmInformacionPrestador"));
        std::unique_ptr<ado::Recordset> datos = gQuerys->DatosPrestador(id);
        if (gQuerys->RegistrosAfectados() > 0)
            MuestraFicha(*datos, *lvwPrestador, *this);
        datos->Close();

        auto contar = [id](const QString& desde, const QString& hasta) {
            return gQuerys->CantidadTransacciones(id, FechaSQL(desde, false, false).toString(),
                                                  FechaSQL(hasta, true, false).toString());
        };
        lblTransaccionesDia->setText(QString::number(contar(mHoy, mHoy)));
        lbltransaccionesRango->setText(QString::number(contar(mDesde, mHasta)));
        ui::restaurarPuntero();
    } catch (const Falla& falla) {
        ui::restaurarPuntero();
        ChekError(falla.Numero, falla.Descripcion, falla.Origen);
    }
}

} // namespace dalvo

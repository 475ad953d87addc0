#include "closings/frmCierresTotal.h"

#include "closings/TotalesCierres.h"
#include "common/Falla.h"
#include "data/ChekError.h"
#include "data/cUserConnection.h"
#include "ui/Iconos.h"
#include "ui/Mensajes.h"
#include "ui/RelojArena.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace dalvo {

namespace {

QLabel* valor(const char* nombre, QWidget* padre, Qt::Alignment alineacion)
{
    auto* lbl = new QLabel(padre);
    lbl->setObjectName(QLatin1String(nombre));
    lbl->setFrameShape(QFrame::StyledPanel);
    lbl->setFrameShadow(QFrame::Sunken);
    lbl->setAlignment(alineacion | Qt::AlignVCenter);
    lbl->setMinimumWidth(lbl->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000 al 00/00/0000")) +
                         8);
    return lbl;
}

void fila(QGridLayout* grilla, int f, const QString& rotulo, QLabel* valor, QWidget* padre)
{
    grilla->addWidget(new QLabel(rotulo, padre), f, 0);
    grilla->addWidget(valor, f, 1);
}

} // namespace

frmCierresTotal::frmCierresTotal(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCierresTotal"));
    setWindowTitle(QStringLiteral("Totales"));
    setWindowIcon(ui::icono(QStringLiteral("CIERRE")));

    auto* marco = new QGroupBox(this);
    lblPeriodo = valor("lblPeriodo", marco, Qt::AlignLeft);
    lblCantidadCierres = valor("lblCantidadCierres", marco, Qt::AlignRight);
    lblCantidadCupones = valor("lblCantidadCupones", marco, Qt::AlignRight);
    auto* g1 = new QGridLayout(marco);
    fila(g1, 0, QStringLiteral("Periodo:"), lblPeriodo, marco);
    fila(g1, 1, QStringLiteral("Cantidad de Cierres:"), lblCantidadCierres, marco);
    fila(g1, 2, QStringLiteral("Cantidad de Cupones:"), lblCantidadCupones, marco);

    auto* totales = new QGroupBox(QStringLiteral("Totales"), this);
    lblTotalCierres = valor("lblTotalCierres", totales, Qt::AlignRight);
    lblTotalACargoAfiliado = valor("lblTotalACargoAfiliado", totales, Qt::AlignRight);
    lblTotalBonificacion = valor("lblTotalBonificacion", totales, Qt::AlignRight);
    lblTotalAPagar = valor("lblTotalAPagar", totales, Qt::AlignRight);
    auto* g2 = new QGridLayout(totales);
    fila(g2, 0, QStringLiteral("Cierres:"), lblTotalCierres, totales);
    fila(g2, 1, QStringLiteral("A Cargo de Afiliado:"), lblTotalACargoAfiliado, totales);
    fila(g2, 2, QStringLiteral("Bonificación:"), lblTotalBonificacion, totales);
    fila(g2, 3, QStringLiteral("A pagar por O.S.:"), lblTotalAPagar, totales);

    cmdAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar->setDefault(true);
    connect(cmdAceptar, &QPushButton::clicked, this, &QDialog::accept);
    auto* pie = new QHBoxLayout;
    pie->addStretch();
    pie->addWidget(cmdAceptar);

    auto* v = new QVBoxLayout(this);
    v->addWidget(marco);
    v->addWidget(totales);
    v->addLayout(pie);
}

void frmCierresTotal::Cargar(const QString& pElPeriodo, const QString& pCondicionConsulta)
{
    if (cargar(pElPeriodo, pCondicionConsulta))
        exec();
}

bool frmCierresTotal::cargar(const QString& pElPeriodo, const QString& pCondicionConsulta)
{
    mCondicion = pCondicionConsulta;
    lblPeriodo->setText(pElPeriodo);
    return calcularTotales();
}

bool frmCierresTotal::calcularTotales()
{
    try {
        ui::RelojArena reloj;
        QCoreApplication::processEvents();
        if (!gConexion)
            throw Falla(91, QStringLiteral("frmCierresTotal"),
                        QStringLiteral("Variable de objeto o bloque With no establecida"));
        qint32 numero = 0;
        QString descripcion;
        auto rs = gConexion->Query(TextoTotalesCierres(mCondicion), numero, descripcion, true, false);
        if (numero != 0) {
            ui::restaurarPuntero();
            ui::msgBox(QString::number(numero) + QStringLiteral("\r\n") + descripcion, ui::Botones::OK,
                       ui::Icono::Critico, QStringLiteral("Error"), 1, this);
            return true;
        }
        if (rs && rs->State() == ado::adStateOpen && !rs->Eof()) {
            const TotalesCierres t = LeerTotalesCierres(*rs);
            lblCantidadCierres->setText(t.cantidadCierres);
            lblCantidadCupones->setText(t.cantidadCupones);
            lblTotalCierres->setText(t.totalCierres);
            lblTotalACargoAfiliado->setText(t.aCargoAfiliado);
            lblTotalBonificacion->setText(t.bonificacion);
            lblTotalAPagar->setText(t.aPagar);
        }
        if (rs)
            rs->Close();
        return true;
    } catch (const Falla& falla) {
        ui::restaurarPuntero();
        ChekError(falla);
        return false;
    }
}

} // namespace dalvo

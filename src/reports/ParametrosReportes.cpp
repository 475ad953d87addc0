#include "reports/ParametrosReportes.h"

#include "common/Falla.h"
#include "reports/ItemsReportes.h"
#include "ui/VistaLista.h"

namespace dalvo {

namespace {

enum class Fila
{
    Seleccionada,
    Primera,
    Ultima,
};

struct Copia
{
    int tipo;
    const char* clave;
    Fila fila;
    int columna; // 0 the row's text, n its sub-item n
};

// clang-format off
const Copia Copias[] = {
    {2, "AFILIADOACTUAL", Fila::Seleccionada, 0},
    {2, "PLANAFILIADOACTUAL", Fila::Seleccionada, 2},

    {4, "TICKETACTUAL", Fila::Seleccionada, 0},
    {4, "TICKETINICIAL", Fila::Primera, 0},
    {4, "TICKETFINAL", Fila::Ultima, 0},
    {4, "AFILIADO", Fila::Seleccionada, 3},
    {4, "AFILIADOACTUAL", Fila::Seleccionada, 3},
    {4, "PRESTADORACTUALNOMBRE", Fila::Seleccionada, 6},
    {4, "MEDICORECETANOMBRE", Fila::Seleccionada, 8},
    {4, "PRESTADORACTUAL", Fila::Seleccionada, 16},
    {4, "MEDICORECETA", Fila::Seleccionada, 7},

    {9, "TICKETACTUAL", Fila::Seleccionada, 0},
    {9, "TICKETINICIAL", Fila::Primera, 0},
    {9, "TICKETFINAL", Fila::Ultima, 0},
    {9, "AFILIADO", Fila::Seleccionada, 3},
    {9, "AFILIADOACTUAL", Fila::Seleccionada, 3},
    {9, "PRESTADORACTUALNOMBRE", Fila::Seleccionada, 6},
    {9, "MEDICORECETANOMBRE", Fila::Seleccionada, 8},
    {9, "PRESTADORACTUAL", Fila::Seleccionada, 13},
    {9, "MEDICORECETA", Fila::Seleccionada, 7},

    {5, "CIERREACTUAL", Fila::Seleccionada, 0},
    {5, "CIERREINICIAL", Fila::Primera, 0},
    {5, "CIERREFINAL", Fila::Ultima, 0},
    {5, "PRESTADORACTUAL", Fila::Seleccionada, 9},
    {5, "PRESTADORACTUALNOMBRE", Fila::Seleccionada, 2},
    {5, "TIPOPRESTADORACTUAL", Fila::Seleccionada, 10},

    {3, "MEDICAMENTOACTUAL", Fila::Seleccionada, 0},
    {3, "MEDICAMENTOINICIAL", Fila::Primera, 0},
    {3, "MEDICAMENTOFINAL", Fila::Ultima, 0},
    {3, "MEDICAMENTONOMBRE", Fila::Seleccionada, 2},

    {10, "ACCIONACTUAL", Fila::Seleccionada, 0},
    {10, "ACCIONINICIAL", Fila::Primera, 0},
    {10, "ACCIONFINAL", Fila::Ultima, 0},
    {10, "ACCIONNOMBRE", Fila::Seleccionada, 1},

    {8, "MEDICOACTUAL", Fila::Seleccionada, 1},
    {8, "MEDICOINICIAL", Fila::Primera, 1},
    {8, "MEDICOFINAL", Fila::Ultima, 1},
    {8, "MEDICONOMBRE", Fila::Seleccionada, 2},

    {7, "PRACTICAACTUAL", Fila::Seleccionada, 0},
    {7, "PRACTICAINICIAL", Fila::Primera, 0},
    {7, "PRACTICAFINAL", Fila::Ultima, 0},
    {7, "PRACTICANOMBRE", Fila::Seleccionada, 1},

    {1, "PRESTADORACTUAL", Fila::Seleccionada, 0},
    {1, "PRESTADORESPECIALIDAD", Fila::Seleccionada, 1},
    {1, "CODIGOPRESTADORACTUAL", Fila::Seleccionada, 4},
    {1, "PRESTADORACTUALNOMBRE", Fila::Seleccionada, 5},
    {1, "TIPOPRESTADORACTUAL", Fila::Seleccionada, 18},
};
// clang-format on

ColeccionParametros conFechas(QLineEdit* desde, QLineEdit* hasta)
{
    ColeccionParametros p;
    p.AddEnlace(QStringLiteral("FECHADESDE"), desde);
    p.AddEnlace(QStringLiteral("FECHAHASTA"), hasta);
    return p;
}

QString texto(const ui::VistaLista& lista, const QTreeWidgetItem* fila, int columna, const char* clave)
{
    if (columna >= lista.cantidadColumnas())
        throw Falla(35600, QStringLiteral("frmDalvoHD.mnuReportes"),
                    QStringLiteral("Índice fuera de los límites (columna %1 para %2)")
                        .arg(columna)
                        .arg(QString::fromLatin1(clave)));
    return fila->text(columna);
}

} // namespace

PedidoVentanaReportes ParametrosGenerales(QLineEdit* txtDesdeFecha, QLineEdit* txtHastaFecha)
{
    return {contextos::Generales, conFechas(txtDesdeFecha, txtHastaFecha)};
}

std::optional<PedidoVentanaReportes> ParametrosEspecificos(int tipoActivo, const ui::VistaLista& lvwGeneral,
                                                           QLineEdit* txtDesdeFecha, QLineEdit* txtHastaFecha)
{
    if (lvwGeneral.cantidadItems() == 0)
        return std::nullopt;
    PedidoVentanaReportes pedido{0, conFechas(txtDesdeFecha, txtHastaFecha)};
    const QTreeWidgetItem* seleccionada = lvwGeneral.itemSeleccionado();
    if (!seleccionada)
        seleccionada = lvwGeneral.currentItem() ? lvwGeneral.currentItem() : lvwGeneral.primerItem();
    for (const Copia& c : Copias) {
        if (c.tipo != tipoActivo)
            continue;
        pedido.contexto = static_cast<qint16>(tipoActivo);
        const QTreeWidgetItem* fila = c.fila == Fila::Primera  ? lvwGeneral.primerItem()
                                      : c.fila == Fila::Ultima ? lvwGeneral.ultimoItem()
                                                               : seleccionada;
        QString valor = texto(lvwGeneral, fila, c.columna, c.clave);
        if (tipoActivo == contextos::Medicos && qstrcmp(c.clave, "MEDICONOMBRE") == 0 && valor.isEmpty())
            valor = QStringLiteral("Medico");
        pedido.parametros.Add(QString::fromLatin1(c.clave), valor);
    }
    return pedido;
}

PedidoVentanaReportes ParametrosCierre(qint32 lCierre, const QString& sPrestadorId, const QString& sPrestador,
                                       bool bFarmacia)
{
    PedidoVentanaReportes pedido{contextos::Cierres, {}};
    ColeccionParametros& p = pedido.parametros;
    const QString cierre = QString::number(lCierre);
    p.Add(QStringLiteral("FECHADESDE"), QString());
    p.Add(QStringLiteral("FECHAHASTA"), QString());
    p.Add(QStringLiteral("CIERREACTUAL"), cierre);
    p.Add(QStringLiteral("CIERREINICIAL"), cierre);
    p.Add(QStringLiteral("CIERREFINAL"), cierre);
    p.Add(QStringLiteral("PRESTADORACTUAL"), sPrestadorId);
    p.Add(QStringLiteral("PRESTADORACTUALNOMBRE"), sPrestador);
    p.Add(QStringLiteral("TIPOPRESTADORACTUAL"), bFarmacia ? QStringLiteral("1") : QStringLiteral("4"));
    return pedido;
}

} // namespace dalvo

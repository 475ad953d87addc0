#pragma once

// The parameter collections other windows build for the report window: the main window's "Específicos..."
// (from its result list) and "Generales...", and the closings window's "Print".

#include "reports/ColeccionParametros.h"

#include <optional>

class QLineEdit;

namespace dalvo {

namespace ui {
class VistaLista;
}

// What the report window is opened with: frmReportes::Carga(pedido.contexto, pedido.parametros).
struct PedidoVentanaReportes
{
    qint16 contexto = 0;
    ColeccionParametros parametros;
};

// "Generales...": the main window's two date fields, linked (reading gives their text, writing changes
// them); context 20.
PedidoVentanaReportes ParametrosGenerales(QLineEdit* txtDesdeFecha, QLineEdit* txtHastaFecha);

// "Específicos...": the linked date fields and the active kind's keys, copied from the result list as
// displayed (the selected row, and the first and last rows); the kind is the context. Search kind 6 has no
// reports: context 0 with the dates only. Nothing when the list has no rows. Without a selected row the
// current row stands for it, or the first. Raises Falla (35600) when the list lacks a column a key reads.
std::optional<PedidoVentanaReportes> ParametrosEspecificos(int tipoActivo, const ui::VistaLista& lvwGeneral,
                                                           QLineEdit* txtDesdeFecha,
                                                           QLineEdit* txtHastaFecha);

// The closings window's "Print": empty dates, the closing as current, first and last, the provider's id and
// name (captions of lblPrestadorID and lblPrestador) and type 1 for a pharmacy, 4 otherwise; context 5.
PedidoVentanaReportes ParametrosCierre(qint32 lCierre, const QString& sPrestadorId, const QString& sPrestador,
                                       bool bFarmacia);

} // namespace dalvo

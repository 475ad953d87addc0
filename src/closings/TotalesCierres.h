#pragma once

// The sums of the closing totals window: the statement over the closings that match the main window's last
// condition, and the texts its labels show.

#include <QString>

namespace dalvo {

namespace ado {
class Recordset;
}

struct TotalesCierres
{
    QString cantidadCierres, cantidadCupones;           // the raw values' text
    QString totalCierres, aCargoAfiliado, bonificacion; // through Convertir (number, display text)
    QString aPagar; // TotalCierre - TotalAfiliado - Bonificacion, "##,##0.00"
};

// The totals statement; the condition (over C = Cierres and P = Prestadores, without WHERE) is appended
// verbatim after "    WHERE " when it is not empty.
QString TextoTotalesCierres(const QString& condicion);

// The labels' texts from the statement's row. When no closing matches, the sums come back null: the counts
// then read 0 and the amounts 0,00 (in the locale's format), as for closings that add up to nothing.
TotalesCierres LeerTotalesCierres(ado::Recordset& rs);

} // namespace dalvo

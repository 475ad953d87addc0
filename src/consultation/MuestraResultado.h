#pragma once

// Loading a result set into a report-style list. Everything is driven by the result set's field names,
// types and values, so the column aliases of the statements are the whole presentation:
//   - a name beginning with "HH" (capitals) gives a hidden column whose values stay readable;
//   - money (6) and numeric (131) columns are right-aligned;
//   - "Tx", "Baja", "Anulado", "HH Baja", "HH Anulado", "HH Devolucion" and "HH Descontado" set the row's
//     state icon.
// Neither function raises: a failure stops the fill, shows a critical box titled "Muestra Resultado" and the
// list keeps what was filled.

#include <QString>

class QWidget;

namespace dalvo {

namespace ado {
class Recordset;
}
namespace ui {
class VistaLista;
}

// One column per field, one row per record from the current one to the end (keys "1K", "2K", ...). A column
// starts at 30 twips per byte of its first value (at least as wide as its heading; 0 stays 0, hidden) and
// widens to its longest text; it never narrows. frm is the window whose font measures text.
void MuestraResultado(ado::Recordset& rs, ui::VistaLista& lvw, QWidget& frm);

// The first record as a card: one row per visible field, its name and its value. The withdrawal flag shows
// as a row "Baja" with "SI" or "NO" even when its column is hidden.
void MuestraFicha(ado::Recordset& rs, ui::VistaLista& lvw, QWidget& frm);

// Twips a cell of the list needs besides its text: the view's text margins and, in the first column, the
// row icon. A column is as wide as its text plus this, so that the text shows whole.
int margenCelda(const ui::VistaLista& lvw, int columna);

// The starting width in twips a heading needs to show whole.
int anchoEncabezado(const ui::VistaLista& lvw, const QString& encabezado);

// The state icon a field gives a row (empty: none). nombreMayusculas is the field name in capitals.
QString iconoDeCampo(const QString& nombreMayusculas, const QString& texto);

} // namespace dalvo

#pragma once

// The condition (without the word WHERE) and the caption of a consultation, from what the operator chose
// and typed in the main window.
//
// Values that go into a quoted literal have their single quotes doubled, so a value can never end the
// literal (O'Brien finds O'Brien). Values that go into an unquoted comparison (ticket, provider, closing
// and error keys, AuSysT) must first pass the number check, which admits nothing but a number.

#include <QString>
#include <optional>

namespace dalvo {

struct PedidoConsulta
{
    qint32 caso = 0;     // the active kind (pCaso)
    QString criterio;    // text of cboConsulta
    QString valor;       // text of txtConsulta exactly as typed
    bool exacto = false; // chkBuscarExacto
    QString desde;       // texts of txtDesdeFecha and txtHastaFecha as typed
    QString hasta;
};

struct CondicionConsulta
{
    // False when the criterion asks for a number and the value is not one: nothing may run.
    bool numeroValido = true;
    QString condicion;
    // The caption; unset when the criterion matched nothing, so the previous caption stays.
    std::optional<QString> descripcion;
    // An exact action code is written back to txtConsulta with four digits (7 -> 0007).
    std::optional<QString> valorReescrito;
};

CondicionConsulta ArmarCondicion(const PedidoConsulta& pedido);

// The number check: optional blanks around an optional sign, digits with at most one decimal separator
// (the locale's) and an optional exponent. Nothing else passes (letters, operators, quotes, a second sign,
// group separators), so a value that passes cannot change a statement it is written into unquoted.
bool EsNumero(const QString& valor);

// The value with every single quote doubled, for use inside a quoted SQL literal.
QString ComillasSql(const QString& valor);

} // namespace dalvo

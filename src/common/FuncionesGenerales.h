#pragma once

// Value conversions shared by every window and data class: field values to display text, typed dates to
// SQL text, date completion and checking, keystroke filtering, number formats.
//
// Values are QVariant; a database NULL is an invalid QVariant. Numbers and texts follow the user's locale
// (the default-constructed QLocale()); dates are always typed and shown day/month/year.

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace dalvo {

// Decimal separator of the user's number format as a character code: 46 (".") or 44 (","). Set at start-up
// from SeparadorDecimal().
extern qint16 gSeparadorDecimal;

qint16 SeparadorDecimal();

// -1 prints as empty text. Format 1: "##,##0.00"; any other: "####0".
QString FormatoNumero(double dValor, qint16 iFormato);

// Null-safe conversion of a field value. Kind 1 (text): format 1 trimmed text, 3 date, 4 date and time.
// Kind 2 (number): format 1 display text, 2 double (-1 when there is no number). Other combinations give
// an invalid QVariant (no value).
QVariant Convertir(const QVariant& vValor, qint16 iTipo, qint16 iFormato);

// Display text of a field value from its ADO data type code.
QString FormatearCampo(int iTipoDato, const QVariant& vValor);

// "code . description"; empty when the code is missing or blank.
QString CodigoDescripcion(const QVariant& vCodigo, const QString& sDescripcion);

// A typed day/month/year date as SQL text "mm/dd/yyyy hh:mm:ss" (bHasta: the end of that day). An empty or
// unreadable date gives null when bNulo, else empty text.
QVariant FechaSQL(const QString& sFecha, bool bHasta, bool bNulo);

// Key to insert for a typed character code (0: rejected, after a beep). Kinds: 1 whole number, 2 decimal
// number, 3 whole number with sign, 4 date; any other kind lets every key pass.
qint16 FiltrarTecla(qint16 iTecla, qint32 lTipo);

// Completes a typed date in place (ddmmyyyy, ddmmyy, ddmm, dd) and tells whether it is a calendar date.
bool ValidarFecha(QVariant& vFecha);

// The value as text, trimmed, padded with zeros on the left and cut to its last iLargo characters.
QString Rellenar(const QVariant& vValor, qint16 iLargo);

// "dd/mm/yyyy" (day and month as numbers, four-digit year) to a QDate; anything else gives null.
QVariant ConvertirFecha(const QString& sFecha);

// --- Helpers of our own, used by the functions above and by the windows ---

// A value as text, the way the original platform turned a variant into a string under the user's locale:
// numbers with the locale's decimal separator and no grouping, a date as dd/mm/yyyy (" hh:mm:ss" added only
// when the time is not midnight), booleans as the locale's words, text as is, null as empty text.
QString comoTexto(const QVariant& v);

// Removes leading and trailing blanks (only blanks: tabs and line breaks stay).
QString recortar(const QString& s);

// Reads a day/month/year date with an optional time ("3/2/24", "03/02/2024 14:05", "2024-02-03"), as the
// original platform read a date from text.
std::optional<QDateTime> textoAFecha(const QString& s);

// A two-digit year as a four-digit one: up to the current year's last two digits it is this century.
int anioCompleto(int yy);

// The beep of rejected keys. Returns the previous one; a null function silences it.
std::function<void()> setPitido(std::function<void()> pitido);

} // namespace dalvo

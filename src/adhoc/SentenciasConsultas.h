#pragma once

// What the ad-hoc query window sends and shows, without the window: the catalogue statements, the
// comparison each column's criterion becomes, the data and count statements, the row-count guards, and
// the selection's picking and applying.

#include "adhoc/clsItemDato.h"
#include "consultation/clsItemSeleccion.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace dalvo::adhoc {

// How a column's criterion is compared, by the column's type name (any letter case).
enum class ClaseColumna
{
    Texto,  // char, varchar, nchar, nvarchar, text, ntext, sysname: prefix LIKE 'value%'
    Fecha,  // datetime, smalldatetime: the day as eight digits, year first
    Numero, // anything else: compared unquoted
};
ClaseColumna claseColumna(const QString& tipo);

// The FiltrarTecla kind of the value box for a column type: 0 (every key passes) for text columns, 1
// (digits only) for the rest, and for no column at all.
qint32 filtroValor(const QString& tipo);

// "SELECT Name As Tabla From sysobjects where type='U' ORDER BY Tabla".
QString sqlTablas();
// The column list of a table from the catalogue: number, name, type name, length, decimals.
QString sqlFormatoTabla(const QString& sNombreTabla);

// The line of a column in the column list: its name, and " [value]" when it has a criterion.
QString lineaCampo(const QString& nombreColumna, const QString& valor);

// The text inside a quoted SQL literal: every single quote doubled.
QString textoLiteral(const QString& valor);

// One column's comparison, or why its criterion cannot be sent (a Spanish message naming the column).
struct Comparacion
{
    QString texto;
    QString rechazo;
};
Comparacion comparacion(const clsItemDato& dato);

// The data and count statements of a table with one condition per column that has a criterion. When a
// criterion cannot be sent, rechazo says why and there is nothing to run.
struct Consulta
{
    QString datos;
    QString cuenta;
    QString rechazo;
};
Consulta armarConsulta(const QString& sTabla, const QList<clsItemDato>& columnas);

// What a count allows.
enum class Decision
{
    SinResultado, // 0 rows
    Correr,       // 1 to 200
    Confirmar,    // 201 to 2000: run only when the operator confirms
    Rechazar,     // more than 2000: conditions must be added
};
Decision decidirPorCuenta(qint64 filas);
inline constexpr qint64 kFilasSinPregunta = 200;
inline constexpr qint64 kFilasMaximas = 2000;

// Adds one marked item per column of a result row (field = heading, value = the cell's text trimmed),
// numbered and keyed after the items already there ("3K" for the third).
void agregarValores(ColeccionSeleccion& seleccion, const QStringList& encabezados, const QStringList& textos);

// Copies the marked values of a selection into the columns of the same name (letter case aside); a later
// item for a column overrides an earlier one. Returns, per value applied and in that order, the position
// of the column-list line to rewrite (the column's catalogue number less one) and its new text.
struct LineaCampo
{
    int posicion;
    QString texto;
};
QList<LineaCampo> aplicarSeleccion(const ColeccionSeleccion& seleccion, QList<clsItemDato>& columnas);

} // namespace dalvo::adhoc

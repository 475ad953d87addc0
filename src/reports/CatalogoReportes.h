#pragma once

// The report catalogue: every report code with its layout name, title, subtitle and the SQL that feeds it
// (a condition added to the layout's query file, or a complete stored-procedure call).
//
// Titles, subtitles and SQL are templates: literal text with value forms in braces,
//   {KEY}        the parameter as it stands          {KEY:trim}  without the blanks around it
//   {KEY:from}   FechaSQL(value, false, null)         {KEY:to}    FechaSQL(value, true, null): up to 23:59:59
//   {KEY:ymd}    the date as yyyymmdd
//   {*item}      the list item's text                 {*rango}    the range subtitle " entre el ... y el ..."
//   {*ticket}    the ticket number typed in the report window
// In SQL, a value that falls inside a quoted literal has its single quotes doubled (a name such as O'Brien
// must not end the literal); values outside quotes (numbers) go in as they are.

#include <QList>
#include <QString>

namespace dalvo {

class ColeccionParametros;

struct EntradaCatalogo
{
    const char* codigo;
    const char* reporte;
    const char* titulo;
    const char* subtitulo;
    bool procedimiento; // the SQL is the whole call; otherwise a condition for the query file
    const char* sql;
};

// Every entry, in the catalogue's order.
QList<EntradaCatalogo> catalogoReportes();
// The entry of a code (exact comparison), or null.
const EntradaCatalogo* buscarReporte(const QString& codigo);

// What the templates read besides the parameters.
struct ValoresReporte
{
    const ColeccionParametros* parametros = nullptr;
    QString textoItem;
    QString subtituloRango;
    QString ticket;
};

// Expands a template; raises Falla (5) when it names a parameter the collection lacks.
QString expandirPlantilla(const QString& plantilla, const ValoresReporte& valores, bool sql);

// The working values of one report of a generation.
struct TrabajoReporte
{
    bool conocido = false;
    QString reporte;
    QString titulo;
    QString subtitulo;
    bool procedimiento = false;
    QString condicion;
    QString sql;
};

// Fills the working values of a code in that order (name, title, subtitle, SQL or condition), so a missing
// parameter leaves what was filled before it. An unknown code leaves "conocido" false.
void resolverReporte(const QString& codigo, const ValoresReporte& valores, TrabajoReporte& trabajo);

// " entre el " + FECHADESDE + " y el " + FECHAHASTA.
QString subtituloRango(const ColeccionParametros& parametros);

} // namespace dalvo

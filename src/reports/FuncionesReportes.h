#pragma once

// Report output: the report query files (base query + selection condition) and EmitirReporte, which hands a
// result set to a layout and opens its preview.

#include "reports/ResultadoReporte.h"

#include <QString>
#include <memory>
#include <optional>

namespace dalvo {

namespace reportes {
class Informe;
}

// The whole file as one text (UTF-8 when it is valid UTF-8, else the 8-bit code page); nothing when it cannot
// be read.
std::optional<QString> LeerArchivo(const QString& sRuta);

struct PartesConsulta
{
    QString select;
    QString where;
    QString groupBy;
    QString orderBy;
};

// Splits a query file at the first SELECT, WHERE, GROUP BY and ORDER BY (letter case ignored). Each part
// runs up to the next keyword present in that fixed order, or to the end. False when the file cannot be
// read or there is no select part. Raises Falla (5) when a keyword lies before the one it should follow.
bool DividirConsulta(const QString& sRuta, PartesConsulta& partes);

// The query to run: the file's query with the condition added (" WHERE " or " AND ", the condition, CR LF),
// or empty text when the file holds no usable query.
QString ArmarConsultaReporte(const QString& sRuta, const QString& sCondicion);

// The report folder: the program folder and "Reportes", ending with the platform's separator.
QString CarpetaReportes();

// The layout of a report: folder and name with the blanks around each removed, and ".rpt".
QString RutaDiseno(const QString& sCarpeta, const QString& sNombreReporte);

// The report before its preview: the layout opened, the rows bound (for "Ticket" the next result set) and
// the formula fields set ("Empresa", "Titulo", "SubTitulo": a non-empty value upper-cased between single
// quotes; an empty one leaves the layout's text). The step marker follows the steps, for the error message.
struct InformePreparado
{
    enum Estado
    {
        Listo,
        SinDatos,  // the result set has no rows
        SinDiseno, // no layout at that path
    };
    Estado estado = Listo;
    QString rutaDiseno;
    std::shared_ptr<reportes::Informe> informe;
};
InformePreparado PrepararInforme(const QString& sNombreReporte, ResultadoReporte& rs, const QString& sCarpeta,
                                 const QString& sEmpresa, const QString& sTitulo, const QString& sSubTitulo,
                                 QString& sMarcador);

// Shows the report in a preview window of its own (it stays open after the caller's window closes), or the
// message that says why not. Returns nothing; every outcome is shown.
void EmitirReporte(const QString& sNombreReporte, ResultadoReporte& rs, const QString& sCarpeta,
                   const QString& sEmpresa, const QString& sTitulo, const QString& sSubTitulo);

} // namespace dalvo

#pragma once

// A report layout: what Reportes/<Name>.rpt describes (the format is documented in Reportes/README.md).
// Plain data; Informe lays it out on pages.

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace dalvo::reportes {

// Failure numbers of the report engine (below 10000: they are not database errors).
namespace fallas {
inline constexpr qint32 DisenoInvalido = 9001;     // the layout file cannot be read or is malformed
inline constexpr qint32 CampoInexistente = 9002;   // the layout names a field the result set lacks
inline constexpr qint32 FormulaInexistente = 9003; // a formula field the layout does not declare
inline constexpr qint32 SinResultado = 91;         // no next result set ("object variable not set")
inline constexpr qint32 ArchivoNoGrabado = 75;     // a PDF that cannot be written (path/file access)
} // namespace fallas

enum class Formato
{
    Automatico, // from the column's database type
    Importe,    // "##,##0.00"
    Entero,     // "####0"
    Fecha,      // dd/mm/yyyy
    FechaHora,  // dd/mm/yyyy hh:mm:ss
    Texto,      // trimmed text
};

struct ColumnaDiseno
{
    QString campo;
    QString titulo;
    double ancho = 20;             // millimetres; the columns are scaled together to the printable width
    Qt::Alignment alineacion = {}; // none: numbers right, the rest left
    Formato formato = Formato::Automatico;
    bool multilinea = false; // long texts wrap instead of being cut with "…"
};

struct GrupoDiseno
{
    QString campo;      // a new group starts when its value changes (the query sorts by it)
    QString encabezado; // text with {Field} placeholders, from the group's first row
    QString pie;        // subtotal label: {Field} placeholders and {cantidad} (rows of the group)
    QStringList subtotales;
    bool saltoPagina = false; // every group after the first starts on a new page
};

struct TotalesDiseno
{
    bool presente = false;
    QString etiqueta; // {cantidad}: rows of the report
    QStringList columnas;
};

// A label and its value in a form block: a field (with a format) or a text with {Field} placeholders.
struct CampoFormulario
{
    QString etiqueta;
    QString campo;
    QString texto;
    Formato formato = Formato::Automatico;
};

struct BloqueFormulario
{
    QString titulo;
    QVector<CampoFormulario> campos;
    bool anchoCompleto = false; // takes a whole row of the form
};

// One-record reports: blocks of label/value pairs from the first row, laid out in columns, before the table.
struct FormularioDiseno
{
    int columnas = 2;
    double anchoEtiqueta = 0.42; // share of a block's width taken by the labels
    QVector<BloqueFormulario> bloques;
};

struct Diseno
{
    QString nombre;
    QPageSize::PageSizeId tamano = QPageSize::A4;
    QPageLayout::Orientation orientacion = QPageLayout::Portrait;
    QMarginsF margenes{15, 12, 15, 12}; // millimetres: left, top, right, bottom
    QString familia = QStringLiteral("DejaVu Sans");
    double tamanoFuente = 8.5; // points
    bool cebra = true;         // every other row shaded

    // Formula fields in the order they were declared, each with the layout's own text.
    QVector<QPair<QString, QString>> formulas;

    FormularioDiseno formulario;
    QVector<ColumnaDiseno> columnas;
    QVector<GrupoDiseno> grupos;
    TotalesDiseno totales;
    QString textoSinDatos = QStringLiteral("No hay datos para generar reporte");

    // The fields named anywhere in the layout (columns, groups, totals, form, placeholders).
    QStringList camposNombrados() const;
};

// Reads a layout file; raises Falla (fallas::DisenoInvalido, source "Diseno") naming the file and the fault.
Diseno leerDiseno(const QString& ruta);
Diseno disenoDeTexto(const QByteArray& texto, const QString& nombre);

// A format by its name in a layout: "##,##0.00", "####0", "fecha", "fechahora", "texto"; empty text is
// Automatico; nothing for an unknown name.
std::optional<Formato> formatoDeNombre(const QString& nombre);

// A placeholder of a text: "{Field}" or "{Field:format}".
struct Marcador
{
    QString campo;
    QString formato; // as written; empty: from the field's type
};
// The placeholders of a text, in order.
QVector<Marcador> marcadores(const QString& texto);
Marcador leerMarcador(const QString& dentroDeLlaves);

} // namespace dalvo::reportes

#pragma once

// A report laid out on pages: a layout, the rows of one result set and the formula texts. The pages are
// worked out once, when the report is built (one pass over the rows); a page is drawn on demand from what
// that pass kept, so drawing or exporting costs the same per page whatever the report's length.
//
// Coordinates are report units, 1/1200 inch, from the paper's top-left corner; fonts are sized in those
// units, so the same pages come out on the preview, the printer and the PDF whatever their resolution.

#include "data/Motor.h"
#include "reports/Diseno.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <vector>

class QPainter;

namespace dalvo::reportes {

inline constexpr double UnidadesPorPulgada = 1200;
double mmAUnidades(double mm);
double ptAUnidades(double pt);

enum class Fuente : quint8
{
    Cuerpo,
    Negrita,
    Empresa,
    Titulo,
    Subtitulo,
    Pie,
    Etiqueta,
};

// What a page is made of; drawing a page draws its elements in order.
struct Elemento
{
    enum Tipo : quint8
    {
        Texto,
        Linea,   // a horizontal rule along rect's top edge
        Relleno, // a filled rectangle
        Marco,   // a rectangle outline
    };
    Tipo tipo = Texto;
    Fuente fuente = Fuente::Cuerpo;
    bool multilinea = false;
    Qt::Alignment alineacion = Qt::AlignLeft;
    QRectF rect;        // the cell the text lies in
    QString texto;      // as drawn: cut with "…" when it did not fit
    double inicio = 0;  // x where the text starts
    double ancho = 0;   // width of the text as drawn
    double escalaX = 1; // numbers too wide for their cell are narrowed rather than cut
    QColor color;
};

class Informe
{
public:
    // Raises Falla (fallas::CampoInexistente) when the layout names a field the rows lack.
    Informe(Diseno diseno, ado::Tabla datos);

    // Sets a formula field with a text of the engine's formula language: a literal between single quotes
    // shows without them ('CIERRES DE MARZO' shows CIERRES DE MARZO); anything else shows as given. Raises
    // Falla (fallas::FormulaInexistente) for a name the layout does not declare.
    void setFormula(const QString& nombre, const QString& textoFormula);
    QString formula(const QString& nombre) const; // the text shown
    void setFechaImpresion(const QDateTime& momento) { mImpreso = momento; }

    const Diseno& diseno() const { return mDiseno; }
    const ado::Tabla& datos() const { return mDatos; }
    qsizetype filas() const { return mDatos.filas(); }

    int cantidadPaginas() const { return static_cast<int>(mPaginas.size()); }
    QSizeF tamanoPagina() const { return mPagina; }
    QPageLayout disenoPagina() const; // paper and orientation, no margins (the report draws its own)

    // Pages count from 0.
    QVector<Elemento> elementosPagina(int pagina) const;
    // The painter's coordinates must be report units from the paper's corner. Highlighted rectangles are
    // filled before the texts; the one numbered "actual" stands out as the current match.
    void dibujarPagina(QPainter& p, int pagina, const QVector<QRectF>& resaltados = {},
                       int actual = -1) const;
    // Where a text (letter case ignored) appears on a page, in reading order.
    QVector<QRectF> buscar(int pagina, const QString& texto) const;

    // The grand total of a field as printed (totals line), over every row.
    double total(const QString& campo) const;

private:
    enum class TipoLinea : quint8
    {
        Encabezados,
        Fila,
        EncabezadoGrupo,
        PieGrupo,
        Total,
        Formulario,
        Separador,
        SinDatos,
    };
    struct Linea
    {
        TipoLinea tipo;
        quint8 nivel = 0;
        bool continuacion = false;
        qsizetype indice = 0; // row, sum or form row
        double alto = 0;
    };
    struct Suma
    {
        QVector<double> valores; // per layout column
        qsizetype cantidad = 0;
        qsizetype fila = 0; // a row of the group, for the label's placeholders
    };
    struct Columna
    {
        int campo = -1;
        int tipo = 0;
        Formato formato = Formato::Texto;
        Qt::Alignment alineacion;
        double x = 0;
        double ancho = 0;
    };
    struct Paginador;

    int campo(const QString& nombre) const;
    void prepararColumnas();
    void paginar();
    double altoFila(qsizetype fila) const;
    QString expandir(const QString& plantilla, qsizetype fila, qsizetype cantidad) const;
    QString valor(qsizetype fila, int campo, Formato formato) const;
    const QFontMetricsF& metrica(Fuente f) const { return mMetricas[static_cast<size_t>(f)]; }

    void agregarTexto(QVector<Elemento>& e, const QRectF& celda, const QString& texto, Fuente f,
                      Qt::Alignment alineacion, bool numerico = false, QColor color = Qt::black) const;
    void agregarEncabezadoPagina(QVector<Elemento>& e, int pagina) const;
    void agregarLinea(QVector<Elemento>& e, const Linea& l, double y, bool sombreada) const;
    void agregarSumas(QVector<Elemento>& e, const Suma& s, const QStringList& campos, const QString& etiqueta,
                      double y, double alto) const;
    void agregarFormulario(QVector<Elemento>& e, qsizetype filaFormulario, double y) const;

    Diseno mDiseno;
    ado::Tabla mDatos;
    QDateTime mImpreso;
    QVector<QString> mFormulas; // shown texts, parallel to mDiseno.formulas

    QVector<QFont> mFuentes;
    std::vector<QFontMetricsF> mMetricas;
    QSizeF mPagina;
    QRectF mCuerpo; // between the page header and footer
    QVector<Columna> mColumnas;
    double mAltoEncabezados = 0;       // the headings row: two lines when a heading does not fit in one
    QVector<QVector<int>> mSumasNivel; // per group level: layout columns with subtotals
    QVector<int> mColumnasTotal;
    QVector<int> mCamposGrupo;
    QVector<QVector<int>> mFilasFormulario; // blocks of each form row
    QVector<double> mAltosFormulario;

    std::vector<Linea> mLineas;
    QVector<qsizetype> mPaginas; // first line of each page
    QVector<Suma> mSumas;
    Suma mTotal;
};

} // namespace dalvo::reportes

#include "reports/FormatoCelda.h"
#include "reports/Informe.h"

#include <QLocale>
#include <QPainter>
#include <algorithm>

namespace dalvo::reportes {

namespace {

const QColor Trazo(0x4A, 0x51, 0x5C);
const QColor TrazoFino(0x9A, 0xA0, 0xA8);
const QColor FondoEncabezado(0xE3, 0xE6, 0xEA);
const QColor FondoCebra(0xF4, 0xF5, 0xF7);
const QColor FondoGrupo(0xEB, 0xEE, 0xF2);
const QColor Resaltado(0xFF, 0xE8, 0x5C);
const QColor ResaltadoActual(0xFF, 0xA5, 0x3C);

double relleno()
{
    return ptAUnidades(3);
}

void linea(QVector<Elemento>& e, double x1, double x2, double y, const QColor& color)
{
    Elemento l;
    l.tipo = Elemento::Linea;
    l.rect = QRectF(x1, y, x2 - x1, 0);
    l.color = color;
    e.append(l);
}

void rectangulo(QVector<Elemento>& e, const QRectF& r, const QColor& color,
                Elemento::Tipo tipo = Elemento::Relleno)
{
    Elemento f;
    f.tipo = tipo;
    f.rect = r;
    f.color = color;
    e.append(f);
}

} // namespace

void Informe::agregarTexto(QVector<Elemento>& e, const QRectF& celda, const QString& texto, Fuente f,
                           Qt::Alignment alineacion, bool numerico, QColor color) const
{
    if (texto.isEmpty())
        return;
    const QFontMetricsF& fm = metrica(f);
    Elemento t;
    t.fuente = f;
    t.rect = celda;
    t.alineacion = alineacion;
    t.color = color;
    t.texto = texto;
    const double disponible = celda.width() - 2 * relleno();
    t.ancho = fm.horizontalAdvance(texto);
    if (t.ancho > disponible && disponible > 0) {
        // A number is never cut: it is narrowed to fit; texts end in "…".
        if (numerico && t.ancho * 0.6 <= disponible) {
            t.escalaX = disponible / t.ancho;
        } else {
            t.texto = fm.elidedText(texto, Qt::ElideRight, disponible);
            t.ancho = fm.horizontalAdvance(t.texto);
        }
    }
    const double visible = t.ancho * t.escalaX;
    if (alineacion & Qt::AlignRight)
        t.inicio = celda.right() - relleno() - visible;
    else if (alineacion & Qt::AlignHCenter)
        t.inicio = celda.center().x() - visible / 2;
    else
        t.inicio = celda.left() + relleno();
    e.append(t);
}

void Informe::agregarEncabezadoPagina(QVector<Elemento>& e, int pagina) const
{
    const double izq = mCuerpo.left();
    const double ancho = mCuerpo.width();
    double y = mmAUnidades(mDiseno.margenes.top());
    const auto alto = [this](Fuente f) { return metrica(f).lineSpacing(); };
    agregarTexto(e, QRectF(izq, y, ancho, alto(Fuente::Empresa)), formula(QStringLiteral("Empresa")),
                 Fuente::Empresa, Qt::AlignLeft);
    y += alto(Fuente::Empresa) + ptAUnidades(2);
    agregarTexto(e, QRectF(izq, y, ancho, alto(Fuente::Titulo)), formula(QStringLiteral("Titulo")),
                 Fuente::Titulo, Qt::AlignHCenter);
    y += alto(Fuente::Titulo);
    agregarTexto(e, QRectF(izq, y, ancho, alto(Fuente::Subtitulo)), formula(QStringLiteral("SubTitulo")),
                 Fuente::Subtitulo, Qt::AlignHCenter);
    linea(e, izq, mCuerpo.right(), mCuerpo.top() - ptAUnidades(5), Trazo);

    const double pie = mCuerpo.bottom() + ptAUnidades(6);
    linea(e, izq, mCuerpo.right(), pie - ptAUnidades(3), TrazoFino);
    const QRectF franja(izq, pie, ancho, alto(Fuente::Pie));
    agregarTexto(e, franja,
                 QStringLiteral("Impreso el %1").arg(mImpreso.toString(QStringLiteral("dd/MM/yyyy HH:mm"))),
                 Fuente::Pie, Qt::AlignLeft);
    agregarTexto(e, franja, QStringLiteral("Página %1 de %2").arg(pagina + 1).arg(cantidadPaginas()),
                 Fuente::Pie, Qt::AlignRight);
}

void Informe::agregarSumas(QVector<Elemento>& e, const Suma& s, const QStringList& campos,
                           const QString& etiqueta, double y, double alto) const
{
    QVector<int> columnas;
    for (int i = 0; i < mDiseno.columnas.size(); ++i) {
        if (campos.contains(mDiseno.columnas[i].campo, Qt::CaseInsensitive))
            columnas.append(i);
    }
    // The label takes the columns before the first sum.
    const double finEtiqueta = columnas.isEmpty() ? mCuerpo.right() : mColumnas[columnas.first()].x;
    const QRectF celdaEtiqueta(mCuerpo.left(), y, finEtiqueta - mCuerpo.left(), alto);
    agregarTexto(e, celdaEtiqueta, expandir(etiqueta, s.fila, s.cantidad), Fuente::Negrita, Qt::AlignLeft);
    for (int c : columnas) {
        const Columna& col = mColumnas[c];
        linea(e, col.x + relleno(), col.x + col.ancho - relleno(), y + ptAUnidades(1), Trazo);
        const int tipo = mDatos.columnas[col.campo].tipo;
        agregarTexto(e, QRectF(col.x, y, col.ancho, alto), formatearValor(s.valores[c], col.formato, tipo),
                     Fuente::Negrita, col.alineacion, true);
    }
}

void Informe::agregarFormulario(QVector<Elemento>& e, qsizetype filaFormulario, double y) const
{
    const FormularioDiseno& f = mDiseno.formulario;
    const QVector<int>& bloques = mFilasFormulario[filaFormulario];
    const double separacion = mmAUnidades(4);
    const bool completo = mDiseno.formulario.bloques[bloques.first()].anchoCompleto;
    const int porFila = completo ? 1 : f.columnas;
    const double anchoBloque = (mCuerpo.width() - (porFila - 1) * separacion) / porFila;
    const double alto = mAltosFormulario[filaFormulario];
    const double lineaCampo = metrica(Fuente::Cuerpo).lineSpacing() + ptAUnidades(2);
    for (int i = 0; i < bloques.size(); ++i) {
        const BloqueFormulario& b = f.bloques[bloques[i]];
        const double x = mCuerpo.left() + i * (anchoBloque + separacion);
        double yc = y;
        rectangulo(e, QRectF(x, y, anchoBloque, alto), TrazoFino, Elemento::Marco);
        if (!b.titulo.isEmpty()) {
            const double altoTitulo = metrica(Fuente::Negrita).lineSpacing() + ptAUnidades(3);
            rectangulo(e, QRectF(x, y, anchoBloque, altoTitulo), FondoEncabezado);
            agregarTexto(e, QRectF(x, y, anchoBloque, altoTitulo), b.titulo, Fuente::Negrita, Qt::AlignLeft);
            yc += altoTitulo;
        }
        yc += ptAUnidades(1.5);
        // Labels as wide as in a block of a full row, so that values line up down the page.
        const double anchoEtiqueta =
            (mCuerpo.width() - (f.columnas - 1) * separacion) / f.columnas * f.anchoEtiqueta;
        for (const CampoFormulario& c : b.campos) {
            agregarTexto(e, QRectF(x, yc, anchoEtiqueta, lineaCampo), c.etiqueta, Fuente::Etiqueta,
                         Qt::AlignLeft, false, Trazo);
            QString texto;
            bool numerico = false;
            if (!c.campo.isEmpty()) {
                const int k = campo(c.campo);
                const Formato formato =
                    c.formato == Formato::Automatico ? formatoDeTipo(mDatos.columnas[k].tipo) : c.formato;
                texto = valor(0, k, formato);
                numerico = esFormatoNumerico(formato);
            } else {
                texto = expandir(c.texto, 0, filas());
            }
            agregarTexto(e, QRectF(x + anchoEtiqueta, yc, anchoBloque - anchoEtiqueta, lineaCampo), texto,
                         Fuente::Cuerpo, Qt::AlignLeft, numerico);
            yc += lineaCampo;
        }
    }
}

void Informe::agregarLinea(QVector<Elemento>& e, const Linea& l, double y, bool sombreada) const
{
    const double izq = mCuerpo.left();
    const double der = mCuerpo.right();
    switch (l.tipo) {
    case TipoLinea::Encabezados:
        rectangulo(e, QRectF(izq, y, der - izq, l.alto), FondoEncabezado);
        for (int i = 0; i < mColumnas.size(); ++i) {
            const Columna& c = mColumnas[i];
            const QRectF celda(c.x, y, c.ancho, l.alto);
            const QString& titulo = mDiseno.columnas[i].titulo;
            const QFontMetricsF& fm = metrica(Fuente::Negrita);
            const double disponible = c.ancho - 2 * relleno();
            const QStringList palabras = titulo.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            const bool partible =
                palabras.size() > 1 && std::all_of(palabras.begin(), palabras.end(), [&](const QString& p) {
                    return fm.horizontalAdvance(p) <= disponible;
                });
            if (fm.horizontalAdvance(titulo) <= disponible || !partible) {
                // One-line headings sit on the last line, level with the second line of the wrapped ones; a
                // single word too wide for its column is narrowed, as numbers are.
                const double alto = fm.lineSpacing() + 2 * ptAUnidades(2);
                agregarTexto(e, QRectF(c.x, y + l.alto - alto, c.ancho, alto), titulo, Fuente::Negrita,
                             c.alineacion, true);
                continue;
            }
            // A heading of several words wider than its column takes two lines.
            Elemento t;
            t.fuente = Fuente::Negrita;
            t.multilinea = true;
            t.rect = celda;
            t.alineacion = c.alineacion | Qt::AlignBottom;
            t.texto = titulo;
            t.color = Qt::black;
            t.inicio = c.x + relleno();
            e.append(t);
        }
        linea(e, izq, der, y + l.alto, Trazo);
        break;
    case TipoLinea::Fila:
        if (sombreada && mDiseno.cebra)
            rectangulo(e, QRectF(izq, y, der - izq, l.alto), FondoCebra);
        for (int i = 0; i < mColumnas.size(); ++i) {
            const Columna& c = mColumnas[i];
            const QString texto = valor(l.indice, c.campo, c.formato);
            const QRectF celda(c.x, y, c.ancho, l.alto);
            if (mDiseno.columnas[i].multilinea) {
                Elemento t;
                t.multilinea = true;
                t.rect = celda;
                t.alineacion = c.alineacion;
                t.texto = texto;
                t.color = Qt::black;
                t.inicio = c.x + relleno();
                if (!texto.isEmpty())
                    e.append(t);
            } else {
                agregarTexto(e, celda, texto, Fuente::Cuerpo, c.alineacion, esFormatoNumerico(c.formato));
            }
        }
        break;
    case TipoLinea::EncabezadoGrupo: {
        const double sangria = l.nivel * mmAUnidades(4);
        const QRectF banda(izq + sangria, y + ptAUnidades(2), der - izq - sangria, l.alto - ptAUnidades(2.5));
        rectangulo(e, banda, FondoGrupo);
        QString texto = expandir(mDiseno.grupos[l.nivel].encabezado, l.indice, 0);
        if (l.continuacion)
            texto += QStringLiteral(" (continuación)");
        agregarTexto(e, banda, texto, Fuente::Negrita, Qt::AlignLeft);
        break;
    }
    case TipoLinea::PieGrupo: {
        const GrupoDiseno& g = mDiseno.grupos[l.nivel];
        agregarSumas(e, mSumas[l.indice], g.subtotales, g.pie, y, l.alto - ptAUnidades(2));
        break;
    }
    case TipoLinea::Total:
        linea(e, izq, der, y + ptAUnidades(1), Trazo);
        linea(e, izq, der, y + ptAUnidades(2.2), Trazo);
        agregarSumas(e, mTotal, mDiseno.totales.columnas, mDiseno.totales.etiqueta, y + ptAUnidades(2),
                     l.alto - ptAUnidades(2));
        break;
    case TipoLinea::Formulario:
        agregarFormulario(e, l.indice, y);
        break;
    case TipoLinea::SinDatos:
        agregarTexto(e, QRectF(izq, y, der - izq, l.alto), mDiseno.textoSinDatos, Fuente::Negrita,
                     Qt::AlignHCenter);
        break;
    case TipoLinea::Separador:
        break;
    }
}

QVector<Elemento> Informe::elementosPagina(int pagina) const
{
    QVector<Elemento> e;
    if (pagina < 0 || pagina >= cantidadPaginas())
        return e;
    agregarEncabezadoPagina(e, pagina);
    const qsizetype desde = mPaginas[pagina];
    const qsizetype hasta =
        pagina + 1 < mPaginas.size() ? mPaginas[pagina + 1] : static_cast<qsizetype>(mLineas.size());
    double y = mCuerpo.top();
    int filasPagina = 0;
    for (qsizetype i = desde; i < hasta; ++i) {
        const Linea& l = mLineas[static_cast<size_t>(i)];
        const bool sombreada = l.tipo == TipoLinea::Fila && (filasPagina++ % 2 == 1);
        agregarLinea(e, l, y, sombreada);
        y += l.alto;
    }
    return e;
}

void Informe::dibujarPagina(QPainter& p, int pagina, const QVector<QRectF>& resaltados, int actual) const
{
    const QVector<Elemento> elementos = elementosPagina(pagina);
    p.save();
    p.setRenderHint(QPainter::TextAntialiasing);
    for (const Elemento& e : elementos) {
        if (e.tipo == Elemento::Relleno)
            p.fillRect(e.rect, e.color);
    }
    for (int i = 0; i < resaltados.size(); ++i)
        p.fillRect(resaltados[i], i == actual ? ResaltadoActual : Resaltado);
    for (const Elemento& e : elementos) {
        if (e.tipo == Elemento::Linea || e.tipo == Elemento::Marco) {
            p.setPen(QPen(e.color, ptAUnidades(e.color == Trazo ? 0.7 : 0.4)));
            p.setBrush(Qt::NoBrush);
            if (e.tipo == Elemento::Linea)
                p.drawLine(QPointF(e.rect.left(), e.rect.top()), QPointF(e.rect.right(), e.rect.top()));
            else
                p.drawRect(e.rect);
        }
    }
    int fuenteActual = -1;
    for (const Elemento& e : elementos) {
        if (e.tipo != Elemento::Texto)
            continue;
        if (static_cast<int>(e.fuente) != fuenteActual) {
            fuenteActual = static_cast<int>(e.fuente);
            p.setFont(mFuentes[fuenteActual]);
        }
        p.setPen(e.color);
        if (e.multilinea) {
            p.save();
            p.setClipRect(e.rect);
            const Qt::Alignment vertical = (e.alineacion & Qt::AlignBottom) ? Qt::AlignBottom : Qt::AlignTop;
            p.drawText(
                e.rect.adjusted(relleno(), ptAUnidades(1.3), -relleno(), -ptAUnidades(2)),
                static_cast<int>((e.alineacion & Qt::AlignHorizontal_Mask) | vertical | Qt::TextWordWrap),
                e.texto);
            p.restore();
            continue;
        }
        const QFontMetricsF& fm = metrica(e.fuente);
        const double base = e.rect.top() + (e.rect.height() - fm.height()) / 2 + fm.ascent();
        if (e.escalaX != 1) {
            p.save();
            p.translate(e.inicio, base);
            p.scale(e.escalaX, 1);
            p.drawText(QPointF(0, 0), e.texto);
            p.restore();
        } else {
            p.drawText(QPointF(e.inicio, base), e.texto);
        }
    }
    p.restore();
}

QVector<QRectF> Informe::buscar(int pagina, const QString& texto) const
{
    QVector<QRectF> r;
    if (texto.isEmpty())
        return r;
    for (const Elemento& e : elementosPagina(pagina)) {
        if (e.tipo != Elemento::Texto)
            continue;
        for (qsizetype i = e.texto.indexOf(texto, 0, Qt::CaseInsensitive); i >= 0;
             i = e.texto.indexOf(texto, i + texto.size(), Qt::CaseInsensitive)) {
            if (e.multilinea) {
                r.append(e.rect);
                break;
            }
            const QFontMetricsF& fm = metrica(e.fuente);
            const double x = e.inicio + fm.horizontalAdvance(e.texto.left(i)) * e.escalaX;
            const double ancho = fm.horizontalAdvance(e.texto.mid(i, texto.size())) * e.escalaX;
            const double arriba = e.rect.top() + (e.rect.height() - fm.height()) / 2;
            r.append(QRectF(x, arriba, ancho, fm.height()));
        }
    }
    return r;
}

} // namespace dalvo::reportes

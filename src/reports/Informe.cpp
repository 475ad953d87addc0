#include "reports/Informe.h"

#include "common/Falla.h"
#include "common/Reloj.h"
#include "reports/FormatoCelda.h"

#include <QPageSize>
#include <algorithm>

namespace dalvo::reportes {

namespace {

const QString Origen = QStringLiteral("Informe");

QFont fuente(const Diseno& d, double puntos, bool negrita)
{
    QFont f(d.familia);
    f.setPixelSize(qRound(ptAUnidades(puntos)));
    f.setBold(negrita);
    // Unhinted metrics do not depend on the device, so the pages come out the same everywhere.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

} // namespace

double mmAUnidades(double mm)
{
    return mm * UnidadesPorPulgada / 25.4;
}

double ptAUnidades(double pt)
{
    return pt * UnidadesPorPulgada / 72.0;
}

Informe::Informe(Diseno diseno, ado::Tabla datos)
    : mDiseno(std::move(diseno)), mDatos(std::move(datos)), mImpreso(Ahora())
{
    for (const auto& f : mDiseno.formulas)
        mFormulas.append(f.second);
    const double t = mDiseno.tamanoFuente;
    mFuentes = {fuente(mDiseno, t, false),       fuente(mDiseno, t, true),
                fuente(mDiseno, t + 1.5, true),  fuente(mDiseno, std::max(13.0, t + 5), true),
                fuente(mDiseno, t + 1.5, false), fuente(mDiseno, 7, false),
                fuente(mDiseno, t, false)};
    for (const QFont& f : mFuentes)
        mMetricas.emplace_back(f);

    for (const QString& nombre : mDiseno.camposNombrados()) {
        if (campo(nombre) < 0)
            throw Falla(fallas::CampoInexistente, Origen,
                        QStringLiteral("El campo %1 del diseño %2 no está en los datos del reporte")
                            .arg(nombre, mDiseno.nombre));
    }

    const QSizeF pulgadas = QPageSize(mDiseno.tamano).size(QPageSize::Inch);
    mPagina = pulgadas * UnidadesPorPulgada;
    if (mDiseno.orientacion == QPageLayout::Landscape)
        mPagina.transpose();
    const QMarginsF& m = mDiseno.margenes;
    const double arriba = mmAUnidades(m.top()) + metrica(Fuente::Empresa).lineSpacing() + ptAUnidades(2) +
                          metrica(Fuente::Titulo).lineSpacing() + metrica(Fuente::Subtitulo).lineSpacing() +
                          ptAUnidades(8);
    const double abajo =
        mPagina.height() - mmAUnidades(m.bottom()) - metrica(Fuente::Pie).lineSpacing() - ptAUnidades(6);
    mCuerpo = QRectF(QPointF(mmAUnidades(m.left()), arriba),
                     QPointF(mPagina.width() - mmAUnidades(m.right()), abajo));

    prepararColumnas();
    paginar();
}

int Informe::campo(const QString& nombre) const
{
    for (int i = 0; i < mDatos.columnas.size(); ++i) {
        if (mDatos.columnas[i].nombre.compare(nombre, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QPageLayout Informe::disenoPagina() const
{
    return QPageLayout(QPageSize(mDiseno.tamano), mDiseno.orientacion, QMarginsF(0, 0, 0, 0));
}

void Informe::setFormula(const QString& nombre, const QString& textoFormula)
{
    for (int i = 0; i < mDiseno.formulas.size(); ++i) {
        if (mDiseno.formulas[i].first.compare(nombre, Qt::CaseInsensitive) != 0)
            continue;
        const bool literal = textoFormula.size() >= 2 && textoFormula.startsWith(QLatin1Char('\'')) &&
                             textoFormula.endsWith(QLatin1Char('\''));
        mFormulas[i] = literal ? textoFormula.mid(1, textoFormula.size() - 2) : textoFormula;
        return;
    }
    throw Falla(fallas::FormulaInexistente, Origen,
                QStringLiteral("El diseño %1 no tiene el campo de fórmula %2").arg(mDiseno.nombre, nombre));
}

QString Informe::formula(const QString& nombre) const
{
    for (int i = 0; i < mDiseno.formulas.size(); ++i) {
        if (mDiseno.formulas[i].first.compare(nombre, Qt::CaseInsensitive) == 0)
            return mFormulas[i];
    }
    return {};
}

void Informe::prepararColumnas()
{
    double suma = 0;
    for (const ColumnaDiseno& c : mDiseno.columnas)
        suma += c.ancho;
    // The widths are proportions: together they take the printable width, so nothing runs off the page.
    const double escala = suma > 0 ? mCuerpo.width() / suma : 0;
    double x = mCuerpo.left();
    auto indiceColumna = [this](const QString& nombre) {
        for (int i = 0; i < mDiseno.columnas.size(); ++i) {
            if (mDiseno.columnas[i].campo.compare(nombre, Qt::CaseInsensitive) == 0)
                return i;
        }
        return -1;
    };
    for (const ColumnaDiseno& c : mDiseno.columnas) {
        Columna col;
        col.campo = campo(c.campo);
        col.tipo = mDatos.columnas[col.campo].tipo;
        col.formato = c.formato == Formato::Automatico ? formatoDeTipo(col.tipo) : c.formato;
        col.alineacion =
            c.alineacion ? c.alineacion : (esFormatoNumerico(col.formato) ? Qt::AlignRight : Qt::AlignLeft);
        col.x = x;
        col.ancho = c.ancho * escala;
        x += col.ancho;
        mColumnas.append(col);
    }
    const QFontMetricsF& negrita = metrica(Fuente::Negrita);
    int lineas = 1;
    for (int i = 0; i < mColumnas.size(); ++i) {
        if (negrita.horizontalAdvance(mDiseno.columnas[i].titulo) > mColumnas[i].ancho - 2 * ptAUnidades(3))
            lineas = 2;
    }
    mAltoEncabezados = lineas * negrita.lineSpacing() + 2 * ptAUnidades(2);

    for (const GrupoDiseno& g : mDiseno.grupos) {
        mCamposGrupo.append(campo(g.campo));
        QVector<int> sumas;
        for (const QString& s : g.subtotales)
            sumas.append(indiceColumna(s));
        mSumasNivel.append(sumas);
    }
    for (const QString& s : mDiseno.totales.columnas)
        mColumnasTotal.append(indiceColumna(s));
    mTotal.valores.fill(0, mColumnas.size());

    // Form rows: up to "columnas" blocks side by side; a full-width block takes a row of its own.
    const FormularioDiseno& f = mDiseno.formulario;
    const double relleno = ptAUnidades(3);
    for (int i = 0; i < f.bloques.size(); ++i) {
        const BloqueFormulario& b = f.bloques[i];
        const double alto = (b.titulo.isEmpty() ? 0 : metrica(Fuente::Negrita).lineSpacing() + relleno) +
                            b.campos.size() * (metrica(Fuente::Cuerpo).lineSpacing() + ptAUnidades(2)) +
                            relleno;
        const bool nuevaFila = mFilasFormulario.isEmpty() || b.anchoCompleto ||
                               mFilasFormulario.last().size() >= f.columnas ||
                               f.bloques[mFilasFormulario.last().first()].anchoCompleto;
        if (nuevaFila) {
            mFilasFormulario.append(QVector<int>());
            mAltosFormulario.append(0);
        }
        mFilasFormulario.last().append(i);
        mAltosFormulario.last() = std::max(mAltosFormulario.last(), alto);
    }
}

double Informe::altoFila(qsizetype fila) const
{
    const double relleno = ptAUnidades(1.3);
    double alto = metrica(Fuente::Cuerpo).lineSpacing();
    for (int i = 0; i < mColumnas.size(); ++i) {
        if (!mDiseno.columnas[i].multilinea)
            continue;
        const QString t = valor(fila, mColumnas[i].campo, mColumnas[i].formato);
        const QRectF r = metrica(Fuente::Cuerpo)
                             .boundingRect(QRectF(0, 0, mColumnas[i].ancho - 2 * ptAUnidades(3), 1e9),
                                           Qt::TextWordWrap, t);
        alto = std::max(alto, r.height());
    }
    // A row never needs more than a page: what does not fit is cut at the cell's edge.
    const double maximo = mCuerpo.height() / 2;
    return std::min(alto, maximo) + 2 * relleno;
}

QString Informe::valor(qsizetype fila, int campo, Formato formato) const
{
    return formatearValor(mDatos.celda(fila, campo), formato, mDatos.columnas[campo].tipo);
}

QString Informe::expandir(const QString& plantilla, qsizetype fila, qsizetype cantidad) const
{
    QString r;
    qsizetype desde = 0;
    while (true) {
        const qsizetype a = plantilla.indexOf(QLatin1Char('{'), desde);
        const qsizetype b = a < 0 ? -1 : plantilla.indexOf(QLatin1Char('}'), a);
        if (b < 0) {
            r += plantilla.mid(desde);
            return r;
        }
        r += plantilla.mid(desde, a - desde);
        const Marcador m = leerMarcador(plantilla.mid(a + 1, b - a - 1));
        const Formato formato = formatoDeNombre(m.formato).value_or(Formato::Automatico);
        if (m.campo.compare(QLatin1String("cantidad"), Qt::CaseInsensitive) == 0) {
            r += formatearValor(cantidad, formato == Formato::Automatico ? Formato::Entero : formato,
                                ado::adInteger);
        } else if (const int c = campo(m.campo); c >= 0 && fila < mDatos.filas()) {
            r += valor(fila, c, formato);
        }
        desde = b + 1;
    }
}

double Informe::total(const QString& nombre) const
{
    for (int i = 0; i < mDiseno.columnas.size(); ++i) {
        if (mDiseno.columnas[i].campo.compare(nombre, Qt::CaseInsensitive) == 0)
            return mTotal.valores[i];
    }
    return 0;
}

} // namespace dalvo::reportes

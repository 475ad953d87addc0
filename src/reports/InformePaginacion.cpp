#include "reports/FormatoCelda.h"
#include "reports/Informe.h"

namespace dalvo::reportes {

// One pass over the rows: each line (headings, group header, row, subtotal, total, form row) goes on the
// current page or starts the next one. Sums are taken on the way, so nothing is read twice.
struct Informe::Paginador
{
    Informe& inf;
    double y = 0;
    bool conEncabezados = false;
    bool recienAbierta = false; // a new page whose first table line must repeat the open group headers
    QVector<qsizetype> inicioGrupo;
    QVector<Suma> acumulado;

    explicit Paginador(Informe& informe) : inf(informe)
    {
        const int grupos = static_cast<int>(inf.mDiseno.grupos.size());
        inicioGrupo.fill(0, grupos);
        acumulado.fill(Suma{QVector<double>(inf.mColumnas.size(), 0), 0, 0}, grupos);
        nuevaPagina();
        recienAbierta = false;
    }

    double altoEncabezados() const { return inf.mAltoEncabezados; }
    double altoGrupo() const { return inf.metrica(Fuente::Negrita).lineSpacing() + ptAUnidades(4.5); }
    double altoSuma() const { return inf.metrica(Fuente::Negrita).lineSpacing() + ptAUnidades(5); }

    void nuevaPagina()
    {
        inf.mPaginas.append(static_cast<qsizetype>(inf.mLineas.size()));
        y = inf.mCuerpo.top();
        conEncabezados = false;
        recienAbierta = true;
    }
    bool paginaVacia() const { return static_cast<qsizetype>(inf.mLineas.size()) == inf.mPaginas.last(); }
    bool cabe(double alto) const { return y + alto <= inf.mCuerpo.bottom() + 0.5; }
    void colocar(const Linea& l)
    {
        inf.mLineas.push_back(l);
        y += l.alto;
    }

    // A line of the table: headings go first on every page, and a page begun inside groups repeats the
    // headers of the groups still open (reabrir: how many levels, from the outermost).
    void colocarTabla(const Linea& l, double necesario, int reabrir)
    {
        const double previo =
            conEncabezados ? 0 : altoEncabezados() + (recienAbierta ? reabrir * altoGrupo() : 0);
        if (!paginaVacia() && !cabe(previo + necesario))
            nuevaPagina();
        if (!conEncabezados) {
            colocar({TipoLinea::Encabezados, 0, false, 0, altoEncabezados()});
            conEncabezados = true;
        }
        if (recienAbierta) {
            for (int n = 0; n < reabrir; ++n)
                colocar(
                    {TipoLinea::EncabezadoGrupo, static_cast<quint8>(n), true, inicioGrupo[n], altoGrupo()});
            recienAbierta = false;
        }
        colocar(l);
    }

    void colocarSuelta(const Linea& l)
    {
        if (!paginaVacia() && !cabe(l.alto))
            nuevaPagina();
        colocar(l);
        recienAbierta = false;
    }

    void abrirGrupo(int nivel, qsizetype fila)
    {
        const GrupoDiseno& g = inf.mDiseno.grupos[nivel];
        if (g.saltoPagina && fila > 0 && !paginaVacia())
            nuevaPagina();
        inicioGrupo[nivel] = fila;
        acumulado[nivel] = Suma{QVector<double>(inf.mColumnas.size(), 0), 0, fila};
        const int niveles = static_cast<int>(inf.mDiseno.grupos.size());
        // A group header is never left alone at the foot of a page.
        const double necesario = (niveles - nivel) * altoGrupo() + inf.altoFila(fila);
        colocarTabla({TipoLinea::EncabezadoGrupo, static_cast<quint8>(nivel), false, fila, altoGrupo()},
                     necesario, nivel);
    }

    void cerrarGrupo(int nivel)
    {
        inf.mSumas.append(acumulado[nivel]);
        const Linea l{TipoLinea::PieGrupo, static_cast<quint8>(nivel), false, inf.mSumas.size() - 1,
                      altoSuma()};
        colocarTabla(l, l.alto, nivel + 1);
    }

    void sumar(qsizetype fila)
    {
        const ado::Tabla& d = inf.mDatos;
        for (int n = 0; n < acumulado.size(); ++n) {
            for (int c : inf.mSumasNivel[n])
                acumulado[n].valores[c] += valorNumerico(d.celda(fila, inf.mColumnas[c].campo));
            ++acumulado[n].cantidad;
        }
        for (int c : inf.mColumnasTotal)
            inf.mTotal.valores[c] += valorNumerico(d.celda(fila, inf.mColumnas[c].campo));
        ++inf.mTotal.cantidad;
    }

    // The outermost group level whose value changes at this row (the number of levels when none does).
    int nivelCambio(qsizetype fila) const
    {
        const int niveles = static_cast<int>(inf.mCamposGrupo.size());
        if (fila == 0)
            return 0;
        for (int n = 0; n < niveles; ++n) {
            const int c = inf.mCamposGrupo[n];
            if (inf.mDatos.celda(fila, c) != inf.mDatos.celda(fila - 1, c))
                return n;
        }
        return niveles;
    }

    void recorrer()
    {
        const qsizetype filas = inf.mDatos.filas();
        const bool tabla = !inf.mColumnas.isEmpty();
        if (filas == 0) {
            const Linea l{TipoLinea::SinDatos, 0, false, 0, 3 * inf.metrica(Fuente::Negrita).lineSpacing()};
            tabla ? colocarTabla(l, l.alto, 0) : colocarSuelta(l);
            return;
        }
        for (qsizetype i = 0; i < inf.mFilasFormulario.size(); ++i)
            colocarSuelta({TipoLinea::Formulario, 0, false, i, inf.mAltosFormulario[i]});
        if (!tabla)
            return;
        if (!inf.mFilasFormulario.isEmpty() && cabe(ptAUnidades(8)))
            colocar({TipoLinea::Separador, 0, false, 0, ptAUnidades(8)});

        const int niveles = static_cast<int>(inf.mCamposGrupo.size());
        for (qsizetype fila = 0; fila < filas; ++fila) {
            const int cambio = nivelCambio(fila);
            if (fila > 0) {
                for (int n = niveles - 1; n >= cambio; --n)
                    cerrarGrupo(n);
            }
            for (int n = cambio; n < niveles; ++n)
                abrirGrupo(n, fila);
            const double alto = inf.altoFila(fila);
            colocarTabla({TipoLinea::Fila, 0, false, fila, alto}, alto, niveles);
            sumar(fila);
        }
        for (int n = niveles - 1; n >= 0; --n)
            cerrarGrupo(n);
        if (inf.mDiseno.totales.presente) {
            const Linea l{TipoLinea::Total, 0, false, 0, altoSuma() + ptAUnidades(2)};
            colocarTabla(l, l.alto, 0);
        }
    }
};

void Informe::paginar()
{
    mLineas.reserve(static_cast<size_t>(mDatos.filas()) + 8);
    Paginador(*this).recorrer();
}

} // namespace dalvo::reportes

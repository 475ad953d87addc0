// BETWEEN, IN, LIKE, CASE and scalar subqueries.
#include "data/embedded/Errores.h"
#include "data/embedded/Traductor.h"
#include "data/embedded/TraductorInterno.h"

namespace dalvo::embebido {

namespace {

const QString k42000 = QStringLiteral("42000");

} // namespace

Traductor::Expr Traductor::entre(const Nodo& n)
{
    Expr v = traducir(*n.hijos[0]);
    Expr desde = traducir(*n.hijos[1]);
    Expr hasta = traducir(*n.hijos[2]);
    unificar(v, desde);
    unificar(v, hasta);
    Expr r;
    r.sql = QLatin1Char('(') + conColacion(v, desde) + (n.negado ? QStringLiteral(" NOT") : QString()) +
            QStringLiteral(" BETWEEN ") + desde.sql + QStringLiteral(" AND ") + hasta.sql + QLatin1Char(')');
    r.predicado = true;
    return r;
}

Traductor::Expr Traductor::en(const Nodo& n)
{
    Expr v = traducir(*n.hijos[0]);
    QString lista;
    Expr primero;
    if (n.sub) {
        const SelectTraducido st = traducirSelect(*n.sub, mAmbito, false);
        if (st.items.size() != 1)
            lanzar(num::UnaSolaExpresion, k42000,
                   QStringLiteral(
                       "Solo se puede especificar una expresión en la lista de selección cuando no se usa "
                       "EXISTS para introducir la subconsulta."));
        primero = st.items[0];
        lista = st.sql;
    } else {
        QStringList items;
        for (size_t i = 1; i < n.hijos.size(); ++i) {
            Expr x = traducir(*n.hijos[i]);
            unificar(v, x);
            if (i == 1)
                primero = x;
            items << x.sql;
        }
        lista = items.join(QStringLiteral(", "));
    }
    Expr r;
    r.sql = QLatin1Char('(') + conColacion(v, primero) +
            (n.negado ? QStringLiteral(" NOT IN (") : QStringLiteral(" IN (")) + lista + QStringLiteral("))");
    r.predicado = true;
    return r;
}

Traductor::Expr Traductor::como(const Nodo& n)
{
    const TipoSql texto = TipoSql::texto(Familia::VarChar, -1);
    Expr v = traducir(*n.hijos[0]);
    Expr p = traducir(*n.hijos[1]);
    if (!v.tipo.esTexto() && !v.tipo.esNulo())
        v = aTipo(v, texto);
    if (!p.tipo.esTexto() && !p.tipo.esNulo())
        p = aTipo(p, texto);
    QString escape;
    if (n.hijos.size() > 2)
        escape = QStringLiteral(" ESCAPE ") + traducir(*n.hijos[2]).sql;
    const QString no = n.negado ? QStringLiteral(" NOT") : QString();
    Expr r;
    r.predicado = true;
    r.sql = QLatin1Char('(') + v.sql + no + QStringLiteral(" LIKE ") + p.sql + escape + QLatin1Char(')');
    const Nodo& patronNodo = *n.hijos[1];
    if (!n.negado && escape.isEmpty() && v.ci && v.columna && patronNodo.clase == ClaseNodo::Literal &&
        patronNodo.parametro && patronNodo.valor.clase == ValorSql::Texto &&
        !patronNodo.valor.texto.isEmpty() && !QStringView(u"%_[").contains(patronNodo.valor.texto.front())) {
        // A pattern bound at each run, whose shape (a fixed prefix) the statement's key guarantees.
        r.sql = QStringLiteral("(%1 >= dalvo_prefijo(%2, 0) AND %1 < dalvo_prefijo(%2, 1) AND %1 LIKE %2)")
                    .arg(v.sql, p.sql);
    } else if (!n.negado && escape.isEmpty() && v.ci && v.columna && p.constante && !p.valor.esNulo()) {
        // A fixed prefix lets the column's index (same collation) narrow the search, as SQLite's own LIKE
        // optimisation would for NOCASE.
        const QString& patron = p.valor.texto;
        qsizetype largo = 0;
        while (largo < patron.size() && patron[largo] != u'%' && patron[largo] != u'_' &&
               patron[largo] != u'[')
            ++largo;
        if (largo > 0) {
            const QString prefijo = patron.left(largo);
            r.sql = QStringLiteral("(%1 >= %2 AND %1 < %3 AND %1 LIKE %4)")
                        .arg(v.sql, cadena(prefijo), cadena(prefijo + QChar(0xFFFF)), p.sql);
        }
    }
    return r;
}

Traductor::Expr Traductor::caso(const Nodo& n)
{
    size_t i = 0;
    Expr base;
    if (n.tieneBase)
        base = traducir(*n.hijos[i++]);
    const size_t fin = n.hijos.size() - (n.tieneElse ? 1 : 0);
    std::vector<Expr> condiciones;
    std::vector<Expr> valores;
    for (; i + 1 < fin; i += 2) {
        Expr c = traducir(*n.hijos[i]);
        Expr v = traducir(*n.hijos[i + 1]);
        if (v.predicado)
            errorSintaxis(QStringLiteral("THEN"));
        if (n.tieneBase) {
            Expr b = base;
            unificar(b, c);
        } else if (!c.predicado) {
            lanzar(4145, k42000,
                   QStringLiteral(
                       "Se especificó una expresión de tipo no booleano en un contexto donde se esperaba "
                       "una condición, cerca de 'THEN'."));
        }
        condiciones.push_back(std::move(c));
        valores.push_back(std::move(v));
    }
    if (n.tieneElse)
        valores.push_back(traducir(*n.hijos.back()));
    TipoSql t = TipoSql::de(Familia::Nulo);
    for (const Expr& v : valores)
        t = tipoDominante(t, v.tipo);
    QString sql = QStringLiteral("CASE");
    if (n.tieneBase)
        sql += QLatin1Char(' ') + conColacion(base, condiciones.front());
    for (size_t k = 0; k < condiciones.size(); ++k)
        sql += QStringLiteral(" WHEN ") + condiciones[k].sql + QStringLiteral(" THEN ") +
               aTipo(valores[k], t).sql;
    if (n.tieneElse)
        sql += QStringLiteral(" ELSE ") + aTipo(valores.back(), t).sql;
    Expr r;
    r.sql = sql + QStringLiteral(" END");
    r.tipo = t;
    return r;
}

Traductor::Expr Traductor::subconsulta(const Nodo& n)
{
    const SelectTraducido st = traducirSelect(*n.sub, mAmbito, true);
    if (st.items.size() != 1)
        lanzar(num::UnaSolaExpresion, k42000,
               QStringLiteral(
                   "Solo se puede especificar una expresión en la lista de selección cuando no se usa "
                   "EXISTS para introducir la subconsulta."));
    Expr r;
    r.sql = QLatin1Char('(') + st.sql + QLatin1Char(')');
    r.tipo = st.items[0].tipo;
    return r;
}

} // namespace dalvo::embebido

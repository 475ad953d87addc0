// SELECT, FROM and the scopes of names.
#include "data/embedded/Traductor.h"

#include "data/embedded/Analizador.h"
#include "data/embedded/Errores.h"
#include "data/embedded/TraductorInterno.h"

#include <QSet>

namespace dalvo::embebido {

namespace {

const QString k42000 = QStringLiteral("42000");

bool mismoNombre(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

bool califica(const FuenteLigada& f, const QStringList& partes)
{
    if (f.tieneAlias)
        return partes.size() == 1 && mismoNombre(partes[0], f.expuesto);
    return mismoNombre(partes.last(), f.nombreTabla);
}

int FuenteLigada::buscar(QStringView nombre) const
{
    const auto& cs = columnas();
    for (size_t i = 0; i < cs.size(); ++i)
        if (mismoNombre(cs[i].nombre, nombre))
            return int(i);
    return -1;
}

bool tieneAgregado(const Nodo& n)
{
    if (n.clase == ClaseNodo::Funcion && n.partes.isEmpty() && esAgregado(n.texto))
        return true;
    for (const PNodo& h : n.hijos)
        if (h && tieneAgregado(*h))
            return true;
    return false;
}

Traductor::Traductor(const EntornoTraduccion& entorno) : mEntorno(entorno)
{}

Traductor::~Traductor() = default;

QString Traductor::citar(const QString& identificador)
{
    QString t = identificador;
    t.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QString Traductor::cadena(const QString& texto)
{
    QString t = texto;
    t.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + t + QLatin1Char('\'');
}

const TablaEsquema& Traductor::resolverTabla(const QStringList& nombre, bool paraModificar)
{
    const QString completo = nombre.join(QLatin1Char('.'));
    if (nombre.size() > 3)
        noSoportado(QStringLiteral("servidores vinculados (%1)").arg(completo));
    const QString& tabla = nombre.last();
    const QString esquema = nombre.size() >= 2 ? nombre[nombre.size() - 2] : QString();
    bool master = mEntorno.enMaster;
    if (nombre.size() == 3) {
        if (mismoNombre(nombre[0], u"master"))
            master = true;
        else if (nombre[0].compare(QLatin1String(kBaseDemo), Qt::CaseInsensitive) == 0)
            master = false;
        else
            objetoInvalido(completo);
    }
    if (!esquema.isEmpty() && !mismoNombre(esquema, u"dbo"))
        objetoInvalido(completo);
    if (const TablaEsquema* c = Esquema::catalogo(tabla, master)) {
        if (paraModificar)
            lanzar(259, k42000,
                   QStringLiteral("No se permiten modificaciones ad hoc en el catálogo del sistema."));
        return *c;
    }
    if (!master && !Esquema::esInterna(tabla))
        if (const TablaEsquema* t = mEntorno.esquema->tabla(tabla)) {
            if (paraModificar && t->vista)
                noSoportado(QStringLiteral("modificar vistas (%1)").arg(t->nombre));
            return *t;
        }
    objetoInvalido(completo);
}

void Traductor::ligarFuente(const Fuente& f, Ambito& amb, QString& sql)
{
    FuenteLigada fl;
    if (f.sub) {
        const SelectTraducido st = traducirSelect(*f.sub, amb.padre, false);
        fl.expuesto = f.alias;
        fl.tieneAlias = true;
        fl.sqlRef = citar(f.alias);
        for (size_t i = 0; i < st.items.size(); ++i) {
            if (st.nombres[int(i)].isEmpty())
                lanzar(8155, k42000,
                       QStringLiteral("No se especificó ningún nombre de columna para la columna %1 de '%2'.")
                           .arg(i + 1)
                           .arg(f.alias));
            ColumnaEsquema c;
            c.nombre = st.nombres[int(i)];
            c.tipo = st.items[i].tipo;
            c.ci = st.items[i].ci;
            fl.propias.push_back(std::move(c));
        }
        sql += QLatin1Char('(') + st.sql + QStringLiteral(") AS ") + fl.sqlRef;
    } else {
        const TablaEsquema& t = resolverTabla(f.nombre, false);
        fl.tabla = &t;
        fl.nombreTabla = t.nombre;
        if (!f.alias.isNull()) {
            fl.expuesto = f.alias;
            fl.tieneAlias = true;
            fl.sqlRef = citar(f.alias);
            sql += t.sql + QStringLiteral(" AS ") + fl.sqlRef;
        } else {
            fl.expuesto = t.nombre;
            fl.sqlRef = t.catalogo ? citar(t.nombre) : t.sql;
            sql += t.catalogo ? t.sql + QStringLiteral(" AS ") + fl.sqlRef : t.sql;
        }
    }
    for (const FuenteLigada& otra : amb.fuentes)
        if (mismoNombre(otra.expuesto, fl.expuesto))
            lanzar(1013, k42000,
                   QStringLiteral("Los objetos \"%1\" y \"%2\" de la cláusula FROM tienen los mismos nombres "
                                  "expuestos. Use nombres de correlación para distinguirlos.")
                       .arg(otra.expuesto, fl.expuesto));
    amb.fuentes.push_back(std::move(fl));
}

QString Traductor::traducirDesde(const std::vector<Union>& desde, Ambito& amb, QString* condiciones,
                                 int omitir)
{
    QString sql;
    bool primera = true;
    for (size_t i = 0; i < desde.size(); ++i) {
        if (int(i) == omitir)
            continue;
        const Union& u = desde[i];
        if (!primera) {
            if (condiciones) {
                sql += QStringLiteral(", ");
            } else {
                switch (u.tipo) {
                case TipoJoin::Primera:
                case TipoJoin::Coma:
                    sql += QStringLiteral(", ");
                    break;
                case TipoJoin::Interna:
                    sql += QStringLiteral(" JOIN ");
                    break;
                case TipoJoin::Izquierda:
                    sql += QStringLiteral(" LEFT JOIN ");
                    break;
                case TipoJoin::Derecha:
                    sql += QStringLiteral(" RIGHT JOIN ");
                    break;
                case TipoJoin::Completa:
                    sql += QStringLiteral(" FULL JOIN ");
                    break;
                case TipoJoin::Cruzada:
                    sql += QStringLiteral(" CROSS JOIN ");
                    break;
                }
            }
        }
        primera = false;
        ligarFuente(u.fuente, amb, sql);
        if (u.on) {
            amb.sinAgregados = true;
            const Expr on = traducir(*u.on);
            amb.sinAgregados = false;
            if (!on.predicado)
                lanzar(
                    4145, k42000,
                    QStringLiteral("Se especificó una expresión de tipo no booleano en un contexto donde se "
                                   "esperaba una condición, cerca de 'ON'."));
            if (condiciones)
                *condiciones += (condiciones->isEmpty() ? QString() : QStringLiteral(" AND ")) + on.sql;
            else
                sql += QStringLiteral(" ON ") + on.sql;
        }
    }
    return sql;
}

Traductor::SelectTraducido Traductor::selectSimple(const Select& s, Ambito* padre, bool unicoEscalar,
                                                   const std::vector<Orden>* orden)
{
    Ambito amb;
    amb.padre = padre;
    EntrarAmbito entrar(mAmbito, &amb);
    SelectTraducido st;
    const QString desde = s.desde.empty() ? QString() : traducirDesde(s.desde, amb);
    amb.agrupado = !s.agrupar.empty() || s.having != nullptr;
    for (const ItemSelect& it : s.items)
        amb.agrupado = amb.agrupado || (it.expr && tieneAgregado(*it.expr));
    const bool envolver = unicoEscalar && s.items.size() == 1 && s.items[0].expr && !amb.agrupado &&
                          !s.distinto && !s.top && s.compuestos.empty();

    std::vector<std::vector<std::pair<QString, QString>>> sueltasPorItem;
    for (const ItemSelect& it : s.items) {
        std::vector<std::pair<QString, QString>> sueltas;
        if (!it.expr) {
            if (amb.fuentes.empty())
                lanzar(263, k42000,
                       QStringLiteral("Debe especificar la tabla de la que se va a seleccionar."));
            bool alguna = false;
            for (const FuenteLigada& f : amb.fuentes) {
                if (!it.estrella.isEmpty() && !califica(f, it.estrella))
                    continue;
                alguna = true;
                for (const ColumnaEsquema& c : f.columnas()) {
                    Expr x;
                    x.sql = f.sqlRef + QLatin1Char('.') + citar(c.nombre);
                    x.tipo = c.tipo;
                    x.ci = c.ci;
                    x.columna = true;
                    x.nombre = c.nombre;
                    if (amb.agrupado)
                        sueltas.emplace_back(x.sql, f.expuesto + QLatin1Char('.') + c.nombre);
                    st.items.push_back(x);
                    st.nombres << c.nombre;
                    sueltasPorItem.push_back(sueltas);
                    sueltas.clear();
                }
            }
            if (!alguna)
                lanzar(num::IdentificadorSinEnlace, k42000,
                       QStringLiteral("No se pudo enlazar el identificador formado por varias partes \"%1\".")
                           .arg(it.estrella.join(QLatin1Char('.'))));
            continue;
        }
        amb.sueltas = &sueltas;
        Expr x = traducir(*it.expr);
        amb.sueltas = nullptr;
        if (x.predicado)
            errorSintaxis(QStringLiteral("="));
        if (envolver) {
            x.sql = QStringLiteral("dalvo_unico(") + x.sql + QLatin1Char(')');
            x.ci = false;
            x.columna = false;
        }
        st.nombres << (it.conAlias ? it.alias : (it.variable.isEmpty() ? x.nombre : QString()));
        st.items.push_back(std::move(x));
        sueltasPorItem.push_back(std::move(sueltas));
    }

    QString cola;
    if (!desde.isEmpty())
        cola += QStringLiteral(" FROM ") + desde;
    if (s.where) {
        amb.sinAgregados = true;
        const Expr w = traducir(*s.where);
        amb.sinAgregados = false;
        if (!w.predicado)
            lanzar(4145, k42000,
                   QStringLiteral(
                       "Se especificó una expresión de tipo no booleano en un contexto donde se esperaba "
                       "una condición, cerca de 'WHERE'."));
        cola += QStringLiteral(" WHERE ") + w.sql;
    }
    QSet<QString> agrupadas;
    if (!s.agrupar.empty()) {
        QStringList partes;
        for (const PNodo& g : s.agrupar) {
            const Expr x = traducir(*g);
            agrupadas.insert(x.sql);
            partes << (x.tipo.esTexto() && !x.ci ? x.sql + QStringLiteral(" COLLATE CI_AS") : x.sql);
        }
        cola += QStringLiteral(" GROUP BY ") + partes.join(QStringLiteral(", "));
    }
    if (amb.agrupado) {
        for (size_t i = 0; i < st.items.size(); ++i) {
            if (agrupadas.contains(st.items[i].sql))
                continue;
            for (const auto& [sql, nombre] : sueltasPorItem[i])
                if (!agrupadas.contains(sql))
                    lanzar(num::NoAgrupada, k42000,
                           QStringLiteral(
                               "La columna '%1' de la lista de selección no es válida, porque no está "
                               "contenida en una función de agregado ni en la cláusula GROUP BY.")
                               .arg(nombre));
        }
    }
    if (s.having) {
        const Expr h = traducir(*s.having);
        cola += QStringLiteral(" HAVING ") + h.sql;
    }
    if (orden)
        cola += ordenar(*orden, st, &amb);
    if (s.top)
        cola += QStringLiteral(" LIMIT ") + aTipo(traducir(*s.top), TipoSql::de(Familia::BigInt)).sql;

    st.cabeza = s.distinto ? QStringLiteral("SELECT DISTINCT ") : QStringLiteral("SELECT ");
    st.cola = cola;
    QStringList items;
    for (size_t i = 0; i < st.items.size(); ++i)
        items << (st.nombres[int(i)].isEmpty()
                      ? st.items[i].sql
                      : st.items[i].sql + QStringLiteral(" AS ") + citar(st.nombres[int(i)]));
    st.sql = st.cabeza + items.join(QStringLiteral(", ")) + cola;
    return st;
}

Traductor::SelectTraducido Traductor::traducirSelect(const Select& s, Ambito* padre, bool unicoEscalar)
{
    if (s.compuestos.empty())
        return selectSimple(s, padre, unicoEscalar, s.orden.empty() ? nullptr : &s.orden);
    SelectTraducido st = selectSimple(s, padre, false, nullptr);
    for (const Select::Compuesto& c : s.compuestos) {
        const SelectTraducido otra = traducirSelect(*c.select, padre, false);
        if (otra.items.size() != st.items.size())
            lanzar(205, k42000,
                   QStringLiteral(
                       "Todas las consultas combinadas mediante un operador UNION, INTERSECT o EXCEPT "
                       "deben tener un número igual de expresiones en sus listas de destino."));
        for (size_t i = 0; i < st.items.size(); ++i) {
            st.items[i].tipo = tipoDominante(st.items[i].tipo, otra.items[i].tipo);
            st.items[i].ci = st.items[i].ci && otra.items[i].ci;
        }
        st.sql += QLatin1Char(' ') + c.operador + QLatin1Char(' ') + otra.sql;
    }
    st.cabeza.clear();
    st.cola.clear();
    if (!s.orden.empty())
        st.sql += ordenar(s.orden, st, nullptr);
    return st;
}

QString Traductor::ordenar(const std::vector<Orden>& orden, const SelectTraducido& st, Ambito* amb)
{
    QStringList partes;
    for (const Orden& o : orden) {
        const Nodo& e = *o.expr;
        int posicion = -1;
        if (e.clase == ClaseNodo::Literal && e.valor.clase == ValorSql::Entero && e.tipo.esEntero()) {
            posicion = int(e.valor.entero);
            if (posicion < 1 || posicion > int(st.items.size()))
                lanzar(108, k42000,
                       QStringLiteral(
                           "El número de posición de ORDER BY %1 está fuera del intervalo de elementos "
                           "de la lista de selección.")
                           .arg(e.valor.entero));
        } else if (e.clase == ClaseNodo::Columna && e.partes.size() == 1) {
            for (qsizetype i = 0; i < st.nombres.size() && posicion < 0; ++i)
                if (mismoNombre(st.nombres[i], e.partes[0]))
                    posicion = int(i) + 1;
        }
        QString fragmento;
        bool textoSinCi = false;
        if (posicion > 0) {
            fragmento = QString::number(posicion);
            const Expr& it = st.items[size_t(posicion - 1)];
            textoSinCi = it.tipo.esTexto() && !it.ci;
        } else {
            if (!amb)
                lanzar(104, k42000,
                       QStringLiteral("Los elementos ORDER BY deben aparecer en la lista de selección si la "
                                      "instrucción contiene un operador UNION, INTERSECT o EXCEPT."));
            const Expr x = traducir(e);
            fragmento = x.sql;
            textoSinCi = x.tipo.esTexto() && !x.ci;
        }
        if (textoSinCi)
            fragmento += QStringLiteral(" COLLATE CI_AS");
        if (o.descendente)
            fragmento += QStringLiteral(" DESC");
        partes << fragmento;
    }
    return QStringLiteral(" ORDER BY ") + partes.join(QStringLiteral(", "));
}

Compilada Traductor::resultado(const SelectTraducido& st)
{
    Compilada c;
    c.sql = st.sql.toUtf8();
    for (size_t i = 0; i < st.items.size(); ++i) {
        TipoSql t = st.items[i].tipo;
        if (t.esNulo())
            t = TipoSql::de(Familia::Int);
        c.tipos.push_back(t);
        ado::Columna col;
        col.nombre = st.nombres[int(i)];
        col.tipo = t.adoTipo();
        col.tamanoDefinido = t.tamanoDefinido();
        col.precision = t.precisionAdo();
        col.escala = t.escalaAdo();
        c.columnas.push_back(col);
    }
    return c;
}

Compilada Traductor::select(const Select& s)
{
    return resultado(traducirSelect(s, nullptr, false));
}

Compilada Traductor::asignaciones(const Select& s)
{
    for (const ItemSelect& it : s.items)
        if (it.variable.isEmpty())
            lanzar(
                num::AsignacionMezclada, k42000,
                QStringLiteral("Una instrucción SELECT que asigna un valor a una variable no debe combinarse "
                               "con operaciones de recuperación de datos."));
    return resultado(traducirSelect(s, nullptr, false));
}

Compilada Traductor::expresion(const Nodo& n, const TipoSql* destino)
{
    Ambito amb;
    EntrarAmbito entrar(mAmbito, &amb);
    Expr x = traducir(n);
    if (x.predicado)
        errorSintaxis(QStringLiteral("="));
    if (destino)
        x = aTipo(x, *destino);
    SelectTraducido st;
    st.sql = QStringLiteral("SELECT ") + x.sql;
    st.items.push_back(x);
    st.nombres << QString();
    return resultado(st);
}

Compilada Traductor::condicion(const Nodo& n)
{
    Ambito amb;
    EntrarAmbito entrar(mAmbito, &amb);
    const Expr x = traducir(n);
    if (!x.predicado)
        lanzar(
            4145, k42000,
            QStringLiteral("Se especificó una expresión de tipo no booleano en un contexto donde se esperaba "
                           "una condición."));
    Compilada c;
    c.sql = (QStringLiteral("SELECT CASE WHEN ") + x.sql + QStringLiteral(" THEN 1 ELSE 0 END")).toUtf8();
    c.tipos.push_back(TipoSql::de(Familia::Int));
    return c;
}

} // namespace dalvo::embebido

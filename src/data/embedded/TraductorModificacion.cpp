// INSERT, UPDATE and DELETE.
#include "data/embedded/Errores.h"
#include "data/embedded/Traductor.h"
#include "data/embedded/TraductorInterno.h"

namespace dalvo::embebido {

namespace {

const QString k42000 = QStringLiteral("42000");

bool mismoNombre(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

Traductor::Expr Traductor::valorParaColumna(Expr e, const ColumnaEsquema& c)
{
    if (!c.tipo.esTexto())
        return aTipo(e, c.tipo);
    TipoSql sinLimite = c.tipo;
    sinLimite.longitud = -1;
    if (!e.tipo.esTexto())
        e = aTipo(e, sinLimite);
    const bool recortar = c.tipo.familia == Familia::Char || c.tipo.familia == Familia::NChar;
    if (e.constante) {
        if (e.valor.esNulo())
            return e;
        QString t = e.valor.texto;
        qsizetype largo = t.size();
        while (largo > 0 && t[largo - 1] == u' ')
            --largo;
        if (c.tipo.longitud >= 0 && largo > c.tipo.longitud)
            lanzar(num::Truncado, QStringLiteral("22001"),
                   QStringLiteral("Los datos de cadena o binarios se truncarían."));
        if (recortar)
            t.truncate(largo);
        return literal(ValorSql::deTexto(t), c.tipo);
    }
    Expr r;
    r.sql = QStringLiteral("dalvo_ajustar(%1, %2, %3)").arg(e.sql).arg(c.tipo.longitud).arg(recortar ? 1 : 0);
    r.tipo = c.tipo;
    return r;
}

Compilada Traductor::insert(const Sentencia& s)
{
    Ambito amb;
    EntrarAmbito entrar(mAmbito, &amb);
    const TablaEsquema& t = resolverTabla(s.tabla.nombre, true);
    std::vector<int> indices;
    if (s.columnas.isEmpty()) {
        for (size_t i = 0; i < t.columnas.size(); ++i)
            if (!t.columnas[i].identidad)
                indices.push_back(int(i));
    } else {
        for (const QString& nombre : s.columnas) {
            const int i = t.columna(nombre);
            if (i < 0)
                columnaInvalida(nombre);
            indices.push_back(i);
        }
    }
    QString sql = QStringLiteral("INSERT INTO ") + t.sql;
    if (s.valoresPorDefecto)
        return Compilada{(sql + QStringLiteral(" DEFAULT VALUES")).toUtf8(), {}, {}};
    QStringList nombres;
    for (int i : indices)
        nombres << citar(t.columnas[size_t(i)].nombre);
    sql += QStringLiteral(" (") + nombres.join(QStringLiteral(", ")) + QLatin1Char(')');
    if (!s.filas.empty()) {
        QStringList filas;
        for (const auto& fila : s.filas) {
            if (fila.size() != indices.size())
                lanzar(fila.size() < indices.size() ? 109 : 110, k42000,
                       fila.size() < indices.size()
                           ? QStringLiteral(
                                 "Hay más columnas en la instrucción INSERT que valores especificados en "
                                 "la cláusula VALUES.")
                           : QStringLiteral(
                                 "Hay menos columnas en la instrucción INSERT que valores especificados "
                                 "en la cláusula VALUES."));
            QStringList valores;
            for (size_t k = 0; k < fila.size(); ++k)
                valores << valorParaColumna(traducir(*fila[k]), t.columnas[size_t(indices[k])]).sql;
            filas << QLatin1Char('(') + valores.join(QStringLiteral(", ")) + QLatin1Char(')');
        }
        sql += QStringLiteral(" VALUES ") + filas.join(QStringLiteral(", "));
    } else {
        if (!s.select->compuestos.empty())
            noSoportado(QStringLiteral("INSERT ... SELECT con UNION"));
        SelectTraducido st = traducirSelect(*s.select, nullptr, false);
        if (st.items.size() != indices.size())
            lanzar(
                st.items.size() < indices.size() ? 120 : 121, k42000,
                QStringLiteral("La lista de selección de la instrucción INSERT contiene %1 elementos que la "
                               "lista de inserción.")
                    .arg(st.items.size() < indices.size() ? QStringLiteral("menos") : QStringLiteral("más")));
        QStringList items;
        for (size_t k = 0; k < st.items.size(); ++k)
            items << valorParaColumna(st.items[k], t.columnas[size_t(indices[k])]).sql;
        sql += QLatin1Char(' ') + st.cabeza + items.join(QStringLiteral(", ")) + st.cola;
    }
    return Compilada{sql.toUtf8(), {}, {}};
}

int Traductor::buscarDestino(const Sentencia& s) const
{
    if (s.tabla.nombre.size() != 1)
        return -1;
    const QString& nombre = s.tabla.nombre[0];
    for (size_t i = 0; i < s.desde.size(); ++i) {
        const Fuente& f = s.desde[i].fuente;
        if (f.sub)
            continue;
        if (!f.alias.isNull() ? mismoNombre(f.alias, nombre) : mismoNombre(f.nombre.last(), nombre))
            return int(i);
    }
    return -1;
}

Compilada Traductor::update(const Sentencia& s)
{
    Ambito amb;
    EntrarAmbito entrar(mAmbito, &amb);
    const int destino = buscarDestino(s);
    QString objetivo;
    QString desde;
    QString condiciones;
    if (destino >= 0) {
        for (const Union& u : s.desde)
            if (u.tipo != TipoJoin::Primera && u.tipo != TipoJoin::Coma && u.tipo != TipoJoin::Interna)
                noSoportado(QStringLiteral("UPDATE ... FROM con combinaciones externas"));
        resolverTabla(s.desde[size_t(destino)].fuente.nombre, true); // refuses the catalogue and views
        ligarFuente(s.desde[size_t(destino)].fuente, amb, objetivo);
        desde = traducirDesde(s.desde, amb, &condiciones, destino);
        if (s.desde[size_t(destino)].on) {
            amb.sinAgregados = true;
            const QString on = traducir(*s.desde[size_t(destino)].on).sql;
            condiciones = condiciones.isEmpty() ? on : condiciones + QStringLiteral(" AND ") + on;
        }
    } else {
        const TablaEsquema& t = resolverTabla(s.tabla.nombre, true);
        Fuente f;
        f.nombre = QStringList{t.nombre};
        ligarFuente(f, amb, objetivo);
        if (!s.desde.empty())
            desde = traducirDesde(s.desde, amb);
    }
    const FuenteLigada& blanco = amb.fuentes.front();
    QStringList asignaciones;
    for (const Asignacion& a : s.asignaciones) {
        const int i = blanco.buscar(a.destino);
        if (i < 0)
            columnaInvalida(a.destino);
        const ColumnaEsquema& c = blanco.columnas()[size_t(i)];
        asignaciones << citar(c.nombre) + QStringLiteral(" = ") + valorParaColumna(traducir(*a.expr), c).sql;
    }
    QString sql = QStringLiteral("UPDATE ") + objetivo + QStringLiteral(" SET ") +
                  asignaciones.join(QStringLiteral(", "));
    if (!desde.isEmpty())
        sql += QStringLiteral(" FROM ") + desde;
    if (s.where) {
        amb.sinAgregados = true;
        const QString w = traducir(*s.where).sql;
        condiciones =
            condiciones.isEmpty() ? w : QLatin1Char('(') + condiciones + QStringLiteral(") AND ") + w;
    }
    if (!condiciones.isEmpty())
        sql += QStringLiteral(" WHERE ") + condiciones;
    return Compilada{sql.toUtf8(), {}, {}};
}

Compilada Traductor::borrar(const Sentencia& s)
{
    Ambito amb;
    EntrarAmbito entrar(mAmbito, &amb);
    const int destino = buscarDestino(s);
    QString sql;
    QString where;
    if (s.desde.empty()) {
        const TablaEsquema& t = resolverTabla(s.tabla.nombre, true);
        QString objetivo;
        Fuente f;
        f.nombre = QStringList{t.nombre};
        ligarFuente(f, amb, objetivo);
        sql = QStringLiteral("DELETE FROM ") + objetivo;
        if (s.where) {
            amb.sinAgregados = true;
            sql += QStringLiteral(" WHERE ") + traducir(*s.where).sql;
        }
        return Compilada{sql.toUtf8(), {}, {}};
    }
    QString desde;
    QString referencia;
    QString tablaSql;
    if (destino >= 0) {
        const TablaEsquema& t = resolverTabla(s.desde[size_t(destino)].fuente.nombre, true);
        tablaSql = t.sql;
        desde = traducirDesde(s.desde, amb);
        referencia = amb.fuentes[size_t(destino)].sqlRef;
    } else {
        const TablaEsquema& t = resolverTabla(s.tabla.nombre, true);
        tablaSql = t.sql;
        Fuente f;
        f.nombre = QStringList{t.nombre};
        ligarFuente(f, amb, desde);
        referencia = amb.fuentes.front().sqlRef;
        desde += QStringLiteral(", ") + traducirDesde(s.desde, amb);
    }
    if (s.where) {
        amb.sinAgregados = true;
        where = QStringLiteral(" WHERE ") + traducir(*s.where).sql;
    }
    sql = QStringLiteral("DELETE FROM ") + tablaSql + QStringLiteral(" WHERE rowid IN (SELECT ") +
          referencia + QStringLiteral(".rowid FROM ") + desde + where + QLatin1Char(')');
    return Compilada{sql.toUtf8(), {}, {}};
}

} // namespace dalvo::embebido

// Expressions: columns, variables, operators, comparisons and the conversions between types.
#include "data/embedded/Errores.h"
#include "data/embedded/FuncionesSql.h"
#include "data/embedded/Plantilla.h"
#include "data/embedded/Traductor.h"
#include "data/embedded/TraductorInterno.h"

#include <sqlite3.h>

namespace dalvo::embebido {

namespace {

const QString k42000 = QStringLiteral("42000");

QString nombreOperador(const QString& op)
{
    if (op == QLatin1String("+"))
        return QStringLiteral("add");
    if (op == QLatin1String("-"))
        return QStringLiteral("subtract");
    if (op == QLatin1String("*"))
        return QStringLiteral("multiply");
    if (op == QLatin1String("/"))
        return QStringLiteral("divide");
    return QStringLiteral("modulo");
}

} // namespace

void operandoInvalido(const TipoSql& t, const QString& operador)
{
    lanzar(num::OperandoInvalido, k42000,
           QStringLiteral("El tipo de datos del operando %1 no es válido para el operador %2.")
               .arg(t.nombre(), operador));
}

Traductor::Expr Traductor::literal(const ValorSql& v, const TipoSql& tipo)
{
    Expr x;
    x.constante = true;
    x.valor = v;
    x.tipo = tipo;
    switch (v.clase) {
    case ValorSql::Nulo:
        x.sql = QStringLiteral("NULL");
        break;
    case ValorSql::Entero:
        x.sql = QString::number(v.entero);
        break;
    case ValorSql::Real: {
        x.sql = QString::number(v.real, 'g', 17);
        if (!x.sql.contains(QLatin1Char('.')) && !x.sql.contains(QLatin1Char('e')) && !x.sql.contains(u'n'))
            x.sql += QStringLiteral(".0");
        break;
    }
    case ValorSql::Texto:
        x.sql = cadena(v.texto);
        break;
    }
    return x;
}

Traductor::Expr Traductor::aTipo(Expr e, const TipoSql& destino, int estilo)
{
    if (destino.familia == Familia::Variante || destino.familia == Familia::Nulo)
        return e;
    Expr r = e;
    r.ci = false;
    r.columna = false;
    r.nombre.clear();
    r.tipo = destino;
    if (e.tipo.esNulo() || (e.constante && e.valor.esNulo()))
        return r;
    if (e.constante)
        return literal(convertir(e.valor, e.tipo, destino, estilo, mEntorno.orden), destino);
    if (e.tipo.familia == Familia::Variante) {
        // typed by its value: only a function can tell
    } else if (e.tipo.esTexto() && destino.esTexto()) {
        if (destino.longitud >= 0 && (e.tipo.longitud < 0 || e.tipo.longitud > destino.longitud))
            r.sql = QStringLiteral("substr(%1, 1, %2)").arg(e.sql).arg(destino.longitud);
        return r;
    } else if (e.tipo.esFecha() && destino.esFecha()) {
        return r;
    } else if (e.tipo.esNumero() && destino.esNumero()) {
        bool necesita = false;
        if (destino.esEntero())
            necesita = !e.tipo.esEntero() || precedencia(e.tipo.familia) > precedencia(destino.familia) ||
                       (destino.familia == Familia::Bit && e.tipo.familia != Familia::Bit);
        else if (destino.familia == Familia::Numeric)
            necesita = !(e.tipo.esEntero() ||
                         (e.tipo.familia == Familia::Numeric && e.tipo.escala <= destino.escala &&
                          e.tipo.precision - e.tipo.escala <= destino.precision - destino.escala));
        else if (destino.familia == Familia::Money || destino.familia == Familia::SmallMoney)
            necesita = !(e.tipo.esEntero() || e.tipo.familia == Familia::Money ||
                         e.tipo.familia == Familia::SmallMoney);
        if (!necesita)
            return r;
    }
    r.sql = QStringLiteral("dalvo_convertir(%1, %2, %3, %4, %5, %6, %7, %8)")
                .arg(e.sql)
                .arg(int(destino.familia))
                .arg(destino.longitud)
                .arg(destino.precision)
                .arg(destino.escala)
                .arg(estilo)
                .arg(int(e.tipo.familia))
                .arg(e.tipo.escala);
    return r;
}

Traductor::Expr Traductor::traducir(const Nodo& n)
{
    switch (n.clase) {
    case ClaseNodo::Literal:
        if (n.parametro) {
            // The value is bound at each run: nothing may depend on it but its kind.
            Expr x;
            x.sql = QString::fromLatin1(nombreParametro(n.parametro));
            x.tipo = n.tipo;
            if (x.tipo.esTexto())
                x.tipo.longitud = -1;
            return x;
        }
        return literal(n.valor, n.tipo);
    case ClaseNodo::Columna:
        return columna(n);
    case ClaseNodo::Variable:
        return variable(n);
    case ClaseNodo::Global:
        return global(n);
    case ClaseNodo::Funcion:
        return funcion(n);
    case ClaseNodo::Convertir:
        return convertirExplicito(n);
    case ClaseNodo::Unario: {
        Expr x = traducir(*n.hijos[0]);
        if (x.predicado)
            errorSintaxis(n.texto);
        if (x.tipo.esTexto() || x.tipo.esFecha())
            operandoInvalido(x.tipo,
                             n.texto == QLatin1String("-") ? QStringLiteral("minus") : QStringLiteral("~"));
        Expr r;
        r.sql = QStringLiteral("(") + n.texto + x.sql + QLatin1Char(')');
        r.tipo = x.tipo;
        return r;
    }
    case ClaseNodo::Binario:
        return binario(n);
    case ClaseNodo::Comparacion:
        return comparar(traducir(*n.hijos[0]), traducir(*n.hijos[1]), n.texto);
    case ClaseNodo::Y:
    case ClaseNodo::O: {
        const Expr a = traducir(*n.hijos[0]);
        const Expr b = traducir(*n.hijos[1]);
        if (!a.predicado || !b.predicado)
            lanzar(4145, k42000,
                   QStringLiteral(
                       "Se especificó una expresión de tipo no booleano en un contexto donde se esperaba "
                       "una condición, cerca de '%1'.")
                       .arg(n.clase == ClaseNodo::Y ? QStringLiteral("AND") : QStringLiteral("OR")));
        Expr r;
        r.sql = QLatin1Char('(') + a.sql +
                (n.clase == ClaseNodo::Y ? QStringLiteral(" AND ") : QStringLiteral(" OR ")) + b.sql +
                QLatin1Char(')');
        r.predicado = true;
        return r;
    }
    case ClaseNodo::No: {
        const Expr a = traducir(*n.hijos[0]);
        if (!a.predicado)
            errorPalabraClave(QStringLiteral("NOT"));
        Expr r;
        r.sql = QStringLiteral("(NOT ") + a.sql + QLatin1Char(')');
        r.predicado = true;
        return r;
    }
    case ClaseNodo::Entre:
        return entre(n);
    case ClaseNodo::En:
        return en(n);
    case ClaseNodo::Como:
        return como(n);
    case ClaseNodo::EsNulo: {
        const Expr a = traducir(*n.hijos[0]);
        Expr r;
        r.sql = QLatin1Char('(') + a.sql +
                (n.negado ? QStringLiteral(" IS NOT NULL)") : QStringLiteral(" IS NULL)"));
        r.predicado = true;
        return r;
    }
    case ClaseNodo::Existe: {
        const SelectTraducido st = traducirSelect(*n.sub, mAmbito, false);
        Expr r;
        r.sql = QStringLiteral("EXISTS (") + st.sql + QLatin1Char(')');
        r.predicado = true;
        return r;
    }
    case ClaseNodo::Subconsulta:
        return subconsulta(n);
    case ClaseNodo::Caso:
        return caso(n);
    case ClaseNodo::ParteFecha:
        errorSintaxis(n.texto);
    }
    errorSintaxis(QString());
}

Traductor::Expr Traductor::columna(const Nodo& n)
{
    const QStringList& p = n.partes;
    const QString& nombre = p.last();
    auto referencia = [&](Ambito& a, const FuenteLigada& f, int i) {
        const ColumnaEsquema& c = f.columnas()[size_t(i)];
        Expr x;
        x.sql = f.sqlRef + QLatin1Char('.') + citar(c.nombre);
        x.tipo = c.tipo;
        x.ci = c.ci;
        x.columna = true;
        x.nombre = nombre;
        if (a.agrupado && a.enAgregado == 0 && a.sueltas)
            a.sueltas->emplace_back(x.sql, f.expuesto + QLatin1Char('.') + c.nombre);
        return x;
    };
    if (p.size() == 1) {
        for (Ambito* a = mAmbito; a; a = a->padre) {
            const FuenteLigada* hallada = nullptr;
            int indice = -1;
            for (const FuenteLigada& f : a->fuentes) {
                const int i = f.buscar(nombre);
                if (i < 0)
                    continue;
                if (hallada)
                    lanzar(num::ColumnaAmbigua, k42000,
                           QStringLiteral("El nombre de columna '%1' es ambiguo.").arg(nombre));
                hallada = &f;
                indice = i;
            }
            if (hallada)
                return referencia(*a, *hallada, indice);
        }
        columnaInvalida(nombre);
    }
    const QStringList calificador = p.mid(0, p.size() - 1);
    for (Ambito* a = mAmbito; a; a = a->padre)
        for (const FuenteLigada& f : a->fuentes)
            if (califica(f, calificador)) {
                const int i = f.buscar(nombre);
                if (i < 0)
                    columnaInvalida(nombre);
                return referencia(*a, f, i);
            }
    lanzar(num::IdentificadorSinEnlace, k42000,
           QStringLiteral("No se pudo enlazar el identificador formado por varias partes \"%1\".")
               .arg(p.join(QLatin1Char('.'))));
}

Traductor::Expr Traductor::variable(const Nodo& n)
{
    const TipoSql* t = mEntorno.tipoVariable ? mEntorno.tipoVariable(n.texto) : nullptr;
    if (!t)
        lanzar(num::VariableSinDeclarar, k42000,
               QStringLiteral("Debe declarar la variable escalar \"%1\".").arg(n.texto));
    Expr x;
    x.sql = n.texto.toLower();
    x.tipo = *t;
    return x;
}

Traductor::Expr Traductor::global(const Nodo& n)
{
    const QString g = n.texto.toUpper();
    const TipoSql nvarchar = TipoSql::texto(Familia::NVarChar, 128);
    Expr x;
    if (g == QLatin1String("@@VERSION")) {
        return literal(ValorSql::deTexto(mEntorno.version), TipoSql::texto(Familia::NVarChar, 300));
    } else if (g == QLatin1String("@@ROWCOUNT")) {
        x.sql = QStringLiteral("@__filas");
        x.tipo = TipoSql::de(Familia::Int);
    } else if (g == QLatin1String("@@TRANCOUNT")) {
        x.sql = QStringLiteral("@__trancount");
        x.tipo = TipoSql::de(Familia::Int);
    } else if (g == QLatin1String("@@IDENTITY")) {
        x.sql = QStringLiteral("last_insert_rowid()");
        x.tipo = TipoSql::numerico(38, 0);
    } else if (g == QLatin1String("@@ERROR")) {
        return literal(ValorSql::deEntero(0), TipoSql::de(Familia::Int));
    } else if (g == QLatin1String("@@SPID")) {
        return literal(ValorSql::deEntero(51), TipoSql::de(Familia::SmallInt));
    } else if (g == QLatin1String("@@SERVERNAME")) {
        return literal(ValorSql::deTexto(QStringLiteral("DEMO")), nvarchar);
    } else if (g == QLatin1String("@@LANGUAGE")) {
        return literal(ValorSql::deTexto(QStringLiteral("us_english")), nvarchar);
    } else if (g == QLatin1String("@@DATEFIRST")) {
        return literal(ValorSql::deEntero(7), TipoSql::de(Familia::TinyInt));
    } else {
        noSoportado(n.texto);
    }
    return x;
}

Traductor::Expr Traductor::binario(const Nodo& n)
{
    Expr a = traducir(*n.hijos[0]);
    Expr b = traducir(*n.hijos[1]);
    const QString& op = n.texto;
    if (a.predicado || b.predicado)
        errorSintaxis(op);
    const bool ta = a.tipo.esTexto();
    const bool tb = b.tipo.esTexto();
    if (op == QLatin1String("+") && ((ta && (tb || b.tipo.esNulo())) || (a.tipo.esNulo() && tb))) {
        // Concatenation: a char(n) operand brings its trailing blanks, as SQL Server stores them.
        auto relleno = [](const Expr& x) {
            const bool esChar = x.tipo.familia == Familia::Char || x.tipo.familia == Familia::NChar;
            if (!esChar || x.tipo.longitud <= 0)
                return x.sql;
            if (x.constante)
                return x.valor.esNulo()
                           ? x.sql
                           : cadena(x.valor.texto.leftJustified(x.tipo.longitud, QLatin1Char(' ')));
            return QStringLiteral("dalvo_pad(%1, %2)").arg(x.sql).arg(x.tipo.longitud);
        };
        TipoSql t;
        const bool ambosChar = a.tipo.familia == Familia::Char && b.tipo.familia == Familia::Char;
        t.familia = ambosChar
                        ? Familia::Char
                        : (a.tipo.esUnicode() || b.tipo.esUnicode() ? Familia::NVarChar : Familia::VarChar);
        const int la = a.tipo.esNulo() ? 0 : a.tipo.longitud;
        const int lb = b.tipo.esNulo() ? 0 : b.tipo.longitud;
        t.longitud = (la < 0 || lb < 0) ? -1 : std::min(la + lb, 8000);
        if (a.constante && b.constante) {
            if (a.valor.esNulo() || b.valor.esNulo())
                return literal(ValorSql{}, t);
            const auto texto = [](const Expr& x) {
                const bool esChar = x.tipo.familia == Familia::Char || x.tipo.familia == Familia::NChar;
                return esChar ? x.valor.texto.leftJustified(x.tipo.longitud, QLatin1Char(' '))
                              : x.valor.texto;
            };
            return literal(ValorSql::deTexto(texto(a) + texto(b)), t);
        }
        Expr r;
        r.sql = QLatin1Char('(') + relleno(a) + QStringLiteral(" || ") + relleno(b) + QLatin1Char(')');
        r.tipo = t;
        return r;
    }
    if (op == QLatin1String("+") &&
        (a.tipo.familia == Familia::Variante || b.tipo.familia == Familia::Variante)) {
        // A column with no SQL Server type: its values decide between concatenation and addition.
        Expr r;
        r.sql = QStringLiteral("dalvo_mas(%1, %2)").arg(a.sql, b.sql);
        r.tipo = TipoSql{};
        return r;
    }
    if ((op == QLatin1String("+") || op == QLatin1String("-")) && (a.tipo.esFecha() || b.tipo.esFecha())) {
        if ((a.tipo.esFecha() && b.tipo.esFecha()) || (op == QLatin1String("-") && b.tipo.esFecha()))
            noSoportado(QStringLiteral("la resta o suma de dos fechas"));
        Expr& fecha = a.tipo.esFecha() ? a : b;
        Expr& dias = a.tipo.esFecha() ? b : a;
        if (dias.tipo.esTexto())
            noSoportado(QStringLiteral("la suma de una fecha y un texto"));
        Expr r;
        r.sql =
            QStringLiteral("dalvo_dateadd(%1, (%2) * %3, %4)")
                .arg(parte::Milisegundo)
                .arg(dias.sql)
                .arg(op == QLatin1String("-") ? QStringLiteral("-86400000.0") : QStringLiteral("86400000.0"))
                .arg(fecha.sql);
        r.tipo = TipoSql::de(Familia::DateTime);
        return r;
    }
    if (op != QLatin1String("+") && op != QLatin1String("-") && op != QLatin1String("*") &&
        op != QLatin1String("/") && op != QLatin1String("%")) {
        // & | ^ on whole numbers
        if (!a.tipo.esEntero() && !a.tipo.esNulo())
            operandoInvalido(a.tipo, QStringLiteral("bitwise"));
        if (!b.tipo.esEntero() && !b.tipo.esNulo())
            operandoInvalido(b.tipo, QStringLiteral("bitwise"));
        Expr r;
        r.tipo = tipoAritmetico(a.tipo, b.tipo);
        r.sql = op == QLatin1String("^") ? QStringLiteral("((%1 | %2) - (%1 & %2))").arg(a.sql, b.sql)
                                         : QLatin1Char('(') + a.sql + QLatin1Char(' ') + op +
                                               QLatin1Char(' ') + b.sql + QLatin1Char(')');
        return r;
    }
    if (ta && tb)
        operandoInvalido(a.tipo, nombreOperador(op));
    if (a.tipo.esFecha() || b.tipo.esFecha())
        operandoInvalido(a.tipo.esFecha() ? a.tipo : b.tipo, nombreOperador(op));
    if (ta && b.tipo.esNumero())
        a = aTipo(a, b.tipo);
    else if (tb && a.tipo.esNumero())
        b = aTipo(b, a.tipo);
    const TipoSql t = tipoAritmetico(a.tipo, b.tipo);
    QString sa = a.sql;
    QString sb = b.sql;
    if (op == QLatin1String("/") || op == QLatin1String("%")) {
        if (!(b.constante && b.valor.comoReal() != 0))
            sb = QStringLiteral("dalvo_nocero(") + sb + QLatin1Char(')');
        if (op == QLatin1String("/") && !t.esEntero() && t.familia != Familia::Variante)
            sa = QStringLiteral("CAST(") + sa + QStringLiteral(" AS REAL)");
    }
    Expr r;
    r.sql = QLatin1Char('(') + sa + QLatin1Char(' ') + op + QLatin1Char(' ') + sb + QLatin1Char(')');
    r.tipo = t;
    return r;
}

void Traductor::unificar(Expr& a, Expr& b)
{
    const TipoSql& ta = a.tipo;
    const TipoSql& tb = b.tipo;
    if (ta.esNulo() || tb.esNulo() || (ta.esTexto() && tb.esTexto()) || (ta.esNumero() && tb.esNumero()) ||
        (ta.esFecha() && tb.esFecha()))
        return;
    if (precedencia(ta.familia) >= precedencia(tb.familia))
        b = aTipo(b, ta);
    else
        a = aTipo(a, tb);
}

QString Traductor::conColacion(const Expr& a, const Expr& b) const
{
    // SQLite takes the left column's collation, else the right column's; without a column on either side a
    // text comparison would be binary, so it is told to compare as the server does.
    if (!a.tipo.esTexto() || !(b.tipo.esTexto() || b.tipo.esNulo()))
        return a.sql;
    if (a.ci || (b.ci && !a.columna))
        return a.sql;
    return a.sql + QStringLiteral(" COLLATE CI_AS");
}

Traductor::Expr Traductor::comparar(Expr a, Expr b, const QString& op)
{
    if (a.predicado || b.predicado)
        errorSintaxis(op);
    unificar(a, b);
    Expr r;
    r.sql = QLatin1Char('(') + conColacion(a, b) + QLatin1Char(' ') + op + QLatin1Char(' ') + b.sql +
            QLatin1Char(')');
    r.predicado = true;
    return r;
}

} // namespace dalvo::embebido

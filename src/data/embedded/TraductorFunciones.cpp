// Built-in functions, aggregates, user functions and CONVERT/CAST.
#include "data/embedded/Analizador.h"
#include "data/embedded/Errores.h"
#include "data/embedded/Extensiones.h"
#include "data/embedded/FuncionesSql.h"
#include "data/embedded/Traductor.h"
#include "data/embedded/TraductorInterno.h"

#include <QSet>

namespace dalvo::embebido {

namespace {

const QString k42000 = QStringLiteral("42000");

// T-SQL built-ins that the demo server does not have: asking for one is a clear "not supported", not a
// "does not exist".
bool esFuncionNoAdmitida(const QString& f)
{
    static const QSet<QString> lista = {
        QStringLiteral("ascii"),
        QStringLiteral("char"),
        QStringLiteral("nchar"),
        QStringLiteral("concat"),
        QStringLiteral("concat_ws"),
        QStringLiteral("format"),
        QStringLiteral("stuff"),
        QStringLiteral("patindex"),
        QStringLiteral("soundex"),
        QStringLiteral("difference"),
        QStringLiteral("quotename"),
        QStringLiteral("reverse"),
        QStringLiteral("str"),
        QStringLiteral("unicode"),
        QStringLiteral("iif"),
        QStringLiteral("choose"),
        QStringLiteral("try_convert"),
        QStringLiteral("try_cast"),
        QStringLiteral("try_parse"),
        QStringLiteral("parse"),
        QStringLiteral("newid"),
        QStringLiteral("newsequentialid"),
        QStringLiteral("rand"),
        QStringLiteral("isnumeric"),
        QStringLiteral("isdate"),
        QStringLiteral("datename"),
        QStringLiteral("eomonth"),
        QStringLiteral("datefromparts"),
        QStringLiteral("datetimefromparts"),
        QStringLiteral("sysdatetime"),
        QStringLiteral("sysutcdatetime"),
        QStringLiteral("getutcdate"),
        QStringLiteral("switchoffset"),
        QStringLiteral("todatetimeoffset"),
        QStringLiteral("exp"),
        QStringLiteral("log"),
        QStringLiteral("log10"),
        QStringLiteral("pi"),
        QStringLiteral("sin"),
        QStringLiteral("cos"),
        QStringLiteral("tan"),
        QStringLiteral("asin"),
        QStringLiteral("acos"),
        QStringLiteral("atan"),
        QStringLiteral("atn2"),
        QStringLiteral("degrees"),
        QStringLiteral("radians"),
        QStringLiteral("square"),
        QStringLiteral("checksum"),
        QStringLiteral("binary_checksum"),
        QStringLiteral("checksum_agg"),
        QStringLiteral("object_name"),
        QStringLiteral("col_name"),
        QStringLiteral("col_length"),
        QStringLiteral("type_name"),
        QStringLiteral("type_id"),
        QStringLiteral("db_id"),
        QStringLiteral("host_name"),
        QStringLiteral("host_id"),
        QStringLiteral("app_name"),
        QStringLiteral("serverproperty"),
        QStringLiteral("databasepropertyex"),
        QStringLiteral("objectproperty"),
        QStringLiteral("columnproperty"),
        QStringLiteral("error_message"),
        QStringLiteral("error_number"),
        QStringLiteral("error_severity"),
        QStringLiteral("error_state"),
        QStringLiteral("error_line"),
        QStringLiteral("error_procedure"),
        QStringLiteral("row_number"),
        QStringLiteral("rank"),
        QStringLiteral("dense_rank"),
        QStringLiteral("ntile"),
        QStringLiteral("lag"),
        QStringLiteral("lead"),
        QStringLiteral("first_value"),
        QStringLiteral("last_value"),
        QStringLiteral("string_agg"),
        QStringLiteral("string_split"),
        QStringLiteral("grouping"),
        QStringLiteral("grouping_id"),
        QStringLiteral("trim"),
        QStringLiteral("translate"),
        QStringLiteral("formatmessage"),
        QStringLiteral("ident_current"),
        QStringLiteral("ident_seed"),
        QStringLiteral("ident_incr"),
        QStringLiteral("rowcount_big"),
        QStringLiteral("xact_state"),
        QStringLiteral("stdev"),
        QStringLiteral("stdevp"),
        QStringLiteral("var"),
        QStringLiteral("varp"),
        QStringLiteral("datalength"),
        QStringLiteral("isjson"),
        QStringLiteral("json_value"),
        QStringLiteral("openjson"),
        QStringLiteral("compress"),
        QStringLiteral("decompress"),
    };
    return lista.contains(f);
}

} // namespace

int Traductor::parteFecha(const Nodo& n)
{
    const QString p = n.texto.toLower();
    if (p == u"year" || p == u"yy" || p == u"yyyy")
        return parte::Anio;
    if (p == u"quarter" || p == u"qq" || p == u"q")
        return parte::Trimestre;
    if (p == u"month" || p == u"mm" || p == u"m")
        return parte::Mes;
    if (p == u"dayofyear" || p == u"dy" || p == u"y")
        return parte::DiaDelAnio;
    if (p == u"day" || p == u"dd" || p == u"d")
        return parte::Dia;
    if (p == u"week" || p == u"wk" || p == u"ww")
        return parte::Semana;
    if (p == u"weekday" || p == u"dw" || p == u"w")
        return parte::DiaSemana;
    if (p == u"hour" || p == u"hh")
        return parte::Hora;
    if (p == u"minute" || p == u"mi" || p == u"n")
        return parte::Minuto;
    if (p == u"second" || p == u"ss" || p == u"s")
        return parte::Segundo;
    if (p == u"millisecond" || p == u"ms")
        return parte::Milisegundo;
    lanzar(155, k42000, QStringLiteral("'%1' no es una opción reconocida de datepart.").arg(n.texto));
}

Traductor::Expr Traductor::convertirExplicito(const Nodo& n)
{
    const Expr x = traducir(*n.hijos[0]);
    if (x.predicado)
        errorSintaxis(n.texto);
    int estilo = -1;
    if (n.hijos.size() > 1) {
        const Expr e = traducir(*n.hijos[1]);
        if (!e.constante || e.valor.clase != ValorSql::Entero)
            noSoportado(QStringLiteral("CONVERT con un estilo que no es un número fijo"));
        estilo = int(e.valor.entero);
    }
    return aTipo(x, n.tipo, estilo);
}

Traductor::Expr Traductor::funcion(const Nodo& n)
{
    if (!n.partes.isEmpty())
        return funcionUsuario(n);
    const QString f = n.texto.toLower();
    if (esAgregado(f))
        return agregado(n, f);
    if (n.distinto || n.estrella)
        errorSintaxis(n.distinto ? QStringLiteral("DISTINCT") : QStringLiteral("*"));
    const size_t cuantos = n.hijos.size();
    auto exigir = [&](size_t minimo, size_t maximo) {
        if (cuantos < minimo || cuantos > maximo)
            lanzar(num::ArgumentosFuncion, k42000,
                   QStringLiteral("La función %1 requiere %2 argumentos.").arg(n.texto).arg(minimo));
    };
    auto arg = [&](size_t i) {
        Expr x = traducir(*n.hijos[i]);
        if (x.predicado)
            errorSintaxis(n.texto);
        return x;
    };
    auto texto = [&](size_t i) {
        Expr x = arg(i);
        if (!x.tipo.esTexto() && !x.tipo.esNulo())
            x = aTipo(x, TipoSql::texto(Familia::VarChar, 30));
        return x;
    };
    auto entero = [&](size_t i) {
        Expr x = arg(i);
        if (!x.tipo.esEntero() && !x.tipo.esNulo())
            x = aTipo(x, TipoSql::de(Familia::Int));
        return x;
    };
    auto fecha = [&](size_t i) {
        Expr x = arg(i);
        if (!x.tipo.esFecha() && !x.tipo.esNulo())
            x = aTipo(x, TipoSql::de(Familia::DateTime));
        return x;
    };
    // The value as SQL Server holds it: char(n) with its trailing blanks.
    auto conRelleno = [](const Expr& x) {
        const bool esChar = x.tipo.familia == Familia::Char || x.tipo.familia == Familia::NChar;
        if (!esChar || x.tipo.longitud <= 0 || x.constante)
            return x.sql;
        return QStringLiteral("dalvo_pad(%1, %2)").arg(x.sql).arg(x.tipo.longitud);
    };
    auto variable = [](const Expr& x) {
        return TipoSql::texto(x.tipo.esUnicode() ? Familia::NVarChar : Familia::VarChar, x.tipo.longitud);
    };
    Expr r;
    if (f == u"isnull") {
        exigir(2, 2);
        const Expr a = arg(0);
        const Expr b = arg(1);
        r.tipo = a.tipo.esNulo() ? b.tipo : a.tipo;
        r.sql = QStringLiteral("IFNULL(%1, %2)").arg(a.sql, aTipo(b, r.tipo).sql);
    } else if (f == u"coalesce") {
        exigir(2, 1000);
        std::vector<Expr> xs;
        r.tipo = TipoSql::de(Familia::Nulo);
        for (size_t i = 0; i < cuantos; ++i) {
            xs.push_back(arg(i));
            r.tipo = tipoDominante(r.tipo, xs.back().tipo);
        }
        QStringList partes;
        for (const Expr& x : xs)
            partes << aTipo(x, r.tipo).sql;
        r.sql = QStringLiteral("coalesce(") + partes.join(QStringLiteral(", ")) + QLatin1Char(')');
    } else if (f == u"nullif") {
        exigir(2, 2);
        Expr a = arg(0);
        Expr b = arg(1);
        r.tipo = a.tipo;
        unificar(a, b);
        r.sql = QStringLiteral("nullif(%1, %2)").arg(a.sql, b.sql);
    } else if (f == u"right" || f == u"left") {
        exigir(2, 2);
        const Expr s = texto(0);
        const Expr largo = entero(1);
        const QString sv = conRelleno(s);
        if (largo.constante && !largo.valor.esNulo()) {
            const qint64 k = largo.valor.entero;
            if (k < 0)
                lanzar(536, k42000,
                       QStringLiteral("Se pasó un parámetro de longitud no válido a la función %1.")
                           .arg(n.texto.toUpper()));
            r.sql = f == u"left" ? QStringLiteral("substr(%1, 1, %2)").arg(sv).arg(k)
                    : k == 0     ? QStringLiteral("substr(%1, 1, 0)").arg(sv)
                                 : QStringLiteral("substr(%1, -%2, %2)").arg(sv).arg(k);
        } else {
            r.sql = f == u"left" ? QStringLiteral("substr(%1, 1, %2)").arg(sv, largo.sql)
                                 : QStringLiteral("substr(%1, -(%2), %2)").arg(sv, largo.sql);
        }
        r.tipo = variable(s);
    } else if (f == u"ltrim" || f == u"rtrim") {
        exigir(1, 1);
        const Expr s = texto(0);
        r.sql = f == u"ltrim" ? QStringLiteral("ltrim(%1, ' ')").arg(conRelleno(s))
                              : QStringLiteral("rtrim(%1, ' ')").arg(s.sql);
        r.tipo = variable(s);
    } else if (f == u"upper" || f == u"lower") {
        exigir(1, 1);
        const Expr s = texto(0);
        r.sql = QStringLiteral("%1(%2)").arg(f, conRelleno(s));
        r.tipo = variable(s);
    } else if (f == u"len") {
        exigir(1, 1);
        r.sql = QStringLiteral("length(rtrim(%1, ' '))").arg(texto(0).sql);
        r.tipo = TipoSql::de(Familia::Int);
    } else if (f == u"substring") {
        exigir(3, 3);
        const Expr s = texto(0);
        r.sql = QStringLiteral("substr(%1, %2, %3)").arg(conRelleno(s), entero(1).sql, entero(2).sql);
        r.tipo = variable(s);
    } else if (f == u"replace") {
        exigir(3, 3);
        r.sql =
            QStringLiteral("dalvo_replace(%1, %2, %3)").arg(conRelleno(texto(0)), texto(1).sql, texto(2).sql);
        r.tipo = TipoSql::texto(Familia::VarChar, 8000);
    } else if (f == u"charindex") {
        exigir(2, 3);
        r.sql = QStringLiteral("dalvo_charindex(%1, %2%3)")
                    .arg(texto(0).sql, texto(1).sql,
                         cuantos == 3 ? QStringLiteral(", ") + entero(2).sql : QString());
        r.tipo = TipoSql::de(Familia::Int);
    } else if (f == u"replicate" || f == u"space") {
        exigir(f == u"space" ? 1 : 2, f == u"space" ? 1 : 2);
        r.sql = f == u"space" ? QStringLiteral("dalvo_replicate(' ', %1)").arg(entero(0).sql)
                              : QStringLiteral("dalvo_replicate(%1, %2)").arg(texto(0).sql, entero(1).sql);
        r.tipo = TipoSql::texto(Familia::VarChar, 8000);
    } else if (f == u"getdate") {
        exigir(0, 0);
        r.sql = QStringLiteral("dalvo_ahora()");
        r.tipo = TipoSql::de(Familia::DateTime);
    } else if (f == u"dateadd" || f == u"datediff" || f == u"datepart") {
        exigir(f == u"datepart" ? 2 : 3, f == u"datepart" ? 2 : 3);
        if (n.hijos[0]->clase != ClaseNodo::ParteFecha)
            errorSintaxis(n.texto);
        const int p = parteFecha(*n.hijos[0]);
        if (f == u"dateadd") {
            Expr cantidad = arg(1);
            if (!cantidad.tipo.esNumero() && !cantidad.tipo.esNulo())
                cantidad = aTipo(cantidad, TipoSql::de(Familia::Int));
            r.sql = QStringLiteral("dalvo_dateadd(%1, %2, %3)").arg(p).arg(cantidad.sql, fecha(2).sql);
            r.tipo = TipoSql::de(Familia::DateTime);
        } else if (f == u"datediff") {
            r.sql = QStringLiteral("dalvo_datediff(%1, %2, %3)").arg(p).arg(fecha(1).sql, fecha(2).sql);
            r.tipo = TipoSql::de(Familia::Int);
        } else {
            r.sql = QStringLiteral("dalvo_datepart(%1, %2)").arg(p).arg(fecha(1).sql);
            r.tipo = TipoSql::de(Familia::Int);
        }
    } else if (f == u"year" || f == u"month" || f == u"day") {
        exigir(1, 1);
        const int p = f == u"year" ? parte::Anio : f == u"month" ? parte::Mes : parte::Dia;
        r.sql = QStringLiteral("dalvo_datepart(%1, %2)").arg(p).arg(fecha(0).sql);
        r.tipo = TipoSql::de(Familia::Int);
    } else if (f == u"db_name") {
        exigir(0, 0);
        return literal(ValorSql::deTexto(mEntorno.baseDatos), TipoSql::texto(Familia::NVarChar, 128));
    } else if (f == u"user_name" || f == u"suser_sname" || f == u"suser_name") {
        exigir(0, 0);
        return literal(ValorSql::deTexto(mEntorno.usuario), TipoSql::texto(Familia::NVarChar, 128));
    } else if (f == u"object_id") {
        exigir(1, 2);
        const Expr nombre = arg(0);
        if (!nombre.constante || nombre.valor.clase != ValorSql::Texto)
            noSoportado(QStringLiteral("OBJECT_ID con un nombre que no es un texto fijo"));
        // 'Tickets', 'dbo.Tickets', '[dbo].[Tickets]', 'master..systypes'
        QStringList partes = nombre.valor.texto.split(QLatin1Char('.'));
        for (QString& p : partes)
            if (p.startsWith(QLatin1Char('[')) && p.endsWith(QLatin1Char(']')))
                p = p.mid(1, p.size() - 2);
        ValorSql id;
        try {
            id = ValorSql::deEntero(idObjeto(resolverTabla(partes, false).nombre));
        } catch (const ado::FallaMotor&) {
            // an unknown name gives NULL, as SQL Server does
        }
        return literal(id, TipoSql::de(Familia::Int));
    } else if (f == u"abs" || f == u"floor" || f == u"ceiling" || f == u"sign") {
        exigir(1, 1);
        const Expr x = arg(0);
        if (!x.tipo.esNumero() && !x.tipo.esNulo())
            operandoInvalido(x.tipo, f);
        r.sql = QStringLiteral("%1(%2)").arg(f == u"ceiling" ? QStringLiteral("ceil") : f, x.sql);
        r.tipo = x.tipo.esNulo() ? TipoSql::de(Familia::Int) : x.tipo;
        if (f == u"sign" || f == u"floor" || f == u"ceiling")
            r.sql = QStringLiteral("CAST(%1 AS %2)")
                        .arg(r.sql, r.tipo.esEntero() ? QStringLiteral("INTEGER") : QStringLiteral("REAL"));
    } else if (f == u"round") {
        exigir(2, 3);
        const Expr x = arg(0);
        r.sql =
            QStringLiteral("dalvo_round(%1, %2%3)")
                .arg(x.sql, entero(1).sql, cuantos == 3 ? QStringLiteral(", ") + entero(2).sql : QString());
        r.tipo = x.tipo;
    } else if (f == u"power" || f == u"sqrt") {
        exigir(f == u"sqrt" ? 1 : 2, f == u"sqrt" ? 1 : 2);
        r.sql = f == u"sqrt" ? QStringLiteral("sqrt(%1)").arg(arg(0).sql)
                             : QStringLiteral("pow(%1, %2)").arg(arg(0).sql, arg(1).sql);
        r.tipo = TipoSql::de(Familia::Float);
    } else if (f == u"scope_identity") {
        exigir(0, 0);
        r.sql = QStringLiteral("last_insert_rowid()");
        r.tipo = TipoSql::numerico(38, 0);
    } else if (esFuncionNoAdmitida(f)) {
        noSoportado(QStringLiteral("la función %1").arg(n.texto.toUpper()));
    } else {
        lanzar(num::FuncionDesconocida, k42000,
               QStringLiteral("'%1' no es un nombre de función integrada reconocido.").arg(n.texto));
    }
    return r;
}

Traductor::Expr Traductor::agregado(const Nodo& n, const QString& f)
{
    if (mAmbito->sinAgregados)
        lanzar(147, k42000,
               QStringLiteral("No puede aparecer un agregado en la cláusula WHERE a menos que esté en una "
                              "subconsulta contenida en una cláusula HAVING o en una lista de selección."));
    if (f.startsWith(u"stdev") || f.startsWith(u"var"))
        noSoportado(QStringLiteral("la función %1").arg(n.texto.toUpper()));
    Expr r;
    if (n.estrella) {
        if (f != u"count" && f != u"count_big")
            errorSintaxis(QStringLiteral("*"));
        r.sql = QStringLiteral("count(*)");
        r.tipo = TipoSql::de(f == u"count" ? Familia::Int : Familia::BigInt);
        return r;
    }
    if (n.hijos.size() != 1)
        lanzar(num::ArgumentosFuncion, k42000,
               QStringLiteral("La función %1 requiere 1 argumentos.").arg(n.texto));
    ++mAmbito->enAgregado;
    const Expr x = traducir(*n.hijos[0]);
    --mAmbito->enAgregado;
    QString a = (n.distinto ? QStringLiteral("DISTINCT ") : QString()) + x.sql;
    if (x.tipo.esTexto() && !x.ci && (n.distinto || f == u"min" || f == u"max"))
        a += QStringLiteral(" COLLATE CI_AS");
    if (f == u"count" || f == u"count_big") {
        r.sql = QStringLiteral("count(") + a + QLatin1Char(')');
        r.tipo = TipoSql::de(f == u"count" ? Familia::Int : Familia::BigInt);
        return r;
    }
    if (f == u"min" || f == u"max") {
        r.sql = f + QLatin1Char('(') + a + QLatin1Char(')');
        r.tipo = x.tipo;
        return r;
    }
    // SUM, AVG
    if (x.tipo.esTexto() || x.tipo.esFecha() || x.tipo.familia == Familia::Bit)
        operandoInvalido(x.tipo, f);
    switch (x.tipo.familia) {
    case Familia::TinyInt:
    case Familia::SmallInt:
    case Familia::Int:
    case Familia::Nulo:
        r.tipo = TipoSql::de(Familia::Int);
        break;
    case Familia::Numeric:
        r.tipo = TipoSql::numerico(38, f == u"avg" ? std::max(6, x.tipo.escala) : x.tipo.escala);
        break;
    case Familia::Real:
        r.tipo = TipoSql::de(Familia::Float);
        break;
    case Familia::SmallMoney:
        r.tipo = TipoSql::de(Familia::Money);
        break;
    default:
        r.tipo = x.tipo;
        break;
    }
    r.sql = f + QLatin1Char('(') + a + QLatin1Char(')');
    if (f == u"avg" && r.tipo.esEntero())
        r.sql = QStringLiteral("CAST(") + r.sql + QStringLiteral(" AS INTEGER)");
    return r;
}

Traductor::Expr Traductor::funcionUsuario(const Nodo& n)
{
    const QString nombre = n.partes.join(QLatin1Char('.')) + QLatin1Char('.') + n.texto;
    const Definicion* d =
        (mEntorno.funcion && n.partes.last().compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0)
            ? mEntorno.funcion(n.texto)
            : nullptr;
    if (!d || !d->esFuncion)
        lanzar(4121, k42000,
               QStringLiteral(
                   "No se encuentra la columna \"%1\" o la función definida por el usuario o el agregado "
                   "\"%2\", o el nombre es ambiguo.")
                   .arg(n.partes.last(), nombre));
    if (n.hijos.size() < d->parametros.size())
        lanzar(
            num::ArgumentosInsuficientes, k42000,
            QStringLiteral("Se proporcionó un número insuficiente de argumentos para el procedimiento o la "
                           "función %1.")
                .arg(nombre));
    if (n.hijos.size() > d->parametros.size())
        lanzar(num::DemasiadosArgumentos, k42000,
               QStringLiteral("El procedimiento o la función %1 tiene demasiados argumentos especificados.")
                   .arg(nombre));
    QStringList args{cadena(d->nombre)};
    for (size_t i = 0; i < n.hijos.size(); ++i) {
        const Expr x = traducir(*n.hijos[i]);
        if (x.predicado)
            errorSintaxis(n.texto);
        args << aTipo(x, d->parametros[i].tipo).sql;
    }
    Expr r;
    r.sql = QStringLiteral("dalvo_fn(") + args.join(QStringLiteral(", ")) + QLatin1Char(')');
    r.tipo = d->retorno;
    return r;
}

} // namespace dalvo::embebido

// SELECT, FROM and the table hints.
#include "data/embedded/Analizador.h"
#include "data/embedded/Errores.h"

#include <QSet>

namespace dalvo::embebido {

namespace {

bool esSugerencia(const QString& palabra)
{
    static const QSet<QString> conocidas = {
        QStringLiteral("NOLOCK"),         QStringLiteral("READUNCOMMITTED"), QStringLiteral("READCOMMITTED"),
        QStringLiteral("REPEATABLEREAD"), QStringLiteral("SERIALIZABLE"),    QStringLiteral("HOLDLOCK"),
        QStringLiteral("ROWLOCK"),        QStringLiteral("PAGLOCK"),         QStringLiteral("TABLOCK"),
        QStringLiteral("TABLOCKX"),       QStringLiteral("UPDLOCK"),         QStringLiteral("XLOCK"),
        QStringLiteral("READPAST"),       QStringLiteral("NOWAIT"),          QStringLiteral("NOEXPAND"),
        QStringLiteral("FASTFIRSTROW"),   QStringLiteral("INDEX"),
    };
    return conocidas.contains(palabra.toUpper());
}

} // namespace

std::unique_ptr<Select> Analizador::select()
{
    auto s = selectSimple();
    while (es("UNION") || es("EXCEPT") || es("INTERSECT")) {
        QString operador = actual().texto.toUpper();
        ++mPos;
        if (operador == QLatin1String("UNION") && acepta("ALL"))
            operador = QStringLiteral("UNION ALL");
        Select::Compuesto c;
        c.operador = operador;
        c.select = selectSimple();
        s->compuestos.push_back(std::move(c));
    }
    if (acepta("ORDER")) {
        exige("BY");
        do {
            Orden o;
            o.expr = expresion();
            if (acepta("DESC"))
                o.descendente = true;
            else
                acepta("ASC");
            s->orden.push_back(std::move(o));
        } while (acepta(","));
    }
    if (es("FOR"))
        noSoportado(QStringLiteral("FOR XML/BROWSE"));
    if (es("OPTION"))
        noSoportado(QStringLiteral("OPTION (...)"));
    if (es("COMPUTE"))
        noSoportado(QStringLiteral("COMPUTE"));
    return s;
}

std::unique_ptr<Select> Analizador::selectSimple()
{
    if (actual().esSimbolo("(") && siguiente().es("SELECT")) {
        ++mPos;
        auto s = select();
        exige(")");
        return s;
    }
    exige("SELECT");
    auto s = std::make_unique<Select>();
    if (acepta("DISTINCT"))
        s->distinto = true;
    else
        acepta("ALL");
    if (acepta("TOP")) {
        if (acepta("(")) {
            s->top = expresion();
            exige(")");
        } else if (actual().tipo == Tok::Entero || actual().tipo == Tok::Variable) {
            s->top = primaria();
        } else {
            errorAqui();
        }
        if (es("PERCENT"))
            noSoportado(QStringLiteral("TOP ... PERCENT"));
        if (es("WITH") && siguiente().es("TIES"))
            noSoportado(QStringLiteral("TOP ... WITH TIES"));
    }
    do {
        ItemSelect it;
        if (actual().esSimbolo("*")) {
            ++mPos;
            s->items.push_back(std::move(it));
            continue;
        }
        // T.* (and db.dbo.T.*)
        size_t k = mPos;
        QStringList calificador;
        while ((mTokens[k].tipo == Tok::Ident || mTokens[k].tipo == Tok::IdentCitado) &&
               mTokens[k + 1].esSimbolo(".")) {
            calificador << mTokens[k].texto;
            k += 2;
            if (mTokens[k].esSimbolo("*")) {
                mPos = k + 1;
                it.estrella = calificador;
                break;
            }
        }
        if (!it.estrella.isEmpty()) {
            s->items.push_back(std::move(it));
            continue;
        }
        const Token& t = actual();
        const bool nombreIgual =
            siguiente().esSimbolo("=") && ((t.tipo == Tok::Ident && !esReservada(t.texto)) ||
                                           t.tipo == Tok::IdentCitado || t.tipo == Tok::Cadena);
        if (t.tipo == Tok::Variable && siguiente().esSimbolo("=")) {
            it.variable = t.texto;
            mPos += 2;
            it.expr = expresion();
        } else if (nombreIgual) {
            it.alias = t.texto;
            it.conAlias = true;
            mPos += 2;
            it.expr = expresion();
        } else {
            it.expr = expresion();
            it.alias = aliasOpcional(true);
            it.conAlias = !it.alias.isNull();
        }
        s->items.push_back(std::move(it));
    } while (acepta(","));
    if (es("INTO"))
        noSoportado(QStringLiteral("SELECT ... INTO"));
    if (acepta("FROM"))
        listaDesde(s->desde);
    if (acepta("WHERE"))
        s->where = expresion();
    if (acepta("GROUP")) {
        exige("BY");
        if (es("ALL"))
            noSoportado(QStringLiteral("GROUP BY ALL"));
        do
            s->agrupar.push_back(expresion());
        while (acepta(","));
        if (es("WITH"))
            noSoportado(QStringLiteral("GROUP BY ... WITH ROLLUP/CUBE"));
    }
    if (acepta("HAVING"))
        s->having = expresion();
    return s;
}

// An alias with or without AS; a null QString when there is none.
QString Analizador::aliasOpcional(bool permiteCadena)
{
    if (acepta("AS")) {
        if (permiteCadena && actual().tipo == Tok::Cadena) {
            ++mPos;
            return mTokens[mPos - 1].texto;
        }
        return identificador();
    }
    const Token& t = actual();
    if (t.tipo == Tok::IdentCitado || (t.tipo == Tok::Ident && !esReservada(t.texto)) ||
        (permiteCadena && t.tipo == Tok::Cadena)) {
        ++mPos;
        return t.texto;
    }
    return QString();
}

void Analizador::listaDesde(std::vector<Union>& desde)
{
    Union primera;
    primera.fuente = fuente();
    desde.push_back(std::move(primera));
    for (;;) {
        TipoJoin tipo;
        if (acepta(",")) {
            Union u;
            u.tipo = TipoJoin::Coma;
            u.fuente = fuente();
            desde.push_back(std::move(u));
            continue;
        }
        if (acepta("INNER")) {
            tipo = TipoJoin::Interna;
            exige("JOIN");
        } else if (acepta("JOIN")) {
            tipo = TipoJoin::Interna;
        } else if (es("LEFT") || es("RIGHT") || es("FULL")) {
            tipo = es("LEFT") ? TipoJoin::Izquierda : es("RIGHT") ? TipoJoin::Derecha : TipoJoin::Completa;
            ++mPos;
            acepta("OUTER");
            exige("JOIN");
        } else if (es("CROSS")) {
            ++mPos;
            if (es("APPLY"))
                noSoportado(QStringLiteral("CROSS APPLY"));
            exige("JOIN");
            tipo = TipoJoin::Cruzada;
        } else if (es("OUTER") && siguiente().es("APPLY")) {
            noSoportado(QStringLiteral("OUTER APPLY"));
        } else if (es("PIVOT") || es("UNPIVOT")) {
            noSoportado(actual().texto.toUpper());
        } else {
            break;
        }
        Union u;
        u.tipo = tipo;
        u.fuente = fuente();
        if (tipo != TipoJoin::Cruzada) {
            exige("ON");
            u.on = expresion();
        }
        desde.push_back(std::move(u));
    }
}

bool Analizador::esInicioSugerencias() const
{
    return actual().esSimbolo("(") && siguiente().tipo == Tok::Ident && esSugerencia(siguiente().texto);
}

void Analizador::sugerencias()
{
    exige("(");
    do {
        if (actual().tipo != Tok::Ident)
            errorAqui();
        if (!esSugerencia(actual().texto))
            noSoportado(QStringLiteral("la sugerencia de tabla %1").arg(actual().texto));
        const bool indice = es("INDEX");
        ++mPos;
        if (indice) {
            if (acepta("=")) {
                ++mPos;
            } else {
                exige("(");
                while (!actual().esSimbolo(")") && actual().tipo != Tok::Fin)
                    ++mPos;
                exige(")");
            }
        }
    } while (acepta(","));
    exige(")");
}

Fuente Analizador::fuente()
{
    Fuente f;
    f.inicio = posicion();
    if (actual().esSimbolo("(")) {
        if (!siguiente().es("SELECT"))
            noSoportado(QStringLiteral("combinaciones entre paréntesis en FROM"));
        ++mPos;
        f.sub = select();
        exige(")");
        acepta("AS");
        f.alias = identificador();
        return f;
    }
    if (actual().tipo == Tok::Variable)
        noSoportado(QStringLiteral("variables de tabla"));
    if (actual().tipo == Tok::Ident && actual().texto.startsWith(QLatin1Char('#')))
        noSoportado(QStringLiteral("tablas temporales (%1)").arg(actual().texto));
    if (es("OPENQUERY") || es("OPENROWSET") || es("OPENDATASOURCE") || es("OPENXML"))
        noSoportado(actual().texto.toUpper());
    f.nombre = nombreCompuesto();
    if (actual().esSimbolo("(")) {
        if (!esInicioSugerencias())
            noSoportado(
                QStringLiteral("funciones con valores de tabla (%1)").arg(f.nombre.join(QLatin1Char('.'))));
        sugerencias();
    }
    f.alias = aliasOpcional(false);
    if (es("WITH") && siguiente().esSimbolo("(")) {
        ++mPos;
        sugerencias();
    } else if (esInicioSugerencias()) {
        sugerencias();
    }
    if (es("TABLESAMPLE"))
        noSoportado(QStringLiteral("TABLESAMPLE"));
    return f;
}

QStringList Analizador::nombreCompuesto()
{
    QStringList partes;
    partes << identificador();
    while (actual().esSimbolo(".")) {
        ++mPos;
        if (actual().esSimbolo(".")) {
            partes << QString();
            continue;
        }
        partes << identificador();
    }
    return partes;
}

} // namespace dalvo::embebido

// SELECT and expressions.
#include "data/embedded/Analizador.h"
#include "data/embedded/Errores.h"

#include <QSet>
#include <limits>

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

// Data types SQL Server has and the demo server does not.
bool esTipoNoAdmitido(const QString& nombre)
{
    static const QSet<QString> tipos = {
        QStringLiteral("binary"),
        QStringLiteral("varbinary"),
        QStringLiteral("image"),
        QStringLiteral("uniqueidentifier"),
        QStringLiteral("xml"),
        QStringLiteral("date"),
        QStringLiteral("time"),
        QStringLiteral("datetime2"),
        QStringLiteral("datetimeoffset"),
        QStringLiteral("timestamp"),
        QStringLiteral("rowversion"),
        QStringLiteral("sql_variant"),
        QStringLiteral("hierarchyid"),
        QStringLiteral("geography"),
        QStringLiteral("geometry"),
        QStringLiteral("cursor"),
        QStringLiteral("table"),
    };
    return tipos.contains(nombre.toLower());
}

} // namespace

bool esAgregado(const QString& nombreFuncion)
{
    static const QSet<QString> agregados = {
        QStringLiteral("count"), QStringLiteral("count_big"), QStringLiteral("sum"),
        QStringLiteral("avg"),   QStringLiteral("min"),       QStringLiteral("max"),
        QStringLiteral("stdev"), QStringLiteral("stdevp"),    QStringLiteral("var"),
        QStringLiteral("varp"),
    };
    return agregados.contains(nombreFuncion.toLower());
}

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

PNodo Analizador::expresion()
{
    return o();
}

PNodo Analizador::o()
{
    PNodo izq = y();
    while (es("OR")) {
        PNodo n = nodo(ClaseNodo::O, izq->inicio);
        ++mPos;
        n->hijos.push_back(std::move(izq));
        n->hijos.push_back(y());
        n->fin = finAnterior();
        izq = std::move(n);
    }
    return izq;
}

PNodo Analizador::y()
{
    PNodo izq = no();
    while (es("AND")) {
        PNodo n = nodo(ClaseNodo::Y, izq->inicio);
        ++mPos;
        n->hijos.push_back(std::move(izq));
        n->hijos.push_back(no());
        n->fin = finAnterior();
        izq = std::move(n);
    }
    return izq;
}

PNodo Analizador::no()
{
    if (es("NOT")) {
        PNodo n = nodo(ClaseNodo::No, posicion());
        ++mPos;
        n->hijos.push_back(no());
        n->fin = finAnterior();
        return n;
    }
    return predicado();
}

PNodo Analizador::predicado()
{
    if (es("EXISTS")) {
        PNodo n = nodo(ClaseNodo::Existe, posicion());
        ++mPos;
        exige("(");
        n->sub = select();
        exige(")");
        n->fin = finAnterior();
        return n;
    }
    PNodo izq = aditiva();
    const int inicio = izq->inicio;
    bool negado = false;
    if (es("NOT") && (siguiente().es("BETWEEN") || siguiente().es("LIKE") || siguiente().es("IN"))) {
        negado = true;
        ++mPos;
    }
    PNodo n;
    if (acepta("BETWEEN")) {
        n = nodo(ClaseNodo::Entre, inicio);
        n->hijos.push_back(std::move(izq));
        n->hijos.push_back(aditiva());
        exige("AND");
        n->hijos.push_back(aditiva());
    } else if (acepta("LIKE")) {
        n = nodo(ClaseNodo::Como, inicio);
        n->hijos.push_back(std::move(izq));
        n->hijos.push_back(aditiva());
        if (acepta("ESCAPE"))
            n->hijos.push_back(aditiva());
    } else if (acepta("IN")) {
        n = nodo(ClaseNodo::En, inicio);
        n->hijos.push_back(std::move(izq));
        exige("(");
        if (es("SELECT")) {
            n->sub = select();
        } else {
            do
                n->hijos.push_back(expresion());
            while (acepta(","));
        }
        exige(")");
    } else if (negado) {
        errorAqui();
    } else if (acepta("IS")) {
        n = nodo(ClaseNodo::EsNulo, inicio);
        n->negado = acepta("NOT");
        exige("NULL");
        n->hijos.push_back(std::move(izq));
    } else if (actual().tipo == Tok::Simbolo &&
               (actual().texto == QLatin1String("=") || actual().texto == QLatin1String("<>") ||
                actual().texto == QLatin1String("!=") || actual().texto == QLatin1String("<") ||
                actual().texto == QLatin1String(">") || actual().texto == QLatin1String("<=") ||
                actual().texto == QLatin1String(">=") || actual().texto == QLatin1String("!<") ||
                actual().texto == QLatin1String("!>"))) {
        QString op = actual().texto;
        if (op == QLatin1String("!="))
            op = QStringLiteral("<>");
        else if (op == QLatin1String("!<"))
            op = QStringLiteral(">=");
        else if (op == QLatin1String("!>"))
            op = QStringLiteral("<=");
        ++mPos;
        if (es("ALL") || es("ANY") || es("SOME"))
            noSoportado(QStringLiteral("%1 (subconsulta)").arg(actual().texto.toUpper()));
        n = nodo(ClaseNodo::Comparacion, inicio);
        n->texto = op;
        n->hijos.push_back(std::move(izq));
        n->hijos.push_back(aditiva());
    } else if (actual().esSimbolo("*=") || actual().esSimbolo("=*")) {
        lanzar(num::CombinacionNoAnsi, QStringLiteral("42000"),
               QStringLiteral(
                   "La consulta utiliza operadores de combinación externa que no son ANSI (\"*=\" o "
                   "\"=*\"). Para ejecutar esta consulta sin modificarla, use LEFT JOIN o RIGHT JOIN."));
    } else {
        return izq;
    }
    n->negado = n->negado || negado;
    n->fin = finAnterior();
    return n;
}

PNodo Analizador::aditiva()
{
    PNodo izq = multiplicativa();
    while (actual().tipo == Tok::Simbolo &&
           (actual().texto == QLatin1String("+") || actual().texto == QLatin1String("-") ||
            actual().texto == QLatin1String("&") || actual().texto == QLatin1String("|") ||
            actual().texto == QLatin1String("^"))) {
        PNodo n = nodo(ClaseNodo::Binario, izq->inicio);
        n->texto = actual().texto;
        ++mPos;
        n->hijos.push_back(std::move(izq));
        n->hijos.push_back(multiplicativa());
        n->fin = finAnterior();
        izq = std::move(n);
    }
    return izq;
}

PNodo Analizador::multiplicativa()
{
    PNodo izq = unaria();
    while (actual().esSimbolo("*") || actual().esSimbolo("/") || actual().esSimbolo("%")) {
        PNodo n = nodo(ClaseNodo::Binario, izq->inicio);
        n->texto = actual().texto;
        ++mPos;
        n->hijos.push_back(std::move(izq));
        n->hijos.push_back(unaria());
        n->fin = finAnterior();
        izq = std::move(n);
    }
    return izq;
}

PNodo Analizador::unaria()
{
    if (actual().esSimbolo("-") || actual().esSimbolo("+") || actual().esSimbolo("~")) {
        const QString op = actual().texto;
        const int inicio = posicion();
        ++mPos;
        PNodo operando = unaria();
        if (op == QLatin1String("-") && operando->clase == ClaseNodo::Literal && operando->tipo.esNumero()) {
            // A negative number is a literal, so that it can stand where constants only are allowed.
            if (operando->valor.clase == ValorSql::Entero)
                operando->valor.entero = -operando->valor.entero;
            else
                operando->valor.real = -operando->valor.real;
            operando->inicio = inicio;
            return operando;
        }
        if (op == QLatin1String("+"))
            return operando;
        PNodo n = nodo(ClaseNodo::Unario, inicio);
        n->texto = op;
        n->hijos.push_back(std::move(operando));
        n->fin = finAnterior();
        return n;
    }
    return primaria();
}

PNodo Analizador::primaria()
{
    const Token& t = actual();
    const int inicio = t.inicio;
    PNodo n;
    switch (t.tipo) {
    case Tok::Cadena:
    case Tok::CadenaN:
        n = nodo(ClaseNodo::Literal, inicio);
        n->valor = ValorSql::deTexto(t.texto);
        n->tipo = TipoSql::texto(t.tipo == Tok::CadenaN ? Familia::NVarChar : Familia::VarChar,
                                 std::max<int>(1, int(t.texto.size())));
        ++mPos;
        break;
    case Tok::Entero: {
        n = nodo(ClaseNodo::Literal, inicio);
        bool ok = false;
        const qlonglong v = t.texto.toLongLong(&ok);
        if (ok && v <= std::numeric_limits<qint32>::max()) {
            n->valor = ValorSql::deEntero(v);
            n->tipo = TipoSql::de(Familia::Int);
        } else if (ok) {
            n->valor = ValorSql::deEntero(v);
            n->tipo = TipoSql::numerico(int(t.texto.size()), 0);
        } else {
            n->valor = ValorSql::deReal(t.texto.toDouble());
            n->tipo = TipoSql::numerico(38, 0);
        }
        ++mPos;
        break;
    }
    case Tok::Decimal: {
        n = nodo(ClaseNodo::Literal, inicio);
        const qsizetype punto = t.texto.indexOf(QLatin1Char('.'));
        const int escala = int(t.texto.size() - punto - 1);
        n->valor = ValorSql::deReal(t.texto.toDouble());
        n->tipo = TipoSql::numerico(std::max<int>(int(t.texto.size()) - 1, 1), escala);
        ++mPos;
        break;
    }
    case Tok::Real:
        n = nodo(ClaseNodo::Literal, inicio);
        n->valor = ValorSql::deReal(t.texto.toDouble());
        n->tipo = TipoSql::de(Familia::Float);
        ++mPos;
        break;
    case Tok::Variable:
    case Tok::Global:
        n = nodo(t.tipo == Tok::Variable ? ClaseNodo::Variable : ClaseNodo::Global, inicio);
        n->texto = t.texto;
        ++mPos;
        break;
    case Tok::Simbolo:
        if (!t.esSimbolo("("))
            errorAqui();
        ++mPos;
        if (es("SELECT")) {
            n = nodo(ClaseNodo::Subconsulta, inicio);
            n->sub = select();
        } else {
            n = expresion();
        }
        exige(")");
        return n;
    case Tok::Ident:
        if (t.es("NULL")) {
            n = nodo(ClaseNodo::Literal, inicio);
            n->tipo = TipoSql::de(Familia::Nulo);
            ++mPos;
            break;
        }
        if (t.es("CASE"))
            return caso(inicio);
        if (t.es("CAST") && siguiente().esSimbolo("(")) {
            mPos += 2;
            n = nodo(ClaseNodo::Convertir, inicio);
            n->texto = QStringLiteral("CAST");
            n->hijos.push_back(expresion());
            exige("AS");
            n->tipo = tipoDeDatos(true);
            exige(")");
            break;
        }
        if (t.es("CONVERT") && siguiente().esSimbolo("(")) {
            mPos += 2;
            n = nodo(ClaseNodo::Convertir, inicio);
            n->texto = QStringLiteral("CONVERT");
            n->tipo = tipoDeDatos(true);
            exige(",");
            n->hijos.push_back(expresion());
            if (acepta(","))
                n->hijos.push_back(expresion());
            exige(")");
            break;
        }
        if (t.es("CURRENT_TIMESTAMP")) {
            ++mPos;
            n = nodo(ClaseNodo::Funcion, inicio);
            n->texto = QStringLiteral("GETDATE");
            break;
        }
        if (esReservada(t.texto) && !((t.es("LEFT") || t.es("RIGHT")) && siguiente().esSimbolo("(")))
            errorAqui();
        [[fallthrough]];
    case Tok::IdentCitado: {
        QStringList nombre;
        if (t.tipo == Tok::Ident && esReservada(t.texto)) {
            nombre << t.texto; // LEFT( / RIGHT(
            ++mPos;
        } else {
            nombre = nombreCompuesto();
        }
        if (actual().esSimbolo("("))
            return funcion(nombre, inicio);
        n = nodo(ClaseNodo::Columna, inicio);
        n->partes = nombre;
        break;
    }
    default:
        errorAqui();
    }
    n->fin = finAnterior();
    return n;
}

PNodo Analizador::funcion(QStringList nombre, int inicio)
{
    exige("(");
    PNodo n = nodo(ClaseNodo::Funcion, inicio);
    n->texto = nombre.takeLast();
    n->partes = nombre;
    const QString minus = n->texto.toLower();
    if (minus == QLatin1String("dateadd") || minus == QLatin1String("datediff") ||
        minus == QLatin1String("datepart") || minus == QLatin1String("datename")) {
        PNodo parte = nodo(ClaseNodo::ParteFecha, posicion());
        if (actual().tipo != Tok::Ident && actual().tipo != Tok::Cadena)
            errorAqui();
        parte->texto = actual().texto.toLower();
        ++mPos;
        n->hijos.push_back(std::move(parte));
        while (acepta(","))
            n->hijos.push_back(expresion());
    } else if (actual().esSimbolo("*")) {
        ++mPos;
        n->estrella = true;
    } else if (!actual().esSimbolo(")")) {
        if (acepta("DISTINCT"))
            n->distinto = true;
        else
            acepta("ALL");
        do
            n->hijos.push_back(expresion());
        while (acepta(","));
    }
    exige(")");
    if (es("OVER"))
        noSoportado(QStringLiteral("OVER (funciones de ventana)"));
    n->fin = finAnterior();
    return n;
}

PNodo Analizador::caso(int inicio)
{
    exige("CASE");
    PNodo n = nodo(ClaseNodo::Caso, inicio);
    if (!es("WHEN")) {
        n->tieneBase = true;
        n->hijos.push_back(expresion());
    }
    if (!es("WHEN"))
        errorAqui();
    while (acepta("WHEN")) {
        n->hijos.push_back(expresion());
        exige("THEN");
        n->hijos.push_back(expresion());
    }
    if (acepta("ELSE")) {
        n->tieneElse = true;
        n->hijos.push_back(expresion());
    }
    exige("END");
    n->fin = finAnterior();
    return n;
}

TipoSql Analizador::tipoDeDatos(bool enConvert)
{
    if (actual().tipo == Tok::Ident && actual().texto.startsWith(QLatin1Char('#')))
        errorAqui();
    QString nombre = identificador();
    if (nombre.compare(QLatin1String("double"), Qt::CaseInsensitive) == 0 && acepta("PRECISION"))
        nombre = QStringLiteral("float");
    if (nombre.compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0 && acepta("."))
        nombre = identificador();
    int longitud = -2;
    int escala = -1;
    if (acepta("(")) {
        if (acepta("MAX")) {
            longitud = -1;
        } else {
            if (actual().tipo != Tok::Entero)
                errorAqui();
            longitud = actual().texto.toInt();
            ++mPos;
            if (acepta(",")) {
                if (actual().tipo != Tok::Entero)
                    errorAqui();
                escala = actual().texto.toInt();
                ++mPos;
            }
        }
        exige(")");
    }
    auto t = leerTipo(nombre, longitud, escala);
    if (!t) {
        if (esTipoNoAdmitido(nombre))
            noSoportado(QStringLiteral("el tipo de datos %1").arg(nombre));
        lanzar(num::TipoDesconocido, QStringLiteral("42000"),
               QStringLiteral("El tipo %1 no es un tipo de sistema definido.").arg(nombre));
    }
    // CONVERT(char, x) without a length means 30 characters; a declaration without one means 1.
    if (enConvert && longitud == -2 && t->esTexto() && t->longitud == 1)
        t->longitud = 30;
    return *t;
}

} // namespace dalvo::embebido

// Expressions.
#include "data/embedded/Analizador.h"
#include "data/embedded/Errores.h"

#include <QSet>
#include <limits>

namespace dalvo::embebido {

namespace {

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
        n->parametro = marca();
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
        n->parametro = marca();
        ++mPos;
        break;
    }
    case Tok::Decimal: {
        n = nodo(ClaseNodo::Literal, inicio);
        const qsizetype punto = t.texto.indexOf(QLatin1Char('.'));
        const int escala = int(t.texto.size() - punto - 1);
        n->valor = ValorSql::deReal(t.texto.toDouble());
        n->tipo = TipoSql::numerico(std::max<int>(int(t.texto.size()) - 1, 1), escala);
        n->parametro = marca();
        ++mPos;
        break;
    }
    case Tok::Real:
        n = nodo(ClaseNodo::Literal, inicio);
        n->valor = ValorSql::deReal(t.texto.toDouble());
        n->tipo = TipoSql::de(Familia::Float);
        n->parametro = marca();
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

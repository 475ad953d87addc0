#include "data/embedded/Plantilla.h"

#include <limits>

namespace dalvo::embebido {

namespace {

bool esLiteral(const Token& t)
{
    return t.tipo == Tok::Cadena || t.tipo == Tok::CadenaN || t.tipo == Tok::Entero ||
           t.tipo == Tok::Decimal || t.tipo == Tok::Real;
}

bool esComparacion(const Token& t)
{
    static const char* ops[] = {"=", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>"};
    if (t.tipo != Tok::Simbolo)
        return false;
    for (const char* op : ops)
        if (t.texto == QLatin1String(op))
            return true;
    return false;
}

// A literal whose value only feeds a condition. Not: select-list items, function arguments, CASE results,
// ORDER BY positions, TOP, CONVERT styles, alias assignments (SELECT Cuenta = 1), negative numbers.
bool esValorDeCondicion(const std::vector<Token>& t, size_t i)
{
    if (i == 0)
        return false;
    const Token& antes = t[i - 1];
    if (antes.es("LIKE") || antes.es("BETWEEN") || antes.es("AND"))
        return true;
    if (!esComparacion(antes))
        return false;
    if (antes.texto == QLatin1String("=") && i >= 3) {
        const Token& nombre = t[i - 2];
        const Token& previo = t[i - 3];
        const bool puedeSerAlias =
            nombre.tipo == Tok::Ident || nombre.tipo == Tok::IdentCitado || nombre.tipo == Tok::Cadena;
        if (puedeSerAlias && (previo.es("SELECT") || previo.es("DISTINCT") || previo.esSimbolo(",") ||
                              (previo.tipo == Tok::Entero && i >= 4 && t[i - 4].es("TOP"))))
            return false;
    }
    return true;
}

QChar forma(const Token& t, const Token& antes)
{
    switch (t.tipo) {
    case Tok::Cadena:
    case Tok::CadenaN: {
        if (!antes.es("LIKE"))
            return t.tipo == Tok::Cadena ? u's' : u'S';
        const bool prefijo =
            !t.texto.isEmpty() && t.texto[0] != u'%' && t.texto[0] != u'_' && t.texto[0] != u'[';
        return prefijo ? u'p' : u'w';
    }
    case Tok::Entero: {
        bool ok = false;
        const qlonglong v = t.texto.toLongLong(&ok);
        return ok && v <= std::numeric_limits<qint32>::max() ? u'i' : u'I';
    }
    case Tok::Decimal:
        return u'd';
    default:
        return u'r';
    }
}

ValorSql valorDe(const Token& t)
{
    switch (t.tipo) {
    case Tok::Cadena:
    case Tok::CadenaN:
        return ValorSql::deTexto(t.texto);
    case Tok::Entero: {
        bool ok = false;
        const qlonglong v = t.texto.toLongLong(&ok);
        return ok ? ValorSql::deEntero(v) : ValorSql::deReal(t.texto.toDouble());
    }
    default:
        return ValorSql::deReal(t.texto.toDouble());
    }
}

} // namespace

Plantilla armarPlantilla(const QString& sql, const std::vector<Token>& tokens)
{
    Plantilla p;
    p.marcas.assign(tokens.size(), 0);
    p.clave.reserve(sql.size());
    const QStringView fuente(sql);
    for (size_t i = 0; i + 1 < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (i > 0)
            p.clave += QLatin1Char(' ');
        if (esLiteral(t) && esValorDeCondicion(tokens, i)) {
            p.valores.push_back(valorDe(t));
            p.marcas[i] = int(p.valores.size());
            p.clave += QChar(1);
            p.clave += forma(t, tokens[i - 1]);
            if (t.tipo == Tok::Decimal)
                p.clave += QString::number(t.texto.size() - t.texto.indexOf(QLatin1Char('.')) - 1);
            continue;
        }
        p.clave += fuente.mid(t.inicio, t.fin - t.inicio);
    }
    return p;
}

QByteArray nombreParametro(int k)
{
    return QByteArrayLiteral("@__p") + QByteArray::number(k);
}

int numeroParametro(const QByteArray& nombre)
{
    return nombre.startsWith("@__p") ? nombre.mid(4).toInt() : 0;
}

} // namespace dalvo::embebido

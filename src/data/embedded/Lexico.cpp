#include "data/embedded/Lexico.h"

#include "data/embedded/Errores.h"

#include <QSet>

namespace dalvo::embebido {

namespace {

bool inicioIdent(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'#';
}

bool parteIdent(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'#' || c == u'$';
}

} // namespace

bool Token::es(const char* palabra) const
{
    if (tipo != Tok::Ident && tipo != Tok::Simbolo)
        return false;
    return texto.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0;
}

bool esReservada(const QString& palabra)
{
    static const QSet<QString> reservadas = {
        QStringLiteral("ADD"),         QStringLiteral("ALL"),      QStringLiteral("AND"),
        QStringLiteral("AS"),          QStringLiteral("ASC"),      QStringLiteral("BEGIN"),
        QStringLiteral("BETWEEN"),     QStringLiteral("BY"),       QStringLiteral("CASE"),
        QStringLiteral("COMPUTE"),     QStringLiteral("CROSS"),    QStringLiteral("DECLARE"),
        QStringLiteral("DELETE"),      QStringLiteral("DESC"),     QStringLiteral("DISTINCT"),
        QStringLiteral("ELSE"),        QStringLiteral("END"),      QStringLiteral("EXCEPT"),
        QStringLiteral("EXEC"),        QStringLiteral("EXECUTE"),  QStringLiteral("EXISTS"),
        QStringLiteral("FOR"),         QStringLiteral("FROM"),     QStringLiteral("FULL"),
        QStringLiteral("GROUP"),       QStringLiteral("HAVING"),   QStringLiteral("IF"),
        QStringLiteral("IN"),          QStringLiteral("INNER"),    QStringLiteral("INSERT"),
        QStringLiteral("INTERSECT"),   QStringLiteral("INTO"),     QStringLiteral("IS"),
        QStringLiteral("JOIN"),        QStringLiteral("LEFT"),     QStringLiteral("LIKE"),
        QStringLiteral("NOT"),         QStringLiteral("NULL"),     QStringLiteral("ON"),
        QStringLiteral("OPTION"),      QStringLiteral("OR"),       QStringLiteral("ORDER"),
        QStringLiteral("OUTER"),       QStringLiteral("OVER"),     QStringLiteral("PRINT"),
        QStringLiteral("RAISERROR"),   QStringLiteral("RETURN"),   QStringLiteral("RIGHT"),
        QStringLiteral("ROLLBACK"),    QStringLiteral("COMMIT"),   QStringLiteral("SELECT"),
        QStringLiteral("SET"),         QStringLiteral("THEN"),     QStringLiteral("TOP"),
        QStringLiteral("UNION"),       QStringLiteral("UPDATE"),   QStringLiteral("USE"),
        QStringLiteral("VALUES"),      QStringLiteral("WHEN"),     QStringLiteral("WHERE"),
        QStringLiteral("WHILE"),       QStringLiteral("WITH"),     QStringLiteral("GO"),
        QStringLiteral("APPLY"),       QStringLiteral("PIVOT"),    QStringLiteral("UNPIVOT"),
        QStringLiteral("BREAK"),       QStringLiteral("CONTINUE"), QStringLiteral("TRUNCATE"),
        QStringLiteral("CREATE"),      QStringLiteral("ALTER"),    QStringLiteral("DROP"),
        QStringLiteral("TABLESAMPLE"), QStringLiteral("MERGE"),
    };
    return reservadas.contains(palabra.toUpper());
}

std::vector<Token> tokenizar(const QString& sql)
{
    std::vector<Token> tokens;
    tokens.reserve(size_t(sql.size() / 4 + 4));
    const qsizetype n = sql.size();
    const QChar* s = sql.constData();
    int linea = 1;
    qsizetype i = 0;
    auto agregar = [&](Tok tipo, QString texto, qsizetype desde) {
        tokens.push_back(Token{tipo, std::move(texto), linea, int(desde), int(i)});
    };
    while (i < n) {
        const QChar c = s[i];
        if (c == u'\n') {
            ++linea;
            ++i;
            continue;
        }
        if (c.isSpace()) {
            ++i;
            continue;
        }
        const qsizetype desde = i;
        if (c == u'-' && i + 1 < n && s[i + 1] == u'-') {
            while (i < n && s[i] != u'\n')
                ++i;
            continue;
        }
        if (c == u'/' && i + 1 < n && s[i + 1] == u'*') {
            int profundidad = 0;
            while (i < n) {
                if (s[i] == u'/' && i + 1 < n && s[i + 1] == u'*') {
                    ++profundidad;
                    i += 2;
                } else if (s[i] == u'*' && i + 1 < n && s[i + 1] == u'/') {
                    i += 2;
                    if (--profundidad == 0)
                        break;
                } else {
                    linea += s[i] == u'\n';
                    ++i;
                }
            }
            if (profundidad != 0)
                lanzar(num::SinFinComentario, QStringLiteral("42000"),
                       QStringLiteral("Falta la marca de fin de comentario '*/'."));
            continue;
        }
        const bool prefijoN = (c == u'N' || c == u'n') && i + 1 < n && s[i + 1] == u'\'';
        if (c == u'\'' || prefijoN) {
            i += prefijoN ? 2 : 1;
            QString texto;
            const int lineaInicio = linea;
            bool cerrada = false;
            while (i < n) {
                if (s[i] == u'\'') {
                    if (i + 1 < n && s[i + 1] == u'\'') {
                        texto += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    cerrada = true;
                    break;
                }
                linea += s[i] == u'\n';
                texto += s[i++];
            }
            if (!cerrada)
                lanzar(num::SinComillaFinal, QStringLiteral("42000"),
                       QStringLiteral("Falta la comilla de cierre después de la cadena de caracteres '%1'.")
                           .arg(texto));
            tokens.push_back(
                Token{prefijoN ? Tok::CadenaN : Tok::Cadena, texto, lineaInicio, int(desde), int(i)});
            continue;
        }
        if (c == u'[' || c == u'"') {
            const QChar cierre = c == u'[' ? u']' : u'"';
            ++i;
            QString texto;
            bool cerrada = false;
            while (i < n) {
                if (s[i] == cierre) {
                    if (i + 1 < n && s[i + 1] == cierre) {
                        texto += cierre;
                        i += 2;
                        continue;
                    }
                    ++i;
                    cerrada = true;
                    break;
                }
                texto += s[i++];
            }
            if (!cerrada)
                lanzar(num::SinComillaFinal, QStringLiteral("42000"),
                       QStringLiteral("Falta la comilla de cierre después de la cadena de caracteres '%1'.")
                           .arg(texto));
            agregar(Tok::IdentCitado, texto, desde);
            continue;
        }
        if (c == u'@') {
            const bool global = i + 1 < n && s[i + 1] == u'@';
            i += global ? 2 : 1;
            while (i < n && parteIdent(s[i]))
                ++i;
            agregar(global ? Tok::Global : Tok::Variable, QString(s + desde, i - desde), desde);
            continue;
        }
        if (inicioIdent(c)) {
            while (i < n && parteIdent(s[i]))
                ++i;
            agregar(Tok::Ident, QString(s + desde, i - desde), desde);
            continue;
        }
        if (c.isDigit() || (c == u'.' && i + 1 < n && s[i + 1].isDigit())) {
            Tok tipo = Tok::Entero;
            while (i < n && s[i].isDigit())
                ++i;
            if (i < n && s[i] == u'.') {
                tipo = Tok::Decimal;
                ++i;
                while (i < n && s[i].isDigit())
                    ++i;
            }
            if (i < n && (s[i] == u'e' || s[i] == u'E')) {
                qsizetype k = i + 1;
                if (k < n && (s[k] == u'+' || s[k] == u'-'))
                    ++k;
                if (k < n && s[k].isDigit()) {
                    tipo = Tok::Real;
                    i = k;
                    while (i < n && s[i].isDigit())
                        ++i;
                }
            }
            agregar(tipo, QString(s + desde, i - desde), desde);
            continue;
        }
        // Symbols: two-character ones first.
        static const char* dobles[] = {"<=", ">=", "<>", "!=", "!<", "!>", "*=", "=*", "::"};
        bool hecho = false;
        if (i + 1 < n) {
            for (const char* d : dobles) {
                if (s[i] == QLatin1Char(d[0]) && s[i + 1] == QLatin1Char(d[1])) {
                    i += 2;
                    agregar(Tok::Simbolo, QString::fromLatin1(d), desde);
                    hecho = true;
                    break;
                }
            }
        }
        if (hecho)
            continue;
        if (QStringView(u"(),.;+-*/%=<>&|^~").contains(c)) {
            ++i;
            agregar(Tok::Simbolo, QString(c), desde);
            continue;
        }
        errorSintaxis(QString(c));
    }
    tokens.push_back(Token{Tok::Fin, QString(), linea, int(n), int(n)});
    return tokens;
}

} // namespace dalvo::embebido

#pragma once

#include <QString>
#include <vector>

namespace dalvo::embebido {

enum class Tok : unsigned char
{
    Fin,
    Ident,       // name or keyword
    IdentCitado, // [name] or "name": never a keyword
    Variable,    // @name
    Global,      // @@name
    Cadena,      // 'text' (texto holds the text with quotes undone)
    CadenaN,     // N'text'
    Entero,
    Decimal, // 1.5
    Real,    // 1e3
    Simbolo, // ( ) , . ; + - * / % = < > <= >= <> != !< !> *= =* & | ^ ~
};

struct Token
{
    Tok tipo = Tok::Fin;
    QString texto;
    int linea = 1;
    int inicio = 0; // position in the source text
    int fin = 0;

    bool es(const char* palabra) const; // a keyword (plain identifier) or symbol, regardless of case
    bool esSimbolo(const char* s) const { return tipo == Tok::Simbolo && texto == QLatin1String(s); }
};

// Splits T-SQL text into tokens; comments and blanks are dropped. Throws 105 for an unclosed quote and 113
// for an unclosed comment.
std::vector<Token> tokenizar(const QString& sql);

// Words that cannot be a bare alias or column name (they end an expression or a clause).
bool esReservada(const QString& palabra);

} // namespace dalvo::embebido

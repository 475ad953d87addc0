#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace dalvo::embebido {

// SQL Server's data types as the demo server knows them. The order is irrelevant; precedence() ranks them.
enum class Familia : unsigned char
{
    Nulo, // the untyped NULL literal: takes the type of whatever it meets
    Char,
    VarChar,
    NChar,
    NVarChar,
    Text,
    NText,
    Bit,
    TinyInt,
    SmallInt,
    Int,
    BigInt,
    SmallMoney,
    Money,
    Numeric,
    Real,
    Float,
    SmallDateTime,
    DateTime,
    Variante, // a column declared with no SQL Server type: typed by each value's storage class
};

// A type as SQL Server describes a column: family, length in characters for text, precision and scale
// for numeric.
struct TipoSql
{
    Familia familia = Familia::Variante;
    int longitud = 0; // characters for text types (-1 = max), bytes otherwise
    int precision = 0;
    int escala = 0;

    static TipoSql de(Familia f);
    static TipoSql texto(Familia f, int longitud);
    static TipoSql numerico(int precision, int escala);

    bool esTexto() const;
    bool esUnicode() const;
    bool esEntero() const; // bit included
    bool esNumero() const; // integers, money, numeric, float
    bool esFecha() const;
    bool esNulo() const { return familia == Familia::Nulo; }
    bool operator==(const TipoSql&) const = default;

    // What ADO reports for a column of this type (Field.Type, DefinedSize, Precision, NumericScale).
    int adoTipo() const;
    int tamanoDefinido() const;
    int precisionAdo() const;
    int escalaAdo() const;

    // The catalogue's view of the type: lower-case name, usertype, length as syscolumns reports it.
    QString nombre() const;
    int usertype() const;
    int xtype() const;
    int longitudCatalogo() const;
};

// Reads a declared type: "char(6)", "VarChar(60)", "numeric(5,2)", "money", "INTEGER", "sysname"...
// Returns nothing for a name SQL Server does not know.
std::optional<TipoSql> leerTipo(QStringView nombre, int longitud = -2, int escala = -1);

// The type a declared column type gives (SQLite's own names map to their nearest SQL Server type, and an
// empty or unknown declaration gives Variante).
TipoSql tipoDeclarado(QStringView declaracion);

// SQL Server's data type precedence: the operand of lower precedence is converted to the other's type.
int precedencia(Familia f);

// The type of an expression that combines a and b (CASE branches, ISNULL fallbacks, UNION columns,
// arithmetic): the higher precedence wins; text lengths and numeric precision widen.
TipoSql tipoDominante(const TipoSql& a, const TipoSql& b);

// The type of a + b, a - b, a * b, a / b on numbers: integers narrower than int give int.
TipoSql tipoAritmetico(const TipoSql& a, const TipoSql& b);

} // namespace dalvo::embebido

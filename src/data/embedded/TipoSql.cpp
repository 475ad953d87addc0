#include "data/embedded/TipoSql.h"

#include "data/Motor.h"

#include <algorithm>

namespace dalvo::embebido {

TipoSql TipoSql::de(Familia f)
{
    TipoSql t;
    t.familia = f;
    switch (f) {
    case Familia::Bit:
    case Familia::TinyInt:
        t.longitud = 1;
        break;
    case Familia::SmallInt:
        t.longitud = 2;
        break;
    case Familia::Int:
    case Familia::Real:
    case Familia::SmallMoney:
    case Familia::SmallDateTime:
        t.longitud = 4;
        break;
    case Familia::BigInt:
    case Familia::Money:
    case Familia::Float:
    case Familia::DateTime:
        t.longitud = 8;
        break;
    case Familia::Numeric:
        return numerico(18, 0);
    case Familia::Char:
    case Familia::VarChar:
    case Familia::NChar:
    case Familia::NVarChar:
        t.longitud = 1;
        break;
    case Familia::Text:
    case Familia::NText:
        t.longitud = -1;
        break;
    default:
        break;
    }
    return t;
}

TipoSql TipoSql::texto(Familia f, int longitud)
{
    TipoSql t;
    t.familia = f;
    t.longitud = longitud;
    return t;
}

TipoSql TipoSql::numerico(int precision, int escala)
{
    TipoSql t;
    t.familia = Familia::Numeric;
    t.precision = std::clamp(precision, 1, 38);
    t.escala = std::clamp(escala, 0, t.precision);
    t.longitud = t.precision <= 9 ? 5 : t.precision <= 19 ? 9 : t.precision <= 28 ? 13 : 17;
    return t;
}

bool TipoSql::esTexto() const
{
    switch (familia) {
    case Familia::Char:
    case Familia::VarChar:
    case Familia::NChar:
    case Familia::NVarChar:
    case Familia::Text:
    case Familia::NText:
        return true;
    default:
        return false;
    }
}

bool TipoSql::esUnicode() const
{
    return familia == Familia::NChar || familia == Familia::NVarChar || familia == Familia::NText;
}

bool TipoSql::esEntero() const
{
    switch (familia) {
    case Familia::Bit:
    case Familia::TinyInt:
    case Familia::SmallInt:
    case Familia::Int:
    case Familia::BigInt:
        return true;
    default:
        return false;
    }
}

bool TipoSql::esNumero() const
{
    switch (familia) {
    case Familia::SmallMoney:
    case Familia::Money:
    case Familia::Numeric:
    case Familia::Real:
    case Familia::Float:
        return true;
    default:
        return esEntero();
    }
}

bool TipoSql::esFecha() const
{
    return familia == Familia::DateTime || familia == Familia::SmallDateTime;
}

int TipoSql::adoTipo() const
{
    using namespace ado;
    switch (familia) {
    case Familia::Char:
        return adChar;
    case Familia::VarChar:
        return adVarChar;
    case Familia::NChar:
        return adWChar;
    case Familia::NVarChar:
        return adVarWChar;
    case Familia::Text:
        return adLongVarChar;
    case Familia::NText:
        return adLongVarWChar;
    case Familia::Bit:
        return adBoolean;
    case Familia::TinyInt:
        return adUnsignedTinyInt;
    case Familia::SmallInt:
        return adSmallInt;
    case Familia::Nulo:
    case Familia::Int:
        return adInteger;
    case Familia::BigInt:
        return adBigInt;
    case Familia::SmallMoney:
    case Familia::Money:
        return adCurrency;
    case Familia::Numeric:
        return adNumeric;
    case Familia::Real:
        return adSingle;
    case Familia::Float:
        return adDouble;
    case Familia::SmallDateTime:
    case Familia::DateTime:
        return adDBTimeStamp;
    case Familia::Variante:
        return adVariant;
    }
    return adVariant;
}

int TipoSql::tamanoDefinido() const
{
    if (esTexto())
        return longitud < 0 ? 2147483647 : longitud;
    if (familia == Familia::Nulo)
        return 4;
    return longitud;
}

int TipoSql::precisionAdo() const
{
    switch (familia) {
    case Familia::TinyInt:
        return 3;
    case Familia::SmallInt:
        return 5;
    case Familia::Nulo:
    case Familia::Int:
        return 10;
    case Familia::BigInt:
    case Familia::Money:
        return 19;
    case Familia::SmallMoney:
        return 10;
    case Familia::Numeric:
        return precision;
    case Familia::Real:
        return 7;
    case Familia::Float:
        return 15;
    case Familia::SmallDateTime:
        return 16;
    case Familia::DateTime:
        return 23;
    default:
        return 255;
    }
}

int TipoSql::escalaAdo() const
{
    switch (familia) {
    case Familia::Numeric:
        return escala;
    case Familia::Money:
    case Familia::SmallMoney:
        return 4;
    case Familia::DateTime:
        return 3;
    default:
        return 255;
    }
}

QString TipoSql::nombre() const
{
    switch (familia) {
    case Familia::Char:
        return QStringLiteral("char");
    case Familia::VarChar:
        return QStringLiteral("varchar");
    case Familia::NChar:
        return QStringLiteral("nchar");
    case Familia::NVarChar:
        return QStringLiteral("nvarchar");
    case Familia::Text:
        return QStringLiteral("text");
    case Familia::NText:
        return QStringLiteral("ntext");
    case Familia::Bit:
        return QStringLiteral("bit");
    case Familia::TinyInt:
        return QStringLiteral("tinyint");
    case Familia::SmallInt:
        return QStringLiteral("smallint");
    case Familia::Nulo:
    case Familia::Int:
        return QStringLiteral("int");
    case Familia::BigInt:
        return QStringLiteral("bigint");
    case Familia::SmallMoney:
        return QStringLiteral("smallmoney");
    case Familia::Money:
        return QStringLiteral("money");
    case Familia::Numeric:
        return QStringLiteral("numeric");
    case Familia::Real:
        return QStringLiteral("real");
    case Familia::Float:
        return QStringLiteral("float");
    case Familia::SmallDateTime:
        return QStringLiteral("smalldatetime");
    case Familia::DateTime:
        return QStringLiteral("datetime");
    case Familia::Variante:
        return QStringLiteral("sql_variant");
    }
    return {};
}

int TipoSql::usertype() const
{
    // SQL Server 2000's usertype numbers (systypes.usertype).
    switch (familia) {
    case Familia::Char:
        return 1;
    case Familia::VarChar:
        return 2;
    case Familia::Bit:
        return 16;
    case Familia::TinyInt:
        return 5;
    case Familia::SmallInt:
        return 6;
    case Familia::Nulo:
    case Familia::Int:
        return 7;
    case Familia::Numeric:
        return 10;
    case Familia::Money:
        return 11;
    case Familia::DateTime:
        return 12;
    case Familia::Float:
        return 8;
    case Familia::Real:
        return 23;
    case Familia::SmallDateTime:
        return 22;
    case Familia::SmallMoney:
        return 21;
    case Familia::Text:
        return 19;
    default:
        return 0;
    }
}

int TipoSql::xtype() const
{
    // SQL Server's system type ids (systypes.xtype).
    switch (familia) {
    case Familia::Char:
        return 175;
    case Familia::VarChar:
        return 167;
    case Familia::NChar:
        return 239;
    case Familia::NVarChar:
        return 231;
    case Familia::Text:
        return 35;
    case Familia::NText:
        return 99;
    case Familia::Bit:
        return 104;
    case Familia::TinyInt:
        return 48;
    case Familia::SmallInt:
        return 52;
    case Familia::Nulo:
    case Familia::Int:
        return 56;
    case Familia::BigInt:
        return 127;
    case Familia::SmallMoney:
        return 122;
    case Familia::Money:
        return 60;
    case Familia::Numeric:
        return 108;
    case Familia::Real:
        return 59;
    case Familia::Float:
        return 62;
    case Familia::SmallDateTime:
        return 58;
    case Familia::DateTime:
        return 61;
    case Familia::Variante:
        return 98;
    }
    return 0;
}

int TipoSql::longitudCatalogo() const
{
    if (esTexto())
        return longitud < 0 ? 16 : (esUnicode() ? longitud * 2 : longitud);
    return longitud;
}

std::optional<TipoSql> leerTipo(QStringView nombre, int longitud, int escala)
{
    const QString n = nombre.toString().toLower();
    const bool conLongitud = longitud != -2;
    auto textoDe = [&](Familia f) { return TipoSql::texto(f, conLongitud ? longitud : 1); };
    if (n == u"char" || n == u"character")
        return textoDe(Familia::Char);
    if (n == u"varchar")
        return textoDe(Familia::VarChar);
    if (n == u"nchar")
        return textoDe(Familia::NChar);
    if (n == u"nvarchar")
        return textoDe(Familia::NVarChar);
    if (n == u"sysname")
        return TipoSql::texto(Familia::NVarChar, 128);
    if (n == u"text" || n == u"clob")
        return TipoSql::texto(Familia::Text, -1);
    if (n == u"ntext")
        return TipoSql::texto(Familia::NText, -1);
    if (n == u"bit")
        return TipoSql::de(Familia::Bit);
    if (n == u"tinyint")
        return TipoSql::de(Familia::TinyInt);
    if (n == u"smallint")
        return TipoSql::de(Familia::SmallInt);
    if (n == u"int" || n == u"integer")
        return TipoSql::de(Familia::Int);
    if (n == u"bigint")
        return TipoSql::de(Familia::BigInt);
    if (n == u"money")
        return TipoSql::de(Familia::Money);
    if (n == u"smallmoney")
        return TipoSql::de(Familia::SmallMoney);
    if (n == u"numeric" || n == u"decimal" || n == u"dec")
        return TipoSql::numerico(conLongitud ? longitud : 18, escala < 0 ? 0 : escala);
    if (n == u"float" || n == u"double")
        return TipoSql::de(Familia::Float);
    if (n == u"real")
        return TipoSql::de(Familia::Real);
    if (n == u"datetime")
        return TipoSql::de(Familia::DateTime);
    if (n == u"smalldatetime")
        return TipoSql::de(Familia::SmallDateTime);
    return std::nullopt;
}

TipoSql tipoDeclarado(QStringView declaracion)
{
    const QStringView d = declaracion.trimmed();
    const qsizetype abre = d.indexOf(u'(');
    QStringView nombre = abre < 0 ? d : d.left(abre).trimmed();
    int longitud = -2;
    int escala = -1;
    if (abre >= 0) {
        const qsizetype cierra = d.indexOf(u')', abre);
        const QStringView args = d.mid(abre + 1, cierra < 0 ? -1 : cierra - abre - 1);
        const qsizetype coma = args.indexOf(u',');
        const QStringView primero = (coma < 0 ? args : args.left(coma)).trimmed();
        longitud = primero.compare(u"max", Qt::CaseInsensitive) == 0 ? -1 : primero.toInt();
        if (coma >= 0)
            escala = args.mid(coma + 1).trimmed().toInt();
    }
    // SQLite's own spellings ("REAL", "DOUBLE PRECISION", "NUMERIC") still mean something.
    if (nombre.startsWith(u"double", Qt::CaseInsensitive))
        nombre = u"float";
    if (auto t = leerTipo(nombre, longitud, escala))
        return *t;
    return TipoSql{};
}

int precedencia(Familia f)
{
    switch (f) {
    case Familia::Variante:
        return 30;
    case Familia::DateTime:
        return 25;
    case Familia::SmallDateTime:
        return 24;
    case Familia::Float:
        return 23;
    case Familia::Real:
        return 22;
    case Familia::Numeric:
        return 21;
    case Familia::Money:
        return 20;
    case Familia::SmallMoney:
        return 19;
    case Familia::BigInt:
        return 18;
    case Familia::Int:
        return 17;
    case Familia::SmallInt:
        return 16;
    case Familia::TinyInt:
        return 15;
    case Familia::Bit:
        return 14;
    case Familia::NText:
        return 13;
    case Familia::Text:
        return 12;
    case Familia::NVarChar:
        return 11;
    case Familia::NChar:
        return 10;
    case Familia::VarChar:
        return 9;
    case Familia::Char:
        return 8;
    case Familia::Nulo:
        return 0;
    }
    return 0;
}

TipoSql tipoDominante(const TipoSql& a, const TipoSql& b)
{
    if (a.esNulo())
        return b;
    if (b.esNulo())
        return a;
    if (a.esTexto() && b.esTexto()) {
        TipoSql t = precedencia(a.familia) >= precedencia(b.familia) ? a : b;
        // char mixed with varchar gives varchar; lengths widen to the longer one.
        if (a.familia != b.familia && t.familia == Familia::Char)
            t.familia = Familia::VarChar;
        if (a.familia != b.familia && t.familia == Familia::NChar)
            t.familia = Familia::NVarChar;
        t.longitud = (a.longitud < 0 || b.longitud < 0) ? -1 : std::max(a.longitud, b.longitud);
        return t;
    }
    if (a.familia == Familia::Numeric && b.familia == Familia::Numeric) {
        const int escala = std::max(a.escala, b.escala);
        const int enteros = std::max(a.precision - a.escala, b.precision - b.escala);
        return TipoSql::numerico(enteros + escala, escala);
    }
    return precedencia(a.familia) >= precedencia(b.familia) ? a : b;
}

TipoSql tipoAritmetico(const TipoSql& a, const TipoSql& b)
{
    TipoSql t = tipoDominante(a, b);
    if (t.familia == Familia::Bit || t.familia == Familia::TinyInt || t.familia == Familia::SmallInt ||
        t.familia == Familia::Nulo)
        return TipoSql::de(Familia::Int);
    if (t.familia == Familia::Numeric && (a.esEntero() || b.esEntero())) {
        // An integer operand counts as numeric(10,0).
        const TipoSql entero = TipoSql::numerico(10, 0);
        return tipoDominante(a.familia == Familia::Numeric ? a : entero,
                             b.familia == Familia::Numeric ? b : entero);
    }
    return t;
}

} // namespace dalvo::embebido

#pragma once

// Data types on the wire: what a column of a result set is declared as, how a value is written in a row or
// an output parameter, and how the driver's parameters are read back into the engine's values.

#include "data/Motor.h"
#include "tds/Bytes.h"

#include <QDateTime>
#include <QVariant>

namespace dalvo::tds {

// Type bytes of the types this server declares, and of those the driver sends as parameters.
namespace tipo {
enum : quint8
{
    INTN = 0x26,
    DATETIME2N = 0x2A,
    NTEXT = 0x63,
    BITN = 0x68,
    DECIMALN = 0x6A,
    NUMERICN = 0x6C,
    FLTN = 0x6D,
    MONEYN = 0x6E,
    DATETIMN = 0x6F,
    BIGVARCHR = 0xA7,
    BIGCHAR = 0xAF,
    NVARCHAR = 0xE7,
    NCHAR = 0xEF,
};
} // namespace tipo

// Declared length of a (n)varchar(max) column or parameter: its values travel in chunks.
inline constexpr quint32 kLargoMax = 0xFFFF;

struct TipoTds
{
    quint8 tipo = tipo::INTN;
    quint32 largo = 4; // bytes (characters for nothing: n-types count bytes too)
    quint8 precision = 0;
    quint8 escala = 0;
    QByteArray colacion; // five bytes for text types

    bool enTrozos() const { return largo == kLargoMax && esTexto(); }
    bool esTexto() const;
    bool esUnicode() const;
};

// The server's collation: Latin1 general, case-insensitive, accent-sensitive, code page 1252.
QByteArray colacionLatin1();

// The wire type of a result-set column, sized to hold every value the column carries.
TipoTds tipoDeColumna(const ado::Columna& columna, const ado::Tabla& tabla, qsizetype indice);

// The type an output parameter is returned with: the type the client declared, widened where the value
// needs it (text longer than declared, text/ntext that cannot be returned as such).
TipoTds tipoDeSalida(TipoTds declarado, const QVariant& valor);

// TYPE_INFO as written in COLMETADATA and RETURNVALUE tokens.
void escribirTipo(Escritor& e, const TipoTds& t);

// One value in the row format of its type; an invalid QVariant is the type's NULL. Throws std::runtime_error
// when the value cannot be expressed in the type (an engine that breaks its own contract).
void escribirValor(Escritor& e, const TipoTds& t, const QVariant& valor);

// TYPE_INFO of an RPC parameter, then its value. Throws ErrorProtocolo on a type this server does not take.
TipoTds leerTipo(Lector& l);
QVariant leerValor(Lector& l, const TipoTds& t);

// ADO type code and size an engine parameter gets for a wire type.
int tipoAdo(const TipoTds& t);
int tamanoAdo(const TipoTds& t);

QByteArray aCp1252(const QString& s); // characters outside the code page become '?'
QString deCp1252(const QByteArray& b);

// The bytes of a text in its type's encoding: UTF-16LE for n-types, code page 1252 otherwise.
QByteArray textoEnBytes(const TipoTds& t, const QString& s);
QString textoDeBytes(const TipoTds& t, const QByteArray& b);

// datetime: days since 1900-01-01 and three-hundredths of a second since midnight.
struct FechaTds
{
    qint32 dias = 0;
    quint32 tics = 0;
};
FechaTds aFechaTds(const QDateTime& fecha);
QDateTime deFechaTds(FechaTds f);

} // namespace dalvo::tds

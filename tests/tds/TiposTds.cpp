#include "tds/TiposTds.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace dalvo::tds {

namespace {

const QDate kBase0001(1, 1, 1);

TipoTds simple(quint8 t, quint32 largo)
{
    TipoTds r;
    r.tipo = t;
    r.largo = largo;
    return r;
}

[[noreturn]] void valorInvalido(const TipoTds& t, const QVariant& v)
{
    throw std::runtime_error("el valor «" + v.toString().toStdString() + "» (" + v.typeName() +
                             ") no cabe en el tipo 0x" + QByteArray::number(t.tipo, 16).toStdString());
}

qint64 comoEntero(const TipoTds& t, const QVariant& v)
{
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (!ok)
        valorInvalido(t, v);
    return n;
}

double comoReal(const TipoTds& t, const QVariant& v)
{
    bool ok = false;
    const double d = v.toDouble(&ok);
    if (!ok || !std::isfinite(d))
        valorInvalido(t, v);
    return d;
}

QDateTime comoFecha(const TipoTds& t, const QVariant& v)
{
    QDateTime f = v.typeId() == QMetaType::QDate ? v.toDate().startOfDay() : v.toDateTime();
    if (!f.isValid())
        valorInvalido(t, v);
    return f;
}

quint8 bytesDeNumerico(int precision)
{
    if (precision <= 9)
        return 5;
    if (precision <= 19)
        return 9;
    if (precision <= 28)
        return 13;
    return 17;
}

// A (max) value: total length, one chunk, the empty chunk that ends it.
void escribirEnTrozos(Escritor& e, const QByteArray& b)
{
    e.u64(quint64(b.size()));
    if (!b.isEmpty()) {
        e.u32(quint32(b.size()));
        e.bytes(b);
    }
    e.u32(0);
}

int largoMaximoDeTexto(const ado::Tabla& tabla, qsizetype indice)
{
    int largo = 0;
    const qsizetype columnas = tabla.columnas.size();
    for (qsizetype fila = 0; fila < tabla.filas(); ++fila) {
        const QVariant& v = tabla.celdas[fila * columnas + indice];
        if (!ado::esNulo(v))
            largo = std::max(largo, int(v.toString().size()));
    }
    return largo;
}

} // namespace

bool TipoTds::esTexto() const
{
    switch (tipo) {
    case tipo::BIGVARCHR:
    case tipo::BIGCHAR:
    case tipo::NVARCHAR:
    case tipo::NCHAR:
    case tipo::NTEXT:
        return true;
    default:
        return false;
    }
}

bool TipoTds::esUnicode() const
{
    return tipo == tipo::NVARCHAR || tipo == tipo::NCHAR || tipo == tipo::NTEXT;
}

QByteArray colacionLatin1()
{
    // LCID 0x0409 with the ignore-case, ignore-kana and ignore-width flags; sort order 52.
    return QByteArray("\x09\x04\xD0\x00\x34", 5);
}

TipoTds tipoDeColumna(const ado::Columna& columna, const ado::Tabla& tabla, qsizetype indice)
{
    TipoTds t;
    switch (columna.tipo) {
    case ado::adInteger:
        return simple(tipo::INTN, 4);
    case ado::adSmallInt:
        return simple(tipo::INTN, 2);
    case ado::adTinyInt:
    case ado::adUnsignedTinyInt:
        return simple(tipo::INTN, 1);
    case ado::adBigInt:
        return simple(tipo::INTN, 8);
    case ado::adBoolean:
        return simple(tipo::BITN, 1);
    case ado::adDouble:
        return simple(tipo::FLTN, 8);
    case ado::adSingle:
        return simple(tipo::FLTN, 4);
    case ado::adCurrency:
        return simple(tipo::MONEYN, 8);
    case ado::adNumeric:
    case ado::adDecimal: {
        t.tipo = columna.tipo == ado::adNumeric ? tipo::NUMERICN : tipo::DECIMALN;
        t.precision = quint8(std::clamp(columna.precision > 0 ? columna.precision : 18, 1, 38));
        t.escala = quint8(std::clamp(columna.escala, 0, int(t.precision)));
        t.largo = bytesDeNumerico(t.precision);
        return t;
    }
    case ado::adDBTimeStamp:
    case ado::adDate:
    case ado::adDBDate:
        return simple(tipo::DATETIMN, 8);
    default:
        break;
    }
    // Text: every other type is shown as text rather than refused.
    const bool unicode = columna.tipo == ado::adWChar || columna.tipo == ado::adVarWChar ||
                         columna.tipo == ado::adLongVarWChar ||
                         !(columna.tipo == ado::adChar || columna.tipo == ado::adVarChar ||
                           columna.tipo == ado::adLongVarChar);
    const bool fijo = columna.tipo == ado::adChar || columna.tipo == ado::adWChar;
    const int caracteres = std::max({columna.tamanoDefinido, largoMaximoDeTexto(tabla, indice), 1});
    const int bytes = unicode ? 2 * caracteres : caracteres;
    t.tipo = unicode ? (fijo ? tipo::NCHAR : tipo::NVARCHAR) : (fijo ? tipo::BIGCHAR : tipo::BIGVARCHR);
    t.colacion = colacionLatin1();
    t.largo = quint32(bytes);
    if (bytes > 8000) {
        t.tipo = unicode ? tipo::NVARCHAR : tipo::BIGVARCHR;
        t.largo = kLargoMax;
    }
    return t;
}

TipoTds tipoDeSalida(TipoTds t, const QVariant& valor)
{
    if (t.tipo == tipo::NTEXT) {
        t.tipo = tipo::NVARCHAR;
        t.largo = kLargoMax;
        return t;
    }
    if (t.esTexto() && !t.enTrozos() && !ado::esNulo(valor)) {
        const qsizetype bytes = textoEnBytes(t, valor.toString()).size();
        if (bytes > qsizetype(t.largo))
            t.largo = bytes > 8000 ? kLargoMax : quint32(bytes);
        if (t.enTrozos() && (t.tipo == tipo::BIGCHAR || t.tipo == tipo::NCHAR))
            t.tipo = t.esUnicode() ? tipo::NVARCHAR : tipo::BIGVARCHR;
    }
    return t;
}

void escribirTipo(Escritor& e, const TipoTds& t)
{
    e.u8(t.tipo);
    switch (t.tipo) {
    case tipo::INTN:
    case tipo::BITN:
    case tipo::FLTN:
    case tipo::MONEYN:
    case tipo::DATETIMN:
        e.u8(quint8(t.largo));
        break;
    case tipo::DECIMALN:
    case tipo::NUMERICN:
        e.u8(quint8(t.largo));
        e.u8(t.precision);
        e.u8(t.escala);
        break;
    case tipo::BIGVARCHR:
    case tipo::BIGCHAR:
    case tipo::NVARCHAR:
    case tipo::NCHAR:
        e.u16(quint16(t.largo));
        e.bytes(t.colacion.size() == 5 ? t.colacion : colacionLatin1());
        break;
    case tipo::DATETIME2N:
        e.u8(t.escala);
        break;
    default:
        throw std::logic_error("tipo sin declaración: 0x" + QByteArray::number(t.tipo, 16).toStdString());
    }
}

void escribirValor(Escritor& e, const TipoTds& t, const QVariant& v)
{
    const bool nulo = ado::esNulo(v);
    if (t.esTexto()) {
        if (t.enTrozos()) {
            if (nulo)
                e.u64(~quint64(0));
            else
                escribirEnTrozos(e, textoEnBytes(t, v.toString()));
            return;
        }
        if (nulo) {
            e.u16(0xFFFF);
            return;
        }
        const QByteArray b = textoEnBytes(t, v.toString());
        if (b.size() > qsizetype(t.largo))
            valorInvalido(t, v);
        e.u16(quint16(b.size()));
        e.bytes(b);
        return;
    }
    if (nulo) {
        e.u8(0);
        return;
    }
    switch (t.tipo) {
    case tipo::INTN: {
        const qint64 n = comoEntero(t, v);
        const bool cabe = t.largo == 8 || (t.largo == 4 && n >= INT32_MIN && n <= INT32_MAX) ||
                          (t.largo == 2 && n >= INT16_MIN && n <= INT16_MAX) ||
                          (t.largo == 1 && n >= 0 && n <= 255);
        if (!cabe)
            valorInvalido(t, v);
        e.u8(quint8(t.largo));
        for (quint32 i = 0; i < t.largo; ++i)
            e.u8(quint8(quint64(n) >> (8 * i)));
        return;
    }
    case tipo::BITN:
        e.u8(1);
        e.u8(v.typeId() == QMetaType::Bool ? v.toBool() : comoEntero(t, v) != 0);
        return;
    case tipo::FLTN:
        e.u8(quint8(t.largo));
        if (t.largo == 4) {
            const float f = float(comoReal(t, v));
            quint32 bits = 0;
            std::memcpy(&bits, &f, 4);
            e.u32(bits);
        } else {
            const double d = comoReal(t, v);
            quint64 bits = 0;
            std::memcpy(&bits, &d, 8);
            e.u64(bits);
        }
        return;
    case tipo::MONEYN: {
        const double d = comoReal(t, v);
        if (std::fabs(d) > 922337203685477.0)
            valorInvalido(t, v);
        const qint64 diezMilesimos = std::llround(d * 10000.0);
        e.u8(8);
        e.u32(quint32(quint64(diezMilesimos) >> 32));
        e.u32(quint32(quint64(diezMilesimos)));
        return;
    }
    case tipo::DECIMALN:
    case tipo::NUMERICN: {
        const long double escalado = std::roundl(std::fabs(comoReal(t, v)) * std::pow(10.0L, t.escala));
        if (escalado >= std::pow(10.0L, t.precision))
            valorInvalido(t, v);
        auto magnitud = static_cast<unsigned __int128>(escalado);
        e.u8(quint8(t.largo));
        e.u8(comoReal(t, v) < 0 && magnitud != 0 ? 0 : 1);
        for (quint32 i = 1; i < t.largo; ++i, magnitud >>= 8)
            e.u8(quint8(magnitud & 0xFF));
        return;
    }
    case tipo::DATETIMN: {
        const FechaTds f = aFechaTds(comoFecha(t, v));
        e.u8(8);
        e.u32(quint32(f.dias));
        e.u32(f.tics);
        return;
    }
    case tipo::DATETIME2N: {
        const QDateTime f = comoFecha(t, v);
        const int largoHora = t.escala <= 2 ? 3 : t.escala <= 4 ? 4 : 5;
        e.u8(quint8(largoHora + 3));
        // Units of 10^-escala seconds since midnight.
        quint64 unidades = quint64(f.time().msecsSinceStartOfDay());
        for (int i = 3; i < t.escala; ++i)
            unidades *= 10;
        for (int i = t.escala; i < 3; ++i)
            unidades /= 10;
        for (int i = 0; i < largoHora; ++i)
            e.u8(quint8(unidades >> (8 * i)));
        const qint64 dias = kBase0001.daysTo(f.date());
        for (int i = 0; i < 3; ++i)
            e.u8(quint8(quint64(dias) >> (8 * i)));
        return;
    }
    default:
        throw std::logic_error("tipo sin valor: 0x" + QByteArray::number(t.tipo, 16).toStdString());
    }
}

} // namespace dalvo::tds

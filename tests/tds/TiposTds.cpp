#include "tds/TiposTds.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <stdexcept>

namespace dalvo::tds {

namespace {

// Code points of bytes 0x80-0x9F in code page 1252; the five unassigned bytes keep their C1 code point.
constexpr std::array<char16_t, 32> kAlto1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const QDate kBase1900(1900, 1, 1);
const QDate kBase0001(1, 1, 1);
constexpr quint32 kTicsPorDia = 300u * 86400u;

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

QByteArray textoEnBytes(const TipoTds& t, const QString& s)
{
    return t.esUnicode() ? aUtf16(s) : aCp1252(s);
}

QString textoDeBytes(const TipoTds& t, const QByteArray& b)
{
    return t.esUnicode() ? deUtf16(b) : deCp1252(b);
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

QByteArray leerEnTrozos(Lector& l, bool& nulo)
{
    const quint64 total = l.u64();
    nulo = total == ~quint64(0);
    QByteArray b;
    if (nulo)
        return b;
    for (quint32 trozo = l.u32(); trozo != 0; trozo = l.u32())
        b.append(l.bytes(trozo));
    return b;
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
    case tipo::TEXT:
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
    switch (t.tipo) {
    case tipo::INT1:
        return simple(tipo::INTN, 1);
    case tipo::INT2:
        return simple(tipo::INTN, 2);
    case tipo::INT4:
        return simple(tipo::INTN, 4);
    case tipo::INT8:
        return simple(tipo::INTN, 8);
    case tipo::BIT:
        return simple(tipo::BITN, 1);
    case tipo::FLT4:
        return simple(tipo::FLTN, 4);
    case tipo::FLT8:
        return simple(tipo::FLTN, 8);
    case tipo::MONEY:
    case tipo::MONEY4:
        return simple(tipo::MONEYN, 8);
    case tipo::DATETIME:
    case tipo::DATETIM4:
        return simple(tipo::DATETIMN, 8);
    case tipo::TEXT:
    case tipo::NTEXT:
        t.tipo = t.tipo == tipo::TEXT ? tipo::BIGVARCHR : tipo::NVARCHAR;
        t.largo = kLargoMax;
        return t;
    default:
        break;
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
    case tipo::BIGVARBIN:
    case tipo::BIGBINARY:
        e.u16(quint16(t.largo));
        break;
    case tipo::DATETIME2N:
        e.u8(t.escala);
        break;
    case tipo::DATEN:
        break;
    default:
        throw std::logic_error("tipo sin declaración: 0x" + QByteArray::number(t.tipo, 16).toStdString());
    }
}

void escribirValor(Escritor& e, const TipoTds& t, const QVariant& v)
{
    const bool nulo = ado::esNulo(v);
    if (t.esTexto() || t.tipo == tipo::BIGVARBIN || t.tipo == tipo::BIGBINARY) {
        const bool binario = !t.esTexto();
        if (t.enTrozos()) {
            if (nulo)
                e.u64(~quint64(0));
            else
                escribirEnTrozos(e, binario ? v.toByteArray() : textoEnBytes(t, v.toString()));
            return;
        }
        if (nulo) {
            e.u16(0xFFFF);
            return;
        }
        const QByteArray b = binario ? v.toByteArray() : textoEnBytes(t, v.toString());
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
    case tipo::DATETIME2N:
    case tipo::DATEN: {
        const QDateTime f = comoFecha(t, v);
        const int largoHora = t.tipo == tipo::DATEN ? 0 : t.escala <= 2 ? 3 : t.escala <= 4 ? 4 : 5;
        e.u8(quint8(largoHora + 3));
        if (largoHora > 0) {
            // Units of 10^-escala seconds since midnight.
            quint64 unidades = quint64(f.time().msecsSinceStartOfDay());
            for (int i = 3; i < t.escala; ++i)
                unidades *= 10;
            for (int i = t.escala; i < 3; ++i)
                unidades /= 10;
            for (int i = 0; i < largoHora; ++i)
                e.u8(quint8(unidades >> (8 * i)));
        }
        const qint64 dias = kBase0001.daysTo(f.date());
        for (int i = 0; i < 3; ++i)
            e.u8(quint8(quint64(dias) >> (8 * i)));
        return;
    }
    default:
        throw std::logic_error("tipo sin valor: 0x" + QByteArray::number(t.tipo, 16).toStdString());
    }
}

TipoTds leerTipo(Lector& l)
{
    TipoTds t;
    t.tipo = l.u8();
    switch (t.tipo) {
    case tipo::INT1:
    case tipo::BIT:
        t.largo = 1;
        break;
    case tipo::INT2:
        t.largo = 2;
        break;
    case tipo::INT4:
    case tipo::FLT4:
    case tipo::DATETIM4:
    case tipo::MONEY4:
        t.largo = 4;
        break;
    case tipo::INT8:
    case tipo::FLT8:
    case tipo::DATETIME:
    case tipo::MONEY:
        t.largo = 8;
        break;
    case tipo::INTN:
    case tipo::BITN:
    case tipo::FLTN:
    case tipo::MONEYN:
    case tipo::DATETIMN:
        t.largo = l.u8();
        break;
    case tipo::DECIMALN:
    case tipo::NUMERICN:
        t.largo = l.u8();
        t.precision = l.u8();
        t.escala = l.u8();
        if (t.largo < 1 || t.largo > 17 || t.precision < 1 || t.precision > 38 || t.escala > t.precision)
            throw ErrorProtocolo("numérico mal declarado");
        break;
    case tipo::BIGVARCHR:
    case tipo::BIGCHAR:
    case tipo::NVARCHAR:
    case tipo::NCHAR:
        t.largo = l.u16();
        t.colacion = l.bytes(5);
        break;
    case tipo::BIGVARBIN:
    case tipo::BIGBINARY:
        t.largo = l.u16();
        break;
    case tipo::TEXT:
    case tipo::NTEXT:
        t.largo = l.u32();
        t.colacion = l.bytes(5);
        break;
    case tipo::DATETIME2N:
        t.escala = l.u8();
        if (t.escala > 7)
            throw ErrorProtocolo("escala de datetime2 mayor que 7");
        break;
    case tipo::DATEN:
        t.largo = 3;
        break;
    default:
        throw ErrorProtocolo("tipo de parámetro no admitido: 0x" +
                             QByteArray::number(t.tipo, 16).toStdString());
    }
    return t;
}

namespace {

qint64 enteroConSigno(quint64 bits, quint32 largo)
{
    const int corrimiento = 64 - 8 * int(largo);
    return qint64(bits << corrimiento) >> corrimiento;
}

quint64 leerBytesLE(Lector& l, quint32 largo)
{
    quint64 n = 0;
    for (quint32 i = 0; i < largo; ++i)
        n |= quint64(l.u8()) << (8 * i);
    return n;
}

// Fixed-length types carry no length byte; the nullable ones carry one, 0 meaning NULL.
quint32 largoDeValor(Lector& l, const TipoTds& t)
{
    switch (t.tipo) {
    case tipo::INT1:
    case tipo::BIT:
    case tipo::INT2:
    case tipo::INT4:
    case tipo::FLT4:
    case tipo::DATETIM4:
    case tipo::MONEY4:
    case tipo::INT8:
    case tipo::FLT8:
    case tipo::DATETIME:
    case tipo::MONEY:
        return t.largo;
    default:
        return l.u8();
    }
}

} // namespace

QVariant leerValor(Lector& l, const TipoTds& t)
{
    if (t.esTexto() || t.tipo == tipo::BIGVARBIN || t.tipo == tipo::BIGBINARY) {
        QByteArray b;
        if (t.largo == kLargoMax) {
            bool nulo = false;
            b = leerEnTrozos(l, nulo);
            if (nulo)
                return {};
        } else if (t.tipo == tipo::TEXT || t.tipo == tipo::NTEXT) {
            const quint32 n = l.u32();
            if (n == 0xFFFFFFFF)
                return {};
            b = l.bytes(n);
        } else {
            const quint16 n = l.u16();
            if (n == 0xFFFF)
                return {};
            b = l.bytes(n);
        }
        if (!t.esTexto())
            return b;
        return textoDeBytes(t, b);
    }
    const quint32 largo = largoDeValor(l, t);
    if (largo == 0)
        return {};
    switch (t.tipo) {
    case tipo::INTN:
    case tipo::INT1:
    case tipo::INT2:
    case tipo::INT4:
    case tipo::INT8: {
        if (largo != 1 && largo != 2 && largo != 4 && largo != 8)
            throw ErrorProtocolo("entero de largo " + std::to_string(largo));
        const quint64 bits = leerBytesLE(l, largo);
        if (largo == 1)
            return int(bits); // tinyint has no sign
        if (largo == 8)
            return qlonglong(enteroConSigno(bits, 8));
        return int(enteroConSigno(bits, largo));
    }
    case tipo::BITN:
    case tipo::BIT:
        return leerBytesLE(l, largo) != 0;
    case tipo::FLTN:
    case tipo::FLT4:
    case tipo::FLT8: {
        const quint64 bits = leerBytesLE(l, largo);
        if (largo == 4) {
            float f = 0;
            const quint32 b32 = quint32(bits);
            std::memcpy(&f, &b32, 4);
            return double(f);
        }
        if (largo != 8)
            throw ErrorProtocolo("real de largo " + std::to_string(largo));
        double d = 0;
        std::memcpy(&d, &bits, 8);
        return d;
    }
    case tipo::MONEYN:
    case tipo::MONEY:
    case tipo::MONEY4: {
        if (largo == 4)
            return double(qint32(l.u32())) / 10000.0;
        if (largo != 8)
            throw ErrorProtocolo("money de largo " + std::to_string(largo));
        const quint64 alto = l.u32();
        const quint64 bajo = l.u32();
        return double(qint64((alto << 32) | bajo)) / 10000.0;
    }
    case tipo::DECIMALN:
    case tipo::NUMERICN: {
        const bool positivo = l.u8() == 1;
        long double magnitud = 0;
        const QByteArray b = l.bytes(largo - 1);
        for (qsizetype i = b.size() - 1; i >= 0; --i)
            magnitud = magnitud * 256 + quint8(b[i]);
        const double d = double(magnitud / std::pow(10.0L, t.escala));
        return positivo ? d : -d;
    }
    case tipo::DATETIMN:
    case tipo::DATETIME:
    case tipo::DATETIM4: {
        if (largo == 4) {
            const quint16 dias = l.u16();
            const quint16 minutos = l.u16();
            return QDateTime(kBase1900.addDays(dias), QTime(0, 0).addSecs(minutos * 60));
        }
        FechaTds f;
        f.dias = qint32(l.u32());
        f.tics = l.u32();
        return deFechaTds(f);
    }
    case tipo::DATETIME2N:
    case tipo::DATEN: {
        const quint32 largoHora = largo - 3;
        quint64 unidades = leerBytesLE(l, largoHora);
        const qint64 dias = qint64(leerBytesLE(l, 3));
        const QDate fecha = kBase0001.addDays(dias);
        if (t.tipo == tipo::DATEN)
            return fecha.startOfDay();
        for (int i = t.escala; i < 3; ++i)
            unidades *= 10;
        for (int i = 3; i < t.escala; ++i)
            unidades /= 10;
        return QDateTime(fecha, QTime::fromMSecsSinceStartOfDay(int(unidades % 86400000)));
    }
    default:
        throw ErrorProtocolo("tipo sin lectura: 0x" + QByteArray::number(t.tipo, 16).toStdString());
    }
}

int tipoAdo(const TipoTds& t)
{
    switch (t.tipo) {
    case tipo::INTN:
        return t.largo == 1   ? ado::adUnsignedTinyInt
               : t.largo == 2 ? ado::adSmallInt
               : t.largo == 8 ? ado::adBigInt
                              : ado::adInteger;
    case tipo::INT1:
        return ado::adUnsignedTinyInt;
    case tipo::INT2:
        return ado::adSmallInt;
    case tipo::INT4:
        return ado::adInteger;
    case tipo::INT8:
        return ado::adBigInt;
    case tipo::BITN:
    case tipo::BIT:
        return ado::adBoolean;
    case tipo::FLTN:
        return t.largo == 4 ? ado::adSingle : ado::adDouble;
    case tipo::FLT4:
        return ado::adSingle;
    case tipo::FLT8:
        return ado::adDouble;
    case tipo::MONEYN:
    case tipo::MONEY:
    case tipo::MONEY4:
        return ado::adCurrency;
    case tipo::DECIMALN:
        return ado::adDecimal;
    case tipo::NUMERICN:
        return ado::adNumeric;
    case tipo::DATEN:
        return ado::adDBDate;
    case tipo::BIGVARCHR:
        return t.enTrozos() ? ado::adLongVarChar : ado::adVarChar;
    case tipo::BIGCHAR:
        return ado::adChar;
    case tipo::TEXT:
        return ado::adLongVarChar;
    case tipo::NVARCHAR:
        return t.enTrozos() ? ado::adLongVarWChar : ado::adVarWChar;
    case tipo::NCHAR:
        return ado::adWChar;
    case tipo::NTEXT:
        return ado::adLongVarWChar;
    case tipo::BIGVARBIN:
        return ado::adVarBinary;
    case tipo::BIGBINARY:
        return ado::adBinary;
    default:
        return ado::adDBTimeStamp; // the datetime family
    }
}

int tamanoAdo(const TipoTds& t)
{
    if (t.enTrozos() || t.tipo == tipo::TEXT || t.tipo == tipo::NTEXT)
        return 0;
    if (t.esUnicode())
        return int(t.largo / 2);
    if (t.tipo == tipo::DECIMALN || t.tipo == tipo::NUMERICN)
        return t.precision;
    return int(t.largo);
}

QByteArray aCp1252(const QString& s)
{
    QByteArray b;
    b.reserve(s.size());
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            b.append(char(u));
            continue;
        }
        const auto it = std::find(kAlto1252.begin(), kAlto1252.end(), u);
        b.append(it == kAlto1252.end() ? '?' : char(0x80 + (it - kAlto1252.begin())));
    }
    return b;
}

QString deCp1252(const QByteArray& b)
{
    QString s;
    s.reserve(b.size());
    for (char c : b) {
        const quint8 u = quint8(c);
        s.append(u >= 0x80 && u < 0xA0 ? QChar(kAlto1252[u - 0x80]) : QChar(char16_t(u)));
    }
    return s;
}

FechaTds aFechaTds(const QDateTime& fecha)
{
    FechaTds f;
    f.dias = qint32(kBase1900.daysTo(fecha.date()));
    // Rounded to the nearest 1/300 s; 23:59:59.999 rounds into the next day.
    f.tics = quint32((qint64(fecha.time().msecsSinceStartOfDay()) * 3 + 5) / 10);
    if (f.tics >= kTicsPorDia) {
        f.tics -= kTicsPorDia;
        ++f.dias;
    }
    return f;
}

QDateTime deFechaTds(FechaTds f)
{
    const int ms = int((qint64(f.tics) * 10 + 1) / 3);
    return QDateTime(kBase1900.addDays(f.dias), QTime::fromMSecsSinceStartOfDay(std::min(ms, 86399999)));
}

} // namespace dalvo::tds

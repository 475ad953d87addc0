// Reading the parameters of procedure calls: their declared types and values, and what an engine
// parameter looks like in ADO terms.

#include "tds/TiposTds.h"

#include <cmath>
#include <cstring>

namespace dalvo::tds {

namespace {

const QDate kBase0001(1, 1, 1);

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

} // namespace

TipoTds leerTipo(Lector& l)
{
    TipoTds t;
    t.tipo = l.u8();
    switch (t.tipo) {
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
    case tipo::NTEXT:
        t.largo = l.u32();
        t.colacion = l.bytes(5);
        break;
    case tipo::DATETIME2N:
        t.escala = l.u8();
        if (t.escala > 7)
            throw ErrorProtocolo("escala de datetime2 mayor que 7");
        break;
    default:
        throw ErrorProtocolo("tipo de parámetro no admitido: 0x" +
                             QByteArray::number(t.tipo, 16).toStdString());
    }
    return t;
}

QVariant leerValor(Lector& l, const TipoTds& t)
{
    if (t.esTexto()) {
        QByteArray b;
        if (t.largo == kLargoMax) {
            bool nulo = false;
            b = leerEnTrozos(l, nulo);
            if (nulo)
                return {};
        } else if (t.tipo == tipo::NTEXT) {
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
        return textoDeBytes(t, b);
    }
    // The nullable types carry a length byte, 0 meaning NULL.
    const quint32 largo = l.u8();
    if (largo == 0)
        return {};
    switch (t.tipo) {
    case tipo::INTN: {
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
        return leerBytesLE(l, largo) != 0;
    case tipo::FLTN: {
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
    case tipo::MONEYN: {
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
    case tipo::DATETIMN: {
        if (largo != 8)
            throw ErrorProtocolo("datetime de largo " + std::to_string(largo));
        FechaTds f;
        f.dias = qint32(l.u32());
        f.tics = l.u32();
        return deFechaTds(f);
    }
    case tipo::DATETIME2N: {
        const quint32 largoHora = largo - 3;
        quint64 unidades = leerBytesLE(l, largoHora);
        const qint64 dias = qint64(leerBytesLE(l, 3));
        const QDate fecha = kBase0001.addDays(dias);
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
    case tipo::BITN:
        return ado::adBoolean;
    case tipo::FLTN:
        return t.largo == 4 ? ado::adSingle : ado::adDouble;
    case tipo::MONEYN:
        return ado::adCurrency;
    case tipo::DECIMALN:
        return ado::adDecimal;
    case tipo::NUMERICN:
        return ado::adNumeric;
    case tipo::BIGVARCHR:
        return t.enTrozos() ? ado::adLongVarChar : ado::adVarChar;
    case tipo::BIGCHAR:
        return ado::adChar;
    case tipo::NVARCHAR:
        return t.enTrozos() ? ado::adLongVarWChar : ado::adVarWChar;
    case tipo::NCHAR:
        return ado::adWChar;
    case tipo::NTEXT:
        return ado::adLongVarWChar;
    default:
        return ado::adDBTimeStamp; // the datetime family
    }
}

int tamanoAdo(const TipoTds& t)
{
    if (t.enTrozos() || t.tipo == tipo::NTEXT)
        return 0;
    if (t.esUnicode())
        return int(t.largo / 2);
    if (t.tipo == tipo::DECIMALN || t.tipo == tipo::NUMERICN)
        return t.precision;
    return int(t.largo);
}

} // namespace dalvo::tds

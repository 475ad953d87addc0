// Reading the parameters of procedure calls: their declared types and values, and what an engine
// parameter looks like in ADO terms.

#include "tds/TiposTds.h"

#include <cmath>
#include <cstring>

namespace dalvo::tds {

namespace {

const QDate kBase1900(1900, 1, 1);
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

} // namespace dalvo::tds

#include "tds/Bytes.h"

namespace dalvo::tds {

void Escritor::u16(quint16 v)
{
    u8(quint8(v));
    u8(quint8(v >> 8));
}

void Escritor::u32(quint32 v)
{
    u16(quint16(v));
    u16(quint16(v >> 16));
}

void Escritor::u64(quint64 v)
{
    u32(quint32(v));
    u32(quint32(v >> 32));
}

void Escritor::u16be(quint16 v)
{
    u8(quint8(v >> 8));
    u8(quint8(v));
}

void Escritor::u32be(quint32 v)
{
    u16be(quint16(v >> 16));
    u16be(quint16(v));
}

void Escritor::utf16(const QString& s)
{
    mDatos.append(aUtf16(s));
}

void Escritor::bVarchar(const QString& s)
{
    const QString corto = s.left(255);
    u8(quint8(corto.size()));
    utf16(corto);
}

void Escritor::usVarchar(const QString& s)
{
    const QString corto = s.left(65535);
    u16(quint16(corto.size()));
    utf16(corto);
}

void Escritor::bVarbyte(const QByteArray& b)
{
    u8(quint8(b.size()));
    bytes(b);
}

void Escritor::ponerU16(qsizetype posicion, quint16 v)
{
    mDatos[posicion] = char(v & 0xFF);
    mDatos[posicion + 1] = char(v >> 8);
}

quint16 Escritor::leerU16(qsizetype posicion) const
{
    return quint16(quint8(mDatos[posicion]) | (quint8(mDatos[posicion + 1]) << 8));
}

void Lector::exigir(qsizetype n) const
{
    if (n < 0 || mPos + n > mDatos.size())
        throw ErrorProtocolo("mensaje truncado: faltan " + std::to_string(mPos + n - mDatos.size()) +
                             " bytes en la posición " + std::to_string(mPos));
}

quint8 Lector::u8()
{
    exigir(1);
    return quint8(mDatos[mPos++]);
}

quint16 Lector::u16()
{
    const quint16 bajo = u8();
    return quint16(bajo | (u8() << 8));
}

quint32 Lector::u32()
{
    const quint32 bajo = u16();
    return bajo | (quint32(u16()) << 16);
}

quint64 Lector::u64()
{
    const quint64 bajo = u32();
    return bajo | (quint64(u32()) << 32);
}

QByteArray Lector::bytes(qsizetype n)
{
    exigir(n);
    QByteArray b = mDatos.mid(mPos, n);
    mPos += n;
    return b;
}

QString Lector::utf16(qsizetype caracteres)
{
    return deUtf16(bytes(caracteres * 2));
}

QString Lector::bVarchar()
{
    return utf16(u8());
}

void Lector::irA(qsizetype posicion)
{
    if (posicion < 0 || posicion > mDatos.size())
        throw ErrorProtocolo("posición fuera del mensaje: " + std::to_string(posicion));
    mPos = posicion;
}

QByteArray aUtf16(const QString& s)
{
    QByteArray b;
    b.reserve(s.size() * 2);
    for (QChar c : s) {
        b.append(char(c.unicode() & 0xFF));
        b.append(char(c.unicode() >> 8));
    }
    return b;
}

QString deUtf16(const QByteArray& b)
{
    QString s;
    s.reserve(b.size() / 2);
    for (qsizetype i = 0; i + 1 < b.size(); i += 2)
        s.append(QChar(char16_t(quint8(b[i]) | (quint8(b[i + 1]) << 8))));
    return s;
}

} // namespace dalvo::tds

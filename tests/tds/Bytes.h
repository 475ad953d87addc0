#pragma once

// Little-endian byte buffers for the wire format: the writer builds tokens, the reader walks a request and
// throws ErrorProtocolo instead of reading past the end of what the client sent.

#include <QByteArray>
#include <QString>
#include <stdexcept>

namespace dalvo::tds {

class ErrorProtocolo : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class Escritor
{
public:
    void u8(quint8 v) { mDatos.append(char(v)); }
    void u16(quint16 v);
    void u32(quint32 v);
    void u64(quint64 v);
    void u16be(quint16 v);
    void u32be(quint32 v);
    void bytes(const QByteArray& b) { mDatos.append(b); }
    void utf16(const QString& s);     // UTF-16LE, no length
    void bVarchar(const QString& s);  // 1-byte character count, then UTF-16LE
    void usVarchar(const QString& s); // 2-byte character count, then UTF-16LE
    void bVarbyte(const QByteArray& b);

    // Overwrites two bytes already written (lengths known only once a token is complete).
    void ponerU16(qsizetype posicion, quint16 v);
    quint16 leerU16(qsizetype posicion) const;

    qsizetype tamano() const { return mDatos.size(); }
    const QByteArray& datos() const { return mDatos; }

private:
    QByteArray mDatos;
};

class Lector
{
public:
    explicit Lector(QByteArray datos) : mDatos(std::move(datos)) {}

    quint8 u8();
    quint16 u16();
    quint32 u32();
    quint64 u64();
    QByteArray bytes(qsizetype n);
    QString utf16(qsizetype caracteres);
    QString bVarchar();
    void saltar(qsizetype n) { bytes(n); }

    bool fin() const { return mPos >= mDatos.size(); }
    qsizetype posicion() const { return mPos; }
    void irA(qsizetype posicion);
    qsizetype quedan() const { return mDatos.size() - mPos; }
    const QByteArray& datos() const { return mDatos; }

private:
    void exigir(qsizetype n) const;

    QByteArray mDatos;
    qsizetype mPos = 0;
};

// UTF-16LE bytes of a text and back.
QByteArray aUtf16(const QString& s);
QString deUtf16(const QByteArray& b);

} // namespace dalvo::tds

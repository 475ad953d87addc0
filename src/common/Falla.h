#pragma once

#include <QString>
#include <exception>

namespace dalvo {

// The one error type of the program: data classes raise it, window handlers catch it and hand it to
// ChekError. Numbers above 9999 are database errors.
class Falla : public std::exception
{
public:
    Falla(qint32 numero, QString origen, QString descripcion);

    qint32 Numero;
    QString Origen;
    QString Descripcion;

    const char* what() const noexcept override;

private:
    QByteArray mTexto;
};

// Run-time error numbers of the platform the system was written for, kept so that messages and logs read
// the same.
namespace errores {
inline constexpr qint32 Desbordamiento = 6;     // overflow
inline constexpr qint32 TiposNoCoinciden = 13;  // type mismatch
inline constexpr qint32 UsoInvalidoDeNull = 94; // invalid use of Null
inline constexpr qint32 ElementoNoEncontrado = 3265;
} // namespace errores

} // namespace dalvo

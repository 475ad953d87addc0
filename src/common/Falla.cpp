#include "common/Falla.h"

namespace dalvo {

Falla::Falla(qint32 numero, QString origen, QString descripcion)
    : Numero(numero), Origen(std::move(origen)), Descripcion(std::move(descripcion))
{
    mTexto = QStringLiteral("%1 (%2): %3").arg(Numero).arg(Origen, Descripcion).toUtf8();
}

const char* Falla::what() const noexcept
{
    return mTexto.constData();
}

} // namespace dalvo

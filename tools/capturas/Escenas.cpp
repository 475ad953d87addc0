#include "Escenas.h"

namespace dalvo::capturas {

QList<Escena>& escenas()
{
    static QList<Escena> todas;
    return todas;
}

Registro::Registro(const char* nombre, std::function<QWidget*()> construir)
{
    escenas().append({QString::fromUtf8(nombre), std::move(construir)});
}

} // namespace dalvo::capturas

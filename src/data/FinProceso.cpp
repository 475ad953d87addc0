#include "data/FinProceso.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace dalvo {

namespace {

SalidaProceso& salidaActual()
{
    static SalidaProceso salida;
    return salida;
}

} // namespace

void FinalizarProceso(int codigo)
{
    if (salidaActual()) {
        salidaActual()(codigo);
        return;
    }
    std::fflush(nullptr);
    // Not exit(): the windows and the application object are still alive on the stack, and running the
    // static destructors under them is what would not be "at once".
    std::_Exit(codigo);
}

SalidaProceso setSalidaProceso(SalidaProceso salida)
{
    return std::exchange(salidaActual(), std::move(salida));
}

} // namespace dalvo

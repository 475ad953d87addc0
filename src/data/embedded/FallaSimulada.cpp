#include "data/embedded/FallaSimulada.h"

#include <atomic>

namespace dalvo::embebido {

namespace {
std::atomic<quint64> gEpoca{0};
std::atomic<int> gRechazos{0};
} // namespace

void FallaSimulada::cortarEnlace()
{
    ++gEpoca;
}

void FallaSimulada::rechazarConexiones(int cuantas)
{
    gRechazos = cuantas > 0 ? cuantas : 0;
}

void FallaSimulada::restablecer()
{
    gRechazos = 0;
}

quint64 FallaSimulada::epoca()
{
    return gEpoca.load();
}

bool FallaSimulada::consumirRechazo()
{
    int actual = gRechazos.load();
    while (actual > 0)
        if (gRechazos.compare_exchange_weak(actual, actual - 1))
            return true;
    return false;
}

} // namespace dalvo::embebido

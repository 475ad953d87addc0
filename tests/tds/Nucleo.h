#pragma once

// State a server shares with its connection threads.

#include "tds/ServidorTds.h"

#include <atomic>
#include <list>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace dalvo::tds {

struct ServidorTds::Nucleo
{
    struct Enlace
    {
        int numero = 0;
        int socket = -1; // -1 once the connection closed it; guarded by the mutex
        std::thread hilo;
    };

    FabricaMotor fabrica;
    QString servidorMotor;

    mutable std::mutex mutex;
    std::vector<std::pair<int, Averia>> averias;
    QStringList incidentes;
    std::list<Enlace> enlaces;
    int aceptadas = 0;
    std::atomic<int> atenciones{0};

    int escucha = -1;
    quint16 puerto = 0;
    std::thread hiloEscucha;
    std::atomic<bool> deteniendo{false};

    std::optional<Averia> tomarAveria(int conexion, const QString& peticion);
    void anotar(const QString& incidente);
    void cerrarSocket(Enlace& enlace);
};

} // namespace dalvo::tds

#pragma once

// Moving through closings from the closings window: the service's look-ups by closing number (Buscar
// options 1 to 5) over every closing of every provider, not only the last three months, so that an
// operator can reach any closing.

#include <QString>
#include <optional>

namespace dalvo {

enum class Navegacion
{
    Este = 1,      // "Find": the closing typed in txtIdCierre
    Primero = 2,   // the lowest closing number
    Anterior = 3,  // the one before the closing shown
    Siguiente = 4, // the one after it
    Ultimo = 5,    // the highest
};

struct CierreEncontrado
{
    qint32 prestador = 0;
    qint32 cierre = 0;
};

// The closing to show, through clsCierres::Buscar on gConexion; nothing when there is none. Raises
// dalvo::Falla.
std::optional<CierreEncontrado> BuscarCierre(Navegacion accion, qint32 cierreActual);

// What the operator reads when there is no such closing.
QString AvisoSinCierre(Navegacion accion, qint32 cierre);

// The closing number typed in txtIdCierre, or nothing when the text is not a closing number.
std::optional<qint32> NumeroDeCierre(const QString& texto);

} // namespace dalvo

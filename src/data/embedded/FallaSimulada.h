#pragma once

#include <QtGlobal>

namespace dalvo::embebido {

// Process-wide fault switch of the demo server, for tests of the recovery path. It makes the embedded
// engine fail as a SQL Server reached through FreeTDS fails:
//  - cortarEnlace(): every session open at that moment loses its link for good: each later call fails
//    with 08S01 / 20006 and conexionPerdida() answers true. Sessions opened afterwards work.
//  - rechazarConexiones(n): the next n attempts to open a session fail as an unreachable server does
//    (08S01 / 20009, then 08001).
//  - restablecer(): no refusals pending. A link already cut stays cut (the program reconnects).
class FallaSimulada
{
public:
    static void cortarEnlace();
    static void rechazarConexiones(int cuantas);
    static void restablecer();

    // For the engine.
    static quint64 epoca();        // changes at every cut
    static bool consumirRechazo(); // true when this attempt must be refused
};

} // namespace dalvo::embebido

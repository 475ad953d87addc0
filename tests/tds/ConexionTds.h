#pragma once

// One client's link: reads its messages, answers them, runs its requests on the connection's engine.
// Runs on the connection's own thread.

#include "tds/Nucleo.h"
#include "tds/Peticiones.h"
#include "tds/Respuestas.h"

namespace dalvo::tds {

class ConexionTds
{
public:
    ConexionTds(ServidorTds::Nucleo& nucleo, ServidorTds::Nucleo::Enlace& enlace);
    ~ConexionTds();
    ConexionTds(const ConexionTds&) = delete;
    ConexionTds& operator=(const ConexionTds&) = delete;

    // Serves the link until the client or a fault closes it. Never throws.
    void atender();

private:
    struct EnlaceCerrado
    {};
    struct Mensaje
    {
        quint8 tipo = 0;
        QByteArray datos;
    };
    using Ejecucion = std::function<void(Respuesta& r, int filasHastaCorte)>;

    Mensaje leerMensaje();
    void leerExacto(char* destino, size_t n);
    // Sends a message in packets; with hasta >= 0 only its first `hasta` bytes, never marked as complete.
    void enviar(const QByteArray& datos, qsizetype hasta = -1);
    // Waits up to ms for an ATTENTION from the client; true when one came.
    bool esperarAtencion(int ms);
    void responderAtencion();

    void login(const Mensaje& m);
    void lote(const Mensaje& m);
    void rpc(const Mensaje& m);
    void llamada(Respuesta& r, const LlamadaRpc& c, int filasHastaCorte);
    void atenderPeticion(const QString& texto, quint8 tokenFinal, const Ejecucion& ejecutar);
    void rechazar(const QString& incidente, quint8 tokenFinal);
    bool conCabeceras() const { return mVersion >= 0x72000000; }

    ServidorTds::Nucleo& mNucleo;
    ServidorTds::Nucleo::Enlace& mEnlace;
    int mSocket;
    std::unique_ptr<ado::Motor> mMotor;
    quint32 mVersion = 0;
    int mTamanoPaquete = 4096;
    quint8 mNumeroPaquete = 1;
};

} // namespace dalvo::tds

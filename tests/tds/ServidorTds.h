#pragma once

// A small TDS 7.4 server for tests: it listens on 127.0.0.1, accepts the FreeTDS driver (and tsql), and
// answers every batch and procedure call by running it on an engine (ado::Motor) opened per connection
// with the login's user, password and database. Faults can be injected per connection.

#include "data/Motor.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace dalvo::tds {

// Makes the engine of one connection. Called from the connection's own thread: it must be thread-safe.
using FabricaMotor = std::function<std::unique_ptr<ado::Motor>()>;

// A fault met by the next request that matches it; each armed fault fires once.
struct Averia
{
    enum class Tipo
    {
        CortarAntesDeResponder, // the link is closed when the request arrives, nothing answered
        CortarEntreFilas,       // the link is closed after `filas` rows of the first result set
        Demorar,                // the reply waits `milisegundos`; an ATTENTION meanwhile cancels it
    };
    Tipo tipo = Tipo::CortarAntesDeResponder;
    int filas = 0;
    int milisegundos = 0;
    QString siContiene; // only a request whose text (or procedure name) contains this, ignoring case
};

class ServidorTds
{
public:
    // servidorMotor: what Motor::abrir receives as DatosConexion::servidor (e.g. "sqlite:<path>").
    ServidorTds(FabricaMotor fabrica, QString servidorMotor);
    ~ServidorTds(); // stops listening, closes every link, waits for the connection threads
    ServidorTds(const ServidorTds&) = delete;
    ServidorTds& operator=(const ServidorTds&) = delete;

    // Listens on 127.0.0.1; port 0 lets the system choose. Returns the bound port. Throws
    // std::runtime_error when it cannot listen.
    quint16 iniciar(quint16 puerto = 0);
    void detener();
    quint16 puerto() const;

    // Connections are numbered 1, 2, ... in the order they are accepted.
    int conexionesAceptadas() const;
    int conexionesAbiertas() const;

    // Arms a fault for connection `conexion` (0: whichever connection meets it first).
    void armarAveria(const Averia& averia, int conexion = 0);
    // Armed faults that no request has met yet (a test waits for 0 to know its request reached the server).
    int averiasArmadas() const;
    // Closes the link of connection `conexion` (0: every open one) now, while it waits for a request.
    void cortarEnReposo(int conexion = 0);

    // ATTENTION messages (cancels) received from clients so far.
    int atenciones() const;

    // What the server met that it did not expect (malformed requests, types it does not take, engine
    // values that do not fit their column). Tests expect it empty.
    QStringList incidentes() const;

    struct Nucleo;

private:
    std::unique_ptr<Nucleo> mNucleo;
};

} // namespace dalvo::tds

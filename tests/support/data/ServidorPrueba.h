#pragma once

// What the tests of the error driver, the log-in and the main window share: a fake server behind gConexion
// whose link can be cut, message boxes answered by a function that can look at the program while the box
// is up, the exit recorded instead of taken, and the day's log.

#include "common/Programa.h"
#include "common/Reloj.h"
#include "data/FinProceso.h"
#include "data/MotorFalso.h"
#include "data/cUserConnection.h"
#include "ui/Mensajes.h"

#include <QDir>
#include <QFile>

namespace dalvo::prueba {

class MensajesConAccion : public ui::ServicioMensajes
{
public:
    ui::Respuesta mostrar(const ui::Mensaje& mensaje, QWidget*) override
    {
        mostrados.append(mensaje);
        return accion ? accion(mensaje) : ui::respuestaPorDefecto(mensaje);
    }
    QList<ui::Mensaje> mostrados;
    std::function<ui::Respuesta(const ui::Mensaje&)> accion;
};

// Installs MensajesConAccion for its lifetime.
class CajasConAccion
{
public:
    CajasConAccion()
    {
        auto servicio = std::make_unique<MensajesConAccion>();
        mServicio = servicio.get();
        mAnterior = ui::setServicioMensajes(std::move(servicio));
    }
    ~CajasConAccion() { ui::setServicioMensajes(std::move(mAnterior)); }
    CajasConAccion(const CajasConAccion&) = delete;
    CajasConAccion& operator=(const CajasConAccion&) = delete;

    QList<ui::Mensaje>& mostrados() { return mServicio->mostrados; }
    void alMostrar(std::function<ui::Respuesta(const ui::Mensaje&)> accion)
    {
        mServicio->accion = std::move(accion);
    }

private:
    MensajesConAccion* mServicio;
    std::unique_ptr<ui::ServicioMensajes> mAnterior;
};

// Records the process's end instead of ending it.
class SalidaRegistrada
{
public:
    SalidaRegistrada()
        : mAnterior(setSalidaProceso([this](int codigo) {
              codigos.append(codigo);
              if (alSalir)
                  alSalir();
          }))
    {}
    ~SalidaRegistrada() { setSalidaProceso(std::move(mAnterior)); }
    SalidaRegistrada(const SalidaRegistrada&) = delete;
    SalidaRegistrada& operator=(const SalidaRegistrada&) = delete;

    QList<int> codigos;
    std::function<void()> alSalir;

private:
    SalidaProceso mAnterior;
};

// A server behind a fresh gConexion (created here, released by the destructor unless Terminar did). It
// answers cUserConnection's own queries, and every other statement with resto (no result set when unset).
// cortarEnlace() makes the session open at that moment lose its link for good, as a dropped network
// would: its statements fail and the engine says the link is gone. A later session works, unless
// rechazarAperturas(true) makes every opening fail as an unreachable server does.
class ServidorPrueba
{
public:
    ServidorPrueba()
    {
        motor.guion->responder = pruebas::servidorSimulado([this](const QString& sql) -> ado::Lote {
            if (mCortadoEn >= 0 && motor.guion->aperturas.size() == mCortadoEn)
                pruebas::fallar({pruebas::registro(0, QStringLiteral("HY000"),
                                                   QStringLiteral("[FreeTDS][SQL Server]Read from the "
                                                                  "server failed"))});
            if (mCortadoEn >= 0) {
                mCortadoEn = -1; // a new session: the cut link was the old one's
                motor.guion->enlacePerdido = false;
            }
            return resto ? resto(sql) : ado::Lote{};
        });
        delete gConexion;
        gConexion = new cUserConnection;
    }
    ~ServidorPrueba()
    {
        delete gConexion;
        gConexion = nullptr;
    }
    ServidorPrueba(const ServidorPrueba&) = delete;
    ServidorPrueba& operator=(const ServidorPrueba&) = delete;

    void conectar(const QString& servidor = QStringLiteral("srv"),
                  const QString& usuario = QStringLiteral("u"), const QString& clave = QStringLiteral("p"),
                  const QString& base = QStringLiteral("dalvoPralMendoza"))
    {
        gConexion->Connect(servidor, usuario, clave, base);
    }

    void cortarEnlace()
    {
        mCortadoEn = motor.guion->aperturas.size();
        motor.guion->enlacePerdido = true;
    }

    void rechazarAperturas(bool rechazar)
    {
        motor.guion->falloApertura.clear();
        if (rechazar)
            motor.guion->falloApertura = {
                pruebas::registro(20009, QStringLiteral("08S01"),
                                  QStringLiteral("Unable to connect: Adaptive Server is unavailable or does "
                                                 "not exist")),
                pruebas::registro(0, QStringLiteral("08001"),
                                  QStringLiteral("Unable to connect to data source"))};
    }

    // Runs a statement so that its failure fills the connection's error list; the error number.
    qint32 fallarUnaSentencia(const QString& sql = QStringLiteral("SELECT 1"))
    {
        qint32 numero = 0;
        QString descripcion;
        gConexion->Query(sql, numero, descripcion, true, false);
        return numero;
    }

    int aperturas() const { return int(motor.guion->aperturas.size()); }
    const QStringList& sentencias() const { return motor.guion->sentencias; }

    pruebas::ConMotorFalso motor;
    std::function<ado::Lote(const QString&)> resto;

private:
    qsizetype mCortadoEn = -1;
};

// The day's log file as text (the system's 8-bit code page).
inline QString leerLog()
{
    QDir carpeta(CarpetaPrograma());
    QFile log(carpeta.filePath(Ahora().toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".log")));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(log.readAll());
}

// " | text | procedure" followed by the end of the line, as a logged event ends.
inline QString eventoLog(const QString& texto, const QString& procedimiento)
{
    return QStringLiteral(" | ") + texto + QStringLiteral(" | ") + procedimiento + QStringLiteral("\r\n");
}

} // namespace dalvo::prueba

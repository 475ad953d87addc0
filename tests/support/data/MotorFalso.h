#pragma once

// A database engine for tests: it records what the connection sends and answers as the test scripts it
// (tables, failures with given records, a lost link).

#include "data/FabricaMotor.h"
#include "data/Motor.h"

#include <QStringList>
#include <functional>
#include <memory>

namespace dalvo::pruebas {

struct Guion
{
    // What the engine received.
    QVector<ado::DatosConexion> aperturas;
    QStringList sentencias;
    QVector<int> esperas;
    QStringList procedimientos;
    QVector<QVector<ado::ParametroMotor>> llamadas;
    int cierres = 0;
    int preguntasEnlace = 0;

    // How it answers. Without a responder a statement returns nothing (no result set).
    QVector<ado::ErrorAdo> falloApertura;
    std::function<ado::Lote(const QString& sql, const ado::DatosConexion& abierta)> responder;
    std::function<ado::Lote(const QString& procedimiento, QVector<ado::ParametroMotor>& parametros)>
        responderLlamada;
    bool enlacePerdido = false;
};

class MotorFalso : public ado::Motor
{
public:
    explicit MotorFalso(std::shared_ptr<Guion> guion) : mGuion(std::move(guion)) {}

    void abrir(const ado::DatosConexion& datos) override;
    void cerrar() override;
    bool abierta() const override { return mAbierta; }
    ado::Lote ejecutar(const QString& sql, int segundosEspera) override;
    ado::Lote llamar(const QString& procedimiento, QVector<ado::ParametroMotor>& parametros,
                     int segundosEspera) override;
    bool conexionPerdida() override;

private:
    std::shared_ptr<Guion> mGuion;
    ado::DatosConexion mDatos;
    bool mAbierta = false;
};

// Every connection opened while it lives gets a MotorFalso on the same script.
class ConMotorFalso
{
public:
    ConMotorFalso();
    std::shared_ptr<Guion> guion = std::make_shared<Guion>();

private:
    ado::MotorSustituto mSustituto;
};

// A responder that answers the two queries cUserConnection::Connect runs (a login without a database lands
// in master, or always when siempreMaster) and hands any other statement to resto.
using Responder = std::function<ado::Lote(const QString& sql, const ado::DatosConexion& abierta)>;
Responder servidorSimulado(std::function<ado::Lote(const QString& sql)> resto = {},
                           bool siempreMaster = false);

ado::Columna columna(const QString& nombre, int tipo, int tamano = 0, int escala = 0);
ado::Tabla tabla(const QVector<ado::Columna>& columnas, const QVector<QVector<QVariant>>& filas);
ado::Lote lote(std::vector<ado::Tabla> tablas, QVector<ado::ErrorAdo> errorFinal = {});
[[noreturn]] void fallar(QVector<ado::ErrorAdo> registros);
ado::ErrorAdo registro(qint32 numero, const QString& sqlState, const QString& texto);

} // namespace dalvo::pruebas

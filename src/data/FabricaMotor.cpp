#include "data/FabricaMotor.h"

#include "data/Despliegue.h"
#include "data/TextoConexion.h"
#include "data/odbc/MotorOdbc.h"

namespace dalvo::ado {

namespace {

CreadorMotor& creadorEmbebido()
{
    static CreadorMotor creador = crearMotorEmbebidoEnlazado;
    return creador;
}

UbicadorBaseDemo& ubicadorDemo()
{
    static UbicadorBaseDemo ubicador = rutaBaseDemoEnlazada;
    return ubicador;
}

MotorSustituto::Fabrica& sustituto()
{
    static MotorSustituto::Fabrica fabrica;
    return fabrica;
}

} // namespace

CreadorMotor registrarMotorEmbebido(CreadorMotor creador)
{
    return std::exchange(creadorEmbebido(), std::move(creador));
}

UbicadorBaseDemo registrarBaseDemo(UbicadorBaseDemo ubicador)
{
    return std::exchange(ubicadorDemo(), std::move(ubicador));
}

std::unique_ptr<Motor> crearMotor(DatosConexion& datos)
{
    if (sustituto())
        return sustituto()(datos);
    switch (claseServidor(datos.servidor)) {
    case ClaseServidor::Demo:
        datos.servidor = QStringLiteral("sqlite:") + ubicadorDemo()();
        return creadorEmbebido()();
    case ClaseServidor::Embebido:
        return creadorEmbebido()();
    case ClaseServidor::SqlServer:
        break;
    }
    const Despliegue d = despliegue();
    return std::make_unique<MotorOdbc>(d.controladorOdbc, d.llavesDobles);
}

MotorSustituto::MotorSustituto(Fabrica fabrica) : mAnterior(std::move(sustituto()))
{
    sustituto() = std::move(fabrica);
}

MotorSustituto::~MotorSustituto()
{
    sustituto() = std::move(mAnterior);
}

} // namespace dalvo::ado

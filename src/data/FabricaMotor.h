#pragma once

#include "data/Motor.h"

#include <functional>
#include <memory>

namespace dalvo::ado {

// Picks and creates the engine for a server (TextoConexion.h): the embedded engine for "demo" and
// "sqlite:<path>", the ODBC engine for a SQL Server host. For "demo" it rewrites datos.servidor to
// "sqlite:<path of the demo database>", creating the database on first use.
std::unique_ptr<Motor> crearMotor(DatosConexion& datos);

// The two pieces that live in other folders and are joined here: the embedded engine (src/data/embedded)
// and the demo database (demo/). EnlacesMotor.cpp holds their defaults; a program or test may register
// others.
using CreadorMotor = std::function<std::unique_ptr<Motor>()>;
using UbicadorBaseDemo = std::function<QString()>;
// Each returns the one it replaces.
CreadorMotor registrarMotorEmbebido(CreadorMotor creador);
UbicadorBaseDemo registrarBaseDemo(UbicadorBaseDemo ubicador);

// Replaces the whole choice while it lives (tests: a fake engine for every connection opened meanwhile).
class MotorSustituto
{
public:
    using Fabrica = std::function<std::unique_ptr<Motor>(DatosConexion&)>;
    explicit MotorSustituto(Fabrica fabrica);
    ~MotorSustituto();
    MotorSustituto(const MotorSustituto&) = delete;
    MotorSustituto& operator=(const MotorSustituto&) = delete;

private:
    Fabrica mAnterior;
};

// Defaults of the two pieces (EnlacesMotor.cpp).
std::unique_ptr<Motor> crearMotorEmbebidoEnlazado();
QString rutaBaseDemoEnlazada();

} // namespace dalvo::ado

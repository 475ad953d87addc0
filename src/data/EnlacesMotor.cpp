// Where the connection meets the embedded engine and the demo database, both built in their own folders.

#include "common/Falla.h"
#include "data/FabricaMotor.h"
#include "data/embedded/MotorEmbebido.h"
#include "demo/GeneradorDemo.h"

namespace dalvo::ado {

std::unique_ptr<Motor> crearMotorEmbebidoEnlazado()
{
    return std::make_unique<embebido::MotorEmbebido>();
}

QString rutaBaseDemoEnlazada()
{
    try {
        return demo::AsegurarBaseDemo();
    } catch (const Falla& f) {
        // Reported like any other server that cannot be reached.
        throw FallaMotor({ErrorAdo{f.Numero, QStringLiteral("08001"),
                                   QStringLiteral("08001 No se pudo preparar la base de demostración: ") +
                                       f.Descripcion}});
    }
}

} // namespace dalvo::ado

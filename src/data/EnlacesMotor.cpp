// Where the connection meets the embedded engine and the demo database, both built in their own folders.
// Until they are linked in, a connection to "demo" or "sqlite:<file>" fails with a clear message.
//
// To link them: include "data/embedded/MotorEmbebido.h" and the demo library's header, return
// std::make_unique<MotorEmbebido>() and dalvo::demo::AsegurarBaseDemo(), and add dalvo_embedded and
// the demo library to dalvo_data's link libraries.

#include "data/FabricaMotor.h"

namespace dalvo::ado {

namespace {

[[noreturn]] void noDisponible(const QString& que)
{
    throw FallaMotor({ErrorAdo{0, QStringLiteral("08001"),
                               QStringLiteral("08001 %1 no está disponible en esta compilación.").arg(que)}});
}

} // namespace

std::unique_ptr<Motor> crearMotorEmbebidoEnlazado()
{
    noDisponible(QStringLiteral("El servidor embebido"));
}

QString rutaBaseDemoEnlazada()
{
    noDisponible(QStringLiteral("La base de demostración"));
}

} // namespace dalvo::ado

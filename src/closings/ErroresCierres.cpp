#include "closings/ErroresCierres.h"

#include "common/Falla.h"
#include "data/GrabarLog.h"
#include "ui/Mensajes.h"

namespace dalvo {

// Until the error driver joins the build, its ordinary path: logged, then shown as number, origin and
// description in a critical box titled "Error".
void informarFalla(qint32 numero, const QString& descripcion, const QString& origen)
{
    GrabarLog(QString::number(numero) + QLatin1Char(' ') + descripcion + QLatin1Char(' '), origen);
    ui::msgBox(QString::number(numero) + QStringLiteral("\r\n") + origen + QStringLiteral("\r\n") +
                   descripcion,
               ui::Botones::OK, ui::Icono::Critico, QStringLiteral("Error"));
}

void informarFalla(const Falla& falla)
{
    informarFalla(falla.Numero, falla.Descripcion, falla.Origen);
}

} // namespace dalvo

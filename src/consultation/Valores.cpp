#include "consultation/Valores.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace dalvo {

qint32 enteroLargo(double valor, const QString& origen)
{
    const double redondeado = std::nearbyint(valor);
    if (!std::isfinite(redondeado) || redondeado < std::numeric_limits<qint32>::min() ||
        redondeado > std::numeric_limits<qint32>::max())
        throw Falla(errores::Desbordamiento, origen, QStringLiteral("Desbordamiento"));
    return qint32(redondeado);
}

double numeroDeTexto(const QString& texto, const QString& origen)
{
    bool ok = false;
    const double numero = QLocale().toDouble(recortar(texto), &ok);
    if (!ok)
        throw Falla(errores::TiposNoCoinciden, origen, QStringLiteral("No coinciden los tipos"));
    return numero;
}

QDateTime fechaDeTexto(const QString& texto)
{
    // The list shows a date with a time as "dd/mm/yyyy" and the time after two blanks.
    const std::optional<QDateTime> fecha = textoAFecha(texto.simplified());
    return fecha ? *fecha : QDateTime();
}

} // namespace dalvo

#include "closings/Valores.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "data/Motor.h"

#include <QLocale>
#include <cmath>

namespace dalvo {

namespace {

[[noreturn]] void desbordamiento(const QString& origen)
{
    throw Falla(errores::Desbordamiento, origen, QStringLiteral("Desbordamiento"));
}

[[noreturn]] void usoDeNull(const QString& origen)
{
    throw Falla(errores::UsoInvalidoDeNull, origen, QStringLiteral("Uso no válido de Null"));
}

double numeroDe(const QVariant& valor, const QString& origen)
{
    if (ado::esNulo(valor))
        usoDeNull(origen);
    if (valor.typeId() == QMetaType::Bool)
        return valor.toBool() ? -1.0 : 0.0;
    bool ok = false;
    double d = valor.toDouble(&ok);
    if (!ok && valor.typeId() == QMetaType::QString)
        d = QLocale().toDouble(recortar(valor.toString()), &ok);
    if (!ok)
        throw Falla(errores::TiposNoCoinciden, origen, QStringLiteral("No coinciden los tipos"));
    return d;
}

} // namespace

qint16 aEntero16(double numero, const QString& origen)
{
    const double redondeado = std::nearbyint(numero);
    if (!(redondeado >= -32768.0 && redondeado <= 32767.0))
        desbordamiento(origen);
    return qint16(redondeado);
}

qint32 aEntero32(const QVariant& valor, const QString& origen)
{
    const double redondeado = std::nearbyint(numeroDe(valor, origen));
    if (!(redondeado >= -2147483648.0 && redondeado <= 2147483647.0))
        desbordamiento(origen);
    return qint32(redondeado);
}

QString textoDelValor(const QVariant& valor, const QString& origen)
{
    if (ado::esNulo(valor))
        usoDeNull(origen);
    return comoTexto(valor);
}

} // namespace dalvo

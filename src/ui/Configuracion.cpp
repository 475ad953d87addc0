#include "ui/Configuracion.h"

#include "common/Programa.h"

#include <QSettings>

namespace dalvo::ui {

namespace {
// Opened for each access so that tests can move the per-user folder with QSettings::setPath.
QSettings almacen()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(TituloAplicacion),
                     QString::fromLatin1(NombreEjecutable));
}

QString ruta(const QString& seccion, const QString& clave)
{
    return seccion + QLatin1Char('/') + clave;
}
} // namespace

QString leerConfiguracion(const QString& seccion, const QString& clave, const QString& porDefecto)
{
    return almacen().value(ruta(seccion, clave), porDefecto).toString();
}

void guardarConfiguracion(const QString& seccion, const QString& clave, const QString& valor)
{
    QSettings s = almacen();
    s.setValue(ruta(seccion, clave), valor);
    s.sync();
}

QString archivoConfiguracion()
{
    return almacen().fileName();
}

} // namespace dalvo::ui

#include "common/Programa.h"

#include "Version.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace dalvo {

namespace {
QString& carpetaFijada()
{
    static QString carpeta;
    return carpeta;
}
} // namespace

QString versionPrograma()
{
    return QStringLiteral("%1.%2.%3").arg(version::major).arg(version::minor).arg(version::revision);
}

QString CarpetaPrograma()
{
    if (!carpetaFijada().isEmpty())
        return carpetaFijada();
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

void setCarpetaPrograma(const QString& carpeta)
{
    carpetaFijada() = carpeta;
}

QString CarpetaDatosUsuario()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
}

void nombrarAplicacion()
{
    QCoreApplication::setOrganizationName(QString::fromLatin1(TituloAplicacion));
    QCoreApplication::setApplicationName(QString::fromLatin1(NombreEjecutable));
}

} // namespace dalvo

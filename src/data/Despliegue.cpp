#include "data/Despliegue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace dalvo::ado {

namespace {

QString variable(const QProcessEnvironment& entorno, const char* nombre)
{
    return entorno.value(QString::fromLatin1(nombre)).trimmed();
}

// An unquoted "host,port" comes back from QSettings as a list of two texts.
QString texto(const QVariant& valor)
{
    if (valor.typeId() == QMetaType::QStringList)
        return valor.toStringList().join(u',').trimmed();
    return valor.toString().trimmed();
}

QString carpetaPrograma()
{
    // Without an application object there is no executable folder to look in.
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
}

} // namespace

QString controladorOdbcPredeterminado()
{
    QStringList candidatos;
#ifdef DALVOHD_MULTIARCH
    candidatos << QStringLiteral("/usr/lib/" DALVOHD_MULTIARCH "/odbc/libtdsodbc.so");
#endif
    candidatos << QStringLiteral("/usr/lib/odbc/libtdsodbc.so");
    for (const QString& ruta : std::as_const(candidatos))
        if (QFileInfo::exists(ruta))
            return ruta;
    return QStringLiteral("FreeTDS");
}

Despliegue leerDespliegue(const QString& archivoConf, const QProcessEnvironment& entorno)
{
    Despliegue d;
    if (!archivoConf.isEmpty() && QFileInfo::exists(archivoConf)) {
        QSettings conf(archivoConf, QSettings::IniFormat);
        conf.beginGroup(QStringLiteral("Conexion"));
        d.servidor = texto(conf.value(QStringLiteral("Servidor")));
        d.controladorOdbc = texto(conf.value(QStringLiteral("ControladorODBC")));
        d.llavesDobles = conf.value(QStringLiteral("LlavesDobles"), false).toBool();
    }
    if (const QString s = variable(entorno, "DALVOHD_SERVER"); !s.isEmpty())
        d.servidor = s;
    if (const QString c = variable(entorno, "DALVOHD_ODBC_DRIVER"); !c.isEmpty())
        d.controladorOdbc = c;
    if (d.servidor.isEmpty())
        d.servidor = QStringLiteral("demo");
    if (d.controladorOdbc.isEmpty())
        d.controladorOdbc = controladorOdbcPredeterminado();
    return d;
}

Despliegue despliegue()
{
    const QString carpeta = carpetaPrograma();
    const QString archivo =
        carpeta.isEmpty() ? QString() : QDir(carpeta).filePath(QLatin1String(kArchivoDespliegue));
    return leerDespliegue(archivo, QProcessEnvironment::systemEnvironment());
}

QString servidorPredeterminado()
{
    return despliegue().servidor;
}

} // namespace dalvo::ado

#include "EntornoPrueba.h"

#include "common/FuncionesGenerales.h"
#include "common/Programa.h"

#include <QDir>
#include <QSettings>

namespace dalvo::prueba {

namespace {
void restaurarVariable(const char* nombre, const QByteArray& valor)
{
    if (valor.isNull())
        qunsetenv(nombre);
    else
        qputenv(nombre, valor);
}
} // namespace

EntornoPrueba::EntornoPrueba(const QLocale& local)
    : mSeparadorAnterior(gSeparadorDecimal), mDatosAnterior(qgetenv("XDG_DATA_HOME")),
      mConfigAnterior(qgetenv("XDG_CONFIG_HOME"))
{
    QDir raiz(carpeta());
    for (const char* sub : {"programa", "datos", "config"})
        raiz.mkpath(QString::fromLatin1(sub));
    qputenv("XDG_DATA_HOME", raiz.filePath(QStringLiteral("datos")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", raiz.filePath(QStringLiteral("config")).toLocal8Bit());
    for (const auto formato : {QSettings::NativeFormat, QSettings::IniFormat})
        QSettings::setPath(formato, QSettings::UserScope, raiz.filePath(QStringLiteral("config")));
    setCarpetaPrograma(carpetaPrograma());
    setLocal(local);
}

EntornoPrueba::~EntornoPrueba()
{
    QLocale::setDefault(mLocalAnterior);
    gSeparadorDecimal = mSeparadorAnterior;
    setCarpetaPrograma({});
    restaurarVariable("XDG_DATA_HOME", mDatosAnterior);
    restaurarVariable("XDG_CONFIG_HOME", mConfigAnterior);
}

void EntornoPrueba::setLocal(const QLocale& local)
{
    QLocale::setDefault(local);
    gSeparadorDecimal = SeparadorDecimal();
}

QString EntornoPrueba::carpetaPrograma() const
{
    return QDir(carpeta()).filePath(QStringLiteral("programa"));
}

QString EntornoPrueba::carpetaDatosUsuario() const
{
    return CarpetaDatosUsuario();
}

GuionMensajes::GuionMensajes()
{
    auto servicio = std::make_unique<ui::MensajesGuionados>();
    mServicio = servicio.get();
    mAnterior = ui::setServicioMensajes(std::move(servicio));
}

GuionMensajes::~GuionMensajes()
{
    ui::setServicioMensajes(std::move(mAnterior));
}

ContadorPitidos::ContadorPitidos() : mAnterior(setPitido([this] { ++cuenta; }))
{}

ContadorPitidos::~ContadorPitidos()
{
    setPitido(std::move(mAnterior));
}

} // namespace dalvo::prueba

#include "ui/Iconos.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

// The resources of a static library must be registered by name, outside any namespace.
static void registrarRecursosIconos()
{
    Q_INIT_RESOURCE(iconos);
}

namespace dalvo::ui {

namespace {

const QString CarpetaIconos = QStringLiteral(":/iconos/");
const QString RutaAplicacion = QStringLiteral(":/aplicacion/dalvohd.svg");

struct Catalogo
{
    QHash<QString, QString> rutas; // key in capitals -> resource path
    QStringList claves;
    QHash<QString, QIcon> dibujados;
};

Catalogo& catalogo()
{
    static Catalogo c = [] {
        registrarRecursosIconos();
        Catalogo nuevo;
        const QStringList archivos = QDir(CarpetaIconos).entryList({QStringLiteral("*.svg")}, QDir::Files);
        for (const QString& archivo : archivos) {
            const QString clave = archivo.chopped(4);
            nuevo.claves << clave;
            nuevo.rutas.insert(clave.toUpper(), CarpetaIconos + archivo);
        }
        // Pixmaps must go before the application does.
        qAddPostRoutine([] { catalogo().dibujados.clear(); });
        return nuevo;
    }();
    return c;
}

QIcon dibujar(const QString& ruta)
{
    QSvgRenderer svg(ruta);
    if (!svg.isValid())
        return {};
    QIcon icono;
    for (const int lado : {16, 24, 32, 48, 64}) {
        QPixmap imagen(lado, lado);
        imagen.fill(Qt::transparent);
        QPainter pintor(&imagen);
        pintor.setRenderHint(QPainter::Antialiasing);
        svg.render(&pintor);
        pintor.end();
        icono.addPixmap(imagen);
    }
    return icono;
}

QIcon dibujado(const QString& clave, const QString& ruta)
{
    // Pixmaps need the application's windowing system.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return {};
    Catalogo& c = catalogo();
    auto hallado = c.dibujados.constFind(clave);
    if (hallado != c.dibujados.constEnd())
        return *hallado;
    const QIcon nuevo = dibujar(ruta);
    c.dibujados.insert(clave, nuevo);
    return nuevo;
}

} // namespace

QIcon icono(const QString& clave)
{
    const QString mayusculas = clave.toUpper();
    const QString ruta = catalogo().rutas.value(mayusculas);
    if (ruta.isEmpty())
        return {};
    return dibujado(mayusculas, ruta);
}

QIcon iconoAplicacion()
{
    catalogo();
    return dibujado(RutaAplicacion, RutaAplicacion);
}

QStringList clavesIconos()
{
    return catalogo().claves;
}

} // namespace dalvo::ui

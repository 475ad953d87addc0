// Writes a PNG of each registered window:  capturas [folder] [scene...]  (default folder "screenshots").
// Without a window manager the frame is not drawn by anyone, so the driver draws a plain title bar with the
// window's caption above what the window painted.

#include "Escenas.h"
#include "ui/Aplicacion.h"
#include "ui/Mensajes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLocale>
#include <QPainter>
#include <QWidget>
#include <QWindow>
#include <cstdio>
#include <memory>

namespace {

void esperarDibujo(QWidget* ventana)
{
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < 2000 && !(ventana->windowHandle() && ventana->windowHandle()->isExposed()))
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

QImage conMarco(QWidget* ventana)
{
    const QPixmap contenido = ventana->grab();
    const int alto = 26;
    QImage imagen(contenido.width() + 2, contenido.height() + alto + 1, QImage::Format_ARGB32);
    imagen.fill(QColor(0x5A, 0x64, 0x70));
    QPainter pintor(&imagen);
    pintor.fillRect(1, 1, contenido.width(), alto - 1, QColor(0x2F, 0x6D, 0xB5));
    ventana->windowIcon().paint(&pintor, QRect(6, 5, 16, 16));
    QFont fuente = ventana->font();
    fuente.setBold(true);
    pintor.setFont(fuente);
    pintor.setPen(Qt::white);
    pintor.drawText(QRect(28, 1, contenido.width() - 32, alto - 1), Qt::AlignVCenter | Qt::AlignLeft,
                    ventana->windowTitle());
    pintor.drawPixmap(1, alto, contenido);
    return imagen;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    dalvo::ui::prepararAplicacion(app);
    dalvo::ui::setServicioMensajes(std::make_unique<dalvo::ui::MensajesGuionados>()); // nothing may block

    QStringList argumentos = QApplication::arguments().mid(1);
    const QString carpeta = argumentos.isEmpty() ? QStringLiteral("screenshots") : argumentos.takeFirst();
    QDir().mkpath(carpeta);

    int escritas = 0;
    for (const auto& escena : dalvo::capturas::escenas()) {
        if (!argumentos.isEmpty() && !argumentos.contains(escena.nombre))
            continue;
        std::unique_ptr<QWidget> ventana(escena.construir());
        if (!ventana->isVisible())
            ventana->show();
        esperarDibujo(ventana.get());
        const QString archivo = QDir(carpeta).filePath(escena.nombre + QStringLiteral(".png"));
        if (!conMarco(ventana.get()).save(archivo)) {
            std::fprintf(stderr, "No se pudo escribir %s\n", qPrintable(archivo));
            return 1;
        }
        std::printf("%s\n", qPrintable(archivo));
        ++escritas;
    }
    return escritas > 0 ? 0 : 1;
}

#include "ui/Mensajes.h"

#include "common/Programa.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace dalvo::ui {

namespace {

std::unique_ptr<ServicioMensajes>& servicioActual()
{
    static std::unique_ptr<ServicioMensajes> servicio;
    return servicio;
}

QMessageBox::StandardButton botonQt(Respuesta respuesta)
{
    switch (respuesta) {
    case Respuesta::OK:
        return QMessageBox::Ok;
    case Respuesta::Cancel:
        return QMessageBox::Cancel;
    case Respuesta::Abort:
        return QMessageBox::Abort;
    case Respuesta::Retry:
        return QMessageBox::Retry;
    case Respuesta::Ignore:
        return QMessageBox::Ignore;
    case Respuesta::Yes:
        return QMessageBox::Yes;
    case Respuesta::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon iconoQt(Icono icono)
{
    switch (icono) {
    case Icono::Critico:
        return QMessageBox::Critical;
    case Icono::Pregunta:
        return QMessageBox::Question;
    case Icono::Exclamacion:
        return QMessageBox::Warning;
    case Icono::Informacion:
        return QMessageBox::Information;
    case Icono::Ninguno:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QList<Respuesta> respuestasDe(Botones botones)
{
    switch (botones) {
    case Botones::OK:
        return {Respuesta::OK};
    case Botones::OKCancel:
        return {Respuesta::OK, Respuesta::Cancel};
    case Botones::AbortRetryIgnore:
        return {Respuesta::Abort, Respuesta::Retry, Respuesta::Ignore};
    case Botones::YesNoCancel:
        return {Respuesta::Yes, Respuesta::No, Respuesta::Cancel};
    case Botones::YesNo:
        return {Respuesta::Yes, Respuesta::No};
    case Botones::RetryCancel:
        return {Respuesta::Retry, Respuesta::Cancel};
    }
    return {Respuesta::OK};
}

Respuesta respuestaPorDefecto(const Mensaje& mensaje)
{
    const QList<Respuesta> respuestas = respuestasDe(mensaje.botones);
    return respuestas.value(mensaje.botonPorDefecto - 1, respuestas.first());
}

Respuesta msgBox(const QString& texto, Botones botones, Icono icono, const QString& titulo,
                 int botonPorDefecto, QWidget* padre)
{
    Mensaje mensaje;
    mensaje.icono = icono;
    mensaje.botones = botones;
    mensaje.botonPorDefecto = botonPorDefecto;
    mensaje.titulo = titulo.isEmpty() ? QString::fromLatin1(TituloAplicacion) : titulo;
    mensaje.texto = texto;
    if (!servicioActual())
        servicioActual() = std::make_unique<MensajesQt>();
    return servicioActual()->mostrar(mensaje, padre);
}

std::unique_ptr<ServicioMensajes> setServicioMensajes(std::unique_ptr<ServicioMensajes> servicio)
{
    return std::exchange(servicioActual(), std::move(servicio));
}

Respuesta MensajesQt::mostrar(const Mensaje& mensaje, QWidget* padre)
{
    QMessageBox caja(iconoQt(mensaje.icono), mensaje.titulo, mensaje.texto, QMessageBox::NoButton,
                     padre ? padre : QApplication::activeWindow());
    QList<QPair<QAbstractButton*, Respuesta>> botones;
    for (const Respuesta respuesta : respuestasDe(mensaje.botones))
        botones.append({caja.addButton(botonQt(respuesta)), respuesta});
    const Respuesta porDefecto = respuestaPorDefecto(mensaje);
    for (const auto& [boton, respuesta] : botones) {
        if (respuesta == porDefecto)
            caja.setDefaultButton(qobject_cast<QPushButton*>(boton));
    }
    caja.exec();
    for (const auto& [boton, respuesta] : botones) {
        if (caja.clickedButton() == boton)
            return respuesta;
    }
    // Closed without a button (Escape where the set allows it).
    return botones.size() == 1 ? botones.first().second : Respuesta::Cancel;
}

Respuesta MensajesGuionados::mostrar(const Mensaje& mensaje, QWidget*)
{
    mostrados.append(mensaje);
    return mRespuestas.isEmpty() ? respuestaPorDefecto(mensaje) : mRespuestas.takeFirst();
}

} // namespace dalvo::ui

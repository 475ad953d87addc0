#pragma once

#include <QList>
#include <QString>
#include <memory>

class QWidget;

namespace dalvo::ui {

// Message boxes as the system asks for them: an icon, a button set, a default button, a title and a text,
// and the button the operator chose. Every window asks through msgBox(); tests install a scripted service.

enum class Icono
{
    Ninguno,
    Critico,     // critical error
    Pregunta,    // question
    Exclamacion, // warning
    Informacion,
};

enum class Botones
{
    OK,
    OKCancel,
    AbortRetryIgnore,
    YesNoCancel,
    YesNo,
    RetryCancel,
};

enum class Respuesta
{
    OK = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7,
};

struct Mensaje
{
    Icono icono = Icono::Ninguno;
    Botones botones = Botones::OK;
    int botonPorDefecto = 1; // 1 to 3, in the order of the button set
    QString titulo;
    QString texto;
};

// The buttons of a set, in order; the answer each one gives.
QList<Respuesta> respuestasDe(Botones botones);
// The answer of the default button (the first one when the number is out of range).
Respuesta respuestaPorDefecto(const Mensaje& mensaje);

class ServicioMensajes
{
public:
    virtual ~ServicioMensajes() = default;
    virtual Respuesta mostrar(const Mensaje& mensaje, QWidget* padre) = 0;
};

// Shows a modal box and returns the chosen button. An empty title shows the application's title.
Respuesta msgBox(const QString& texto, Botones botones = Botones::OK, Icono icono = Icono::Ninguno,
                 const QString& titulo = {}, int botonPorDefecto = 1, QWidget* padre = nullptr);

// Replaces the service (null: back to the real boxes); returns the one it replaces.
std::unique_ptr<ServicioMensajes> setServicioMensajes(std::unique_ptr<ServicioMensajes> servicio);

// The real boxes (QMessageBox), parented to the active window when no parent is given.
class MensajesQt : public ServicioMensajes
{
public:
    Respuesta mostrar(const Mensaje& mensaje, QWidget* padre) override;
};

// For tests and screenshots: answers from a queue (the default button once the queue is empty) and keeps
// every box it was asked to show.
class MensajesGuionados : public ServicioMensajes
{
public:
    void responder(Respuesta respuesta) { mRespuestas.append(respuesta); }
    Respuesta mostrar(const Mensaje& mensaje, QWidget* padre) override;

    QList<Mensaje> mostrados;

private:
    QList<Respuesta> mRespuestas;
};

} // namespace dalvo::ui

#pragma once

#include "ui/Mensajes.h"

#include <QLocale>
#include <QTemporaryDir>
#include <functional>

namespace dalvo::prueba {

// A test's own world in a temporary folder: the per-user settings and data folders, the program folder,
// and the locale (which also sets the decimal separator). Everything goes back as it was on destruction.
class EntornoPrueba
{
public:
    explicit EntornoPrueba(const QLocale& local = QLocale(QLocale::Spanish, QLocale::Argentina));
    ~EntornoPrueba();
    EntornoPrueba(const EntornoPrueba&) = delete;
    EntornoPrueba& operator=(const EntornoPrueba&) = delete;

    // Default locale of the process and gSeparadorDecimal to match.
    void setLocal(const QLocale& local);

    QString carpeta() const { return mCarpeta.path(); }
    QString carpetaPrograma() const; // what CarpetaPrograma() returns meanwhile
    QString carpetaDatosUsuario() const;

private:
    QTemporaryDir mCarpeta;
    QLocale mLocalAnterior;
    qint16 mSeparadorAnterior;
    QByteArray mDatosAnterior;
    QByteArray mConfigAnterior;
};

// Installs scripted message boxes for its lifetime: queued answers, then the default button; every box shown
// is kept in mostrados().
class GuionMensajes
{
public:
    GuionMensajes();
    ~GuionMensajes();
    GuionMensajes(const GuionMensajes&) = delete;
    GuionMensajes& operator=(const GuionMensajes&) = delete;

    void responder(ui::Respuesta respuesta) { mServicio->responder(respuesta); }
    const QList<ui::Mensaje>& mostrados() const { return mServicio->mostrados; }

private:
    ui::MensajesGuionados* mServicio;
    std::unique_ptr<ui::ServicioMensajes> mAnterior;
};

// Counts the beeps of rejected keys for its lifetime.
class ContadorPitidos
{
public:
    ContadorPitidos();
    ~ContadorPitidos();
    ContadorPitidos(const ContadorPitidos&) = delete;
    ContadorPitidos& operator=(const ContadorPitidos&) = delete;

    int cuenta = 0;

private:
    std::function<void()> mAnterior;
};

} // namespace dalvo::prueba

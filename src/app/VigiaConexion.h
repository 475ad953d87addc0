#pragma once

#include <QString>

namespace dalvo {

// The keep-alive of the main window's timer: a one-row query on Parametros, so that an idle connection
// stays open and a dropped one is noticed.
//  - A lost link (a database error whose error list holds 08S01, 08001 or 08003) goes to the error driver,
//    which re-establishes it: silently the first time, asking "¿ Reintenta ?" after that.
//  - Any other failure is reported once; later ticks that fail stay quiet until one succeeds, so an
//    operator away from the desk does not come back to a pile of boxes.
//  - While the error driver is on screen (its box, a reconnection), ticks do nothing.
class VigiaConexion
{
public:
    void latido();

    bool fallaAvisada() const { return mFallaAvisada; }

    static constexpr const char* kOrigen = "Timer1_Timer";

private:
    bool mEnCurso = false;
    bool mFallaAvisada = false;
};

// The timer's interval from the stored "Start"/"CheckTimeOut" text: what to use (milliseconds, 0 = no
// keep-alive) and what to store back.
struct IntervaloChequeo
{
    int milisegundos;
    QString guardar;
};
IntervaloChequeo intervaloChequeo(const QString& guardado);

inline constexpr int kChequeoPredeterminado = 30000;
inline constexpr int kChequeoMinimo = 1000;

} // namespace dalvo

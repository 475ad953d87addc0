#include "tds/Vigia.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace dalvo::tds::prueba {

Vigia::Vigia(int segundos) : mSegundos(segundos), mHilo([this] { vigilar(); })
{}

Vigia::~Vigia()
{
    {
        std::lock_guard bloqueo(mMutex);
        mFin = true;
    }
    mCambio.notify_all();
    mHilo.join();
}

void Vigia::armar(const char* prueba)
{
    {
        std::lock_guard bloqueo(mMutex);
        mPrueba = prueba ? prueba : "?";
        ++mTurno;
    }
    mCambio.notify_all();
}

void Vigia::desarmar()
{
    {
        std::lock_guard bloqueo(mMutex);
        mPrueba.clear();
        ++mTurno;
    }
    mCambio.notify_all();
}

void Vigia::vigilar()
{
    std::unique_lock bloqueo(mMutex);
    while (!mFin) {
        if (mPrueba.empty()) {
            mCambio.wait(bloqueo);
            continue;
        }
        const unsigned turno = mTurno;
        const bool cambio = mCambio.wait_for(bloqueo, std::chrono::seconds(mSegundos),
                                             [&] { return mFin || mTurno != turno; });
        if (!cambio) {
            std::fprintf(stderr,
                         "FAIL!  : %s: el vigía la detuvo tras %d s (¿una llamada al driver colgada?)\n",
                         mPrueba.c_str(), mSegundos);
            std::fflush(stderr);
            std::_Exit(3);
        }
    }
}

} // namespace dalvo::tds::prueba

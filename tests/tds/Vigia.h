#pragma once

// A watchdog for tests that block in driver calls: armed in init(), disarmed in cleanup(). A test still
// running when its time is up ends the program with a failure instead of hanging the suite (CTest's
// TIMEOUT stays as the last line of defence).

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace dalvo::tds::prueba {

class Vigia
{
public:
    explicit Vigia(int segundos);
    ~Vigia();
    Vigia(const Vigia&) = delete;
    Vigia& operator=(const Vigia&) = delete;

    void armar(const char* prueba);
    void desarmar();

private:
    void vigilar();

    const int mSegundos;
    std::mutex mMutex;
    std::condition_variable mCambio;
    std::string mPrueba; // empty: disarmed
    unsigned mTurno = 0;
    bool mFin = false;
    std::thread mHilo;
};

} // namespace dalvo::tds::prueba

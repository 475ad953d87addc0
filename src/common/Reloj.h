#pragma once

#include <QDateTime>
#include <functional>

namespace dalvo {

// The program's clock. Every "today" or "now" goes through Ahora() so that tests can fix the time.
QDateTime Ahora();
QDate Hoy();

// Replaces the clock until the returned guard is destroyed (tests only).
class RelojFijo
{
public:
    explicit RelojFijo(QDateTime momento);
    explicit RelojFijo(std::function<QDateTime()> reloj);
    ~RelojFijo();
    RelojFijo(const RelojFijo&) = delete;
    RelojFijo& operator=(const RelojFijo&) = delete;

private:
    std::function<QDateTime()> mAnterior;
};

} // namespace dalvo

#include "common/Reloj.h"

namespace dalvo {

namespace {
std::function<QDateTime()>& relojActual()
{
    static std::function<QDateTime()> reloj;
    return reloj;
}
} // namespace

QDateTime Ahora()
{
    const auto& reloj = relojActual();
    return reloj ? reloj() : QDateTime::currentDateTime();
}

QDate Hoy()
{
    return Ahora().date();
}

RelojFijo::RelojFijo(QDateTime momento) : RelojFijo(std::function<QDateTime()>([momento] { return momento; }))
{}

RelojFijo::RelojFijo(std::function<QDateTime()> reloj) : mAnterior(std::move(relojActual()))
{
    relojActual() = std::move(reloj);
}

RelojFijo::~RelojFijo()
{
    relojActual() = std::move(mAnterior);
}

} // namespace dalvo

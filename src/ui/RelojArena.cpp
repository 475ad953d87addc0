#include "ui/RelojArena.h"

#include <QCursor>
#include <QGuiApplication>

namespace dalvo::ui {

void ponerRelojArena()
{
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
    else
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void restaurarPuntero()
{
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
}

bool relojArenaPuesto()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

RelojArena::RelojArena() : mYaPuesto(relojArenaPuesto())
{
    ponerRelojArena();
}

RelojArena::~RelojArena()
{
    if (!mYaPuesto)
        restaurarPuntero();
}

} // namespace dalvo::ui

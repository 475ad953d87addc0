#pragma once

// Reaching the program's windows from a test: a top-level window by its class, a modal window while the
// action that opens it runs, a search kind of the main window chosen as a click does.

#include <QApplication>
#include <QListWidget>
#include <QTimer>
#include <functional>

namespace dalvo::prueba {

// The first top-level window of class T (only a visible one when asked).
template <class T> T* ventanaAbierta(bool soloVisible = false)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* v = qobject_cast<T*>(w); v && (!soloVisible || v->isVisible()))
            return v;
    return nullptr;
}

// Runs accion and, meanwhile, hands the modal window of class T to revisar once it shows, then accepts it.
// False when no such window showed.
template <class T> bool conModal(const std::function<void()>& accion, const std::function<void(T&)>& revisar)
{
    bool visto = false;
    QTimer espera;
    QObject::connect(&espera, &QTimer::timeout, [&] {
        auto* ventana = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!ventana)
            return;
        espera.stop();
        visto = true;
        revisar(*ventana);
        ventana->accept();
    });
    espera.start(10);
    accion();
    return visto;
}

// Clicks the search kind of key clave ("1K".."10K") in the main window's list.
template <class Principal> void elegirTipo(Principal& ventana, const QString& clave)
{
    for (int i = 0; i < ventana.lvwMenu->count(); ++i)
        if (ventana.lvwMenu->item(i)->data(Qt::UserRole).toString() == clave)
            emit ventana.lvwMenu->itemClicked(ventana.lvwMenu->item(i));
}

} // namespace dalvo::prueba

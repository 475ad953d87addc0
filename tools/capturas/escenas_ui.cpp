#include "Escenas.h"
#include "ui/Iconos.h"
#include "ui/frmProceso.h"

#include <QGridLayout>
#include <QLabel>

namespace dalvo::capturas {
namespace {

const Registro proceso("frmProceso", [] {
    auto* ventana = new ui::frmProceso;
    ventana->Cargar(QStringLiteral("Intentando reestablecer conección con SRVDALVO01"));
    return ventana;
});

// Every image key at 32 and 16 pixels, to review the drawings side by side.
const Registro iconos("iconos", [] {
    auto* hoja = new QWidget;
    hoja->setWindowTitle(QStringLiteral("Iconos"));
    auto* grilla = new QGridLayout(hoja);
    const QStringList claves = ui::clavesIconos();
    const int porFila = 6;
    for (int i = 0; i < claves.size(); ++i) {
        auto* celda = new QLabel(hoja);
        const QIcon icono = ui::icono(claves[i]);
        auto* grande = new QLabel(hoja);
        grande->setPixmap(icono.pixmap(32, 32));
        auto* chico = new QLabel(hoja);
        chico->setPixmap(icono.pixmap(16, 16));
        celda->setText(claves[i]);
        const int fila = i / porFila;
        const int columna = (i % porFila) * 3;
        grilla->addWidget(grande, fila, columna);
        grilla->addWidget(chico, fila, columna + 1);
        grilla->addWidget(celda, fila, columna + 2);
    }
    return hoja;
});

} // namespace
} // namespace dalvo::capturas

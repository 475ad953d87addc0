#pragma once

#include "consultation/clsItemSeleccion.h"

#include <QDialog>

class QPushButton;
class QTreeWidgetItem;

namespace dalvo {
namespace ui {
class VistaLista;
}

// Reviews a selection: one row per item with its number, field and value, a mark per row that a
// double-click turns on or off, and three answers.
class frmSeleccion : public QDialog
{
    Q_OBJECT

public:
    // The answers of Cargar.
    enum Respuesta : qint16
    {
        Nada = 0,
        TomarValores = 1,
        BorrarSeleccion = 2,
    };

    explicit frmSeleccion(QWidget* parent = nullptr);

    // Shows the window modally over the caller's collection and returns the answer when it closes (the
    // frame's close button answers Nada). Marks changed in the window stay in colSeleccion.
    qint16 Cargar(ColeccionSeleccion& colSeleccion);

    // Fills the window over the collection without showing it (Cargar starts so); for a window shown
    // by other means, such as a screenshot.
    void prepararSeleccion(ColeccionSeleccion& colSeleccion);

private:
    void Form_Load();
    void lvwSeleccion_DblClick();
    void responder(qint16 respuesta);

    ui::VistaLista* lvwSeleccion;
    QPushButton* cmdTomarValores;
    QPushButton* cmdBorrarSeleccion;
    QPushButton* cmdCancelar;

    ColeccionSeleccion* mSeleccion = nullptr;
    qint16 mRespuesta = Nada;
};

} // namespace dalvo

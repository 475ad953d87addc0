#pragma once

#include "adhoc/clsItemDato.h"
#include "consultation/clsItemSeleccion.h"

#include <QList>
#include <QWidget>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace dalvo {
class Falla;
namespace ui {
class VistaLista;
}

// Queries any user table field by field: pick a table, give a value to any of its columns (typed, or
// picked from a result row through the selection), count, and run. Not modal.
class frmConsultas : public QWidget
{
    Q_OBJECT

public:
    explicit frmConsultas(QWidget* parent = nullptr);

    // Shows the one window of the program, opening it when it is not open (the main window's menu).
    static frmConsultas* Mostrar(QWidget* parent = nullptr);

    void CargarTablas();
    void CargarFormatoTabla(const QString& sNombreTabla);
    void VaciarSeleccion();

    // The window's state, for the tests.
    const QList<clsItemDato>& columnas() const;
    const ColeccionSeleccion& seleccion() const { return mSeleccion; }
    qint16 columnaActual() const { return mColumnaActual; }

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void crearControles();
    void cboTablas_Click();
    void lstCampos_Click();
    bool txtValor_KeyPress(QKeyEvent* tecla);
    void txtValor_LostFocus();
    void cmdConsultar_Click();
    void cmdSeleccionar_Click();
    void cmdAsignarSeleccion_Click();
    void cmdVerSeleccion_Click();

    void correrConsulta();
    void cargarRespuesta(const QString& sSQL);
    void asignarSeleccion();
    // The box of a query that reported an error: number, line break, description.
    void mostrarErrorConsulta(qint32 numero, const QString& descripcion);
    void informarFalla(const Falla& falla);
    int aPixeles(int twips) const;

    QLabel* lblTablas;
    QComboBox* cboTablas;
    QLabel* lblCampos;
    QListWidget* lstCampos;
    QLabel* lblTituloValor;
    QLineEdit* txtValor;
    QPushButton* cmdConsultar;
    QPushButton* cmdSeleccionar;
    QPushButton* cmdAsignarSeleccion;
    QPushButton* cmdVerSeleccion;
    ui::VistaLista* lvwRespuesta;

    // No table chosen yet: there is no column collection to run a query on.
    std::optional<QList<clsItemDato>> mColumnas;
    ColeccionSeleccion mSeleccion;
    qint16 mColumnaActual = 0; // 1-based position in lstCampos; 0 = none
    QString mTipoActual;
};

} // namespace dalvo

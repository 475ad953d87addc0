#pragma once

#include <QDialog>
#include <functional>

class QLineEdit;
class QPushButton;

namespace dalvo {

class ColeccionParametros;
namespace ui {
class VistaLista;
}

// The report window: the reports that make sense for what the main window shows (the context), the date
// range, a ticket number, and "Generar", which produces the selected ones in list order. Modal to the
// window that opens it, so the previews it opens stay usable; they stay open after it closes.
class frmReportes : public QDialog
{
    Q_OBJECT

public:
    explicit frmReportes(QWidget* parent = nullptr);

    // Stores the context and the collection (lent for the window's lifetime), loads the window and shows it
    // modally; returns when it is closed.
    void Carga(qint16 contexto, ColeccionParametros& parametros);
    // The load step alone (Carga without showing), for callers that show the window themselves.
    void cargar(qint16 contexto, ColeccionParametros& parametros);

    qint16 contexto() const { return mContexto; }
    // " entre el " + FECHADESDE + " y el " + FECHAHASTA, rebuilt when a date changes.
    QString subtituloRango() const { return mSubtituloRango; }

    // Where "Fecha inválida" goes: the first panel of the main window's status bar, unless another place is
    // given (tests).
    static void setAvisoEstado(std::function<void(const QString&)> aviso);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void cmdGenerar_Click();
    void fechaPerdioFoco(QLineEdit* campo, const QString& clave);

    qint16 mContexto = 0;
    ColeccionParametros* mParametros = nullptr;
    QString mSubtituloRango;
    bool mDevolviendoFoco = false;

    ui::VistaLista* mReportes;
    QLineEdit* mDesde;
    QLineEdit* mHasta;
    QLineEdit* mTicket;
    QPushButton* mGenerar;
};

} // namespace dalvo

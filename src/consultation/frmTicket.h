#pragma once

#include <QDateTime>
#include <QDialog>

class QLabel;
class QPushButton;

namespace dalvo {

namespace ui {
class VistaLista;
}

// The items of one ticket: the medicines of a pharmacy ticket or the practices of a provider ticket.
// Modal; a new instance for every ticket.
class frmTicket : public QDialog
{
    Q_OBJECT

public:
    explicit frmTicket(QWidget* parent = nullptr);

    // Loads the ticket's items (Cargar) and shows the window modally; returns when it is closed.
    void CargaItemTicket(double pTicket, const QDateTime& pFecha, const QString& pPrestador,
                         bool pEsFarmacia = false);

    // Stores the ticket, fills the labels and loads its items; a failure goes to the error driver and the
    // list stays empty.
    void Cargar(double pTicket, const QDateTime& pFecha, const QString& pPrestador, bool pEsFarmacia);

    QLabel* lblTicket;
    QLabel* lblFecha;
    QLabel* lblPrestador;
    ui::VistaLista* lvwItemTickets;
    QPushButton* cmdAceptar;

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    void Form_Load();
    int aPixeles(int twips) const;

    double mTicket = 0;
    QDateTime mFecha;
    QString mPrestador;
    bool mEsFarmacia = false;
    QLabel* mEtiquetas[3];
};

} // namespace dalvo

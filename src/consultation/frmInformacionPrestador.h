#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

namespace dalvo {

namespace ui {
class VistaLista;
}

// A provider's whole record as a name/value card, with its transactions of today and of the console's
// date range. Modal; a new instance for every provider.
class frmInformacionPrestador : public QDialog
{
    Q_OBJECT

public:
    explicit frmInformacionPrestador(QWidget* parent = nullptr);

    // Loads the provider (Cargar) and shows the window modally; returns when it is closed.
    void CargaInformacionPrestador(double pPrestador, const QString& pFechaDesde, const QString& pFechaHasta);

    // Stores the provider and the first ten characters of each date text, fills the card and both counts.
    // A failure stops the loading where it is and goes to the error driver.
    void Cargar(double pPrestador, const QString& pFechaDesde, const QString& pFechaHasta);

    ui::VistaLista* lvwPrestador;
    QGroupBox* frmTransacciones;
    QLabel* lblDelDia;
    QLabel* lblTransaccionesDia;
    QLabel* lblEntreFecha;
    QLabel* lbltransaccionesRango;
    QPushButton* cmdAceptar;

private:
    void Form_Load();

    double mPrestador = 0;
    QString mDesde;
    QString mHasta;
    QString mHoy;
};

} // namespace dalvo

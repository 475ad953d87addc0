#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace dalvo {

// The totals of the closings that match the main window's last consultation: how many closings and coupons,
// and their amounts, for the period shown. Modal; it only reads.
class frmCierresTotal : public QDialog
{
    Q_OBJECT

public:
    explicit frmCierresTotal(QWidget* parent = nullptr);

    // Loads the window (cargar) and, when the totals were computed, shows it modally.
    void Cargar(const QString& pElPeriodo, const QString& pCondicionConsulta);
    // The load alone: the period, then the totals. False when a failure went to the error driver (the
    // window is then not to be shown). A query error shows its box and still counts as loaded.
    bool cargar(const QString& pElPeriodo, const QString& pCondicionConsulta);

    QString condicion() const { return mCondicion; }

    QLabel* lblPeriodo;
    QLabel* lblCantidadCierres;
    QLabel* lblCantidadCupones;
    QLabel* lblTotalCierres;
    QLabel* lblTotalACargoAfiliado;
    QLabel* lblTotalBonificacion;
    QLabel* lblTotalAPagar;
    QPushButton* cmdAceptar;

private:
    bool calcularTotales();

    QString mCondicion;
};

} // namespace dalvo

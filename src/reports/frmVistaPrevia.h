#pragma once

#include <QMainWindow>
#include <QVector>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QScrollArea;
class QSpinBox;

namespace dalvo {

namespace reportes {
class Informe;
}
class HojaVistaPrevia;

// The report preview: a window of its own (no parent, deleted when closed, so it outlives the window that
// asked for it), opened maximized with the report name as caption. Page navigation, zoom (fit width by
// default), search, printer setup, print and PDF export; several may be open at once.
class frmVistaPrevia : public QMainWindow
{
    Q_OBJECT

public:
    frmVistaPrevia(std::shared_ptr<reportes::Informe> informe, const QString& titulo);
    ~frmVistaPrevia() override;

    // The previews still open, oldest first.
    static QList<frmVistaPrevia*> abiertas();

    const reportes::Informe& informe() const { return *mInforme; }
    int pagina() const { return mPagina; } // from 0
    void irAPagina(int pagina);

    // Zoom choices in the order of cboZoom.
    enum Zoom
    {
        AjustarAncho,
        PaginaCompleta,
        Porcentaje50,
        Porcentaje75,
        Porcentaje100,
        Porcentaje125,
        Porcentaje150,
        Porcentaje200,
    };
    void setZoom(Zoom zoom);
    double escala() const; // screen pixels per report unit

    // Searches the text of txtBuscar from the current match on, over every page and back round to the
    // start; false (and a note in the status bar) when the report does not hold it.
    bool buscarSiguiente();
    bool buscarAnterior();

    void configurarImpresora();
    void imprimir();
    void exportarPdf();

protected:
    void resizeEvent(QResizeEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void crearBarra();
    void actualizar();
    bool buscar(int sentido);
    QPrinter& impresora();

    std::shared_ptr<reportes::Informe> mInforme;
    int mPagina = 0;
    Zoom mZoom = AjustarAncho;

    QString mBuscado;
    int mPaginaHallada = -1;
    int mIndiceHallado = -1;

    std::unique_ptr<QPrinter> mImpresora;
    QScrollArea* mDesplazable = nullptr;
    HojaVistaPrevia* mHoja = nullptr;
    QSpinBox* mNumeroPagina = nullptr;
    QLabel* mTotalPaginas = nullptr;
    QComboBox* mZoomElegido = nullptr;
    QLineEdit* mTextoBuscado = nullptr;
    QLabel* mEstado = nullptr;
    QList<QAction*> mHaciaAtras;
    QList<QAction*> mHaciaAdelante;
};

} // namespace dalvo

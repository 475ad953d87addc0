#pragma once

#include "app/VigiaConexion.h"
#include "consultation/clsItemConsulta.h"

#include <QDate>
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStatusBar;
class QTimer;

namespace dalvo {

namespace ui {
class VistaLista;
}
class frmAbout;

// The console's main window. This class is split by concern over several files:
//  - frmDalvoHD.cpp: the frame (controls, load, resize, unload, keep-alive, Sistema menu);
//  - frmDalvoHDFechas.cpp: the two date fields;
//  - the handlers of the other parts, each in a file of its own: frmDalvoHDBusqueda.cpp and
//    frmDalvoHDResultados.cpp (the consultation and the result list), frmDalvoHDReportes.cpp,
//    frmDalvoHDConsultas.cpp (ad-hoc queries), frmDalvoHDCierres.cpp (the closings windows).
// Every control carries its system name as objectName.
class frmDalvoHD : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmDalvoHD(QWidget* parent = nullptr);
    ~frmDalvoHD() override;

    // The key of a kind's list item and per-kind record: the kind number followed by "K".
    static QString claveCaso(int pCaso);

    // The search kinds of lvwMenu in their order: icon key, kind number, text.
    struct Caso
    {
        const char* icono;
        int numero;
        const char* texto;
    };
    static const std::array<Caso, 10> kCasos;

    // Text of the status bar's first panel.
    void setTextoEstado(const QString& texto);
    QString textoEstado() const;

    // Kind flags: exactly one kind is active (providers at load).
    int casoActivo() const;
    void activarCaso(int pCaso);

    // The per-kind record of a key ("1K" ... "10K"); nullptr for any other key.
    clsItemConsulta* itemConsulta(const QString& clave);

    // A menu of the menu bar enabled and shown, or disabled and hidden.
    static void mostrarMenu(QMenu* menu, bool visible);

    VigiaConexion& vigia() { return mVigia; }

    // Shows a popup menu of the result list at the mouse. Tests replace it to see which menu would show.
    std::function<void(QMenu*)> mostrarPopup;

signals:
    // A double-click on a closings row: the closings window's Mostrar(pIdPrestador, pIdCierre, bFarmacia).
    void mostrarCierre(qint32 pIdPrestador, qint32 pIdCierre, bool bFarmacia);

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void closeEvent(QCloseEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private slots:
    // --- The frame ---
    void Timer1_Timer();
    void mnuAcerca_Click();
    void mnuSalir_Click();
    void txtFecha_Change();

    // --- The consultation console (frmDalvoHDBusqueda.cpp, frmDalvoHDResultados.cpp) ---
    void lvwMenu_ItemClick(QListWidgetItem* item);
    void lvwMenu_DblClick();
    void cmdConsulta_Click();
    void lvwGeneral_ColumnClick(int columna);
    void lvwGeneral_DblClick();
    void lvwGeneral_MouseUp(const QPoint& posicion); // right button: the kind's popup menu
    void mnuVetItemTicket_Click();
    void mnuPrestadorInformacion_Click();
    // --- The closings (frmDalvoHDCierres.cpp) and the reports ---
    void abrirCierre(qint32 pIdPrestador, qint32 pIdCierre, bool bFarmacia); // mostrarCierre
    void mnuCierreTotales_Click();
    void mnuReportes_Click();
    void mnuReportesGenerales_Click();
    // --- Filled in by the ad-hoc query window (the entry stays hidden) ---
    void mnuConsultas_Click();

private:
    void crearControles();
    void crearMenus();
    void colocarControles();
    void conectarEventos();
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    void txtFecha_LostFocus(QLineEdit* campo);
    bool txtFecha_KeyPress(QLineEdit* campo, QKeyEvent* tecla);
    int aPixelesX(int twips) const;
    int aPixelesY(int twips) const;
    // --- The consultation (frmDalvoHDBusqueda.cpp, frmDalvoHDResultados.cpp) ---
    bool EjecutarConsulta(qint32 pCaso);
    QMenu* menuDelCaso(bool dobleClic) const;
    void mostrarMenuContextual(QMenu* menu);

public:
    // Controls, named as the system names them (tests find them by objectName too).
    QListWidget* lvwMenu;
    QGroupBox* Frame1;
    std::array<QLabel*, 4> Label1; // "Buscar por:", "Valor a buscar:", "Desde Fecha:", "Hasta Fecha:"
    QComboBox* cboConsulta;
    QLineEdit* txtConsulta;
    QCheckBox* chkBuscarExacto;
    QLineEdit* txtDesdeFecha;
    QLineEdit* txtHastaFecha;
    QCheckBox* chkMantenerConsulta;
    QPushButton* cmdConsulta;
    QLabel* Label3;
    QLabel* lblConsulta;
    QLabel* Label2;
    QLabel* lblCantidadEntradas;
    ui::VistaLista* lvwGeneral;
    QStatusBar* sbrHelpDesk;
    QLabel* sbrPanel1;
    QTimer* Timer1;

    QMenu* mnuSistema;
    QAction* mnuAcerca;
    QAction* mnuLinea1;
    QAction* mnuSalir;
    QMenu* mnuPReportes;
    QAction* mnuReportes;
    QAction* mnuReportesGenerales;
    QAction* mnuConsultas;
    QMenu* mnuTicket;
    QAction* mnuVetItemTicket;
    QMenu* mnuPrestador;
    QAction* mnuPrestadorInformacion;
    QMenu* mnuCierre;
    QAction* mnuCierreTotales;

    // Window state created at load.
    std::vector<std::pair<QString, clsItemConsulta>>
        mItemsConsulta;   // added in the order 2,5,6,3,8,7,1,4,9,10
    QString mClaveActual; // "K0": no kind chosen yet
    QDate mDesdeFecha;    // the range dates at load
    QDate mHastaFecha;
    std::array<bool, 11> mCasos{}; // by kind number; [0] unused
    // The condition (without WHERE) and the caption of the consultation last built; the closing totals
    // window takes mCondicion as its condition.
    QString mCondicion;
    QString mDescripcion;

private:
    VigiaConexion mVigia;
    QPointer<frmAbout> mAcerca;
    bool mRecuperandoFoco = false;
};

} // namespace dalvo

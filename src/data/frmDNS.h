#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace dalvo {

// The modal log-in dialog shown once at start-up. It asks for a user name and password (and, started with
// "KVL", for a server and a database), connects gConexion, remembers the user name in "Start"/"Usuario"
// after a successful log-in with a different name, and tells the start-up whether a connection was made.
// The password is never logged or stored; any number of attempts is allowed.
class frmDNS : public QDialog
{
    Q_OBJECT

public:
    explicit frmDNS(QWidget* parent = nullptr);
    ~frmDNS() override;

    // Shows the dialog modally; true when a connection was made, false when the operator cancelled.
    // "KVL" shows the server and database fields.
    bool Conectar(const QString& parametro);
    // What Conectar does before showing the dialog: the log line, the load on first use, and the fields of
    // the mode. Public for the screenshot driver.
    void Preparar(const QString& parametro);

    // The process's log-in window (it lives as long as the process).
    static frmDNS& instancia();

    // The key filters: letters, digits and ":;<=>?@" (codes 48 to 90 and 97 to 122), backspace and Enter;
    // the user field also takes "-" and "_".
    static bool teclaAceptada(QChar tecla, bool campoUsuario);

    void reject() override; // Cancel, Escape and the window's close button

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private slots:
    void cmdAceptar_Click();
    void cmdCancelar_Click();

private:
    void Form_Load();
    void CargarDatos();
    bool Conectarse();
    void mostrarModoMantenimiento(bool visible);

    QGroupBox* Frame2;
    QLabel* lblServidor; // Label1(2)
    QLineEdit* txtServidor;
    QLabel* lblDataBase; // Label1(3)
    QLineEdit* txtDataBase;
    QLabel* Label5;
    QLineEdit* txtUsuario;
    QLabel* Label4;
    QLineEdit* txtPassword;
    QPushButton* cmdAceptar;
    QPushButton* cmdCancelar;
    QStatusBar* stbDNS;
    QLabel* stbPanel1;

    bool mCargado = false;
    bool mConectado = false;
    bool mCancelado = false;
    QString mServidor;
    QString mBaseDatos;
    QString mUsuario;
    QString mServidorCarga;
    QString mBaseDatosCarga;
    QString mUsuarioCarga;
};

} // namespace dalvo

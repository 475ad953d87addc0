#pragma once

#include <QWidget>

class QLabel;

namespace dalvo::ui {

// Caption-only progress window shown while a long operation (reconnecting to the server) is under way.
class frmProceso : public QWidget
{
    Q_OBJECT

public:
    explicit frmProceso(QWidget* parent = nullptr);

    // Stores the text and shows the window, not modal. The label takes the text only when this call loads
    // the window; a call while it is loaded keeps the label as it was.
    void Cargar(const QString& pTexto);
    // Closes (unloads) the window.
    void Descargar();

    bool cargado() const { return mCargado; }
    const QString& texto() const { return mTexto; }

    // The process's progress window, created on first use.
    static frmProceso& instancia();

private:
    QLabel* lblProceso;
    QString mTexto;
    bool mCargado = false;
};

} // namespace dalvo::ui

#include "ui/frmProceso.h"

#include "ui/Iconos.h"

#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

namespace dalvo::ui {

frmProceso::frmProceso(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("frmProceso"));
    setWindowTitle(QStringLiteral("Proceso"));
    setWindowIcon(iconoAplicacion());
    lblProceso = new QLabel(this);
    lblProceso->setObjectName(QStringLiteral("lblProceso"));
    lblProceso->setAlignment(Qt::AlignCenter);
    lblProceso->setWordWrap(true);
    lblProceso->setMinimumWidth(fontMetrics().averageCharWidth() * 60);
    auto* disposicion = new QVBoxLayout(this);
    disposicion->setContentsMargins(24, 20, 24, 20);
    disposicion->addWidget(lblProceso);
}

void frmProceso::Cargar(const QString& pTexto)
{
    mTexto = pTexto;
    if (!mCargado) {
        mCargado = true;
        lblProceso->setText(mTexto);
        adjustSize();
    }
    show();
    raise();
}

void frmProceso::Descargar()
{
    mCargado = false;
    hide();
}

frmProceso& frmProceso::instancia()
{
    // Owned by nobody: it lives until the process ends, as the system's own default window did.
    static QPointer<frmProceso> ventana;
    if (!ventana)
        ventana = new frmProceso;
    return *ventana;
}

} // namespace dalvo::ui

// The main window's two date fields: typed keys, completion on leaving, the status panel.

#include "app/frmDalvoHD.h"
#include "common/FuncionesGenerales.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace dalvo {

void frmDalvoHD::txtFecha_Change()
{
    setTextoEstado({});
}

bool frmDalvoHD::eventFilter(QObject* objeto, QEvent* evento)
{
    auto* campo = qobject_cast<QLineEdit*>(objeto);
    if (campo != txtDesdeFecha && campo != txtHastaFecha)
        return QMainWindow::eventFilter(objeto, evento);
    if (evento->type() == QEvent::KeyPress)
        return txtFecha_KeyPress(campo, static_cast<QKeyEvent*>(evento));
    if (evento->type() == QEvent::FocusOut) {
        // Switching windows or opening a menu is not leaving the field.
        const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
        if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason &&
            razon != Qt::MenuBarFocusReason && !mRecuperandoFoco)
            txtFecha_LostFocus(campo);
    }
    return QMainWindow::eventFilter(objeto, evento);
}

// Digits, "/", backspace and Enter pass; any other typed character beeps and is dropped.
bool frmDalvoHD::txtFecha_KeyPress(QLineEdit* campo, QKeyEvent* tecla)
{
    switch (tecla->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    const QString texto = tecla->text();
    if (texto.size() != 1)
        return false;
    const qint16 codigo = qint16(texto.at(0).unicode());
    const qint16 filtrada = FiltrarTecla(codigo, 4);
    if (filtrada == 0)
        return true;
    if (filtrada != codigo) {
        campo->insert(QChar(char16_t(filtrada)));
        return true;
    }
    return false;
}

// A typed date is completed (0102 becomes 01/02 and this year); a wrong one keeps the focus, selected.
void frmDalvoHD::txtFecha_LostFocus(QLineEdit* campo)
{
    if (campo->text().isEmpty())
        return;
    QVariant fecha = campo->text();
    if (ValidarFecha(fecha)) {
        campo->setText(comoTexto(fecha));
        return;
    }
    setTextoEstado(QStringLiteral("Fecha inválida"));
    campo->selectAll();
    mRecuperandoFoco = true;
    QTimer::singleShot(0, campo, [this, campo] {
        campo->setFocus(Qt::OtherFocusReason);
        campo->selectAll();
        mRecuperandoFoco = false;
    });
}

} // namespace dalvo

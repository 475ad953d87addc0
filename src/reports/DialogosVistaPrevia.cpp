#include "reports/DialogosVistaPrevia.h"

#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>

namespace dalvo {

namespace {

class DialogosQt : public DialogosVistaPrevia
{
public:
    QString archivoPdf(QWidget* padre, const QString& sugerido) override
    {
        return QFileDialog::getSaveFileName(padre, QStringLiteral("Exportar a PDF"), sugerido,
                                            QStringLiteral("Documentos PDF (*.pdf)"));
    }

    bool configurarImpresora(QWidget* padre, QPrinter& impresora) override
    {
        QPageSetupDialog dialogo(&impresora, padre);
        dialogo.setWindowTitle(QStringLiteral("Configurar impresora"));
        return dialogo.exec() == QDialog::Accepted;
    }

    bool elegirImpresora(QWidget* padre, QPrinter& impresora, int paginas) override
    {
        QPrintDialog dialogo(&impresora, padre);
        dialogo.setWindowTitle(QStringLiteral("Imprimir"));
        dialogo.setOption(QAbstractPrintDialog::PrintPageRange);
        dialogo.setMinMax(1, paginas);
        return dialogo.exec() == QDialog::Accepted;
    }
};

std::unique_ptr<DialogosVistaPrevia>& actuales()
{
    static std::unique_ptr<DialogosVistaPrevia> dialogos;
    return dialogos;
}

} // namespace

DialogosVistaPrevia& dialogosVistaPrevia()
{
    if (!actuales())
        actuales() = std::make_unique<DialogosQt>();
    return *actuales();
}

std::unique_ptr<DialogosVistaPrevia> setDialogosVistaPrevia(std::unique_ptr<DialogosVistaPrevia> dialogos)
{
    return std::exchange(actuales(), std::move(dialogos));
}

} // namespace dalvo

#pragma once

#include <QString>
#include <memory>

class QPrinter;
class QWidget;

namespace dalvo {

// The standard dialogs the preview opens: the PDF file to write, the printer's setup, the printer and pages
// to print. Tests and screenshots put answers of their own so that nothing waits for a person.
class DialogosVistaPrevia
{
public:
    virtual ~DialogosVistaPrevia() = default;
    // The file chosen, or empty text when the operator cancelled.
    virtual QString archivoPdf(QWidget* padre, const QString& sugerido) = 0;
    // Paper and orientation of the printer; false when cancelled.
    virtual bool configurarImpresora(QWidget* padre, QPrinter& impresora) = 0;
    // Printer, copies and page range (1 to paginas); false when cancelled.
    virtual bool elegirImpresora(QWidget* padre, QPrinter& impresora, int paginas) = 0;
};

// The dialogs in use (the real ones unless replaced).
DialogosVistaPrevia& dialogosVistaPrevia();
// Replaces them (null: back to the real ones); returns the ones replaced.
std::unique_ptr<DialogosVistaPrevia> setDialogosVistaPrevia(std::unique_ptr<DialogosVistaPrevia> dialogos);

} // namespace dalvo

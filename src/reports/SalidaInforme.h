#pragma once

#include <QSizeF>

class QPrinter;
class QString;

namespace dalvo::reportes {

class Informe;

// Writes every page to a PDF file. Raises Falla (fallas::ArchivoNoGrabado) when the file cannot be written.
void exportarPdf(const Informe& informe, const QString& ruta);

// Prints on a printer already chosen (QPrintDialog): the page range it holds (fromPage/toPage, 0 = all).
// The paper and orientation are the layout's. Returns false when the printer could not be started.
bool imprimir(const Informe& informe, QPrinter& impresora);

// Device pixels per report unit for a page (report units) on a paper (device pixels): the real size, or
// smaller so that the whole page fits a smaller paper (one chosen in the printer's setup).
double escalaEnPapel(const QSizeF& pagina, const QSizeF& papel, int resolucion);

// The printer set up for the report: the layout's paper and orientation, the whole sheet addressable
// (the report draws its own margins).
void prepararImpresora(const Informe& informe, QPrinter& impresora);

} // namespace dalvo::reportes

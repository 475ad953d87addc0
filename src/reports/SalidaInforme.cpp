#include "reports/SalidaInforme.h"

#include "common/Falla.h"
#include "common/Programa.h"
#include "reports/Informe.h"

#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>

namespace dalvo::reportes {

namespace {

// Draws pages [desde, hasta] (0-based) on a device whose painter starts at the paper's corner; escala: device
// pixels per report unit.
void dibujarPaginas(const Informe& informe, QPagedPaintDevice& dispositivo, QPainter& p, double escala,
                    int desde, int hasta)
{
    for (int i = desde; i <= hasta; ++i) {
        if (i > desde)
            dispositivo.newPage();
        p.save();
        p.scale(escala, escala);
        informe.dibujarPagina(p, i);
        p.restore();
    }
}

} // namespace

void exportarPdf(const Informe& informe, const QString& ruta)
{
    QPdfWriter pdf(ruta);
    pdf.setResolution(static_cast<int>(UnidadesPorPulgada));
    pdf.setPageLayout(informe.disenoPagina());
    pdf.setTitle(informe.diseno().nombre);
    pdf.setCreator(QString::fromLatin1(TituloAplicacion));
    QPainter p;
    if (!p.begin(&pdf))
        throw Falla(
            fallas::ArchivoNoGrabado, QStringLiteral("Informe.exportarPdf"),
            QStringLiteral("No se pudo grabar el archivo %1").arg(QFileInfo(ruta).absoluteFilePath()));
    dibujarPaginas(informe, pdf, p, pdf.resolution() / UnidadesPorPulgada, 0, informe.cantidadPaginas() - 1);
    p.end();
}

double escalaEnPapel(const QSizeF& pagina, const QSizeF& papel, int resolucion)
{
    return std::min(
        {resolucion / UnidadesPorPulgada, papel.width() / pagina.width(), papel.height() / pagina.height()});
}

void prepararImpresora(const Informe& informe, QPrinter& impresora)
{
    impresora.setFullPage(true);
    impresora.setPageLayout(informe.disenoPagina());
    impresora.setDocName(informe.diseno().nombre);
    impresora.setFromTo(0, 0);
}

bool imprimir(const Informe& informe, QPrinter& impresora)
{
    impresora.setFullPage(true);
    const int ultima = informe.cantidadPaginas() - 1;
    int desde = impresora.fromPage() > 0 ? impresora.fromPage() - 1 : 0;
    int hasta = impresora.toPage() > 0 ? impresora.toPage() - 1 : ultima;
    desde = std::clamp(desde, 0, ultima);
    hasta = std::clamp(hasta, desde, ultima);
    const double escala = escalaEnPapel(
        informe.tamanoPagina(), impresora.paperRect(QPrinter::DevicePixel).size(), impresora.resolution());
    QPainter p;
    if (!p.begin(&impresora))
        return false;
    dibujarPaginas(informe, impresora, p, escala, desde, hasta);
    return p.end();
}

} // namespace dalvo::reportes

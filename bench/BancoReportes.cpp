#include "BancoReportes.h"

#include "reports/Diseno.h"
#include "reports/FuncionesReportes.h"
#include "reports/Informe.h"
#include "reports/SalidaInforme.h"
#include "reports/frmVistaPrevia.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

namespace dalvo::banco {

namespace {

ado::Tabla primerasFilas(const ado::Tabla& tabla, qsizetype filas)
{
    ado::Tabla parte;
    parte.columnas = tabla.columnas;
    parte.celdas = tabla.celdas.mid(0, filas * tabla.columnas.size());
    return parte;
}

QString leerConsulta(const QString& ruta)
{
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(archivo.readAll());
}

} // namespace

void bancoReportes(const Opciones& o)
{
    embebido::MotorEmbebido motor;
    abrirMotor(motor, o.base);
    const QString carpeta = CarpetaReportes();
    QString sql = leerConsulta(carpeta + QStringLiteral("Cierres.SQL"));
    sql.replace(QStringLiteral("SELECT "), QStringLiteral("SELECT TOP 10000 "));
    const ado::Lote lote = motor.ejecutar(sql, 0);
    const ado::Tabla todas = lote.tablas.front();
    const reportes::Diseno diseno = reportes::leerDiseno(carpeta + QStringLiteral("Cierres.rpt"));
    QTemporaryDir temporal;
    const QString pdf = temporal.filePath(QStringLiteral("informe.pdf"));

    // Built and written as the preview's "Exportar a PDF" does: the layout pass, then every page.
    QVector<double> porMil;
    for (const qsizetype filas : {qsizetype(1000), qsizetype(10000)}) {
        const ado::Tabla datos = primerasFilas(todas, filas);
        int paginas = 0;
        const auto generar = [&] {
            reportes::Informe informe(diseno, datos);
            paginas = informe.cantidadPaginas();
            reportes::exportarPdf(informe, pdf);
        };
        generar();
        QVector<double> tiempos;
        for (int i = 0; i < o.veces; ++i)
            tiempos << medir(generar);
        porMil << mediana(tiempos) * 1000.0 / double(datos.filas());
        const bool base = porMil.size() == 1;
        const Par par{porMil.last(), porMil.first()};
        imprimir(filaRazon(QStringLiteral("Reporte a PDF"),
                           QStringLiteral("Cierres.rpt a PDF, ms por 1.000 filas (%1 páginas)").arg(paginas),
                           QString::number(datos.filas()), par, base ? 0 : 1.2,
                           QStringLiteral("total %1 ms; piso: el mismo reporte de 1.000 filas")
                               .arg(mediana(tiempos), 0, 'f', 0)));
    }

    // The first page of the preview, opened as the program opens it, against drawing that page alone.
    const auto informe = std::make_shared<reportes::Informe>(diseno, todas);
    QImage hoja(1280, 900, QImage::Format_ARGB32_Premultiplied);
    const Par par = medirPar(
        o.veces,
        [&] {
            auto* vista = new frmVistaPrevia(informe, QStringLiteral("Cierres"));
            vista->resize(1280, 900);
            vista->show();
            vista->repaint();
            delete vista;
        },
        [&] {
            hoja.fill(Qt::white);
            QPainter p(&hoja);
            const double escala = hoja.width() / informe->tamanoPagina().width();
            p.scale(escala, escala);
            informe->dibujarPagina(p, 0);
        });
    imprimir(filaRazon(QStringLiteral("Reporte a PDF"), QStringLiteral("Vista previa, primera página"),
                       QString::number(todas.filas()), par, 0,
                       QStringLiteral("piso: la misma página dibujada en una imagen")));
}

} // namespace dalvo::banco

#include "reports/GeneracionReportes.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "data/ChekError.h"
#include "data/GrabarLog.h"
#include "reports/CatalogoReportes.h"
#include "reports/ResultadoRecordset.h"
#include "ui/Mensajes.h"
#include "ui/RelojArena.h"

#include <QRegularExpression>

namespace dalvo {

namespace {

const QString Lugar = QStringLiteral("frmReportes.cmdGenerar");
const QString FinDeLinea = QStringLiteral("\r\n");

std::unique_ptr<OrigenReportes>& origenActual()
{
    static std::unique_ptr<OrigenReportes> origen;
    return origen;
}

ManejadorErrores& manejadorActual()
{
    static ManejadorErrores manejador;
    return manejador;
}

// The ticket number goes into the call unquoted: only digits (blanks around them allowed) may go.
bool ticketValido(const QString& ticket)
{
    static const QRegularExpression digitos(QStringLiteral("^ *\\d{1,10} *$"));
    return digitos.match(ticket).hasMatch();
}

} // namespace

OrigenReportes& origenReportes()
{
    if (!origenActual())
        origenActual() = std::make_unique<OrigenConexion>();
    return *origenActual();
}

std::unique_ptr<OrigenReportes> setOrigenReportes(std::unique_ptr<OrigenReportes> origen)
{
    return std::exchange(origenActual(), std::move(origen));
}

void ChekErrorReportes(qint32 lNumero, const QString& sDescripcion, const QString& sOrigen)
{
    if (manejadorActual())
        manejadorActual()(lNumero, sDescripcion, sOrigen);
    else
        ChekError(lNumero, sDescripcion, sOrigen);
}

ManejadorErrores setChekErrorReportes(ManejadorErrores manejador)
{
    return std::exchange(manejadorActual(), std::move(manejador));
}

void GenerarReportes(const PedidoReportes& pedido, OrigenReportes& origen, const EmisorReportes& emitir)
{
    QString marcador = QStringLiteral("1");
    TrabajoReporte t;
    try {
        for (const ItemReporte& item : pedido.seleccionados) {
            marcador = QStringLiteral("2");
            t = TrabajoReporte();
            t.subtitulo = item.texto;
            marcador = QStringLiteral("3");
            const ValoresReporte valores{pedido.parametros, item.texto, pedido.subtituloRango, pedido.ticket};
            resolverReporte(item.clave, valores, t);
            if (!t.conocido)
                continue;
            if (item.clave == QLatin1String("KT") && !ticketValido(pedido.ticket)) {
                ui::restaurarPuntero();
                ui::msgBox(QStringLiteral("Debe seleccionar el numero de ticket a imprimir"), ui::Botones::OK,
                           ui::Icono::Informacion);
                return;
            }
            marcador = QStringLiteral("4");
            if (!t.procedimiento)
                t.sql =
                    ArmarConsultaReporte(pedido.carpeta + t.reporte + QStringLiteral(".SQL"), t.condicion);
            const QString enReporte =
                QStringLiteral(" (Reporte: ") + pedido.carpeta + t.reporte + QLatin1Char(')');
            if (t.sql.isEmpty()) {
                const QString texto = QStringLiteral(" Archivo de consuta vacio") + enReporte;
                GrabarLog(QStringLiteral("1") + texto, Lugar);
                ui::restaurarPuntero();
                ui::msgBox(QStringLiteral("Error: 1") + FinDeLinea + texto, ui::Botones::OK,
                           ui::Icono::Critico);
                continue;
            }
            marcador = QStringLiteral("5");
            qint32 error = 0;
            QString descripcion;
            std::unique_ptr<ResultadoReporte> rs;
            {
                ui::RelojArena reloj;
                rs = origen.Query(t.sql, error, descripcion);
            }
            marcador = QStringLiteral("6");
            if (error != 0) {
                GrabarLog(QString::number(error) + QLatin1Char(' ') + descripcion + enReporte, Lugar);
                ui::restaurarPuntero();
                ui::msgBox(QStringLiteral("Error: ") + QString::number(error) + FinDeLinea + descripcion,
                           ui::Botones::OK, ui::Icono::Critico);
                continue;
            }
            // A statement that returned no result set has no rows to show.
            ResultadoEnMemoria vacio{ado::Tabla()};
            emitir(t.reporte, rs ? *rs : vacio, pedido.carpeta, pedido.empresa, t.titulo, t.subtitulo);
        }
    } catch (const Falla& f) {
        ui::restaurarPuntero();
        GrabarLog(QString::number(f.Numero) + QLatin1Char(' ') + f.Descripcion +
                      QStringLiteral(" (Reporte: ") + pedido.carpeta + t.reporte + QLatin1Char(')'),
                  Lugar);
        ui::msgBox(QString::number(f.Numero) + FinDeLinea + f.Descripcion + FinDeLinea + marcador,
                   ui::Botones::OK, ui::Icono::Critico, QStringLiteral("Error"));
    }
}

} // namespace dalvo

#include "reports/FuncionesReportes.h"

#include "common/Falla.h"
#include "common/FuncionesGenerales.h"
#include "common/Programa.h"
#include "reports/Informe.h"
#include "reports/frmVistaPrevia.h"
#include "ui/Mensajes.h"
#include "ui/RelojArena.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace dalvo {

namespace {

const QString TituloGeneracion = QStringLiteral("Generación de Reportes");

// From a keyword's position up to the first of the following keywords that is present, or to the end.
QString parte(const QString& texto, qsizetype inicio, std::initializer_list<qsizetype> siguientes)
{
    if (inicio < 0)
        return {};
    qsizetype fin = texto.size();
    for (qsizetype s : siguientes) {
        if (s >= 0) {
            fin = s;
            break;
        }
    }
    if (fin < inicio)
        throw Falla(5, QStringLiteral("FuncionesReportes.DividirConsulta"),
                    QStringLiteral("Llamada a procedimiento o argumento no válido"));
    return texto.mid(inicio, fin - inicio);
}

} // namespace

std::optional<QString> LeerArchivo(const QString& sRuta)
{
    QFile archivo(sRuta);
    if (!archivo.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = archivo.readAll();
    // The files of this project are UTF-8; older ones were written in the 8-bit code page.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = utf8(bytes);
    if (utf8.hasError())
        texto = QString::fromLatin1(bytes);
    return texto;
}

bool DividirConsulta(const QString& sRuta, PartesConsulta& partes)
{
    const std::optional<QString> leido = LeerArchivo(sRuta);
    if (!leido)
        return false;
    const QString& t = *leido;
    const qsizetype select = t.indexOf(QLatin1String("SELECT"), 0, Qt::CaseInsensitive);
    const qsizetype where = t.indexOf(QLatin1String("WHERE"), 0, Qt::CaseInsensitive);
    const qsizetype groupBy = t.indexOf(QLatin1String("GROUP BY"), 0, Qt::CaseInsensitive);
    const qsizetype orderBy = t.indexOf(QLatin1String("ORDER BY"), 0, Qt::CaseInsensitive);
    partes.orderBy = parte(t, orderBy, {});
    partes.groupBy = parte(t, groupBy, {orderBy});
    partes.where = parte(t, where, {groupBy, orderBy});
    partes.select = parte(t, select, {where, groupBy, orderBy});
    return !partes.select.isEmpty();
}

QString ArmarConsultaReporte(const QString& sRuta, const QString& sCondicion)
{
    PartesConsulta p;
    if (!DividirConsulta(sRuta, p))
        return {};
    if (!sCondicion.isEmpty())
        p.where += (p.where.isEmpty() ? QStringLiteral(" WHERE ") : QStringLiteral(" AND ")) + sCondicion +
                   QStringLiteral("\r\n");
    return p.select + p.where + p.groupBy + p.orderBy;
}

QString CarpetaReportes()
{
    const QString separador = QDir::separator();
    return QDir::toNativeSeparators(CarpetaPrograma()) + separador + QStringLiteral("Reportes") + separador;
}

QString RutaDiseno(const QString& sCarpeta, const QString& sNombreReporte)
{
    return recortar(sCarpeta) + recortar(sNombreReporte) + QStringLiteral(".rpt");
}

InformePreparado PrepararInforme(const QString& sNombreReporte, ResultadoReporte& rs, const QString& sCarpeta,
                                 const QString& sEmpresa, const QString& sTitulo, const QString& sSubTitulo,
                                 QString& sMarcador)
{
    InformePreparado r;
    sMarcador = QStringLiteral("1");
    if (rs.RecordCount() < 1) {
        r.estado = InformePreparado::SinDatos;
        return r;
    }
    sMarcador = QStringLiteral("2");
    r.rutaDiseno = RutaDiseno(sCarpeta, sNombreReporte);
    sMarcador = QStringLiteral("3");
    if (!QFileInfo::exists(r.rutaDiseno)) {
        r.estado = InformePreparado::SinDiseno;
        return r;
    }
    reportes::Diseno diseno = reportes::leerDiseno(r.rutaDiseno);
    diseno.nombre = recortar(sNombreReporte);
    ado::Tabla datos;
    if (sNombreReporte == QLatin1String("Ticket")) {
        // The ticket detail procedure returns the ticket itself as its second result set.
        const std::unique_ptr<ResultadoReporte> siguiente = rs.NextRecordset();
        if (!siguiente)
            throw Falla(reportes::fallas::SinResultado, QStringLiteral("FuncionesReportes.EmitirReporte"),
                        QStringLiteral("El procedimiento no devolvió el segundo conjunto de resultados"));
        datos = siguiente->tabla();
    } else {
        datos = rs.tabla();
    }
    r.informe = std::make_shared<reportes::Informe>(std::move(diseno), std::move(datos));
    const std::pair<const char*, const QString*> formulas[] = {
        {"Empresa", &sEmpresa}, {"Titulo", &sTitulo}, {"SubTitulo", &sSubTitulo}};
    for (const auto& [nombre, valor] : formulas) {
        // The engine's formula literal; quotes inside the value are left as they are.
        if (!valor->isEmpty())
            r.informe->setFormula(QString::fromLatin1(nombre),
                                  QLatin1Char('\'') + valor->toUpper() + QLatin1Char('\''));
    }
    // A layout carries no saved rows: the report prints only the rows handed over.
    sMarcador = QStringLiteral("4");
    sMarcador = QStringLiteral("5");
    return r;
}

void EmitirReporte(const QString& sNombreReporte, ResultadoReporte& rs, const QString& sCarpeta,
                   const QString& sEmpresa, const QString& sTitulo, const QString& sSubTitulo)
{
    QString marcador = QStringLiteral("1");
    try {
        const InformePreparado p =
            PrepararInforme(sNombreReporte, rs, sCarpeta, sEmpresa, sTitulo, sSubTitulo, marcador);
        if (p.estado == InformePreparado::SinDatos) {
            ui::restaurarPuntero();
            ui::msgBox(QStringLiteral("No hay datos para generar reporte"), ui::Botones::OK,
                       ui::Icono::Ninguno, TituloGeneracion);
            return;
        }
        if (p.estado == InformePreparado::SinDiseno) {
            ui::restaurarPuntero();
            ui::msgBox(QStringLiteral("Archivo de reportes ") + p.rutaDiseno +
                           QStringLiteral(" no encontrado."),
                       ui::Botones::OK, ui::Icono::Ninguno, TituloGeneracion);
            return;
        }
        marcador = QStringLiteral("6");
        auto* vista = new frmVistaPrevia(p.informe, sNombreReporte);
        marcador = QStringLiteral("7");
        vista->showMaximized();
        marcador = QStringLiteral("8");
        ui::restaurarPuntero();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        marcador = QStringLiteral("9");
        ui::restaurarPuntero();
    } catch (const Falla& f) {
        ui::restaurarPuntero();
        ui::msgBox(QString::number(f.Numero) + QStringLiteral("\r\n") + f.Descripcion +
                       QStringLiteral("\r\n") + QLatin1Char('a') + marcador,
                   ui::Botones::OK, ui::Icono::Critico, QStringLiteral("error"));
    }
}

} // namespace dalvo

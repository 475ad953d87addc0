#include "DatosPrueba.h"
#include "EntornoPrueba.h"
#include "reports/CatalogoReportes.h"
#include "reports/ColeccionParametros.h"

#include <QTest>
#include <memory>

using namespace dalvo;

namespace {

const QString Desde = QStringLiteral("'03/01/2008 00:00:00'");
const QString Hasta = QStringLiteral("'03/31/2008 23:59:59'");
const QString Rango = QStringLiteral("BETWEEN '03/01/2008 00:00:00' AND '03/31/2008 23:59:59'");
const QString Ymd = QStringLiteral("'20080301', '20080331'");
const QString Item = QStringLiteral("TEXTO ITEM");
const QString SubRango = QStringLiteral(" entre el 01/03/2008 y el 31/03/2008");

ColeccionParametros coleccion()
{
    ColeccionParametros p;
    p.Add(QStringLiteral("FECHADESDE"), QStringLiteral("01/03/2008"));
    p.Add(QStringLiteral("FECHAHASTA"), QStringLiteral("31/03/2008"));
    prueba::agregarParametros(p);
    return p;
}

} // namespace

class TstCatalogoReportes : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;

    static TrabajoReporte resolver(const QString& codigo, const ColeccionParametros& p)
    {
        TrabajoReporte t;
        const ValoresReporte v{&p, Item, subtituloRango(p), QStringLiteral("555")};
        resolverReporte(codigo, v, t);
        return t;
    }

private slots:
    void init() { mEntorno = std::make_unique<prueba::EntornoPrueba>(); }
    void cleanup() { mEntorno.reset(); }

    void cadaCodigo_data()
    {
        QTest::addColumn<QString>("reporte");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("subtitulo");
        QTest::addColumn<bool>("procedimiento");
        QTest::addColumn<QString>("sql");
        auto consulta = [](const char* codigo, const char* reporte, const QString& titulo,
                           const QString& subtitulo, const QString& condicion) {
            QTest::newRow(codigo) << QString::fromLatin1(reporte) << titulo << subtitulo << false
                                  << condicion;
        };
        auto llamada = [](const char* codigo, const char* reporte, const QString& titulo,
                          const QString& subtitulo, const QString& sql) {
            QTest::newRow(codigo) << QString::fromLatin1(reporte) << titulo << subtitulo << true << sql;
        };
        const QString cierres = QStringLiteral("LISTADO DE CIERRES");
        consulta("KC1", "Cierres", cierres, Item,
                 " Cierres.idCierre = (SELECT MAX(C.idCierre) FROM Cierres C)");
        consulta("KC2", "Cierres", cierres, Item, " Cierres.IdCierre=17");
        consulta("KC3", "Cierres", cierres, Item, " Cierres.IdCierre BETWEEN 10 AND 25");
        consulta("KC4", "Cierres", cierres, Item,
                 " Cierres.IdPrestador = 42 AND Cierres.FechaServer " + Rango);
        consulta("KM1", "Medicamentos1", "MEDICAMENTOS", "Ultimo",
                 " Medicamentos.Troquel = (SELECT MAX(M.Troquel) FROM Medicamentos M)");
        consulta("KM2", "Medicamentos1", "MEDICAMENTOS", ".", " Medicamentos.Troquel='0012345'");
        consulta("KM4", "Medicamentos1", "MEDICAMENTOS", Item, " Medicamentos.Nombre LIKE '%AMOXIDAL 500%'");
        consulta("KM9", "TrPrAfiliado", "TRATAMIENTOS PROLONGADOS PARA MEDICAMENTOS", Item,
                 " TrPrMedicamento.Troquel='0012345'");
        consulta("KPM", "MedicamentosDetalles", "Registros de Medicamentos Dispensados en PM y PMI", SubRango,
                 " Item_Tickets.OrigenDescuento = 10  AND Tickets.Fecha_Prestacion " + Rango);
        consulta("K31", "MedicamentosDetalles", "Registros de Medicamentos Dispensados bajo Res 310/04",
                 SubRango, " Item_Tickets.OrigenDescuento IN ( 6, 7)  AND Tickets.Fecha_Prestacion " + Rango);
        consulta("KA1", "AfiliadoAutorizaciones", "LISTADO DE AUTORIZACIONES", Item,
                 " Autorizaciones.Num_Afil = '1234567/01'");
        consulta("KA6", "TrPrAfiliado", "TRATAMIENTOS PROLONGADOS PARA AFILIADO", Item,
                 " TrPrAfiliado.Num_Afil=' 1234567/01 '");
        consulta("KP", "Prestadores", "PRESTADORES", "", "");
        consulta("KP1", "PrestadorPracticas", "TABLA DE VALORIZACION", Item, " Prestadores.IdPrestador = 42");
        consulta("KP10", "DiferenciaPrecioInternacion", "DIFERENCIAS DE PRECIO MEDICAMENTOS EN INTERNACION",
                 "prestador: Farmacia O'Brien entre el 01/03/2008 y el 31/03/2008",
                 " Tickets.IdPrestador = 42 AND Tickets.Fecha_Prestacion " + Rango);
        consulta("KIM1", "MedicamentosInterPorTroquel", "Dispensa de Medicamentos en Internación por Troquel",
                 SubRango, " TK.Fecha_Prestacion " + Rango);
        consulta("KIA2", "MedicamentosInterPorAfiliado",
                 "Dispensa de Medicamentos en Internación por Afiliado", SubRango,
                 " T.Fecha_Prestacion " + Rango);
        consulta("KAC1", "MedicamentosPorAccion", "Listado de Medicamentos con Acción Retiro (0007)", "",
                 " AM.CodigoAccion = 0007");

        llamada("KC5", "FormularioCierre", "", Item, "EXECUTE spConsultaCierre 0, 17, 0, NULL, NULL, NULL");
        llamada("KC15", "FormularioCierre", "", Item,
                "EXECUTE spConsultaCierrePrestador 0, 17, 0, NULL, NULL, NULL");
        llamada("KC6", "TotalCierresPrestador", "", Item,
                "EXECUTE spRptTotalCierresPrestador null, " + Desde + ", " + Hasta + ", 42");
        for (const char* sp : {"spRptTickets", "spRptTicketsPrestador"}) {
            const QString p = QStringLiteral("EXECUTE %1 ").arg(QLatin1String(sp));
            const bool farmacia = QLatin1String(sp) == QLatin1String("spRptTickets");
            auto codigo = [farmacia](int n) {
                static QList<QByteArray> nombres; // QTest keeps the pointer
                nombres.append((farmacia ? "KT" : "KTP") + QByteArray::number(n));
                return nombres.last().constData();
            };
            llamada(codigo(1), "Tickets1", "TICKETS", Item, p + "NULL, NULL, NULL, NULL, NULL, NULL, NULL");
            llamada(codigo(2), "Tickets1", "TICKETS", Item, p + "NULL, NULL, 1001, NULL, NULL, NULL, NULL");
            llamada(codigo(3), "Tickets1", "TICKETS", Item, p + "NULL, NULL, 1000, 1099, NULL, NULL, NULL");
            llamada(codigo(4), "Tickets1", "TICKETS", Item,
                    p + Desde + ", " + Hasta + ", NULL, NULL, 'D''Angelo 9', NULL, NULL");
            llamada(codigo(5), "Tickets1", "CUPONES", "Para: Farmacia O'Brien" + SubRango,
                    p + Desde + ", " + Hasta + ", NULL, NULL, NULL, 42, NULL");
            llamada(codigo(6), "Tickets1", "TICKETS", Item,
                    p + Desde + ", " + Hasta + ", NULL, NULL, NULL, NULL, 77");
        }
        llamada("KM5", "CodigoMedPrescriptores", "MEDICAMENTO DETALLADO POR MEDICO PRESCRIPTOR", SubRango,
                "EXECUTE sprptCodigoMedPrescriptores '0012345', " + Ymd);
        llamada("KM6", "MedicamentosSocios", "MEDICAMENTO DETALLADO POR SOCIO", SubRango,
                "EXECUTE sprptMedicamentosSocios '0012345', " + Ymd);
        llamada("KM7", "CodigoMedPrestador", "MEDICAMENTO DETALLADO POR PRESTADOR", SubRango,
                "EXECUTE sprptCodigoMedPrestadores '0012345', " + Ymd);
        llamada("KM8", "TotalMedicamentos", "TOTAL FACTURADO PARA MEDICAMENTO", SubRango,
                "EXECUTE sprptTotalMedicamentos '0012345', " + Ymd);
        llamada("KR1", "CodigoPracticasPrescriptor", "TOTAL FACTURADO PARA PRACTICA POR PRESCRIPTOR",
                SubRango, "EXECUTE sprptCodigoPrescriptores '420101', " + Ymd);
        llamada("KR2", "PracticasSocios", "TOTAL FACTURADO PARA PRACTICA POR SOCIO", SubRango,
                "EXECUTE sprptPracticasSocios '420101', " + Ymd);
        llamada("KR3", "CodigoPractPrestadores", "TOTAL FACTURADO PARA PRACTICA POR PRESTADOR", SubRango,
                "EXECUTE sprptCodigoPrestadores '420101', " + Ymd);
        llamada("KR4", "TotalPracticas", "TOTAL FACTURADO PARA PRACTICA", SubRango,
                "EXECUTE sprptTotalPracticas '420101', " + Ymd);
        llamada("KD1", "MedicoMedicamentos", "TOTAL FACTURADO POR MEDICO DETALLADO POR MEDICAMENTOS",
                SubRango, "EXECUTE sprptMedicoMedicamentos '004321', " + Ymd);
        llamada("KD3", "PrescriptorSocio", "TOTAL FACTURADO POR MEDICO DETALLADO POR ASOCIADO", SubRango,
                "EXECUTE sprptMedicoSocio '004321', " + Ymd);
        llamada("KD4", "PrescriptorPrestador", "TOTAL FACTURADO POR MEDICO DETALLADO POR PRESTADOR", SubRango,
                "EXECUTE sprptPrescriptorPrestador '004321', NULL, " + Ymd);
        llamada("KD5", "TotalPrescriptor", "TOTAL FACTURADO POR MEDICO", SubRango,
                "EXECUTE sprptTotalPrescriptor '004321', null,'20080301', '20080331'");
        llamada("KA2", "SocioMedPract", "TOTAL FACTURADO POR SOCIO DETALLADO POR MEDICAMENTO / PRACTICA",
                SubRango, "EXECUTE sprptSocioMedPract ' 1234567/01 ', " + Ymd);
        llamada("KA3", "SocioMedicoPrescriptor", "TOTAL FACTURADO POR SOCIO DETALLADO POR MEDICO PRESCRITOR",
                SubRango, "EXECUTE sprptSocioMedicos ' 1234567/01 ', " + Ymd);
        llamada("KA4", "SocioPrestadores", "TOTAL FACTURADO POR SOCIO DETALLADO POR PRESTADOR", SubRango,
                "EXECUTE sprptSocioPrestadores ' 1234567/01 ', " + Ymd);
        llamada("KA5", "TotalAfiliado", "TOTAL FACTURADO POR SOCIO", SubRango,
                "EXECUTE sprptTotalAfiliado ' 1234567/01 ', " + Ymd);
        llamada("KA7", "TotalPlan", "FACTURADO POR PLAN", SubRango,
                "EXECUTE sprptTotalPlan " + Ymd + ", 'P1'");
        llamada("KG1", "TotalPlan", "FACTURADO POR PLAN", SubRango, "EXECUTE sprptTotalPlan " + Ymd);
        llamada("KG2", "TipoPrestador", "FACTURACION POR TIPO DE PRESTADOR", SubRango,
                "EXECUTE sprptTipoPrestador " + Ymd);
        llamada("KP2", "CierresPendientes", "CIERRE PENDIENTE", Item, "EXECUTE AuxCierresPendientes 42");
        llamada("KP3", "CierresPendientes", "CIERRES PENDIENTES", Item, "EXECUTE AuxCierresPendientes 0");
        llamada("KP4", "PrestadorMedicoPrescr", "FACTURADO POR MEDICO PRESCRIPTOR", SubRango,
                "EXECUTE sprptPrestadorMedicoPrescr 'F00042', " + Ymd + ", 42");
        llamada("KP5", "PrestadoresEspecialidad", "FACTURADO POR ESPECIALIDAD", SubRango,
                "EXECUTE sprptPrestadoresEspecialidad 'Farmacia', " + Ymd);
        llamada("KP6", "PrestadorMedicamentos", "FACTURADO POR MEDICAMENTOS", SubRango,
                "EXECUTE sprptPrestadorMedicamentos 'F00042', " + Ymd + ", 42");
        llamada("KP7", "PrestadorSocios", "FACTURADO POR SOCIOS", SubRango,
                "EXECUTE sprptPrestadorSocios " + Ymd + ", 'F00042', 42");
        llamada("KP9", "TotalPrestador", "FACTURACION DE PRESTADOR", SubRango,
                "EXECUTE spRptTotalPrestador 'F00042', " + Ymd + ", 42");
        llamada("KP11", "MedicamentosSinClasificar", "MEDICAMENTOS SIN CLASIFICAR DE PRESTADOR", SubRango,
                "EXECUTE sprptMedicamentosSinClasificar 42, " + Ymd);
        llamada("KP12", "PrescriptoresPorPrestador", "MEDICOS PRESCRIPTORES DE PRESTADOR", SubRango,
                "EXECUTE sprptPrescriptoresPorPresatador 42, " + Ymd);
        llamada("KT", "Ticket", "Ticket Nº 555", "", "EXECUTE spgetDetalleTicket 0, 555 ,1");
    }
    void cadaCodigo()
    {
        QFETCH(QString, reporte);
        QFETCH(QString, titulo);
        QFETCH(QString, subtitulo);
        QFETCH(bool, procedimiento);
        QFETCH(QString, sql);
        const TrabajoReporte t = resolver(QString::fromLatin1(QTest::currentDataTag()), coleccion());
        QVERIFY(t.conocido);
        QCOMPARE(t.reporte, reporte);
        QCOMPARE(t.titulo, titulo);
        QCOMPARE(t.subtitulo, subtitulo);
        QCOMPARE(t.procedimiento, procedimiento);
        QCOMPARE(procedimiento ? t.sql : t.condicion, sql);
        QCOMPARE(procedimiento ? t.condicion : t.sql, QString());
    }

    void formasDeValor_data()
    {
        prueba::filasDeTexto({"plantilla", "valor", "texto"},
                             {{"from corta", "{V:from}", "1/3/08", "03/01/2008 00:00:00"},
                              {"from con hora", "{V:from}", "01/03/2008 14:05", "03/01/2008 14:05:00"},
                              {"to con hora", "{V:to}", "01/03/2008 14:05", "03/01/2008 23:59:59"},
                              {"from vacia", "'{V:from}' AND '{V:to}'", "", "'' AND ''"},
                              {"from ilegible", "[{V:from}]", "xx", "[]"},
                              {"ymd", "{V:ymd}", "31/12/2008", "20081231"},
                              {"ymd vacia", "[{V:ymd}]", "", "[]"},
                              {"trim", "[{V:trim}]", "  a b  ", "[a b]"},
                              {"tal cual", "[{V}]", "  a b  ", "[  a b  ]"}});
    }
    void formasDeValor()
    {
        QFETCH(QString, plantilla);
        QFETCH(QString, valor);
        QFETCH(QString, texto);
        ColeccionParametros p;
        p.Add(QStringLiteral("V"), valor);
        const ValoresReporte v{&p, {}, {}, {}};
        QCOMPARE(expandirPlantilla(plantilla, v, false), texto);
    }

    void comillasDobladasSoloDentroDeUnLiteral_data()
    {
        QTest::addColumn<QString>("plantilla");
        QTest::addColumn<bool>("sql");
        QTest::addColumn<QString>("texto");
        QTest::newRow("dentro") << "A = '{V}'" << true << "A = 'O''Brien'";
        QTest::newRow("fuera") << "A = {V}" << true << "A = O'Brien";
        QTest::newRow("despues de un literal cerrado")
            << "A = 'x' AND B = {V}" << true << "A = 'x' AND B = O'Brien";
        QTest::newRow("segundo literal") << "A = 'x' AND B = '{V}'" << true << "A = 'x' AND B = 'O''Brien'";
        QTest::newRow("titulo: nunca") << "Para '{V}'" << false << "Para 'O'Brien'";
    }
    void comillasDobladasSoloDentroDeUnLiteral()
    {
        QFETCH(QString, plantilla);
        QFETCH(bool, sql);
        QFETCH(QString, texto);
        ColeccionParametros p;
        p.Add(QStringLiteral("V"), QStringLiteral("O'Brien"));
        const ValoresReporte v{&p, {}, {}, {}};
        QCOMPARE(expandirPlantilla(plantilla, v, sql), texto);
    }
};

QTEST_MAIN(TstCatalogoReportes)
#include "tst_CatalogoReportes.moc"

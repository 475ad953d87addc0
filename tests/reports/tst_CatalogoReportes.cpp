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

    // One row per statement shape: plain conditions, date ranges, LIKE, untrimmed values, the calls and
    // their parameter orders, quotes doubled inside literals, titles built from the row.
    void cadaCodigo_data()
    {
        QTest::addColumn<QString>("reporte");
        QTest::addColumn<QString>("titulo");
        QTest::addColumn<QString>("subtitulo");
        QTest::addColumn<QString>("sql"); // the call, or the condition added to the layout's statement
        auto fila = [](const char* codigo, const char* reporte, const QString& titulo,
                       const QString& subtitulo, const QString& sql) {
            QTest::newRow(codigo) << QString::fromLatin1(reporte) << titulo << subtitulo << sql;
        };
        const QString cierres = QStringLiteral("LISTADO DE CIERRES");
        fila("KC1", "Cierres", cierres, Item, " Cierres.idCierre = (SELECT MAX(C.idCierre) FROM Cierres C)");
        fila("KC4", "Cierres", cierres, Item, " Cierres.IdPrestador = 42 AND Cierres.FechaServer " + Rango);
        fila("KM4", "Medicamentos1", "MEDICAMENTOS", Item, " Medicamentos.Nombre LIKE '%AMOXIDAL 500%'");
        fila("KA1", "AfiliadoAutorizaciones", "LISTADO DE AUTORIZACIONES", Item,
             " Autorizaciones.Num_Afil = '1234567/01'");
        fila("KA6", "TrPrAfiliado", "TRATAMIENTOS PROLONGADOS PARA AFILIADO", Item,
             " TrPrAfiliado.Num_Afil=' 1234567/01 '");
        fila("KP", "Prestadores", "PRESTADORES", "", "");
        fila("KP10", "DiferenciaPrecioInternacion", "DIFERENCIAS DE PRECIO MEDICAMENTOS EN INTERNACION",
             "prestador: Farmacia O'Brien entre el 01/03/2008 y el 31/03/2008",
             " Tickets.IdPrestador = 42 AND Tickets.Fecha_Prestacion " + Rango);
        fila("KC5", "FormularioCierre", "", Item, "EXECUTE spConsultaCierre 0, 17, 0, NULL, NULL, NULL");
        fila("KT4", "Tickets1", "TICKETS", Item,
             "EXECUTE spRptTickets " + Desde + ", " + Hasta + ", NULL, NULL, 'D''Angelo 9', NULL, NULL");
        fila("KTP5", "Tickets1", "CUPONES", "Para: Farmacia O'Brien" + SubRango,
             "EXECUTE spRptTicketsPrestador " + Desde + ", " + Hasta + ", NULL, NULL, NULL, 42, NULL");
        fila("KM5", "CodigoMedPrescriptores", "MEDICAMENTO DETALLADO POR MEDICO PRESCRIPTOR", SubRango,
             "EXECUTE sprptCodigoMedPrescriptores '0012345', " + Ymd);
        fila("KP7", "PrestadorSocios", "FACTURADO POR SOCIOS", SubRango,
             "EXECUTE sprptPrestadorSocios " + Ymd + ", 'F00042', 42");
        fila("KT", "Ticket", "Ticket Nº 555", "", "EXECUTE spgetDetalleTicket 0, 555 ,1");
    }
    void cadaCodigo()
    {
        QFETCH(QString, reporte);
        QFETCH(QString, titulo);
        QFETCH(QString, subtitulo);
        QFETCH(QString, sql);
        const bool procedimiento = sql.startsWith(QLatin1String("EXECUTE"));
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

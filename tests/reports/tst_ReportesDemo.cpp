// The first reports on the demo database, end to end: the catalogue's SQL (query file or procedure call) on
// the embedded server, the result sets its procedures return, the shipped layouts, the previews and the
// command-line tool.

#include "DatosPrueba.h"
#include "EntornoPrueba.h"
#include "common/Reloj.h"
#include "data/FabricaMotor.h"
#include "data/Recordset.h"
#include "data/cUserConnection.h"
#include "data/embedded/MotorEmbebido.h"
#include "demo/BasePruebas.h"
#include "reports/CatalogoReportes.h"
#include "reports/ColeccionParametros.h"
#include "reports/GeneracionReportes.h"
#include "reports/Informe.h"
#include "reports/frmVistaPrevia.h"
#include "tools/HerramientaReporte.h"

#include <QDir>
#include <QTest>
#include <memory>

using namespace dalvo;

class TstReportesDemo : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mMensajes;
    std::unique_ptr<RelojFijo> mReloj;
    std::unique_ptr<cUserConnection> mConexion;
    QString mServidor;
    ado::CreadorMotor mMotorAnterior;

    QString valor(const QString& sql)
    {
        auto rs = mConexion->Query(sql, true, true);
        return recortarValor(rs->Fields(0).Value());
    }
    static QString recortarValor(const QVariant& v) { return v.toString().trimmed(); }

    ColeccionParametros parametros()
    {
        ColeccionParametros p;
        p.Add(QStringLiteral("FECHADESDE"), QStringLiteral("01/05/2024"));
        p.Add(QStringLiteral("FECHAHASTA"), QStringLiteral("31/05/2024"));
        const QString farmacia = valor(
            QStringLiteral("SELECT MAX(C.IdCierre) FROM Cierres C (NOLOCK) INNER JOIN Prestadores P (NOLOCK) "
                           "ON P.IdPrestador = C.IdPrestador WHERE P.IdTipoPrestador IN (1, 14)"));
        const QString practicas = valor(
            QStringLiteral("SELECT MAX(C.IdCierre) FROM Cierres C (NOLOCK) INNER JOIN Prestadores P (NOLOCK) "
                           "ON P.IdPrestador = C.IdPrestador WHERE P.IdTipoPrestador NOT IN (1, 14)"));
        p.Add(QStringLiteral("CIERREACTUAL"), farmacia);
        p.Add(QStringLiteral("CIERREPRACTICAS"), practicas);
        p.Add(QStringLiteral("CIERREINICIAL"), QString::number(farmacia.toInt() - 20));
        p.Add(QStringLiteral("CIERREFINAL"), farmacia);
        p.Add(QStringLiteral("PRESTADORACTUAL"),
              valor(QStringLiteral("SELECT IdPrestador FROM Cierres (NOLOCK) WHERE IdCierre = ") + farmacia));
        p.Add(QStringLiteral("PRESTADORACTUALNOMBRE"), QStringLiteral("Farmacia"));
        const QString ticket =
            valor(QStringLiteral("SELECT MIN(IdTicket) FROM Tickets (NOLOCK) WHERE idCierre = ") + farmacia);
        p.Add(QStringLiteral("TICKETACTUAL"), ticket);
        p.Add(QStringLiteral("TICKETINICIAL"), ticket);
        p.Add(QStringLiteral("TICKETFINAL"), QString::number(ticket.toInt() + 30));
        return p;
    }

private slots:
    void initTestCase()
    {
        mMotorAnterior =
            ado::registrarMotorEmbebido([] { return std::make_unique<embebido::MotorEmbebido>(); });
        mServidor = QStringLiteral("sqlite:") + demo::pruebas::basePruebas();
    }
    void cleanupTestCase() { ado::registrarMotorEmbebido(mMotorAnterior); }

    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mMensajes = std::make_unique<prueba::GuionMensajes>();
        mReloj = std::make_unique<RelojFijo>(QDateTime(demo::pruebas::kHoy, QTime(12, 0)));
        mConexion = std::make_unique<cUserConnection>();
        mConexion->Connect(mServidor, QStringLiteral("operador"), QStringLiteral("demo"),
                           QStringLiteral("dalvoPralMendoza"));
        gConexion = mConexion.get();
        const QString carpeta = mEntorno->carpetaPrograma() + QStringLiteral("/Reportes/");
        QDir().mkpath(carpeta);
        for (const QString& a :
             QDir(prueba::carpetaReportesFuente()).entryList({"*.rpt", "*.SQL"}, QDir::Files))
            QFile::copy(prueba::carpetaReportesFuente() + QLatin1Char('/') + a, carpeta + a);
    }
    void cleanup()
    {
        for (frmVistaPrevia* v : frmVistaPrevia::abiertas())
            v->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gConexion = nullptr;
        mConexion.reset();
        mReloj.reset();
        mMensajes.reset();
        mEntorno.reset();
    }

    void cadaReporteAbreSuVistaConFilas_data()
    {
        QTest::addColumn<QString>("codigo");
        QTest::addColumn<QString>("reporte");
        QTest::addColumn<QString>("enLaPrimeraPagina"); // a parameter whose value the page shows
        QTest::newRow("KC1") << "KC1"
                             << "Cierres"
                             << "";
        QTest::newRow("KC2") << "KC2"
                             << "Cierres"
                             << "CIERREACTUAL";
        QTest::newRow("KC3") << "KC3"
                             << "Cierres"
                             << "CIERREINICIAL";
        QTest::newRow("KC4") << "KC4"
                             << "Cierres"
                             << "";
        QTest::newRow("KT1") << "KT1"
                             << "Tickets1"
                             << "";
        QTest::newRow("KT2") << "KT2"
                             << "Tickets1"
                             << "TICKETACTUAL";
        QTest::newRow("KT3") << "KT3"
                             << "Tickets1"
                             << "TICKETINICIAL";
        QTest::newRow("KT5") << "KT5"
                             << "Tickets1"
                             << "";
        QTest::newRow("KTP1") << "KTP1"
                              << "Tickets1"
                              << "";
        QTest::newRow("KC5") << "KC5"
                             << "FormularioCierre"
                             << "CIERREACTUAL";
        QTest::newRow("KC15") << "KC15"
                              << "FormularioCierre"
                              << "";
        QTest::newRow("KT") << "KT"
                            << "Ticket"
                            << "TICKETACTUAL";
    }
    void cadaReporteAbreSuVistaConFilas()
    {
        QFETCH(QString, codigo);
        QFETCH(QString, reporte);
        QFETCH(QString, enLaPrimeraPagina);
        ColeccionParametros p = parametros();
        if (codigo == QLatin1String("KC15"))
            p.setItem(QStringLiteral("CIERREACTUAL"), p.Item(QStringLiteral("CIERREPRACTICAS")));
        PedidoReportes pedido;
        pedido.seleccionados = {{codigo, QStringLiteral("Item")}};
        pedido.ticket = p.Item(QStringLiteral("TICKETACTUAL"));
        pedido.parametros = &p;
        pedido.subtituloRango = subtituloRango(p);
        pedido.carpeta = CarpetaReportes();
        GenerarReportes(pedido, origenReportes());
        QVERIFY2(mMensajes->mostrados().isEmpty(), qPrintable(mMensajes->mostrados().value(0).texto));
        QCOMPARE(frmVistaPrevia::abiertas().size(), 1);
        const reportes::Informe& inf = frmVistaPrevia::abiertas().first()->informe();
        QCOMPARE(frmVistaPrevia::abiertas().first()->windowTitle(), reporte);
        QVERIFY(inf.filas() > 0);
        if (!enLaPrimeraPagina.isEmpty()) {
            QStringList textos;
            for (const reportes::Elemento& e : inf.elementosPagina(0))
                textos << e.texto;
            QVERIFY2(textos.contains(p.Item(enLaPrimeraPagina)), qPrintable(textos.join(QLatin1Char('|'))));
        }
    }

    void elTotalDelListadoEsElDeLaBase()
    {
        ColeccionParametros p = parametros();
        PedidoReportes pedido;
        pedido.seleccionados = {{QStringLiteral("KC3"), QStringLiteral("Item")}};
        pedido.parametros = &p;
        pedido.carpeta = CarpetaReportes();
        GenerarReportes(pedido, origenReportes());
        QCOMPARE(frmVistaPrevia::abiertas().size(), 1);
        const reportes::Informe& inf = frmVistaPrevia::abiertas().first()->informe();
        auto rs = mConexion->Query(
            QStringLiteral("SELECT SUM(TTicket), SUM(BPRAL) FROM Cierres (NOLOCK) WHERE IdCierre BETWEEN ") +
                p.Item(QStringLiteral("CIERREINICIAL")) + QStringLiteral(" AND ") +
                p.Item(QStringLiteral("CIERREFINAL")),
            true, true);
        QVERIFY(qAbs(inf.total(QStringLiteral("TTicket")) - rs->Fields(0).Value().toDouble()) < 0.005);
        QVERIFY(qAbs(inf.total(QStringLiteral("BPRAL")) - rs->Fields(1).Value().toDouble()) < 0.005);
        QCOMPARE(inf.filas(), 21);
    }

    void ticketQueNoExisteNoTieneDatos()
    {
        ColeccionParametros p = parametros();
        PedidoReportes pedido;
        pedido.seleccionados = {{QStringLiteral("KT"), QStringLiteral("Ticket")}};
        pedido.ticket = QStringLiteral("999999999");
        pedido.parametros = &p;
        pedido.carpeta = CarpetaReportes();
        GenerarReportes(pedido, origenReportes());
        QCOMPARE(mMensajes->mostrados().size(), 1);
        QCOMPARE(mMensajes->mostrados()[0].texto, QStringLiteral("No hay datos para generar reporte"));
    }

    void laHerramientaSobreLaBaseDemo()
    {
        const QString cierre = parametros().Item(QStringLiteral("CIERREACTUAL"));
        const QString pdf = mEntorno->carpeta() + QStringLiteral("/kc5.pdf");
        QString textoSalida, textoErrores;
        QTextStream salida(&textoSalida), errores(&textoErrores);
        const int estado =
            herramientas::ejecutarReporte({"-S", mServidor, "-U", "operador", "-P", "demo", "-d",
                                           "dalvoPralMendoza", "KC5", "CIERREACTUAL=" + cierre, "-o", pdf},
                                          salida, errores);
        QCOMPARE(textoErrores, QString());
        QCOMPARE(estado, 0);
        QVERIFY(textoSalida.startsWith(QLatin1String("Reporte: FormularioCierre\nFilas: ")));
        QVERIFY(QFile::exists(pdf));
    }
};

QTEST_MAIN(TstReportesDemo)
#include "tst_ReportesDemo.moc"

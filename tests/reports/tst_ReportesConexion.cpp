// The reports over the program's connection (a scripted engine behind it): the result sets it hands over
// (the ticket's second one), a statement without a result set, and the server's errors.

#include "DatosPrueba.h"
#include "EntornoPrueba.h"
#include "common/Falla.h"
#include "data/MotorFalso.h"
#include "data/Recordset.h"
#include "data/cUserConnection.h"
#include "reports/ColeccionParametros.h"
#include "reports/GeneracionReportes.h"
#include "reports/ResultadoRecordset.h"
#include "reports/frmVistaPrevia.h"

#include <QDir>
#include <QTest>
#include <memory>

using namespace dalvo;

namespace {

ado::Lote respuesta(const QString& sql)
{
    if (sql.startsWith(QLatin1String("EXECUTE spgetDetalleTicket")))
        return pruebas::lote({prueba::tablaCabeceraTicket(), prueba::tablaItemsTicket(3)});
    if (sql.startsWith(QLatin1String("EXECUTE spConsultaCierre ")))
        return pruebas::lote({prueba::tablaFormularioCierre(4)});
    if (sql.startsWith(QLatin1String("EXECUTE spRptTickets ")))
        return pruebas::lote({prueba::tablaTickets(3)});
    if (sql.startsWith(QLatin1String("SELECT Cierres.IdCierre")))
        return pruebas::lote({prueba::tablaCierres(2)});
    if (sql.startsWith(QLatin1String("EXECUTE spRptTicketsPrestador")))
        pruebas::fallar(
            {pruebas::registro(2812, QStringLiteral("42000"),
                               QStringLiteral("Could not find stored procedure 'spRptTicketsPrestador'."))});
    return ado::Lote{}; // no result set
}

} // namespace

class TstReportesConexion : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mMensajes;
    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::unique_ptr<cUserConnection> mConexion;
    ColeccionParametros mParametros;

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mMensajes = std::make_unique<prueba::GuionMensajes>();
        qputenv("DALVOHD_SERVER", "sqlcentral");
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        mFalso->guion->responder = pruebas::servidorSimulado(respuesta);
        mConexion = std::make_unique<cUserConnection>();
        mConexion->Connect(QStringLiteral("sqlcentral"), QStringLiteral("operador"), QStringLiteral("x"),
                           QStringLiteral("dalvoPralMendoza"));
        gConexion = mConexion.get();
        mParametros = ColeccionParametros();
        mParametros.Add(QStringLiteral("FECHADESDE"), QStringLiteral("01/03/2008"));
        mParametros.Add(QStringLiteral("FECHAHASTA"), QStringLiteral("31/03/2008"));
        mParametros.Add(QStringLiteral("CIERREACTUAL"), QStringLiteral("17"));
        const QString carpeta = mEntorno->carpetaPrograma() + QStringLiteral("/Reportes");
        QDir().mkpath(carpeta);
        for (const QString& a :
             QDir(prueba::carpetaReportesFuente()).entryList({"*.rpt", "*.SQL"}, QDir::Files))
            QFile::copy(prueba::carpetaReportesFuente() + QLatin1Char('/') + a,
                        carpeta + QLatin1Char('/') + a);
    }
    void cleanup()
    {
        for (frmVistaPrevia* v : frmVistaPrevia::abiertas())
            v->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        gConexion = nullptr;
        mConexion.reset();
        mFalso.reset();
        qunsetenv("DALVOHD_SERVER");
        mMensajes.reset();
        mEntorno.reset();
    }

    void errorDelServidorSeMuestra()
    {
        PedidoReportes p;
        p.seleccionados = {{QStringLiteral("KTP1"), QStringLiteral("Item")}};
        p.parametros = &mParametros;
        p.carpeta = CarpetaReportes();
        GenerarReportes(p, origenReportes());
        QCOMPARE(mMensajes->mostrados().size(), 1);
        QCOMPARE(
            mMensajes->mostrados()[0].texto,
            QStringLiteral("Error: 2812\r\n42000 Could not find stored procedure 'spRptTicketsPrestador'."));
    }

    void resultadoDeLaConexion()
    {
        OrigenConexion origen;
        qint32 error = -1;
        QString texto;
        std::unique_ptr<ResultadoReporte> rs =
            origen.Query(QStringLiteral("EXECUTE spgetDetalleTicket 0, 5 ,1"), error, texto);
        QCOMPARE(error, 0);
        QCOMPARE(rs->RecordCount(), 1);
        std::unique_ptr<ResultadoReporte> items = rs->NextRecordset();
        QVERIFY(items);
        const ado::Tabla t = items->tabla();
        const ado::Tabla esperada = prueba::tablaItemsTicket(3);
        QCOMPARE(t.columnas.size(), esperada.columnas.size());
        for (int i = 0; i < t.columnas.size(); ++i) {
            QCOMPARE(t.columnas[i].nombre, esperada.columnas[i].nombre);
            QCOMPARE(t.columnas[i].tipo, esperada.columnas[i].tipo);
        }
        QCOMPARE(t.celdas, esperada.celdas);
        QVERIFY(!items->NextRecordset());

        std::unique_ptr<ResultadoReporte> nada = origen.Query(QStringLiteral("EXECUTE spNada"), error, texto);
        QCOMPARE(error, 0);
        QCOMPARE(nada->RecordCount(), 0);
        QVERIFY(nada->tabla().columnas.isEmpty());
    }

    void sinConexionEsUnaFalla()
    {
        gConexion = nullptr;
        qint32 error = 0;
        QString texto;
        try {
            OrigenConexion().Query(QStringLiteral("SELECT 1"), error, texto);
            QFAIL("sin falla");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 91);
        }
    }
};

QTEST_MAIN(TstReportesConexion)
#include "tst_ReportesConexion.moc"

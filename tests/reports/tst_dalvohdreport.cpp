// dalvohd-report over a scripted engine: the statement it sends, the PDF it writes, and exit status 1 with
// the reason for each failure.

#include "DatosPrueba.h"
#include "EntornoPrueba.h"
#include "data/MotorFalso.h"
#include "tools/HerramientaReporte.h"

#include <QDir>
#include <QTest>
#include <memory>

using namespace dalvo;

namespace {

ado::Lote respuesta(const QString& sql)
{
    if (sql.contains(QLatin1String("FROM Parametros")))
        return pruebas::lote(
            {pruebas::tabla({pruebas::columna(QStringLiteral("NombreEmpresa"), ado::adChar, 50)},
                            {{QStringLiteral("Obra Social de Prueba")}})});
    if (sql.startsWith(QLatin1String("EXECUTE spgetDetalleTicket")))
        return pruebas::lote({prueba::tablaCabeceraTicket(), prueba::tablaItemsTicket(3)});
    if (sql.startsWith(QLatin1String("EXECUTE spRptTickets ")))
        return pruebas::lote({prueba::tablaTickets(0)});
    if (sql.contains(QLatin1String("Cierres.IdCierre=99")))
        pruebas::fallar(
            {pruebas::registro(245, QStringLiteral("22018"), QStringLiteral("Conversion failed."))});
    if (sql.startsWith(QLatin1String("SELECT Cierres.IdCierre")))
        return pruebas::lote({prueba::tablaCierres(60)});
    return ado::Lote{};
}

} // namespace

class TstDalvohdReport : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<pruebas::ConMotorFalso> mFalso;

    QString carpetaReportes() const { return mEntorno->carpetaPrograma() + QStringLiteral("/Reportes"); }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        mFalso->guion->responder = pruebas::servidorSimulado(respuesta);
        QDir().mkpath(carpetaReportes());
        for (const QString& a :
             QDir(prueba::carpetaReportesFuente()).entryList({"*.rpt", "*.SQL"}, QDir::Files))
            QFile::copy(prueba::carpetaReportesFuente() + QLatin1Char('/') + a,
                        carpetaReportes() + QLatin1Char('/') + a);
    }
    void cleanup()
    {
        mFalso.reset();
        mEntorno.reset();
    }

    void generaElPdf_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<QString>("informe");
        QTest::newRow("cierre")
            << QStringList{"KC4", "PRESTADORACTUAL=42", "FECHADESDE=010308", "fechahasta=31032008"}
            << " Cierres.IdPrestador = 42 AND Cierres.FechaServer BETWEEN '03/01/2008 00:00:00' "
               "AND '03/31/2008 23:59:59'\r\n"
            << "Reporte: Cierres\nFilas: 60\nPáginas: 2\n";
        QTest::newRow("ticket") << QStringList{"KT", "--ticket", "5"} << "EXECUTE spgetDetalleTicket 0, 5 ,1"
                                << "Reporte: Ticket\nFilas: 3\nPáginas: 1\n";
    }
    void generaElPdf()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(QString, sentencia);
        QFETCH(QString, informe);
        const QString pdf = mEntorno->carpeta() + QStringLiteral("/salida.pdf");
        QString textoSalida, textoErrores;
        QTextStream salida(&textoSalida), errores(&textoErrores);
        const int estado = herramientas::ejecutarReporte(
            argumentos + QStringList{"-S", "sqlcentral", "-U", "operador", "-P", "x", "--salida", pdf},
            salida, errores);
        QCOMPARE(textoErrores, QString());
        QCOMPARE(estado, 0);
        QVERIFY(textoSalida.startsWith(informe));
        QVERIFY(textoSalida.contains(QStringLiteral("Archivo: ") + QDir::toNativeSeparators(pdf)));
        QVERIFY(std::any_of(mFalso->guion->sentencias.begin(), mFalso->guion->sentencias.end(),
                            [&](const QString& s) { return s.contains(sentencia); }));
        QFile archivo(pdf);
        QVERIFY(archivo.open(QIODevice::ReadOnly));
        QVERIFY(archivo.read(4) == "%PDF");
    }

    void cadaFallaSaleConUno_data()
    {
        QTest::addColumn<QStringList>("argumentos");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("sin datos") << QStringList{"KT1"} << "No hay datos para generar reporte";
        QTest::newRow("error de la consulta")
            << QStringList{"KC2", "CIERREACTUAL=99"} << "Error 245: 22018 Conversion failed.";
        QTest::newRow("sin diseno") << QStringList{"KC1", "--carpeta", "."} << "Archivo de consuta vacio";
        QTest::newRow("codigo desconocido") << QStringList{"KZ1"} << "Código de reporte desconocido: KZ1";
        QTest::newRow("parametro que falta") << QStringList{"KC2"} << "CIERREACTUAL";
        QTest::newRow("fecha invalida")
            << QStringList{"KC4", "FECHADESDE=32/01/2008"} << "Fecha inválida: FECHADESDE=32/01/2008";
        QTest::newRow("ticket sin numero")
            << QStringList{"KT"} << "Debe seleccionar el numero de ticket a imprimir";
        QTest::newRow("sin salida") << QStringList{"KT1", "--salida"} << "Falta el valor de --salida";
    }
    void cadaFallaSaleConUno()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(QString, mensaje);
        QString textoSalida, textoErrores;
        QTextStream salida(&textoSalida), errores(&textoErrores);
        QStringList todos{"-S", "sqlcentral", "-U", "operador", "-P", "x"};
        if (!argumentos.contains(QStringLiteral("--salida")))
            todos << QStringLiteral("-o") << mEntorno->carpeta() + QStringLiteral("/x.pdf");
        QCOMPARE(herramientas::ejecutarReporte(todos + argumentos, salida, errores), 1);
        QVERIFY2(textoErrores.contains(mensaje), qPrintable(textoErrores));
        QVERIFY(!QFile::exists(mEntorno->carpeta() + QStringLiteral("/x.pdf")));
    }

    void sinDisenoDiceLaRuta()
    {
        QFile::remove(carpetaReportes() + QStringLiteral("/Cierres.rpt"));
        QString textoSalida, textoErrores;
        QTextStream salida(&textoSalida), errores(&textoErrores);
        QCOMPARE(herramientas::ejecutarReporte({"-S", "sqlcentral", "-U", "u", "-o",
                                                mEntorno->carpeta() + "/x.pdf", "KC2", "CIERREACTUAL=1"},
                                               salida, errores),
                 1);
        QCOMPARE(textoErrores, QStringLiteral("Archivo de reportes ") +
                                   QDir::toNativeSeparators(carpetaReportes()) + QDir::separator() +
                                   QStringLiteral("Cierres.rpt no encontrado.\n"));
    }
};

QTEST_MAIN(TstDalvohdReport)
#include "tst_dalvohdreport.moc"

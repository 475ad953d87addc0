// The closing totals window on the demo database: with a condition, without one, with no matching closing
// and with a condition the server refuses; and the statement it sends.

#include "BaseCierres.h"
#include "closings/TotalesCierres.h"
#include "closings/frmCierresTotal.h"
#include "common/FuncionesGenerales.h"
#include "support/EntornoPrueba.h"

#include <QLabel>
#include <QtTest>

using namespace dalvo;

class tst_frmCierresTotal : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void laSentenciaLlevaLaCondicionTalCual_data();
    void laSentenciaLlevaLaCondicionTalCual();
    void sumaLosCierresDeLaCondicion_data();
    void sumaLosCierresDeLaCondicion();
    void sinCierresQueCoincidanMuestraCeros_data();
    void sinCierresQueCoincidanMuestraCeros();
    void unErrorDeLaConsultaAbreLaVentanaVacia();
    void otraFallaVaAlControladorYNoSeMuestra();

private:
    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mGuion;
    std::unique_ptr<prueba::BaseCierres> mBase;
};

void tst_frmCierresTotal::init()
{
    mEntorno = std::make_unique<prueba::EntornoPrueba>();
    mGuion = std::make_unique<prueba::GuionMensajes>();
    mBase = std::make_unique<prueba::BaseCierres>();
}

void tst_frmCierresTotal::cleanup()
{
    mBase.reset();
    mGuion.reset();
    mEntorno.reset();
}

void tst_frmCierresTotal::laSentenciaLlevaLaCondicionTalCual_data()
{
    QTest::addColumn<QString>("condicion");
    QTest::addColumn<QString>("final");
    QTest::newRow("con condición") << "P.Nombre LIKE '%O''Brien%'"
                                   << "    WHERE P.Nombre LIKE '%O''Brien%'";
    QTest::newRow("sin condición") << ""
                                   << "";
}

void tst_frmCierresTotal::laSentenciaLlevaLaCondicionTalCual()
{
    QFETCH(QString, condicion);
    QFETCH(QString, final);
    QCOMPARE(
        TextoTotalesCierres(condicion),
        "SELECT  COUNT(C.idCierre) 'Cuenta',    SUM(C.Cant_transac) 'CantidadCupones',    SUM(C.TTicket) "
        "'TotalCierre',    SUM(C.TAfilia) 'TotalAfiliado',    SUM(C.BPRAL) 'Bonificacion'  FROM Cierres C "
        "(NOLOCK)    INNER JOIN Prestadores P (NOLOCK) ON        P.IdPrestador = C.IdPrestador" +
            final);
}

void tst_frmCierresTotal::sumaLosCierresDeLaCondicion_data()
{
    QTest::addColumn<QString>("condicion");
    QTest::addColumn<QString>("filtro"); // the same closings, for the expected sums
    QTest::addColumn<QLocale>("local");
    QTest::newRow("un prestador") << "C.IdPrestador = 2"
                                  << "WHERE IdPrestador = 2" << QLocale("es_AR");
    QTest::newRow("por fecha, con punto decimal")
        << "C.FechaServer BETWEEN '05/01/2024 00:00:00' AND '05/31/2024 23:59:59'"
        << "WHERE FechaServer BETWEEN '2024-05-01' AND '2024-05-31 23:59:59'" << QLocale("en_US");
    QTest::newRow("todos los cierres") << ""
                                       << "" << QLocale("es_AR");
}

void tst_frmCierresTotal::sumaLosCierresDeLaCondicion()
{
    QFETCH(QString, condicion);
    QFETCH(QString, filtro);
    QFETCH(QLocale, local);
    mEntorno->setLocal(local);
    auto suma = [&](const char* columna) {
        return mBase->valor("SELECT SUM(" + QLatin1String(columna) + ") FROM Cierres " + filtro);
    };
    frmCierresTotal v;
    QVERIFY(v.cargar("01/05/2024 al 31/05/2024", condicion));
    QVERIFY(mGuion->mostrados().isEmpty());
    QCOMPARE(v.lblPeriodo->text(), QStringLiteral("01/05/2024 al 31/05/2024"));
    QCOMPARE(v.lblCantidadCierres->text(), mBase->valor("SELECT COUNT(*) FROM Cierres " + filtro).toString());
    QCOMPARE(v.lblCantidadCupones->text(), suma("Cant_transac").toString());
    QCOMPARE(v.lblTotalCierres->text(), Convertir(suma("TTicket"), 2, 1).toString());
    QCOMPARE(v.lblTotalACargoAfiliado->text(), Convertir(suma("TAfilia"), 2, 1).toString());
    QCOMPARE(v.lblTotalBonificacion->text(), Convertir(suma("BPRAL"), 2, 1).toString());
    // In the demo every closing's amount is split between the member and the insurer's share.
    QCOMPARE(v.lblTotalAPagar->text(), FormatoNumero(0, 1));
    QVERIFY(v.lblCantidadCierres->text().toInt() > 0);
}

void tst_frmCierresTotal::sinCierresQueCoincidanMuestraCeros_data()
{
    QTest::addColumn<QLocale>("local");
    QTest::addColumn<QString>("importe");
    QTest::newRow("coma decimal") << QLocale("es_AR") << "0,00";
    QTest::newRow("punto decimal") << QLocale("en_US") << "0.00";
}

void tst_frmCierresTotal::sinCierresQueCoincidanMuestraCeros()
{
    QFETCH(QLocale, local);
    QFETCH(QString, importe);
    mEntorno->setLocal(local);
    frmCierresTotal v;
    QVERIFY(v.cargar("01/01/1990 al 31/01/1990", "C.IdPrestador = 9999"));
    QVERIFY(mGuion->mostrados().isEmpty());
    QCOMPARE(v.lblPeriodo->text(), QStringLiteral("01/01/1990 al 31/01/1990"));
    QCOMPARE(v.lblCantidadCierres->text(), QStringLiteral("0"));
    QCOMPARE(v.lblCantidadCupones->text(), QStringLiteral("0"));
    for (QLabel* l : {v.lblTotalCierres, v.lblTotalACargoAfiliado, v.lblTotalBonificacion, v.lblTotalAPagar})
        QCOMPARE(l->text(), importe);
}

void tst_frmCierresTotal::unErrorDeLaConsultaAbreLaVentanaVacia()
{
    frmCierresTotal v;
    // The main window's last condition may belong to another search kind (alias T is not in the statement).
    QVERIFY(v.cargar("01/05/2024 al 31/05/2024", "T.Fecha_Prestacion > '05/01/2024 00:00:00'"));
    QCOMPARE(mGuion->mostrados().size(), 1);
    const ui::Mensaje m = mGuion->mostrados().first();
    QCOMPARE(m.titulo, QStringLiteral("Error"));
    QCOMPARE(m.icono, ui::Icono::Critico);
    QVERIFY2(m.texto.startsWith(QStringLiteral("4104\r\n")), qPrintable(m.texto));
    QCOMPARE(v.lblPeriodo->text(), QStringLiteral("01/05/2024 al 31/05/2024"));
    for (QLabel* l : {v.lblCantidadCierres, v.lblCantidadCupones, v.lblTotalCierres, v.lblTotalACargoAfiliado,
                      v.lblTotalBonificacion, v.lblTotalAPagar})
        QCOMPARE(l->text(), QString());
}

void tst_frmCierresTotal::otraFallaVaAlControladorYNoSeMuestra()
{
    cUserConnection sinConectar; // Query raises when no Connect came first
    gConexion = &sinConectar;
    frmCierresTotal v;
    QVERIFY(!v.cargar("01/05/2024 al 31/05/2024", {}));
    gConexion = &mBase->conexion();
    QCOMPARE(mGuion->mostrados().size(), 1);
    QCOMPARE(mGuion->mostrados().first().titulo, QStringLiteral("Error"));
    QVERIFY(!v.isVisible());
}

QTEST_MAIN(tst_frmCierresTotal)
#include "tst_frmCierresTotal.moc"

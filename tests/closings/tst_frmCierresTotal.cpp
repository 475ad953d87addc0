// The closing totals window on the demo database: the sums of a condition, a condition the server refuses;
// and the statement it sends.

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

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mGuion;
    std::unique_ptr<prueba::BaseCierres> mBase;

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mGuion = std::make_unique<prueba::GuionMensajes>();
        mBase = std::make_unique<prueba::BaseCierres>();
    }

    void cleanup()
    {
        mBase.reset();
        mGuion.reset();
        mEntorno.reset();
    }

    void laSentenciaLlevaLaCondicionTalCual()
    {
        const QString base = "SELECT  COUNT(C.idCierre) 'Cuenta',    SUM(C.Cant_transac) "
                             "'CantidadCupones',    SUM(C.TTicket) 'TotalCierre',    SUM(C.TAfilia) "
                             "'TotalAfiliado',    SUM(C.BPRAL) 'Bonificacion'  FROM Cierres C (NOLOCK)    "
                             "INNER JOIN Prestadores P (NOLOCK) ON        P.IdPrestador = C.IdPrestador";
        QCOMPARE(TextoTotalesCierres({}), base);
        QCOMPARE(TextoTotalesCierres("P.Nombre LIKE '%O''Brien%'"),
                 base + "    WHERE P.Nombre LIKE '%O''Brien%'");
    }

    // May's closings, with a decimal point.
    void sumaLosCierresDeLaCondicion()
    {
        const QString condicion = "C.FechaServer BETWEEN '05/01/2024 00:00:00' AND '05/31/2024 23:59:59'";
        const QString filtro = "WHERE FechaServer BETWEEN '2024-05-01' AND '2024-05-31 23:59:59'";
        mEntorno->setLocal(QLocale("en_US"));
        auto suma = [&](const char* columna) {
            return mBase->valor("SELECT SUM(" + QLatin1String(columna) + ") FROM Cierres " + filtro);
        };
        frmCierresTotal v;
        QVERIFY(v.cargar("01/05/2024 al 31/05/2024", condicion));
        QVERIFY(mGuion->mostrados().isEmpty());
        QCOMPARE(v.lblCantidadCierres->text(),
                 mBase->valor("SELECT COUNT(*) FROM Cierres " + filtro).toString());
        QCOMPARE(v.lblCantidadCupones->text(), suma("Cant_transac").toString());
        QCOMPARE(v.lblTotalCierres->text(), Convertir(suma("TTicket"), 2, 1).toString());
        QCOMPARE(v.lblTotalBonificacion->text(), Convertir(suma("BPRAL"), 2, 1).toString());
        // In the demo every closing's amount is split between the member and the insurer's share.
        QCOMPARE(v.lblTotalAPagar->text(), FormatoNumero(0, 1));
        QVERIFY(v.lblCantidadCierres->text().toInt() > 0);
    }

    void unErrorDeLaConsultaAbreLaVentanaVacia()
    {
        frmCierresTotal v;
        // The main window's last condition may belong to another search kind (alias T is not in the
        // statement).
        QVERIFY(v.cargar("01/05/2024 al 31/05/2024", "T.Fecha_Prestacion > '05/01/2024 00:00:00'"));
        QCOMPARE(mGuion->mostrados().size(), 1);
        const ui::Mensaje m = mGuion->mostrados().first();
        QCOMPARE(m.titulo, QStringLiteral("Error"));
        QCOMPARE(m.icono, ui::Icono::Critico);
        QVERIFY2(m.texto.startsWith(QStringLiteral("4104\r\n")), qPrintable(m.texto));
        QCOMPARE(v.lblPeriodo->text(), QStringLiteral("01/05/2024 al 31/05/2024"));
        for (QLabel* l : {v.lblCantidadCierres, v.lblCantidadCupones, v.lblTotalCierres,
                          v.lblTotalACargoAfiliado, v.lblTotalBonificacion, v.lblTotalAPagar})
            QCOMPARE(l->text(), QString());
    }
};

QTEST_MAIN(tst_frmCierresTotal)
#include "tst_frmCierresTotal.moc"

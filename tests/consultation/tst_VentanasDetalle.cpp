// The provider information window over a fake server: the statements it sends, the counts, a failure
// through the error driver.

#include "EntornoPrueba.h"
#include "common/Reloj.h"
#include "consultation/clsQuerys.h"
#include "consultation/frmInformacionPrestador.h"
#include "data/ServidorPrueba.h"
#include "ui/RelojArena.h"
#include "ui/VistaLista.h"

#include <QLabel>
#include <QTest>

using namespace dalvo;
using pruebas::columna;
using pruebas::tabla;

namespace {

ado::Lote cuenta(int n)
{
    return pruebas::lote({tabla({columna("Cuenta", ado::adInteger)}, {{n}})});
}

} // namespace

class TstVentanasDetalle : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<RelojFijo> mReloj;
    std::unique_ptr<prueba::ServidorPrueba> mServidor;
    std::unique_ptr<prueba::CajasConAccion> mCajas;
    std::unique_ptr<prueba::SalidaRegistrada> mSalida;
    QString mFallar; // statements beginning with it fail
    QList<int> mCuentas;

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mReloj = std::make_unique<RelojFijo>(QDateTime(QDate(2024, 6, 5), QTime(9, 30)));
        mServidor = std::make_unique<prueba::ServidorPrueba>();
        mCajas = std::make_unique<prueba::CajasConAccion>();
        mSalida = std::make_unique<prueba::SalidaRegistrada>();
        mFallar.clear();
        mCuentas = {3, 4, 5, 6};
        mServidor->resto = [this](const QString& sql) -> ado::Lote {
            if (!mFallar.isEmpty() && sql.startsWith(mFallar))
                pruebas::fallar({pruebas::registro(208, "42S02", "[SQL Server]Invalid object name 'X'.")});
            if (sql.contains(QLatin1String("AS [Cuenta]")))
                return cuenta(mCuentas.isEmpty() ? 0 : mCuentas.takeFirst());
            if (sql.contains(QLatin1String("Prestadores P")))
                return pruebas::lote(
                    {tabla({columna("Nombre", ado::adChar, 50), columna("HH Baja", ado::adBoolean)},
                           {{"Farmacia San Martín", false}})});
            return {};
        };
        mServidor->conectar();
        gQuerys = new clsQuerys;
    }

    void cleanup()
    {
        delete gQuerys;
        gQuerys = nullptr;
        mSalida.reset();
        mCajas.reset();
        mServidor.reset();
        mReloj.reset();
        mEntorno.reset();
    }

    void prestadorCuentaHoyYElRango()
    {
        frmInformacionPrestador ventana;
        ventana.Cargar(7, QStringLiteral("12/05/2024 10:00"), QStringLiteral("31/05/2024"));
        const QStringList sentencias = mServidor->sentencias().mid(mServidor->sentencias().size() - 5);
        QCOMPARE(sentencias,
                 QStringList(
                     {clsQuerys::TextoDatosPrestador(7),
                      clsQuerys::TextoCantidadFarmacia(7, "06/05/2024 00:00:00", "06/05/2024 23:59:59"),
                      clsQuerys::TextoCantidadPrestador(7, "06/05/2024 00:00:00", "06/05/2024 23:59:59"),
                      clsQuerys::TextoCantidadFarmacia(7, "05/12/2024 00:00:00", "05/31/2024 23:59:59"),
                      clsQuerys::TextoCantidadPrestador(7, "05/12/2024 00:00:00", "05/31/2024 23:59:59")}));
        QCOMPARE(ventana.lblTransaccionesDia->text(), QStringLiteral("7"));
        QCOMPARE(ventana.lbltransaccionesRango->text(), QStringLiteral("11"));
        QCOMPARE(ventana.lblEntreFecha->text(), QStringLiteral("Entre el 12/05/2024 y el 31/05/2024"));
        QCOMPARE(ventana.lvwPrestador->cantidadItems(), 2);
        QCOMPARE(ventana.lvwPrestador->item(1)->text(0), QStringLiteral("Baja"));
        QCOMPARE(ventana.lvwPrestador->item(1)->text(1), QStringLiteral("NO"));
    }

    void prestadorConFallaSeDetiene()
    {
        mFallar = QStringLiteral("SELECT  P.Matricula");
        frmInformacionPrestador ventana;
        ventana.Cargar(7, QStringLiteral("01/05/2024"), QStringLiteral("31/05/2024"));
        QCOMPARE(mCajas->mostrados().size(), 1);
        QVERIFY(mCajas->mostrados().first().texto.contains(QStringLiteral("clsQuerys.DatosPrestador")));
        QCOMPARE(ventana.lblTransaccionesDia->text(), QString());
        QCOMPARE(ventana.lbltransaccionesRango->text(), QString());
        QVERIFY(!ui::relojArenaPuesto());
    }
};

QTEST_MAIN(TstVentanasDetalle)
#include "tst_VentanasDetalle.moc"

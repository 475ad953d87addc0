// The ticket items and provider information windows over a fake server: the statements they send, the
// counts, failures through the error driver, the resize rule and the modal show.

#include "EntornoPrueba.h"
#include "common/Reloj.h"
#include "consultation/clsQuerys.h"
#include "consultation/frmInformacionPrestador.h"
#include "consultation/frmTicket.h"
#include "data/ServidorPrueba.h"
#include "ui/RelojArena.h"
#include "ui/VistaLista.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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
            if (sql.contains(QLatin1String("Item")))
                return pruebas::lote(
                    {tabla({columna("Cantidad", ado::adInteger), columna("Troquel", ado::adChar, 7)},
                           {{2, "0100107"}})});
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

    void ticketPideSusItems_data()
    {
        QTest::addColumn<double>("ticket");
        QTest::addColumn<bool>("farmacia");
        QTest::addColumn<int>("enviado");
        QTest::newRow("farmacia") << 123.0 << true << 123;
        QTest::newRow("prestador") << 2000001.0 << false << 2000001;
        QTest::newRow("al entero más cercano") << 2.5 << true << 2;
    }
    void ticketPideSusItems()
    {
        QFETCH(double, ticket);
        QFETCH(bool, farmacia);
        QFETCH(int, enviado);
        frmTicket ventana;
        ventana.Cargar(ticket, QDateTime(QDate(2024, 6, 3), QTime()), QStringLiteral("Farmacia"), farmacia);
        QCOMPARE(mServidor->sentencias().last(), clsQuerys::TextoItemsTicket(enviado, farmacia));
        QCOMPARE(ventana.lvwItemTickets->cantidadItems(), 1);
        QCOMPARE(ventana.lblFecha->text(), QStringLiteral("03/06/2024"));
        QVERIFY(!ui::relojArenaPuesto());
    }

    void ticketConFallaQuedaVacio()
    {
        mFallar = QStringLiteral("SELECT  IT.");
        frmTicket ventana;
        ventana.Cargar(7, QDateTime(), QString(), true);
        QCOMPARE(mCajas->mostrados().size(), 1);
        QCOMPARE(mCajas->mostrados().first().titulo, QStringLiteral("Error"));
        QVERIFY(mCajas->mostrados().first().texto.contains(QStringLiteral("clsQuerys.BuscarItemsTicket")));
        QCOMPARE(ventana.lvwItemTickets->cantidadColumnas(), 0);
        QCOMPARE(ventana.lblTicket->text(), QStringLiteral("7"));
        QVERIFY(!ui::relojArenaPuesto());
    }

    void ticketNoSeAchica()
    {
        frmTicket ventana;
        ventana.show();
        const auto px = [&](int twips) { return qRound(twips * ventana.logicalDpiX() / 1440.0); };
        ventana.resize(50, 50);
        QCOMPARE(ventana.size(), QSize(px(6900), px(4995)));
        ventana.resize(px(9000), px(6000));
        QCOMPARE(ventana.lvwItemTickets->width(), px(9000) - px(345));
        QCOMPARE(ventana.lvwItemTickets->height(), px(6000) - px(2040));
    }

    void ticketEsModal()
    {
        frmTicket ventana;
        bool modal = false;
        // The loading lets pending events run before the window is shown: wait for the modal window.
        auto* espera = new QTimer(&ventana);
        connect(espera, &QTimer::timeout, &ventana, [&] {
            if (QApplication::activeModalWidget() != &ventana)
                return;
            espera->stop();
            modal = true;
            ventana.cmdAceptar->click();
        });
        espera->start(10);
        ventana.CargaItemTicket(5, QDateTime(), QStringLiteral("x"), false);
        QVERIFY(modal);
        QVERIFY(!ventana.isVisible());
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

    void prestadorSinFechas()
    {
        frmInformacionPrestador ventana;
        ventana.Cargar(7, QString(), QString());
        QCOMPARE(ventana.lblEntreFecha->text(), QStringLiteral("Entre el  y el "));
        QCOMPARE(mServidor->sentencias().last(), clsQuerys::TextoCantidadPrestador(7, QString(), QString()));
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

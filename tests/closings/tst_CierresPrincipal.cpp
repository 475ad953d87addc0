// The closings windows as the main window opens them, on the demo database: a double-click on a closings
// row, "Ver Ticket" from there, and "Totales..." with the last consultation's condition and dates.

#include "BaseCierres.h"
#include "app/frmDalvoHD.h"
#include "closings/frmCierres.h"
#include "closings/frmCierresTotal.h"
#include "consultation/clsQuerys.h"
#include "consultation/frmTicket.h"
#include "support/EntornoPrueba.h"
#include "support/Ventanas.h"
#include "ui/VistaLista.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace dalvo;

class tst_CierresPrincipal : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mGuion;
    std::unique_ptr<prueba::BaseCierres> mBase;
    std::unique_ptr<frmDalvoHD> v;

    void consultarCierres()
    {
        prueba::elegirTipo(*v, QStringLiteral("5K"));
        v->cboConsulta->setCurrentText(QStringLiteral("Fecha"));
        v->txtDesdeFecha->setText(QStringLiteral("01/05/2024"));
        v->txtHastaFecha->setText(QStringLiteral("11/06/2024"));
        v->cmdConsulta->click();
        QVERIFY(v->lvwGeneral->cantidadItems() > 1);
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mGuion = std::make_unique<prueba::GuionMensajes>();
        mBase = std::make_unique<prueba::BaseCierres>();
        v = std::make_unique<frmDalvoHD>();
    }

    void cleanup()
    {
        v.reset();
        delete gQuerys;
        gQuerys = nullptr;
        mBase.reset();
        const QList<ui::Mensaje> cajas = mGuion->mostrados();
        mGuion.reset();
        mEntorno.reset();
        QVERIFY2(cajas.isEmpty(), qPrintable(cajas.value(0).texto));
    }

    // The closings of May and June up to "today", by the main window's own consultation.

    void dobleClicEnUnCierreAbreSuVentana()
    {
        consultarCierres();
        QTreeWidgetItem* fila = v->lvwGeneral->item(1);
        v->lvwGeneral->setCurrentItem(fila);
        emit v->lvwGeneral->itemDoubleClicked(fila, 0);
        frmCierres* cierres = prueba::ventanaAbierta<frmCierres>(true);
        QVERIFY(cierres);
        QCOMPARE(cierres->idCierre(), fila->text(0).toInt());
        QCOMPARE(cierres->idPrestador(), fila->text(9).toInt()); // the hidden "HH IdPrestador"

        // A second double-click shows the other closing in the same window.
        QTreeWidgetItem* otra = v->lvwGeneral->item(0);
        v->lvwGeneral->setCurrentItem(otra);
        emit v->lvwGeneral->itemDoubleClicked(otra, 0);
        QCOMPARE(prueba::ventanaAbierta<frmCierres>(true), cierres);
        QCOMPARE(cierres->idCierre(), otra->text(0).toInt());
        cierres->close();
    }

    void verTicketAbreLosItemsDelTicket()
    {
        const int cierre = mBase->valor("SELECT MAX(IdCierre) FROM Cierres WHERE IdPrestador = 1").toInt();
        emit v->mostrarCierre(1, cierre, false);
        frmCierres* cierres = prueba::ventanaAbierta<frmCierres>(true);
        QVERIFY(cierres);
        cierres->TabCierres->setCurrentIndex(1);
        const QString ticket = cierres->lvwTickets->item(0)->text(0);
        QString prestador, numero;
        int items = -1;
        QVERIFY(prueba::conModal<frmTicket>([&] { cierres->cmdTicket->click(); },
                                            [&](frmTicket& t) {
                                                prestador = t.lblPrestador->text();
                                                numero = t.lblTicket->text();
                                                items = t.lvwItemTickets->cantidadItems();
                                            }));
        QCOMPARE(numero, ticket);
        QCOMPARE(prestador, cierres->lblPrestador->text());
        QCOMPARE(items, mBase->valor("SELECT COUNT(*) FROM Item_Tickets WHERE IdTicket = " + ticket).toInt());
        cierres->close();
    }

    void totalesTomaLaCondicionYLasFechasDeLaConsulta()
    {
        consultarCierres();
        QString periodo, cantidad, condicion;
        QVERIFY(prueba::conModal<frmCierresTotal>([&] { v->mnuCierreTotales->trigger(); },
                                                  [&](frmCierresTotal& t) {
                                                      periodo = t.lblPeriodo->text();
                                                      cantidad = t.lblCantidadCierres->text();
                                                      condicion = t.condicion();
                                                  }));
        QCOMPARE(periodo, QStringLiteral("01/05/2024 al 11/06/2024"));
        QCOMPARE(condicion, v->mCondicion);
        QVERIFY(!condicion.isEmpty());
        QCOMPARE(cantidad, QString::number(v->lvwGeneral->cantidadItems()));
    }
};

QTEST_MAIN(tst_CierresPrincipal)
#include "tst_CierresPrincipal.moc"

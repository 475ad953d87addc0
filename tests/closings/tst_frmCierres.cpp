// The closings window on the demo database: opening a closing fills the header and both lists and prints,
// a closing not found shows "Aviso" and no window, looking a closing up by number.

#include "BaseCierres.h"
#include "closings/frmCierres.h"
#include "common/FuncionesGenerales.h"
#include "support/EntornoPrueba.h"
#include "ui/VistaLista.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace dalvo;

namespace {

QStringList columna(const ui::VistaLista& lista, int c)
{
    QStringList textos;
    for (int i = 0; i < lista.cantidadItems(); ++i)
        textos << lista.item(i)->text(c);
    return textos;
}

} // namespace

class tst_frmCierres : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mGuion;
    std::unique_ptr<prueba::BaseCierres> mBase;
    QVector<PedidoVentanaReportes> mImpresiones;

    int cierreDePrestador(int prestador)
    {
        return mBase
            ->valor(QStringLiteral("SELECT MAX(IdCierre) FROM Cierres WHERE IdPrestador = %1").arg(prestador))
            .toInt();
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mGuion = std::make_unique<prueba::GuionMensajes>();
        mBase = std::make_unique<prueba::BaseCierres>();
        mImpresiones.clear();
        frmCierres::abrirReportes = [this](QWidget*, PedidoVentanaReportes& p) { mImpresiones << p; };
    }

    void cleanup()
    {
        mBase.reset();
        mGuion.reset();
        mEntorno.reset();
    }

    void abrirUnCierreLlenaCabeceraYListas_data()
    {
        QTest::addColumn<int>("prestador");
        QTest::addColumn<bool>("farmacia");
        QTest::newRow("farmacia de tipo 14") << 3 << true;
        QTest::newRow("clínica") << 4 << false;
    }

    void abrirUnCierreLlenaCabeceraYListas()
    {
        QFETCH(int, prestador);
        QFETCH(bool, farmacia);
        const int cierre = cierreDePrestador(prestador);
        const QString where = " FROM Cierres WHERE IdCierre = " + QString::number(cierre);
        frmCierres v;
        v.Mostrar(prestador, cierre); // as the result list's double-click does: bFarmacia false
        QVERIFY(v.isVisible());
        QVERIFY(mGuion->mostrados().isEmpty());
        QCOMPARE(v.farmacia(), farmacia);
        QCOMPARE(v.lblCntTickets->text(), mBase->valor("SELECT Cant_transac" + where).toString());
        QCOMPARE(v.lblTotal->text(), FormatoNumero(mBase->valor("SELECT TTicket" + where).toDouble(), 1));

        // Settled tickets first (set 2), then the others (set 4); "Obligatorio" lines before "Directo" ones.
        const QString tabla = farmacia ? "Tickets" : "TicketPrestador";
        const int tickets =
            mBase->valor("SELECT COUNT(*) FROM " + tabla + " WHERE IdCierre = " + QString::number(cierre))
                .toInt();
        QCOMPARE(v.lvwTickets->cantidadItems(), tickets);
        const QStringList tipos = columna(*v.lvwTickets, 4);
        const int cuenta = v.lblCntTickets->text().toInt();
        for (int i = 0; i < tipos.size(); ++i) {
            const QString t = tipos[i].trimmed();
            const bool liquidado = t == QLatin1String("Normal") || t == QStringLiteral("Devolución") ||
                                   t == QLatin1String("Op. 11") || t == QLatin1String("Op. 31");
            QCOMPARE(liquidado, i < cuenta);
        }
        const QStringList lineas = columna(*v.lvwDescuentos, 0);
        QVERIFY(!lineas.isEmpty());
        QCOMPARE(lineas.first(), QStringLiteral("Obligatorio"));
        QVERIFY(std::is_sorted(lineas.begin(), lineas.end(), [](const QString& a, const QString& b) {
            return a == QLatin1String("Obligatorio") && b == QLatin1String("Directo");
        }));

        // Printing hands the report its parameters; any pharmacy prints as type 1.
        v.boton(QStringLiteral("Print"))->trigger();
        QCOMPARE(mImpresiones.size(), 1);
        QCOMPARE(mImpresiones[0].contexto, qint16(5));
        const ColeccionParametros& c = mImpresiones[0].parametros;
        QCOMPARE(c.claves(),
                 (QStringList{"FECHADESDE", "FECHAHASTA", "CIERREACTUAL", "CIERREINICIAL", "CIERREFINAL",
                              "PRESTADORACTUAL", "PRESTADORACTUALNOMBRE", "TIPOPRESTADORACTUAL"}));
        QCOMPARE(c.Item("TIPOPRESTADORACTUAL"), farmacia ? QStringLiteral("1") : QStringLiteral("4"));
        for (const char* clave : {"CIERREACTUAL", "CIERREINICIAL", "CIERREFINAL"})
            QCOMPARE(c.Item(QLatin1String(clave)), QString::number(cierre));
        QCOMPARE(c.Item("PRESTADORACTUAL"), QString::number(prestador));
    }

    void unCierreQueNoSeEncuentraMuestraAvisoYNoLaVentana_data()
    {
        QTest::addColumn<int>("prestador");
        QTest::addColumn<int>("cierre");
        QTest::addColumn<QString>("texto");
        QTest::newRow("cierre inexistente") << 1 << 999999 << "1\r\nNo existe el cierre 999999";
        QTest::newRow("prestador inexistente") << 9999 << 0 << "1\r\nNo existe el prestador 9999";
        QTest::newRow("cierre de otro prestador") << 4 << -1 << "1\r\nEl cierre %1 no es del prestador 4";
    }

    void unCierreQueNoSeEncuentraMuestraAvisoYNoLaVentana()
    {
        QFETCH(int, prestador);
        QFETCH(int, cierre);
        QFETCH(QString, texto);
        if (cierre < 0)
            cierre = cierreDePrestador(1);
        frmCierres v;
        v.Mostrar(prestador, cierre);
        QVERIFY(!v.isVisible());
        QCOMPARE(mGuion->mostrados().size(), 1);
        const ui::Mensaje m = mGuion->mostrados().first();
        QCOMPARE(m.titulo, QStringLiteral("Aviso"));
        QCOMPARE(m.texto, texto.contains(u'%') ? texto.arg(cierre) : texto);
    }

    // Provider 0 does nothing; a provider beyond 16 bits overflows (error 6) and the window stays hidden.
    void prestadorCeroOFueraDeDieciseisBits()
    {
        frmCierres v;
        v.Mostrar(0, cierreDePrestador(1));
        QVERIFY(mGuion->mostrados().isEmpty());
        v.Mostrar(40000, 15);
        QVERIFY(!v.isVisible());
        QCOMPARE(mGuion->mostrados().size(), 1);
        QCOMPARE(mGuion->mostrados().first().titulo, QStringLiteral("Error"));
        QVERIFY(mGuion->mostrados().first().texto.startsWith(QStringLiteral("6\r\n")));
    }

    // Without a number, one is asked for; a closing not found leaves the one shown, "Print" included.
    void buscarUnCierre()
    {
        const int ultimo = mBase->valor("SELECT MAX(IdCierre) FROM Cierres").toInt();
        const int prestador =
            mBase->valor("SELECT IdPrestador FROM Cierres WHERE IdCierre = " + QString::number(ultimo))
                .toInt();
        frmCierres v;
        v.Mostrar(prestador, ultimo);
        const int filas = v.lvwTickets->cantidadItems();
        for (const char* texto : {"", "abc", "0", "-4"}) {
            v.txtIdCierre->setText(QLatin1String(texto));
            v.cmdFind->click();
        }
        v.boton(QStringLiteral("Siguiente"))->trigger();
        v.txtIdCierre->setText(QStringLiteral("999999"));
        v.boton(QStringLiteral("Find"))->trigger();
        QStringList textos;
        for (const ui::Mensaje& m : mGuion->mostrados())
            textos << m.texto;
        const QString pida = QStringLiteral("Escriba el número del cierre a buscar.");
        QCOMPARE(textos, (QStringList{pida, pida, pida, pida,
                                      QStringLiteral("No hay un cierre posterior al %1.").arg(ultimo),
                                      QStringLiteral("No existe el cierre 999999.")}));
        QCOMPARE(mGuion->mostrados().last().titulo, QStringLiteral("Aviso"));
        QVERIFY(v.isVisible());
        QCOMPARE(v.idCierre(), ultimo);
        QCOMPARE(v.lvwTickets->cantidadItems(), filas);
        v.boton(QStringLiteral("Print"))->trigger();
        QCOMPARE(mImpresiones.first().parametros.Item("CIERREACTUAL"), QString::number(ultimo));
    }
};

QTEST_MAIN(tst_frmCierres)
#include "tst_frmCierres.moc"

// The closings window on the demo database: opening a closing fills the header and both lists, a closing
// not found shows "Aviso" and no window, printing, moving through closings, the tabs and "Ver Ticket"; and,
// over a scripted server, a null in a column shown as text.

#include "BaseCierres.h"
#include "closings/frmCierres.h"
#include "common/FuncionesGenerales.h"
#include "data/MotorFalso.h"
#include "support/EntornoPrueba.h"
#include "ui/VistaLista.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QToolBar>
#include <QtTest>

using namespace dalvo;

namespace {

struct TicketAbierto
{
    double ticket = 0;
    QDateTime fecha;
    QString prestador;
    bool farmacia = false;
};

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

private slots:
    void init();
    void cleanup();

    void abrirUnCierreLlenaCabeceraYListas_data();
    void abrirUnCierreLlenaCabeceraYListas();
    void unCierreQueNoSeEncuentraMuestraAvisoYNoLaVentana_data();
    void unCierreQueNoSeEncuentraMuestraAvisoYNoLaVentana();
    void prestadorCeroNoHaceNada();
    void unPrestadorFueraDeDieciseisBitsNoSeCarga();
    void imprimirEnviaElTipoDePrestador_data();
    void imprimirEnviaElTipoDePrestador();
    void losBotonesRecorrenLosCierres_data();
    void losBotonesRecorrenLosCierres();
    void buscarSinNumeroPideUno();
    void unCierreNoEncontradoDejaElQueSeMostraba();
    void lasPestanasMuestranSuMarco_data();
    void lasPestanasMuestranSuMarco();
    void verTicketAbreElTicketElegido();
    void sinTicketsVerTicketQuedaDeshabilitado();
    void laBarraTieneSusBotonesYExitCierra();
    void unNuloEnUnaColumnaDeTextoEsUnaFalla_data();
    void unNuloEnUnaColumnaDeTextoEsUnaFalla();

private:
    int cierreDePrestador(int prestador);

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mGuion;
    std::unique_ptr<prueba::BaseCierres> mBase;
    QVector<PedidoVentanaReportes> mImpresiones;
    QVector<TicketAbierto> mTickets;
};

void tst_frmCierres::init()
{
    mEntorno = std::make_unique<prueba::EntornoPrueba>();
    mGuion = std::make_unique<prueba::GuionMensajes>();
    mBase = std::make_unique<prueba::BaseCierres>();
    mImpresiones.clear();
    mTickets.clear();
    frmCierres::abrirReportes = [this](QWidget*, PedidoVentanaReportes& p) { mImpresiones << p; };
    frmCierres::abrirTicket = [this](QWidget*, double t, const QDateTime& f, const QString& p,
                                     bool farmacia) {
        mTickets << TicketAbierto{t, f, p, farmacia};
    };
}

void tst_frmCierres::cleanup()
{
    mBase.reset();
    mGuion.reset();
    mEntorno.reset();
}

int tst_frmCierres::cierreDePrestador(int prestador)
{
    return mBase->valor("SELECT MAX(IdCierre) FROM Cierres WHERE IdPrestador = " + QString::number(prestador))
        .toInt();
}

void tst_frmCierres::abrirUnCierreLlenaCabeceraYListas_data()
{
    QTest::addColumn<int>("prestador");
    QTest::addColumn<bool>("farmacia");
    QTest::newRow("farmacia") << 1 << true;
    QTest::newRow("farmacia de internación") << 3 << true;
    QTest::newRow("clínica") << 4 << false;
}

void tst_frmCierres::abrirUnCierreLlenaCabeceraYListas()
{
    QFETCH(int, prestador);
    QFETCH(bool, farmacia);
    const int cierre = cierreDePrestador(prestador);
    const QString where = " FROM Cierres WHERE IdCierre = " + QString::number(cierre);
    frmCierres v;
    v.Mostrar(prestador, cierre); // as the result list's double-click does: bFarmacia false
    QVERIFY(v.isVisible());
    QVERIFY(mGuion->mostrados().isEmpty());
    QCOMPARE(v.windowTitle(), QStringLiteral("Cierres"));
    QCOMPARE(v.farmacia(), farmacia);
    QCOMPARE(v.lblPrestadorID->text(), QString::number(prestador));
    QCOMPARE(
        v.lblPrestador->text(),
        mBase
            ->valor("SELECT RTRIM(Nombre) FROM Prestadores WHERE IdPrestador = " + QString::number(prestador))
            .toString());
    const QDateTime fecha = mBase->valor("SELECT FechaServer" + where).toDateTime();
    QCOMPARE(v.lblFCierre->text(), fecha.toString("dd/MM/yy"));
    QCOMPARE(v.lblCntTickets->text(), mBase->valor("SELECT Cant_transac" + where).toString());
    QCOMPARE(v.lblTotal->text(), FormatoNumero(mBase->valor("SELECT TTicket" + where).toDouble(), 1));
    QCOMPARE(v.lblBonificacion->text(), FormatoNumero(mBase->valor("SELECT BPRAL" + where).toDouble(), 1));
    QCOMPARE(v.lblNroTramite->text(), mBase->valor("SELECT NumeroTramite" + where).toString());
    QCOMPARE(v.txtIdCierre->text(), QString::number(cierre));
    QVERIFY(v.lblHDesde->text().contains(QLatin1Char(':')));
    QVERIFY(!v.lblAPagar->text().isEmpty());

    // Settled tickets first (set 2), then the others (set 4); "Obligatorio" lines before "Directo" ones.
    const QString tabla = farmacia ? "Tickets" : "TicketPrestador";
    const int tickets =
        mBase->valor("SELECT COUNT(*) FROM " + tabla + " WHERE IdCierre = " + QString::number(cierre))
            .toInt();
    QCOMPARE(v.lvwTickets->cantidadItems(), tickets);
    QCOMPARE(v.lblCntTicket->text(), QString::number(tickets));
    QVERIFY(v.cmdTicket->isEnabledTo(v.fmeTickets)); // the frame is enabled with its tab
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
    QCOMPARE(columna(*v.lvwTickets, 0).first(),
             mBase
                 ->valor("SELECT MIN(IdTicket) FROM " + tabla + " WHERE Anulado = 0 AND IdCierre = " +
                         QString::number(cierre) + (farmacia ? "" : " AND Operacion IN ('11', '31')"))
                 .toString());
}

void tst_frmCierres::unCierreQueNoSeEncuentraMuestraAvisoYNoLaVentana_data()
{
    QTest::addColumn<int>("prestador");
    QTest::addColumn<int>("cierre");
    QTest::addColumn<QString>("texto");
    QTest::newRow("cierre inexistente") << 1 << 999999 << "1\r\nNo existe el cierre 999999";
    QTest::newRow("prestador inexistente") << 9999 << 0 << "1\r\nNo existe el prestador 9999";
}

void tst_frmCierres::unCierreQueNoSeEncuentraMuestraAvisoYNoLaVentana()
{
    QFETCH(int, prestador);
    QFETCH(int, cierre);
    frmCierres v;
    v.Mostrar(prestador, cierre);
    QVERIFY(!v.isVisible());
    QCOMPARE(mGuion->mostrados().size(), 1);
    const ui::Mensaje m = mGuion->mostrados().first();
    QCOMPARE(m.titulo, QStringLiteral("Aviso"));
    QCOMPARE(m.icono, ui::Icono::Informacion);
    QTEST(m.texto, "texto");
}

void tst_frmCierres::prestadorCeroNoHaceNada()
{
    frmCierres v;
    v.Mostrar(0, cierreDePrestador(1));
    QVERIFY(!v.isVisible());
    QVERIFY(mGuion->mostrados().isEmpty());
    QCOMPARE(v.lvwTickets->cantidadItems(), 0);
}

void tst_frmCierres::unPrestadorFueraDeDieciseisBitsNoSeCarga()
{
    frmCierres v;
    v.Mostrar(40000, 15);
    QVERIFY(!v.isVisible());
    QCOMPARE(mGuion->mostrados().size(), 1);
    QCOMPARE(mGuion->mostrados().first().titulo, QStringLiteral("Error"));
    QVERIFY(mGuion->mostrados().first().texto.startsWith(QStringLiteral("6\r\n")));
}

void tst_frmCierres::imprimirEnviaElTipoDePrestador_data()
{
    QTest::addColumn<int>("prestador");
    QTest::addColumn<bool>("farmacia");
    QTest::newRow("tipo 1") << 1 << true;
    QTest::newRow("tipo 14") << 3 << true;
    QTest::newRow("tipo 3") << 5 << false;
    QTest::newRow("clínica") << 4 << false;
}

void tst_frmCierres::imprimirEnviaElTipoDePrestador()
{
    QFETCH(int, prestador);
    QFETCH(bool, farmacia);
    const int cierre = cierreDePrestador(prestador);
    frmCierres v;
    v.Mostrar(prestador, cierre);
    QVERIFY(v.isVisible());
    v.boton(QStringLiteral("Print"))->trigger();
    QCOMPARE(mImpresiones.size(), 1);
    const PedidoVentanaReportes& p = mImpresiones.first();
    QCOMPARE(p.contexto, qint16(5));
    const ColeccionParametros& c = p.parametros;
    QCOMPARE(c.claves(),
             (QStringList{"FECHADESDE", "FECHAHASTA", "CIERREACTUAL", "CIERREINICIAL", "CIERREFINAL",
                          "PRESTADORACTUAL", "PRESTADORACTUALNOMBRE", "TIPOPRESTADORACTUAL"}));
    QCOMPARE(c.Item("TIPOPRESTADORACTUAL"), farmacia ? QStringLiteral("1") : QStringLiteral("4"));
    QCOMPARE(c.Item("FECHADESDE"), QString());
    for (const char* clave : {"CIERREACTUAL", "CIERREINICIAL", "CIERREFINAL"})
        QCOMPARE(c.Item(QLatin1String(clave)), QString::number(cierre));
    QCOMPARE(c.Item("PRESTADORACTUAL"), QString::number(prestador));
    QCOMPARE(c.Item("PRESTADORACTUALNOMBRE"), v.lblPrestador->text());
}

void tst_frmCierres::losBotonesRecorrenLosCierres_data()
{
    QTest::addColumn<QString>("boton");
    QTest::addColumn<QString>("escrito"); // txtIdCierre before "Find"
    QTest::addColumn<QString>("esperado");
    QTest::newRow("primero") << "Primero"
                             << ""
                             << "SELECT MIN(IdCierre) FROM Cierres";
    QTest::newRow("último") << "Ultimo"
                            << ""
                            << "SELECT MAX(IdCierre) FROM Cierres";
    QTest::newRow("anterior") << "Anterior"
                              << ""
                              << "SELECT MAX(IdCierre) FROM Cierres WHERE IdCierre < {actual}";
    QTest::newRow("siguiente") << "Siguiente"
                               << ""
                               << "SELECT MIN(IdCierre) FROM Cierres WHERE IdCierre > {actual}";
    QTest::newRow("buscar") << "Find"
                            << "3"
                            << "SELECT 3";
    QTest::newRow("cmdFind") << "cmdFind"
                             << " 12 "
                             << "SELECT 12";
}

void tst_frmCierres::losBotonesRecorrenLosCierres()
{
    QFETCH(QString, boton);
    QFETCH(QString, escrito);
    QFETCH(QString, esperado);
    const int actual = cierreDePrestador(2) - 1;
    const int prestadorActual =
        mBase->valor("SELECT IdPrestador FROM Cierres WHERE IdCierre = " + QString::number(actual)).toInt();
    frmCierres v;
    v.Mostrar(prestadorActual, actual);
    QVERIFY(v.isVisible());
    if (!escrito.isEmpty())
        v.txtIdCierre->setText(escrito);
    if (boton == QLatin1String("cmdFind"))
        v.cmdFind->click();
    else
        v.boton(boton)->trigger();
    QVERIFY(mGuion->mostrados().isEmpty());
    const int cierre = mBase->valor(esperado.replace("{actual}", QString::number(actual))).toInt();
    QCOMPARE(v.idCierre(), cierre);
    QCOMPARE(
        v.idPrestador(),
        mBase->valor("SELECT IdPrestador FROM Cierres WHERE IdCierre = " + QString::number(cierre)).toInt());
    QCOMPARE(v.txtIdCierre->text(), QString::number(cierre));
    QCOMPARE(v.lblPrestadorID->text(), QString::number(v.idPrestador()));
    QVERIFY(v.lvwTickets->cantidadItems() > 0);
}

void tst_frmCierres::buscarSinNumeroPideUno()
{
    const int cierre = cierreDePrestador(1);
    frmCierres v;
    v.Mostrar(1, cierre);
    for (const char* texto : {"", "abc", "0", "-4"}) {
        v.txtIdCierre->setText(QLatin1String(texto));
        v.cmdFind->click();
    }
    QCOMPARE(mGuion->mostrados().size(), 4);
    QCOMPARE(mGuion->mostrados().first().texto, QStringLiteral("Escriba el número del cierre a buscar."));
    QCOMPARE(v.idCierre(), cierre);
}

void tst_frmCierres::unCierreNoEncontradoDejaElQueSeMostraba()
{
    const int ultimo = mBase->valor("SELECT MAX(IdCierre) FROM Cierres").toInt();
    const int prestador =
        mBase->valor("SELECT IdPrestador FROM Cierres WHERE IdCierre = " + QString::number(ultimo)).toInt();
    frmCierres v;
    v.Mostrar(prestador, ultimo);
    const int filas = v.lvwTickets->cantidadItems();
    v.boton(QStringLiteral("Siguiente"))->trigger();
    v.txtIdCierre->setText(QStringLiteral("999999"));
    v.boton(QStringLiteral("Find"))->trigger();
    QCOMPARE(mGuion->mostrados().size(), 2);
    QCOMPARE(mGuion->mostrados()[0].texto, QStringLiteral("No hay un cierre posterior al %1.").arg(ultimo));
    QCOMPARE(mGuion->mostrados()[1].texto, QStringLiteral("No existe el cierre 999999."));
    QCOMPARE(mGuion->mostrados()[1].titulo, QStringLiteral("Aviso"));
    QVERIFY(v.isVisible());
    QCOMPARE(v.idCierre(), ultimo);
    QCOMPARE(v.lvwTickets->cantidadItems(), filas);
    v.boton(QStringLiteral("Print"))->trigger();
    QCOMPARE(mImpresiones.first().parametros.Item("CIERREACTUAL"), QString::number(ultimo));
}

void tst_frmCierres::lasPestanasMuestranSuMarco_data()
{
    QTest::addColumn<int>("pestana");
    QTest::newRow("Cierre") << 0;
    QTest::newRow("Tickets") << 1;
    QTest::newRow("Descuentos") << 2;
}

void tst_frmCierres::lasPestanasMuestranSuMarco()
{
    QFETCH(int, pestana);
    frmCierres v;
    v.Mostrar(1, cierreDePrestador(1));
    QCOMPARE(v.TabCierres->count(), 3);
    QCOMPARE(v.TabCierres->tabData(pestana).toString(),
             QStringList({"CIERRE", "TICKETS", "DESCUENTOS"})[pestana]);
    v.TabCierres->setCurrentIndex(pestana == 0 ? 2 : 0);
    v.TabCierres->setCurrentIndex(pestana);
    QGroupBox* marcos[] = {v.fmeCierre, v.fmeTickets, v.fmeDescuentos};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(marcos[i]->isVisible(), i == pestana);
        QCOMPARE(marcos[i]->isEnabled(), i == pestana);
    }
}

void tst_frmCierres::verTicketAbreElTicketElegido()
{
    const int cierre = cierreDePrestador(4);
    frmCierres v;
    v.Mostrar(4, cierre);
    v.TabCierres->setCurrentIndex(1);
    v.lvwTickets->setCurrentItem(v.lvwTickets->item(1));
    v.cmdTicket->click();
    QCOMPARE(mTickets.size(), 1);
    QCOMPARE(mTickets[0].ticket, v.lvwTickets->item(1)->text(0).toDouble());
    QCOMPARE(mTickets[0].farmacia, false);
    QCOMPARE(mTickets[0].prestador, v.lblPrestador->text());
    QCOMPARE(mTickets[0].fecha.date(),
             mBase->valor("SELECT FechaServer FROM Cierres WHERE IdCierre = " + QString::number(cierre))
                 .toDateTime()
                 .date());
}

void tst_frmCierres::sinTicketsVerTicketQuedaDeshabilitado()
{
    frmCierres v;
    v.Mostrar(6, 0); // the provider without tickets: its pending tickets, none
    QVERIFY(v.isVisible());
    QCOMPARE(v.lblCntTicket->text(), QStringLiteral("0"));
    QVERIFY(!v.cmdTicket->isEnabledTo(v.fmeTickets));
    QCOMPARE(v.lblNroTramite->text(), QString());
    v.cmdTicket->click();
    QVERIFY(mTickets.isEmpty());
}

void tst_frmCierres::laBarraTieneSusBotonesYExitCierra()
{
    frmCierres v;
    QStringList claves, ayudas;
    for (QAction* a : v.tbrABM->actions()) {
        claves << a->data().toString();
        ayudas << a->toolTip();
        QVERIFY(!a->icon().isNull());
    }
    QCOMPARE(claves, (QStringList{"Find", "Primero", "Anterior", "Siguiente", "Ultimo", "Print", "Exit"}));
    QCOMPARE(ayudas, (QStringList{"Buscar", "First", "Prior", "Next", "Last", "print", "Exit"}));
    v.Mostrar(1, cierreDePrestador(1));
    QVERIFY(v.isVisible());
    v.boton(QStringLiteral("Exit"))->trigger();
    QVERIFY(!v.isVisible());
}

void tst_frmCierres::unNuloEnUnaColumnaDeTextoEsUnaFalla_data()
{
    QTest::addColumn<int>("conjunto");
    QTest::addColumn<int>("columna");
    QTest::addColumn<int>("cierre");
    QTest::newRow("IdTicket") << 1 << 0 << 15;
    QTest::newRow("Num_Afil") << 1 << 1 << 15;
    QTest::newRow("Tipo del segundo grupo") << 3 << 4 << 15;
    QTest::newRow("Desc_OS") << 4 << 0 << 15;
    QTest::newRow("NumeroTramite con cierre") << 0 << 19 << 15;
    QTest::newRow("NumeroTramite sin cierre se acepta") << 0 << 19 << 0;
}

void tst_frmCierres::unNuloEnUnaColumnaDeTextoEsUnaFalla()
{
    QFETCH(int, conjunto);
    QFETCH(int, columna);
    QFETCH(int, cierre);
    using namespace ado;
    mBase.reset();
    pruebas::ConMotorFalso falso;
    QVector<Columna> cab;
    const char* nombres[] = {"Error",          "Comentario",    "TipoPrestador", "Prestador",
                             "NombreFarmacia", "FechaCierre",   "FechaDesde",    "HoraDesde",
                             "FechaHasta",     "HoraHasta",     "CantTickets",   "CantDevueltos",
                             "CantAnulados",   "TotalTicket",   "TBonificacion", "PorcBonificacion",
                             "TDctoPRAL",      "PorcDescuento", "APagarPorPRAL", "NumeroTramite",
                             "Cierre"};
    for (const char* n : nombres)
        cab << pruebas::columna(n, adVarChar, 10);
    QVector<QVector<QVariant>> filas = {
        {0, "", 1,     7,    "Farmacia", "20240603", "20240501", "08:10", "20240531", "21:40", 2,
         0, 0,  100.0, 40.0, 40.0,       4.0,        10.0,       36.0,    1007,       cierre}};
    const QVector<Columna> tickets = {
        pruebas::columna("IdTicket", adInteger), pruebas::columna("Num_Afil", adChar, 15),
        pruebas::columna("CantidadMedicamentos", adInteger), pruebas::columna("Total", adCurrency),
        pruebas::columna("Tipo", adChar, 10)};
    const QVector<Columna> lineas = {
        pruebas::columna("Desc_OS", adNumeric), pruebas::columna("TotalDescuento", adCurrency),
        pruebas::columna("CargoAfiliado", adCurrency), pruebas::columna("BonifAPRAL", adCurrency),
        pruebas::columna("BonifFarmacia", adCurrency)};
    QVector<QVector<QVector<QVariant>>> datos = {filas,
                                                 {{1, "12345678/00", 2, 50.0, "Normal"}},
                                                 {{40.0, 40.0, 60.0, 36.0, 4.0}},
                                                 {{2, "12345678/01", 1, 50.0, "Anulado"}},
                                                 {{100.0, 0.0, 0.0, 0.0, 0.0}}};
    datos[conjunto][0][columna] = QVariant();
    falso.guion->responder = pruebas::servidorSimulado([&](const QString&) {
        return pruebas::lote({pruebas::tabla(cab, datos[0]), pruebas::tabla(tickets, datos[1]),
                              pruebas::tabla(lineas, datos[2]), pruebas::tabla(tickets, datos[3]),
                              pruebas::tabla(lineas, datos[4])});
    });
    cUserConnection conexion;
    conexion.Connect("srv01", "operador", "secreto", "dalvoPralMendoza");
    gConexion = &conexion;
    frmCierres v;
    v.Mostrar(7, cierre);
    gConexion = nullptr;
    if (cierre == 0) {
        QVERIFY(v.isVisible());
        QCOMPARE(v.lblNroTramite->text(), QString());
        QCOMPARE(v.lvwTickets->cantidadItems(), 2);
        return;
    }
    QVERIFY(!v.isVisible());
    QCOMPARE(mGuion->mostrados().size(), 1);
    QCOMPARE(mGuion->mostrados().first().titulo, QStringLiteral("Error"));
    QVERIFY(mGuion->mostrados().first().texto.startsWith(QStringLiteral("94\r\n")));
}

QTEST_MAIN(tst_frmCierres)
#include "tst_frmCierres.moc"

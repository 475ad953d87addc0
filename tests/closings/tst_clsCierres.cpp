// clsCierres over a scripted server: the statements and procedure calls it sends, what it reads back, and
// the sources of its failures.

#include "closings/clsCierres.h"
#include "common/Falla.h"
#include "data/MotorFalso.h"
#include "data/cUserConnection.h"
#include "support/EntornoPrueba.h"

#include <QComboBox>
#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;
using pruebas::columna;
using pruebas::registro;
using Fila = QVector<QVariant>;

namespace {

const QString kSelect = QStringLiteral("SELECT  C.IdCierre,    C.idPrestador,    C.Cant_transac,    "
                                       "C.TTicket,    C.TAfilia,    C.TDPrestador,    "
                                       "C.BPRAL,    C.NumeroTramite,    C.FechaServer,    P.Nombre,    "
                                       "P.Prestador_OS    FROM Cierres C (NOLOCK)    "
                                       "LEFT JOIN Prestadores P (NOLOCK) ON P.IdPrestador = C.IdPrestador");
const QString kOrden = QStringLiteral(" ORDER BY C.FechaServer Desc");
const QString kTresMeses =
    QStringLiteral(" AND C.FechaServer BETWEEN  DATEADD(M,-3,GETDATE()) AND GETDATE()");

Fila filaCierre(int id, int prestador, const QVariant& nombre = QStringLiteral("Farmacia O'Brien"))
{
    return {id,      prestador, 41,
            12345.5, 4000.25,   350.0,
            8345.25, 1007,      QDateTime(QDate(2024, 6, 3), QTime(9, 30)),
            nombre,  "100002"};
}

Tabla tablaCierres(const QVector<Fila>& filas)
{
    return pruebas::tabla({columna("IdCierre", adInteger), columna("idPrestador", adInteger),
                           columna("Cant_transac", adSmallInt), columna("TTicket", adCurrency),
                           columna("TAfilia", adCurrency), columna("TDPrestador", adCurrency),
                           columna("BPRAL", adCurrency), columna("NumeroTramite", adInteger),
                           columna("FechaServer", adDBTimeStamp), columna("Nombre", adChar, 50),
                           columna("Prestador_OS", adChar, 10)},
                          filas);
}

Tabla unaColumna(const QVariant& valor)
{
    return pruebas::tabla({columna("Anulado", adInteger)}, {{valor}});
}

} // namespace

class tst_clsCierres : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void buscarArmaLaCondicionDeCadaOpcion_data();
    void buscarArmaLaCondicionDeCadaOpcion();
    void buscarSinNadaQueBuscarNoConsultaNiCambiaNada();
    void buscarLeeElCierreSoloConUnaFila_data();
    void buscarLeeElCierreSoloConUnaFila();
    void buscarDatosCierreArmaSusTresFormas_data();
    void buscarDatosCierreArmaSusTresFormas();
    void anularEnviaLosNumerosEnSuOrden_data();
    void anularEnviaLosNumerosEnSuOrden();
    void anularConUnNumeroEnCeroFallaSinEnviarNada_data();
    void anularConUnNumeroEnCeroFallaSinEnviarNada();
    void generarCierreEnviaLasFechasComoOchoDigitos_data();
    void generarCierreEnviaLasFechasComoOchoDigitos();
    void generarCierreDejaElRechazoEnErrorYComentrario();
    void generarCierreSinPrepararLosComandosFalla();
    void generarCierreConUnaFechaInvalidaFallaSinLlamar();
    void actualizarValorTicketsConProveedorUnoNoHaceNada();
    void actualizarValorTicketsTomaElTicketUnoComoTodos();
    void actualizarValorTicketsConErrorFallaConSuNumero();
    void cargarComboListaLosCierresDelPrestador();
    void cargarComboSinCierresQuedaVacio();
    void cadaOperacionFallaConSuOrigen_data();
    void cadaOperacionFallaConSuOrigen();

private:
    clsCierres servicio() const;
    pruebas::Guion& guion() { return *mFalso->guion; }
    void responderCon(std::function<Lote(const QString&)> resto)
    {
        guion().responder = pruebas::servidorSimulado(std::move(resto));
    }

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::unique_ptr<cUserConnection> mConexion;
};

void tst_clsCierres::init()
{
    mEntorno = std::make_unique<prueba::EntornoPrueba>();
    mFalso = std::make_unique<pruebas::ConMotorFalso>();
    responderCon({});
    mConexion = std::make_unique<cUserConnection>();
    mConexion->Connect("srv01", "operador", "secreto", "dalvoPralMendoza");
    guion().sentencias.clear();
}

void tst_clsCierres::cleanup()
{
    mConexion.reset();
    mFalso.reset();
    mEntorno.reset();
}

clsCierres tst_clsCierres::servicio() const
{
    clsCierres c;
    c.LaConexion = mConexion->Connection;
    return c;
}

void tst_clsCierres::buscarArmaLaCondicionDeCadaOpcion_data()
{
    QTest::addColumn<QString>("sWhere");
    QTest::addColumn<int>("prestador");
    QTest::addColumn<int>("cierre");
    QTest::addColumn<int>("opcion");
    QTest::addColumn<bool>("todos");
    QTest::addColumn<QString>("condicion");

    const QString siguiente =
        " WHERE C.IdCierre=(SELECT MIN(X.IdCierre) FROM Cierres X (NOLOCK) WHERE X.IdCierre > 15)";
    QTest::newRow("condición sin WHERE")
        << "P.Nombre LIKE 'F%'" << 0 << 0 << 0 << true << " WHERE P.Nombre LIKE 'F%'";
    QTest::newRow("condición con WHERE")
        << "WHERE C.IdCierre > 3" << 0 << 0 << 0 << true << " WHERE C.IdCierre > 3";
    QTest::newRow("condición con where en minúsculas")
        << "where C.IdCierre > 3" << 0 << 0 << 0 << false << " where C.IdCierre > 3" + kTresMeses;
    QTest::newRow("la condición manda sobre los números")
        << "C.TTicket > 0" << 7 << 15 << 1 << false << " WHERE C.TTicket > 0" + kTresMeses;
    QTest::newRow("prestador") << "" << 7 << 0 << 0 << false << " WHERE C.IdPrestador=7" + kTresMeses;
    QTest::newRow("este cierre") << "" << 0 << 15 << 1 << true << " WHERE C.IdCierre=15";
    QTest::newRow("este cierre deja el prestador")
        << "" << 7 << 15 << 1 << false << " WHERE C.IdCierre=15" + kTresMeses;
    QTest::newRow("siguiente") << "" << 0 << 15 << 4 << true << siguiente;
    QTest::newRow("siguiente en tres meses") << "" << 0 << 15 << 4 << false << siguiente + kTresMeses;
    QTest::newRow("anterior")
        << "" << 7 << 15 << 3 << true
        << " WHERE C.IdCierre=(SELECT MAX(X.IdCierre) FROM Cierres X (NOLOCK) WHERE X.IdCierre < 15)";
    QTest::newRow("primero") << "" << 0 << 0 << 2 << true
                             << " WHERE C.IdCierre=(SELECT MIN(X.IdCierre) FROM Cierres X (NOLOCK) )";
    QTest::newRow("último") << "" << 0 << 0 << 5 << false
                            << " WHERE C.IdCierre=(SELECT MAX(X.IdCierre) FROM Cierres X (NOLOCK) )" +
                                   kTresMeses;
    QTest::newRow("primero con un cierre queda el prestador")
        << "" << 7 << 15 << 2 << true << " WHERE C.IdPrestador=7";
}

void tst_clsCierres::buscarArmaLaCondicionDeCadaOpcion()
{
    QFETCH(QString, sWhere);
    QFETCH(int, prestador);
    QFETCH(int, cierre);
    QFETCH(int, opcion);
    QFETCH(bool, todos);
    QFETCH(QString, condicion);
    responderCon([](const QString&) { return pruebas::lote({tablaCierres({})}); });
    clsCierres c = servicio();
    auto rs = c.Buscar(sWhere, qint16(prestador), cierre, opcion, todos);
    QVERIFY(rs);
    QCOMPARE(guion().sentencias, QStringList{kSelect + condicion + kOrden});
    QCOMPARE(c.CantidadItems, 0);
}

void tst_clsCierres::buscarSinNadaQueBuscarNoConsultaNiCambiaNada()
{
    responderCon([](const QString&) { return pruebas::lote({tablaCierres({filaCierre(15, 7)})}); });
    clsCierres c = servicio();
    QVERIFY(c.Buscar({}, 0, 15, 1, true));
    guion().sentencias.clear();
    for (auto [cierre, opcion] : {std::pair{0, 0}, {0, 1}, {0, 3}, {0, 4}, {15, 2}, {15, 5}, {15, 0}})
        QVERIFY(!c.Buscar({}, 0, cierre, opcion, false));
    QVERIFY(guion().sentencias.isEmpty());
    QCOMPARE(c.CantidadItems, 1);
    QCOMPARE(c.idCierre, 15);
}

void tst_clsCierres::buscarLeeElCierreSoloConUnaFila_data()
{
    QTest::addColumn<int>("filas");
    QTest::newRow("ninguna") << 0;
    QTest::newRow("una") << 1;
    QTest::newRow("dos") << 2;
}

void tst_clsCierres::buscarLeeElCierreSoloConUnaFila()
{
    QFETCH(int, filas);
    responderCon([filas](const QString&) {
        return pruebas::lote(
            {tablaCierres(QVector<Fila>(filas, filaCierre(15, 7, "Farmacia Sin Departamento  ")))});
    });
    clsCierres c = servicio();
    c.idCierre = 3;
    c.Nombre = QStringLiteral("antes");
    c.Buscar({}, 7);
    QCOMPARE(c.CantidadItems, filas);
    if (filas != 1) {
        QCOMPARE(c.idCierre, 3);
        QCOMPARE(c.Nombre, QStringLiteral("antes"));
        return;
    }
    QCOMPARE(c.idCierre, 15);
    QCOMPARE(c.IdPrestador, 7);
    QCOMPARE(c.Cant_transac, qint16(41));
    QCOMPARE(c.TTicket, 12345.5);
    QCOMPARE(c.TAfilia, 4000.25);
    QCOMPARE(c.TDPrestador, 350.0);
    QCOMPARE(c.BPRAL, 8345.25);
    QCOMPARE(c.NumeroTramite, 1007);
    QCOMPARE(c.FechaServer, QStringLiteral("03/06/2024 09:30:00"));
    QCOMPARE(c.Nombre, QStringLiteral("Farmacia Sin Departamento"));
}

void tst_clsCierres::buscarDatosCierreArmaSusTresFormas_data()
{
    QTest::addColumn<int>("prestador");
    QTest::addColumn<int>("cierre");
    QTest::addColumn<QString>("desde");
    QTest::addColumn<QString>("hasta");
    QTest::addColumn<QString>("sentencia");
    QTest::newRow("cierre y prestador") << 7 << 15 << ""
                                        << ""
                                        << "Execute spDatosCierre 0, 15, 7,'','',2";
    QTest::newRow("solo el cierre") << 0 << 15 << ""
                                    << ""
                                    << "Execute spDatosCierre 0, 15, null, '','',2";
    QTest::newRow("solo el prestador") << 7 << 0 << "20240501"
                                       << "20240531"
                                       << "Execute spDatosCierre 0, null, 7,'20240501','20240531',2";
    QTest::newRow("una comilla en la fecha") << 7 << 0 << "01/05/2024'"
                                             << ""
                                             << "Execute spDatosCierre 0, null, 7,'01/05/2024''','',2";
}

void tst_clsCierres::buscarDatosCierreArmaSusTresFormas()
{
    QFETCH(int, prestador);
    QFETCH(int, cierre);
    QFETCH(QString, desde);
    QFETCH(QString, hasta);
    QFETCH(QString, sentencia);
    responderCon([](const QString&) { return pruebas::lote({unaColumna(0), unaColumna(1)}); });
    clsCierres c = servicio();
    auto rs = c.BuscarDatosCierre(qint16(prestador), cierre, desde, hasta);
    QCOMPARE(guion().sentencias, QStringList{sentencia});
    QVERIFY(rs->NextRecordset()); // the procedure's further result sets stay reachable
}

void tst_clsCierres::anularEnviaLosNumerosEnSuOrden_data()
{
    QTest::addColumn<bool>("cierre"); // AnularCierre, else AnularTicket
    QTest::addColumn<QVariant>("respuesta");
    QTest::addColumn<QString>("sentencia");
    QTest::addColumn<bool>("resultado");
    QTest::newRow("cierre 15 del prestador 7")
        << true << QVariant(1) << "Execute spAnularCierre 7, 15" << true;
    QTest::newRow("cierre rechazado") << true << QVariant(0) << "Execute spAnularCierre 7, 15" << false;
    QTest::newRow("ticket 900 del cierre 15")
        << false << QVariant(-1) << "Execute spAnulaTicketCerrado 15, 900" << true;
    QTest::newRow("ticket rechazado")
        << false << QVariant() << "Execute spAnulaTicketCerrado 15, 900" << false;
}

void tst_clsCierres::anularEnviaLosNumerosEnSuOrden()
{
    QFETCH(bool, cierre);
    QFETCH(QVariant, respuesta);
    QFETCH(QString, sentencia);
    responderCon([respuesta](const QString&) { return pruebas::lote({unaColumna(respuesta)}); });
    clsCierres c = servicio();
    const bool hecho = cierre ? c.AnularCierre(15, 7) : c.AnularTicket(900, 15);
    QCOMPARE(guion().sentencias, QStringList{sentencia});
    QTEST(hecho, "resultado");
}

void tst_clsCierres::anularConUnNumeroEnCeroFallaSinEnviarNada_data()
{
    QTest::addColumn<bool>("cierre");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<QString>("origen");
    QTest::newRow("cierre 0") << true << 0 << 7 << "clsCierres.AnularCierre";
    QTest::newRow("prestador 0") << true << 15 << 0 << "clsCierres.AnularCierre";
    QTest::newRow("ticket 0") << false << 0 << 15 << "clsCierres.AnularTicket";
    QTest::newRow("cierre del ticket 0") << false << 900 << 0 << "clsCierres.AnularTicket";
}

void tst_clsCierres::anularConUnNumeroEnCeroFallaSinEnviarNada()
{
    QFETCH(bool, cierre);
    QFETCH(int, a);
    QFETCH(int, b);
    clsCierres c = servicio();
    try {
        cierre ? c.AnularCierre(a, b) : c.AnularTicket(a, b);
        QFAIL("debía fallar");
    } catch (const Falla& f) {
        QTEST(f.Origen, "origen");
        QVERIFY(f.Descripcion.endsWith(QStringLiteral("\r\n")));
    }
    QVERIFY(guion().sentencias.isEmpty());
}

void tst_clsCierres::generarCierreEnviaLasFechasComoOchoDigitos_data()
{
    QTest::addColumn<bool>("farmacia");
    QTest::addColumn<QString>("desde");
    QTest::addColumn<QString>("hasta");
    QTest::addColumn<QString>("procedimiento");
    QTest::addColumn<QString>("desdeEnviada");
    QTest::addColumn<QString>("hastaEnviada");
    QTest::newRow("farmacia") << true << "01/05/2024"
                              << "31/05/2024"
                              << "spGeneraCierre"
                              << "20240501"
                              << "20240531";
    QTest::newRow("prestador") << false << "5/3/2024"
                               << "9/3/24"
                               << "spGeneraCierrePrestador"
                               << "20240305"
                               << "20240309";
    QTest::newRow("ya en ocho dígitos") << true << "20240101"
                                        << " 20240131 "
                                        << "spGeneraCierre"
                                        << "20240101"
                                        << "20240131";
}

void tst_clsCierres::generarCierreEnviaLasFechasComoOchoDigitos()
{
    QFETCH(bool, farmacia);
    QFETCH(QString, desde);
    QFETCH(QString, hasta);
    guion().responderLlamada = [](const QString&, QVector<ParametroMotor>& p) {
        p[4].valor = 3801;
        p[5].valor = 0;
        p[6].valor = QString(30, QLatin1Char(' '));
        return Lote{};
    };
    clsCierres c = servicio();
    c.CrearSpQuery();
    QCOMPARE(c.GenerarCierre(2, desde, hasta, farmacia), 3801);
    QCOMPARE(guion().procedimientos.size(), 1);
    QTEST(guion().procedimientos[0], "procedimiento");
    const QVector<ParametroMotor>& p = guion().llamadas[0];
    QStringList nombres;
    for (const ParametroMotor& x : p)
        nombres << x.nombre;
    QCOMPARE(nombres, (QStringList{"pNumeroEjecucionSys", "pIDPrestador", "pFechaDesde", "pFechaHasta",
                                   "oIdCierre", "oError", "oComentario"}));
    QCOMPARE(p[0].valor.toInt(), 0);
    QCOMPARE(p[1].valor.toInt(), 2);
    QTEST(p[2].valor.toString(), "desdeEnviada");
    QTEST(p[3].valor.toString(), "hastaEnviada");
    QCOMPARE(p[2].tipo, int(adChar));
    QCOMPARE(p[2].tamano, 8);
    QCOMPARE(p[6].tipo, int(adChar));
    QCOMPARE(p[6].tamano, 30);
    QCOMPARE(p[4].direccion, Direccion::Salida);
    QCOMPARE(c.Error, qint16(0));
}

void tst_clsCierres::generarCierreDejaElRechazoEnErrorYComentrario()
{
    guion().responderLlamada = [](const QString&, QVector<ParametroMotor>& p) {
        p[4].valor = 0;
        p[5].valor = 41;
        p[6].valor = QStringLiteral("No hay tickets en el período  ");
        return Lote{};
    };
    clsCierres c = servicio();
    c.CrearSpQuery();
    QCOMPARE(c.GenerarCierre(2, "01/05/2024", "31/05/2024", true), 0);
    QCOMPARE(c.Error, qint16(41));
    QCOMPARE(c.Comentrario, QStringLiteral("No hay tickets en el período"));

    guion().responderLlamada = [](const QString&, QVector<ParametroMotor>& p) {
        p[4].valor = 12;
        p[5].valor = 0;
        return Lote{};
    };
    QCOMPARE(c.GenerarCierre(2, "01/06/2024", "30/06/2024", true), 12);
    QCOMPARE(c.Error, qint16(0));
    QCOMPARE(c.Comentrario, QString());
}

void tst_clsCierres::generarCierreSinPrepararLosComandosFalla()
{
    clsCierres c = servicio();
    try {
        c.GenerarCierre(2, "01/05/2024", "31/05/2024");
        QFAIL("debía fallar");
    } catch (const Falla& f) {
        QCOMPARE(f.Numero, 91);
        QCOMPARE(f.Origen, QStringLiteral("clsCierres.GeneraCierre"));
    }
    QVERIFY(guion().procedimientos.isEmpty());
}

void tst_clsCierres::generarCierreConUnaFechaInvalidaFallaSinLlamar()
{
    clsCierres c = servicio();
    c.CrearSpQuery();
    for (const char* fecha : {"", "31/02/2024", "mayo", "20241399"}) {
        try {
            c.GenerarCierre(2, QString::fromUtf8(fecha), "31/05/2024");
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 13);
            QCOMPARE(f.Origen, QStringLiteral("clsCierres.GeneraCierre"));
        }
    }
    QVERIFY(guion().procedimientos.isEmpty());
}

void tst_clsCierres::actualizarValorTicketsConProveedorUnoNoHaceNada()
{
    clsCierres c = servicio();
    QVERIFY(!c.ActualizarValorTickets(1, 5));
    QVERIFY(!c.ActualizarValorTickets(0));
    QVERIFY(guion().procedimientos.isEmpty());
    QVERIFY(guion().sentencias.isEmpty());
}

void tst_clsCierres::actualizarValorTicketsTomaElTicketUnoComoTodos()
{
    guion().responderLlamada = [](const QString&, QVector<ParametroMotor>& p) {
        p[2].valor = 0;
        return Lote{};
    };
    clsCierres c = servicio(); // no CrearSpQuery: the operation prepares its own command
    QVERIFY(c.ActualizarValorTickets(25, 1));
    QVERIFY(c.ActualizarValorTickets(25, 2000040));
    QCOMPARE(guion().procedimientos, (QStringList{"spActualizaTickets", "spActualizaTickets"}));
    const QVector<ParametroMotor>& p = guion().llamadas[0];
    QCOMPARE(p.size(), 4);
    QCOMPARE(p[0].nombre, QStringLiteral("pIDPrestador"));
    QCOMPARE(p[0].valor.toInt(), 25);
    QCOMPARE(p[1].nombre, QStringLiteral("pIdTicket"));
    QCOMPARE(p[1].valor.toInt(), 0);
    QCOMPARE(guion().llamadas[1][1].valor.toInt(), 2000040);
}

void tst_clsCierres::actualizarValorTicketsConErrorFallaConSuNumero()
{
    guion().responderLlamada = [](const QString&, QVector<ParametroMotor>& p) {
        p[2].valor = 17;
        p[3].valor = QStringLiteral("Ticket incluido en un cierre");
        return Lote{};
    };
    clsCierres c = servicio();
    try {
        c.ActualizarValorTickets(25, 900);
        QFAIL("debía fallar");
    } catch (const Falla& f) {
        QCOMPARE(f.Numero, 17);
        QCOMPARE(f.Origen, QStringLiteral("clsCierres.ActualizarValorTickets"));
        QCOMPARE(f.Descripcion, QStringLiteral("Error en actualización de tickets\r\n"));
    }
}

void tst_clsCierres::cargarComboListaLosCierresDelPrestador()
{
    responderCon([](const QString&) {
        return pruebas::lote({tablaCierres({filaCierre(3801, 2), filaCierre(15, 2)})});
    });
    QComboBox combo;
    combo.addItem(QStringLiteral("viejo"));
    clsCierres c = servicio();
    c.CargarCombo(combo, 2);
    QCOMPARE(guion().sentencias, QStringList{kSelect + " WHERE C.IdPrestador=2" + kTresMeses + kOrden});
    QCOMPARE(combo.count(), 2);
    QCOMPARE(combo.itemText(0), QStringLiteral("3801 . 03/06/2024 09:30:00"));
    QCOMPARE(combo.itemText(1), QStringLiteral("15 . 03/06/2024 09:30:00"));
    QCOMPARE(combo.currentIndex(), 0);
}

void tst_clsCierres::cargarComboSinCierresQuedaVacio()
{
    responderCon([](const QString&) { return pruebas::lote({tablaCierres({})}); });
    QComboBox combo;
    combo.addItem(QStringLiteral("viejo"));
    clsCierres c = servicio();
    c.CargarCombo(combo, 2);
    QCOMPARE(combo.count(), 0);
    QCOMPARE(combo.currentIndex(), -1);
    try {
        c.CargarCombo(combo, 40000); // beyond the service's 16-bit provider numbers
        QFAIL("debía fallar");
    } catch (const Falla& f) {
        QCOMPARE(f.Numero, 6);
    }
}

void tst_clsCierres::cadaOperacionFallaConSuOrigen_data()
{
    QTest::addColumn<int>("operacion");
    QTest::addColumn<QString>("origen");
    QTest::addColumn<bool>("finDeLinea");
    QTest::newRow("Buscar") << 0 << "clsCierres" << true;
    QTest::newRow("BuscarLogTramites") << 1 << "clsCierres" << true;
    QTest::newRow("BuscarDatosCierre") << 2 << "clsCierres.BuscarDatosCierre" << true;
    QTest::newRow("AnularCierre") << 3 << "clsCierres.AnularCierre" << true;
    QTest::newRow("AnularTicket") << 4 << "clsCierres.AnularTicket" << true;
    QTest::newRow("GenerarCierre") << 5 << "clsCierres.GeneraCierre" << false;
    QTest::newRow("ActualizarValorTickets") << 6 << "clsCierres.ActualizarValorTickets" << true;
}

void tst_clsCierres::cadaOperacionFallaConSuOrigen()
{
    QFETCH(int, operacion);
    QFETCH(QString, origen);
    QFETCH(bool, finDeLinea);
    const QString texto = QStringLiteral("Invalid object name 'Cierres'.");
    guion().responder = [texto](const QString&, const DatosConexion&) -> Lote {
        pruebas::fallar({registro(208, "42S02", texto)});
    };
    guion().responderLlamada = [texto](const QString&, QVector<ParametroMotor>&) -> Lote {
        pruebas::fallar({registro(208, "42S02", texto)});
    };
    clsCierres c = servicio();
    c.CrearSpQuery();
    try {
        switch (operacion) {
        case 0:
            c.Buscar({}, 7);
            break;
        case 1:
            c.BuscarLogTramites();
            break;
        case 2:
            c.BuscarDatosCierre(7, 15);
            break;
        case 3:
            c.AnularCierre(15, 7);
            break;
        case 4:
            c.AnularTicket(900, 15);
            break;
        case 5:
            c.GenerarCierre(7, "01/05/2024", "31/05/2024", true);
            break;
        default:
            c.ActualizarValorTickets(7);
        }
        QFAIL("debía fallar");
    } catch (const Falla& f) {
        QCOMPARE(f.Numero, 208);
        QCOMPARE(f.Origen, origen);
        QCOMPARE(f.Descripcion, "42S02 " + texto + (finDeLinea ? "\r\n" : ""));
    }
}

QTEST_MAIN(tst_clsCierres)
#include "tst_clsCierres.moc"

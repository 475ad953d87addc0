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

Q_DECLARE_METATYPE(std::function<void(dalvo::clsCierres&)>)

namespace {

const QString kSelect = QStringLiteral(
    "SELECT  C.IdCierre,    C.idPrestador,    C.Cant_transac,    C.TTicket,    C.TAfilia,    "
    "C.TDPrestador,    C.BPRAL,    C.NumeroTramite,    C.FechaServer,    P.Nombre,    P.Prestador_OS    FROM "
    "Cierres C (NOLOCK)    LEFT JOIN Prestadores P (NOLOCK) ON P.IdPrestador = C.IdPrestador");
const QString kOrden = QStringLiteral(" ORDER BY C.FechaServer Desc");
// The last three months.
const QString kTrimes = QStringLiteral(" AND C.FechaServer BETWEEN  DATEADD(M,-3,GETDATE()) AND GETDATE()");

Fila filaCierre(int id, int prestador)
{
    const QDateTime fecha(QDate(2024, 6, 3), QTime(9, 30));
    return {id, prestador, 41, 12345.5, 4000.25, 350.0, 8345.25, 1007, fecha, "Farmacia O'Brien", "100002"};
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

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::unique_ptr<cUserConnection> mConexion;

    clsCierres servicio() const
    {
        clsCierres c;
        c.LaConexion = mConexion->Connection;
        return c;
    }
    pruebas::Guion& guion() { return *mFalso->guion; }
    void responderCon(std::function<Lote(const QString&)> resto)
    {
        guion().responder = pruebas::servidorSimulado(std::move(resto));
    }
    // The closings statement answers these rows.
    void responderCierres(const QVector<Fila>& filas)
    {
        responderCon([filas](const QString&) { return pruebas::lote({tablaCierres(filas)}); });
    }
    // The next procedure calls set these output parameters (by position).
    void responderLlamada(const QMap<int, QVariant>& salidas)
    {
        guion().responderLlamada = [salidas](const QString&, QVector<ParametroMotor>& p) {
            for (auto it = salidas.begin(); it != salidas.end(); ++it)
                p[it.key()].valor = it.value();
            return Lote{};
        };
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        responderCon({});
        mConexion = std::make_unique<cUserConnection>();
        mConexion->Connect("srv01", "operador", "secreto", "dalvoPralMendoza");
        guion().sentencias.clear();
    }
    void cleanup()
    {
        mConexion.reset();
        mFalso.reset();
        mEntorno.reset();
    }

    void buscarArmaLaCondicionDeCadaOpcion_data()
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
        QTest::newRow("condición con where en minúsculas")
            << "where C.IdCierre > 3" << 0 << 0 << 0 << false << " where C.IdCierre > 3" + kTrimes;
        QTest::newRow("la condición manda sobre los números")
            << "C.TTicket > 0" << 7 << 15 << 1 << false << " WHERE C.TTicket > 0" + kTrimes;
        QTest::newRow("prestador") << "" << 7 << 0 << 0 << false << " WHERE C.IdPrestador=7" + kTrimes;
        QTest::newRow("siguiente en tres meses") << "" << 0 << 15 << 4 << false << siguiente + kTrimes;
        QTest::newRow("primero con un cierre queda el prestador")
            << "" << 7 << 15 << 2 << true << " WHERE C.IdPrestador=7";
    }
    void buscarArmaLaCondicionDeCadaOpcion()
    {
        QFETCH(QString, sWhere);
        QFETCH(int, prestador);
        QFETCH(int, cierre);
        QFETCH(int, opcion);
        QFETCH(bool, todos);
        QFETCH(QString, condicion);
        responderCierres({});
        clsCierres c = servicio();
        QVERIFY(c.Buscar(sWhere, qint16(prestador), cierre, opcion, todos));
        QCOMPARE(guion().sentencias, QStringList{kSelect + condicion + kOrden});
    }

    // Nothing to look for: no query, and the closing read before stays.
    void buscarSinNadaQueBuscarNoConsultaNiCambiaNada()
    {
        responderCierres({filaCierre(15, 7)});
        clsCierres c = servicio();
        QVERIFY(c.Buscar({}, 0, 15, 1, true));
        guion().sentencias.clear();
        for (auto [cierre, opcion] : {std::pair{0, 0}, {0, 1}, {0, 3}, {0, 4}, {15, 2}, {15, 5}, {15, 0}})
            QVERIFY(!c.Buscar({}, 0, cierre, opcion, false));
        QVERIFY(guion().sentencias.isEmpty());
        QCOMPARE(c.idCierre, 15);
    }

    void sentenciasDeDatosYAnulaciones_data()
    {
        QTest::addColumn<int>("operacion"); // 0 BuscarDatosCierre, 1 AnularCierre, 2 AnularTicket
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QVariant>("respuesta");
        QTest::addColumn<QString>("sentencia");
        QTest::addColumn<bool>("resultado");
        const auto fila = [](const char* nombre, int operacion, int a, int b, const char* desde,
                             const QVariant& respuesta, const char* sql, bool resultado) {
            QTest::newRow(nombre) << operacion << a << b << QString::fromUtf8(desde) << respuesta
                                  << QString::fromUtf8(sql) << resultado;
        };
        fila("solo el cierre", 0, 0, 15, "", 0, "Execute spDatosCierre 0, 15, null, '','',2", true);
        fila("una comilla en la fecha", 0, 7, 0, "01/05/2024'", 0,
             "Execute spDatosCierre 0, null, 7,'01/05/2024''','',2", true);
        fila("cierre 15 del prestador 7", 1, 15, 7, "", 1, "Execute spAnularCierre 7, 15", true);
        fila("cierre rechazado", 1, 15, 7, "", 0, "Execute spAnularCierre 7, 15", false);
        fila("ticket 900 del cierre 15", 2, 900, 15, "", -1, "Execute spAnulaTicketCerrado 15, 900", true);
        fila("ticket rechazado", 2, 900, 15, "", QVariant(), "Execute spAnulaTicketCerrado 15, 900", false);
    }
    void sentenciasDeDatosYAnulaciones()
    {
        QFETCH(int, operacion);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QString, desde);
        QFETCH(QVariant, respuesta);
        QFETCH(QString, sentencia);
        responderCon([respuesta](const QString&) {
            return pruebas::lote({unaColumna(respuesta), unaColumna(1)});
        });
        clsCierres c = servicio();
        if (operacion == 0)
            QVERIFY(
                c.BuscarDatosCierre(qint16(a), b, desde, QString())->NextRecordset()); // every set reachable
        else
            QTEST(operacion == 1 ? c.AnularCierre(a, b) : c.AnularTicket(a, b), "resultado");
        QCOMPARE(guion().sentencias, QStringList{sentencia});
    }

    void anularConUnNumeroEnCeroFallaSinEnviarNada()
    {
        clsCierres c = servicio();
        QVERIFY_THROWS_EXCEPTION(Falla, c.AnularCierre(15, 0));
        try {
            c.AnularTicket(0, 15);
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Origen, QStringLiteral("clsCierres.AnularTicket"));
        }
        QVERIFY(guion().sentencias.isEmpty());
    }

    void generarCierreEnviaLasFechasComoOchoDigitos_data()
    {
        QTest::addColumn<bool>("farmacia");
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<QString>("procedimiento");
        QTest::addColumn<QStringList>("enviadas");
        // A two-digit year is this century's.
        QTest::newRow("farmacia") << true << QStringLiteral("01/05/2024") << QStringLiteral("31/05/2024")
                                  << QStringLiteral("spGeneraCierre") << QStringList{"20240501", "20240531"};
        QTest::newRow("prestador") << false << QStringLiteral("5/3/2024") << QStringLiteral("9/3/24")
                                   << QStringLiteral("spGeneraCierrePrestador")
                                   << QStringList{"20240305", "20240309"};
    }
    void generarCierreEnviaLasFechasComoOchoDigitos()
    {
        QFETCH(bool, farmacia);
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QStringList, enviadas);
        responderLlamada({{4, 3801}, {5, 0}, {6, QString(30, QLatin1Char(' '))}});
        clsCierres c = servicio();
        c.CrearSpQuery();
        QCOMPARE(c.GenerarCierre(2, desde, hasta, farmacia), 3801);
        QCOMPARE(guion().procedimientos.size(), 1);
        QTEST(guion().procedimientos[0], "procedimiento");
        const QVector<ParametroMotor>& p = guion().llamadas[0];
        QCOMPARE(p[1].valor.toInt(), 2);
        QCOMPARE((QStringList{p[2].valor.toString(), p[3].valor.toString()}), enviadas);
        QCOMPARE(c.Error, qint16(0));
    }

    // A date that is not one is a type mismatch before anything is sent; so is a call before CrearSpQuery.
    void generarCierreFallaSinLlamar()
    {
        clsCierres c = servicio();
        QVERIFY_THROWS_EXCEPTION(Falla, c.GenerarCierre(2, "01/05/2024", "31/05/2024"));
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

    // Provider 0 or 1 does nothing; ticket 1 is taken as 0 (all); a refusal fails with its number.
    void actualizarValorTickets()
    {
        clsCierres c = servicio();
        QVERIFY(!c.ActualizarValorTickets(1, 5));
        QVERIFY(!c.ActualizarValorTickets(0));
        QVERIFY(guion().procedimientos.isEmpty());
        responderLlamada({{2, 0}});
        QVERIFY(c.ActualizarValorTickets(25, 1));
        QCOMPARE(guion().procedimientos, QStringList{"spActualizaTickets"});
        QCOMPARE(guion().llamadas[0][0].valor.toInt(), 25);
        QCOMPARE(guion().llamadas[0][1].valor.toInt(), 0);

        responderLlamada({{2, 17}, {3, QStringLiteral("Ticket incluido en un cierre")}});
        try {
            c.ActualizarValorTickets(25, 900);
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 17);
            QCOMPARE(f.Descripcion, QStringLiteral("Error en actualización de tickets\r\n"));
        }
    }

    void cargarComboListaLosCierresDelPrestador()
    {
        responderCierres({filaCierre(3801, 2), filaCierre(15, 2)});
        QComboBox combo;
        clsCierres c = servicio();
        c.CargarCombo(combo, 2);
        QCOMPARE(guion().sentencias, QStringList{kSelect + " WHERE C.IdPrestador=2" + kTrimes + kOrden});
        QCOMPARE(combo.count(), 2);
        QCOMPARE(combo.itemText(0), QStringLiteral("3801 . 03/06/2024 09:30:00"));
        try {
            c.CargarCombo(combo, 40000); // beyond the service's 16-bit provider numbers
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 6);
        }
    }

    void cadaOperacionFallaConSuOrigen_data()
    {
        using Operacion = std::function<void(clsCierres&)>;
        QTest::addColumn<Operacion>("operacion");
        QTest::addColumn<QString>("origen");
        QTest::addColumn<QString>("fin");
        const auto fila = [](const char* origen, const Operacion& operacion, const char* fin = "\r\n") {
            QTest::newRow(origen) << operacion << QString::fromLatin1(origen) << QString::fromLatin1(fin);
        };
        fila("clsCierres", [](clsCierres& c) { c.Buscar({}, 7); });
        fila("clsCierres.BuscarDatosCierre", [](clsCierres& c) { c.BuscarDatosCierre(7, 15); });
        fila("clsCierres.AnularCierre", [](clsCierres& c) { c.AnularCierre(15, 7); });
        fila("clsCierres.AnularTicket", [](clsCierres& c) { c.AnularTicket(900, 15); });
        fila(
            "clsCierres.GeneraCierre",
            [](clsCierres& c) { c.GenerarCierre(7, "01/05/2024", "31/05/2024", true); }, "");
        fila("clsCierres.ActualizarValorTickets", [](clsCierres& c) { c.ActualizarValorTickets(7); });
    }
    void cadaOperacionFallaConSuOrigen()
    {
        using Operacion = std::function<void(clsCierres&)>;
        QFETCH(Operacion, operacion);
        QFETCH(QString, origen);
        QFETCH(QString, fin);
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
            operacion(c);
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 208);
            QCOMPARE(f.Origen, origen);
            QCOMPARE(f.Descripcion, "42S02 " + texto + fin);
        }
    }
};

QTEST_MAIN(tst_clsCierres)
#include "tst_clsCierres.moc"

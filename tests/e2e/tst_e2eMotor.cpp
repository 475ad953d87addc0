// The program's SQL Server engine through the real FreeTDS driver, against the embedded engine on the same
// database: every statement the program sends must bring the same result sets (names, ADO types, sizes,
// values, ActualSize), the same errors and the same messages over the wire as without it.

#include "adhoc/SentenciasConsultas.h"
#include "closings/clsCierres.h"
#include "common/Falla.h"
#include "common/Reloj.h"
#include "consultation/CondicionConsulta.h"
#include "consultation/clsQuerys.h"
#include "data/ChekConexion.h"
#include "data/ChekError.h"
#include "data/clsParametros.h"
#include "demo/BasePruebas.h"
#include "e2e/ServidorSql.h"
#include "tds/Vigia.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::e2e;

namespace {

const QString kDesde = QStringLiteral("01/05/2024");
const QString kHasta = QStringLiteral("31/05/2024");
// A typical condition of each kind, as the consultation run builds it from a criterion and a value.
QString condicionTipica(int caso)
{
    const auto armar = [caso](const char* criterio, const char* valor, const QString& desde = {},
                              const QString& hasta = {}) {
        return ArmarCondicion(
                   {caso, QString::fromUtf8(criterio), QString::fromUtf8(valor), false, desde, hasta})
            .condicion;
    };
    switch (caso) {
    case 1:
        return armar("Nombre", "Farmacia");
    case 2:
        return armar("Numero", "1000");
    case 4:
        return armar("Nombre Prestador", "a", kDesde, kHasta);
    case 5:
        return armar("Prestador", "a", kDesde, QStringLiteral("11/06/2024"));
    case 6:
        return armar("Clave", "1");
    case 7:
        return armar("Nombre", "Consulta");
    case 9:
        return armar("Asociado", "1", QStringLiteral("12/05/2024"), QStringLiteral("11/06/2024"));
    default:
        return armar("Nombre", "a");
    }
}

} // namespace

class tst_e2eMotor : public QObject
{
    Q_OBJECT

    tds::prueba::Vigia mVigia{30};
    std::unique_ptr<ServidorSql> mServidor;
    std::unique_ptr<cUserConnection> mCable;
    std::unique_ptr<cUserConnection> mEmbebido;

    QString valor(const QString& sql)
    {
        return mEmbebido->Query(sql, true, true)->Fields(0).Value().toString().trimmed();
    }

    // The same statement on both connections: the same failure, or the same result sets and messages.
    void compararSentencia(const QString& sql, bool conFilas)
    {
        qint32 errorCable = 0;
        qint32 errorEmbebido = 0;
        QString textoCable;
        QString textoEmbebido;
        auto cable = mCable->Query(sql, errorCable, textoCable, true, false);
        auto embebido = mEmbebido->Query(sql, errorEmbebido, textoEmbebido, true, false);
        QCOMPARE(errorCable, errorEmbebido);
        QCOMPARE(registros(*mCable->Connection), registros(*mEmbebido->Connection));
        QCOMPARE(bool(cable), bool(embebido));
        if (!cable)
            return;
        QVERIFY(!conFilas || cable->RecordCount() > 0);
        const QString d = diferencias(*cable, *embebido);
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }

private slots:
    void initTestCase()
    {
        prepararProceso();
        mServidor = std::make_unique<ServidorSql>();
        mCable = conectar(mServidor->servidor());
        mEmbebido = conectar(mServidor->servidorEmbebido());
    }

    void cleanupTestCase()
    {
        gConexion = nullptr;
        mCable.reset();
        mEmbebido.reset();
        mServidor.reset();
    }

    void init() { mVigia.armar(QTest::currentTestFunction()); }

    void cleanup()
    {
        gConexion = nullptr;
        const QStringList incidentes = mServidor->tds().incidentes();
        mVigia.desarmar();
        QVERIFY2(incidentes.isEmpty(), qPrintable(incidentes.join(u'\n')));
    }

    // Each kind's count and rows through the catalogue, with and without a typical condition.
    void cadaTipoDeConsulta_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<bool>("bCuenta");
        QTest::addColumn<QString>("condicion");
        for (int caso = 1; caso <= 10; ++caso)
            for (const bool cuenta : {true, false})
                for (const QString& condicion : {QString(), condicionTipica(caso)})
                    QTest::addRow("%d %s %s", caso, cuenta ? "cuenta" : "filas",
                                  condicion.isEmpty() ? "sin condicion" : "con condicion")
                        << caso << cuenta << condicion;
    }

    void cadaTipoDeConsulta()
    {
        QFETCH(int, caso);
        QFETCH(bool, bCuenta);
        QFETCH(QString, condicion);
        const auto consultar = [&](cUserConnection& conexion, qint16& filas) {
            gConexion = &conexion;
            clsQuerys querys;
            auto rs = querys.Consulta(caso, condicion, bCuenta, kDesde, kHasta);
            filas = querys.RegistrosAfectados();
            return rs;
        };
        qint16 filasCable = 0;
        qint16 filasEmbebido = 0;
        auto cable = consultar(*mCable, filasCable);
        auto embebido = consultar(*mEmbebido, filasEmbebido);
        QCOMPARE(filasCable, filasEmbebido);
        QVERIFY(filasCable > 0);
        const QString d = diferencias(*cable, *embebido);
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }

    // Everything else the program sends: the connection's own queries, the parameters row, a ticket's items
    // and a provider's record, the ad-hoc window's catalogue, report procedures, batches with several
    // results, and the errors and messages the server gives back.
    void sentencias_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<bool>("conFilas");
        const qint32 ticketFarmacia =
            valor(QStringLiteral("SELECT MIN(IdTicket) FROM Item_Tickets (NOLOCK)")).toInt();
        const qint32 ticketPrestador =
            valor(QStringLiteral("SELECT MIN(IdTicket) FROM ItemTicketPrestador (NOLOCK)")).toInt();
        const qint32 prestador =
            valor(QStringLiteral("SELECT MIN(IdPrestador) FROM Tickets (NOLOCK)")).toInt();
        const QString cierre = valor(QStringLiteral("SELECT MAX(IdCierre) FROM Cierres (NOLOCK)"));
        const QString desdeSql = QStringLiteral("05/01/2024 00:00:00");
        const QString hastaSql = QStringLiteral("05/31/2024 23:59:59");

        QTest::newRow("versión") << "SELECT @@VERSION AS Version" << true;
        QTest::newRow("base") << "SELECT DB_NAME() AS BaseDatos" << true;
        QTest::newRow("verificación del enlace") << QString::fromLatin1(kVerificacionConexion) << true;
        QTest::newRow("parámetros") << clsParametros::TextoBuscar() << true;
        QTest::newRow("latido") << clsParametros::TextoChkConnect() << true;
        QTest::newRow("empresa") << clsQuerys::TextoParametros() << true;
        QTest::newRow("items farmacia") << clsQuerys::TextoItemsTicket(ticketFarmacia, true) << true;
        QTest::newRow("items prestador") << clsQuerys::TextoItemsTicket(ticketPrestador, false) << true;
        QTest::newRow("datos prestador") << clsQuerys::TextoDatosPrestador(prestador) << true;
        QTest::newRow("transacciones farmacia")
            << clsQuerys::TextoCantidadFarmacia(prestador, desdeSql, hastaSql) << true;
        QTest::newRow("transacciones prestador")
            << clsQuerys::TextoCantidadPrestador(prestador, desdeSql, hastaSql) << true;
        QTest::newRow("tablas") << adhoc::sqlTablas() << true;
        QTest::newRow("columnas") << adhoc::sqlFormatoTabla(QStringLiteral("Prestadores")) << true;
        QTest::newRow("columnas de Medicamentos")
            << adhoc::sqlFormatoTabla(QStringLiteral("Medicamentos")) << true;
        QTest::newRow("detalle de ticket")
            << QStringLiteral("EXECUTE spgetDetalleTicket 0, %1, NULL").arg(ticketFarmacia) << true;
        QTest::newRow("tickets de un rango")
            << QStringLiteral("EXECUTE spRptTickets NULL, NULL, %1, %2, NULL, NULL, NULL")
                   .arg(ticketFarmacia)
                   .arg(ticketFarmacia + 30)
            << true;
        QTest::newRow("formulario de cierre")
            << QStringLiteral("EXECUTE spConsultaCierre 0, %1, 0, NULL, NULL, NULL").arg(cierre) << false;
        QTest::newRow("dos resultados")
            << "SELECT COUNT(*) AS Cuenta FROM Tickets (NOLOCK) SELECT TOP 3 * FROM Prestadores (NOLOCK)"
            << true;
        QTest::newRow("error tras el primero") << "SELECT 1 AS Uno; SELECT * FROM Nada" << true;
        QTest::newRow("avisos") << "PRINT 'Procesando cierre de Ñandú'; SELECT 2 AS Dos; PRINT 'listo'"
                                << true;
        QTest::newRow("numeric calculado") << "SELECT CONVERT(numeric(5,2), 100.0 / 3) AS Porcentaje" << true;
        QTest::newRow("los demás tipos")
            << "SELECT CONVERT(float, 1.5) AS F, CONVERT(bigint, 5) AS BI, CONVERT(tinyint, 7) AS TI, "
               "N'Ñandú Ω' AS NV, CONVERT(decimal(9,3), 2.5) AS D"
            << true;
        QTest::newRow("objeto inválido") << "SELECT * FROM Prestadore (NOLOCK)" << false;
        QTest::newRow("columna inválida") << "SELECT Importe FROM Cierres (NOLOCK)" << false;
        QTest::newRow("sintaxis") << "SELECT FROM WHERE" << false;
        QTest::newRow("división por cero") << "SELECT 1 / 0 AS x" << false;
        QTest::newRow("conversión") << "SELECT CONVERT(int, 'Ñandú') AS x" << false;
        QTest::newRow("raiserror") << "RAISERROR('Cierre inválido para Ñandú', 16, 1)" << false;
        QTest::newRow("no admitido") << "SELECT ROW_NUMBER() OVER (ORDER BY IdCierre) FROM Cierres" << false;
    }

    void sentencias()
    {
        QFETCH(QString, sql);
        QFETCH(bool, conFilas);
        compararSentencia(sql, conFilas);
    }

    // A name with Spanish accents written over the wire arrives as typed, and a value typed in any letter
    // case finds it and shows it back.
    void textoConAcentos()
    {
        QTemporaryDir carpeta;
        ServidorSql copia(copiaBase(carpeta));
        auto cable = conectar(copia.servidor());
        auto embebido = conectar(copia.servidorEmbebido());
        const QString prestador =
            embebido
                ->Query(QStringLiteral("SELECT IdPrestador FROM Cierres (NOLOCK) WHERE IdCierre = "
                                       "(SELECT MAX(IdCierre) FROM Cierres (NOLOCK))"),
                        true, true)
                ->Fields(0)
                .Value()
                .toString();
        const QString nombre = QStringLiteral("Farmacia Ñandú «Güemes»");
        cable->Query(QStringLiteral("UPDATE Prestadores SET Nombre = '%1' WHERE IdPrestador = %2")
                         .arg(nombre, prestador),
                     true, true);
        const auto guardado = embebido->Query(
            QStringLiteral("SELECT Nombre FROM Prestadores (NOLOCK) WHERE IdPrestador = ") + prestador, true,
            true);
        QCOMPARE(guardado->Fields(0).Value().toString().trimmed(), nombre);

        gConexion = cable.get();
        clsQuerys querys;
        auto rs = querys.Consulta(5, QStringLiteral("P.Nombre LIKE '%ñandú «güe%'"));
        QVERIFY(rs->RecordCount() > 0);
        for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext()) {
            const ado::Field campo = rs->Fields(QStringLiteral("Nombre Prestador"));
            QCOMPARE(campo.Value().toString(), nombre.leftJustified(campo.DefinedSize()));
            QCOMPARE(campo.ActualSize(), campo.DefinedSize());
        }
        QCOMPARE(querys.Consulta(1, QStringLiteral("P.Nombre = 'FARMACIA ÑANDÚ «GÜEMES»'"), true)
                     ->Fields(0)
                     .Value(),
                 QVariant(1));
        QCOMPARE(querys.Consulta(1, QStringLiteral("P.Nombre = 'Farmacia Nandu «Guemes»'"), true)
                     ->Fields(0)
                     .Value(),
                 QVariant(0));
        gConexion = nullptr;
        const QStringList incidentes = copia.tds().incidentes();
        QVERIFY2(incidentes.isEmpty(), qPrintable(incidentes.join(u'\n')));
    }

    // The closings window's data: spDatosCierre's five result sets, for a closing of each kind, a
    // provider's tickets not yet closed, and a closing that does not exist.
    void datosDeCierre_data()
    {
        QTest::addColumn<int>("prestador");
        QTest::addColumn<int>("cierre");
        const auto ultimoCierre = [&](const char* tipos) {
            return valor(QStringLiteral(
                             "SELECT MAX(C.IdCierre) FROM Cierres C (NOLOCK) INNER JOIN Prestadores P "
                             "(NOLOCK) ON P.IdPrestador = C.IdPrestador WHERE P.IdTipoPrestador ") +
                         QLatin1String(tipos))
                .toInt();
        };
        const auto prestadorDe = [&](int cierre) {
            return valor(QStringLiteral("SELECT IdPrestador FROM Cierres (NOLOCK) WHERE IdCierre = %1")
                             .arg(cierre))
                .toInt();
        };
        const int farmacia = ultimoCierre("IN (1, 14)");
        const int practicas = ultimoCierre("NOT IN (1, 14)");
        QTest::newRow("farmacia") << prestadorDe(farmacia) << farmacia;
        QTest::newRow("prácticas") << prestadorDe(practicas) << practicas;
        QTest::newRow("pendiente de un prestador") << 2 << 0;
        QTest::newRow("inexistente") << 0 << 999999;
    }

    void datosDeCierre()
    {
        QFETCH(int, prestador);
        QFETCH(int, cierre);
        const auto buscar = [&](cUserConnection& conexion) {
            gConexion = &conexion;
            clsCierres cierres;
            cierres.LaConexion = conexion.Connection;
            return cierres.BuscarDatosCierre(qint16(prestador), cierre);
        };
        auto cable = buscar(*mCable);
        auto embebido = buscar(*mEmbebido);
        int conjuntos = 1;
        for (auto rs = cable->NextRecordset(); rs; rs = rs->NextRecordset())
            ++conjuntos;
        QCOMPARE(conjuntos, 5);
        const QString d = diferencias(*cable, *embebido);
        QVERIFY2(d.isEmpty(), qPrintable(d));
    }

    // A closing generated through the procedure call and its output parameters, on a copy of the database
    // served over the wire and on another copy without it: the same number or refusal, the same data.
    void generarCierre_data()
    {
        QTest::addColumn<bool>("bFarmacia");
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("hasta");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("comentario");
        QTest::newRow("farmacia") << true << "01/05/2024"
                                  << "31/05/2024" << 0 << "";
        QTest::newRow("período inválido") << true << "31/05/2024"
                                          << "01/05/2024" << 28 << "Período de cierre inválido";
        QTest::newRow("no es de prácticas") << false << "01/05/2024"
                                            << "31/05/2024" << 39 << "El prestador es una farmacia";
    }

    void generarCierre()
    {
        QFETCH(bool, bFarmacia);
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(int, error);
        QFETCH(QString, comentario);
        const RelojFijo reloj(QDateTime(demo::pruebas::kHoy, QTime(10, 30)));
        QTemporaryDir carpeta;
        ServidorSql copia(copiaBase(carpeta, QStringLiteral("cable.sqlite")));
        auto cable = conectar(copia.servidor());
        auto embebido =
            conectar(QStringLiteral("sqlite:") + copiaBase(carpeta, QStringLiteral("embebido.sqlite")));
        const auto generar = [&](cUserConnection& conexion) {
            gConexion = &conexion;
            clsCierres cierres;
            cierres.LaConexion = conexion.Connection;
            cierres.CrearSpQuery();
            const qint32 numero = cierres.GenerarCierre(2, desde, hasta, bFarmacia);
            return QStringList{QString::number(numero), QString::number(cierres.Error), cierres.Comentrario};
        };
        const QStringList sinCable = generar(*embebido);
        QCOMPARE(generar(*cable), sinCable);
        QCOMPARE(sinCable.mid(1), (QStringList{QString::number(error), comentario}));
        const int numero = sinCable.first().toInt();
        QCOMPARE(numero > 0, error == 0);
        if (numero > 0) {
            clsCierres cierres;
            cierres.LaConexion = cable->Connection;
            auto datosCable = cierres.BuscarDatosCierre(2, numero);
            cierres.LaConexion = embebido->Connection;
            auto datosEmbebido = cierres.BuscarDatosCierre(2, numero);
            QVERIFY(datosCable->RecordCount() == 1 &&
                    datosCable->Fields(QStringLiteral("Error")).Value() == 0);
            const QString d = diferencias(*datosCable, *datosEmbebido);
            QVERIFY2(d.isEmpty(), qPrintable(d));
        }
        gConexion = nullptr;
        const QStringList incidentes = copia.tds().incidentes();
        QVERIFY2(incidentes.isEmpty(), qPrintable(incidentes.join(u'\n')));
    }

    // A command time-out: HYT00 in the error list, no lost link for the error driver, and the connection
    // answers the next statement.
    void tiempoAgotado()
    {
        auto conexion = conectar(mServidor->servidor());
        tds::Averia demora;
        demora.tipo = tds::Averia::Tipo::Demorar;
        demora.milisegundos = 15000;
        demora.siContiene = QStringLiteral("FROM Medicos");
        mServidor->tds().armarAveria(demora, mServidor->tds().conexionesAceptadas());
        conexion->Connection->CommandTimeout = 1;
        qint32 numero = -1;
        QString descripcion;
        QVERIFY(!conexion->Query(QStringLiteral("SELECT COUNT(*) FROM Medicos (NOLOCK)"), numero, descripcion,
                                 true));
        QVERIFY2(descripcion.startsWith(QLatin1String("HYT00 ")), qPrintable(descripcion));
        QVERIFY(numero <= 9999);
        gConexion = conexion.get();
        QString errores;
        QString ultimo;
        QVERIFY2(!ChekConexion(errores, ultimo), qPrintable(errores));
        QVERIFY2(QRegularExpression(QStringLiteral("^0 HYT00 .*\n0 HY008 .*$"))
                     .match(registros(*conexion->Connection))
                     .hasMatch(),
                 qPrintable(registros(*conexion->Connection)));
        QCOMPARE(mServidor->tds().atenciones(), 1);
        QCOMPARE(conexion->Query(QStringLiteral("SELECT COUNT(*) AS n FROM Medicos (NOLOCK)"), true, true)
                     ->Fields(0)
                     .Value()
                     .toInt(),
                 valor(QStringLiteral("SELECT COUNT(*) FROM Medicos (NOLOCK)")).toInt());
    }

    // However the link was dropped, the failure and every statement after it read as a lost link: 08S01
    // first, numbered above 9999, followed by what the driver said.
    void enlaceCaido_data()
    {
        QTest::addColumn<int>("corte");
        QTest::newRow("en reposo") << -1;
        QTest::newRow("antes de responder") << int(tds::Averia::Tipo::CortarAntesDeResponder);
        QTest::newRow("entre filas") << int(tds::Averia::Tipo::CortarEntreFilas);
    }

    void enlaceCaido()
    {
        QFETCH(int, corte);
        auto conexion = conectar(mServidor->servidor());
        const int numeroConexion = mServidor->tds().conexionesAceptadas();
        if (corte < 0) {
            // The program's connection and this one; those of earlier tests are closed.
            QTRY_COMPARE(mServidor->tds().conexionesAbiertas(), 2);
            mServidor->tds().cortarEnReposo(numeroConexion);
            QTRY_COMPARE(mServidor->tds().conexionesAbiertas(), 1);
        } else {
            tds::Averia averia;
            averia.tipo = tds::Averia::Tipo(corte);
            averia.filas = 3;
            mServidor->tds().armarAveria(averia, numeroConexion);
        }
        gConexion = conexion.get();
        for (const char* sql : {"SELECT * FROM Tickets (NOLOCK)", "SELECT 1 AS Uno"}) {
            qint32 numero = 0;
            QString descripcion;
            QVERIFY(!conexion->Query(QString::fromLatin1(sql), numero, descripcion, true));
            QVERIFY2(numero > 9999 && descripcion.startsWith(QLatin1String("08S01 ")),
                     qPrintable(descripcion));
            QVERIFY2(conexion->Connection->Errors().size() >= 2,
                     qPrintable(registros(*conexion->Connection)));
            QString errores;
            QString ultimo;
            QVERIFY(ChekConexion(errores, ultimo));
        }
    }
};

QTEST_MAIN(tst_e2eMotor)
#include "tst_e2eMotor.moc"

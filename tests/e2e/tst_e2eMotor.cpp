// The program's SQL Server engine through the real FreeTDS driver, against the embedded engine on the same
// database: every step of the program that reaches the database must bring the same result sets (names, ADO
// types, sizes, values, ActualSize), output values, errors, messages and rendered reports over the wire as
// without it.

#include "EntornoPrueba.h"
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
#include "reports/ColeccionParametros.h"
#include "reports/GeneracionReportes.h"
#include "reports/Informe.h"
#include "tds/Vigia.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::e2e;

namespace {

const QString kDesde = QStringLiteral("01/05/2024");
const QString kHasta = QStringLiteral("31/05/2024");

// What one step of the program gave on a connection: its result sets (null when none) and what it left
// besides (row counts, output values, the error list, a report's pages).
struct Resultado
{
    std::unique_ptr<ado::Recordset> rs;
    QStringList otros;
};
// A step run with gConexion pointing at the connection it is given.
using Paso = std::function<Resultado(cUserConnection&)>;

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

Paso consulta(int caso, const QString& condicion, bool cuenta)
{
    return [=](cUserConnection&) {
        clsQuerys querys;
        auto rs = querys.Consulta(caso, condicion, cuenta, kDesde, kHasta);
        return Resultado{std::move(rs), {QString::number(querys.RegistrosAfectados())}};
    };
}

// A statement as the program sends it, errors handed back rather than raised.
Paso sentencia(const QString& sql)
{
    return [=](cUserConnection& c) {
        qint32 error = 0;
        QString texto;
        auto rs = c.Query(sql, error, texto, true, false);
        return Resultado{std::move(rs), {QString::number(error), registros(*c.Connection)}};
    };
}

Paso datosDeCierre(int prestador, int cierre)
{
    return [=](cUserConnection& c) {
        clsCierres cierres;
        cierres.LaConexion = c.Connection;
        auto rs = cierres.BuscarDatosCierre(qint16(prestador), cierre);
        int conjuntos = 1;
        for (auto otro = rs->NextRecordset(); otro; otro = otro->NextRecordset())
            ++conjuntos;
        return Resultado{std::move(rs), {QString::number(conjuntos)}};
    };
}

// The closing through the procedure call and its output parameters, then the closing's data.
Paso generarCierre(const QString& desde, const QString& hasta, bool farmacia)
{
    return [=](cUserConnection& c) {
        clsCierres cierres;
        cierres.LaConexion = c.Connection;
        cierres.CrearSpQuery();
        const qint32 numero = cierres.GenerarCierre(2, desde, hasta, farmacia);
        Resultado r{nullptr, {QString::number(numero), QString::number(cierres.Error), cierres.Comentrario}};
        if (numero > 0)
            r.rs = cierres.BuscarDatosCierre(2, numero);
        return r;
    };
}

// A name with Spanish accents written, then found in any letter case and shown back.
Paso nombreConAcentos(const QString& prestador)
{
    return [=](cUserConnection& c) {
        c.Query(
            QStringLiteral("UPDATE Prestadores SET Nombre = 'Farmacia Ñandú «Güemes»' WHERE IdPrestador = ") +
                prestador,
            true, true);
        clsQuerys querys;
        const QVariant exacto =
            querys.Consulta(1, QStringLiteral("P.Nombre = 'FARMACIA ÑANDÚ «GÜEMES»'"), true)
                ->Fields(0)
                .Value();
        const QVariant sinAcentos =
            querys.Consulta(1, QStringLiteral("P.Nombre = 'Farmacia Nandu «Guemes»'"), true)
                ->Fields(0)
                .Value();
        return Resultado{querys.Consulta(5, QStringLiteral("P.Nombre LIKE '%ñandú «güe%'")),
                         {exacto.toString(), sinAcentos.toString()}};
    };
}

// A report generated through the report code and rendered, page by page, without its preview window.
Paso reporte(const QString& codigo, std::shared_ptr<ColeccionParametros> parametros)
{
    return [=](cUserConnection&) {
        PedidoReportes pedido;
        pedido.seleccionados = {{codigo, QStringLiteral("Item")}};
        pedido.parametros = parametros.get();
        pedido.carpeta = QStringLiteral(DALVOHD_CARPETA_REPORTES "/");
        QStringList textos;
        GenerarReportes(pedido, origenReportes(),
                        [&](const QString& nombre, ResultadoReporte& rs, const QString& carpeta,
                            const QString& empresa, const QString& titulo, const QString& subtitulo) {
                            QString marcador;
                            const InformePreparado p =
                                PrepararInforme(nombre, rs, carpeta, empresa, titulo, subtitulo, marcador);
                            textos << QString::number(p.estado);
                            for (int pagina = 0; p.informe && pagina < p.informe->cantidadPaginas(); ++pagina)
                                for (const reportes::Elemento& e : p.informe->elementosPagina(pagina))
                                    textos << e.texto;
                        });
        return Resultado{nullptr, textos};
    };
}

} // namespace

Q_DECLARE_METATYPE(Paso)

class tst_e2eMotor : public QObject
{
    Q_OBJECT

    tds::prueba::Vigia mVigia{30};
    const RelojFijo mReloj{QDateTime(demo::pruebas::kHoy, QTime(10, 30))};
    std::unique_ptr<prueba::GuionMensajes> mMensajes;
    std::unique_ptr<ServidorSql> mServidor;
    std::unique_ptr<cUserConnection> mCable;
    std::unique_ptr<cUserConnection> mEmbebido;

    QString valor(const QString& sql)
    {
        return mEmbebido->Query(sql, true, true)->Fields(0).Value().toString().trimmed();
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

    void init()
    {
        mVigia.armar(QTest::currentTestFunction());
        mMensajes = std::make_unique<prueba::GuionMensajes>();
    }

    void cleanup()
    {
        gConexion = nullptr;
        const QStringList incidentes = mServidor->tds().incidentes();
        const QList<ui::Mensaje> mostrados = mMensajes->mostrados();
        mMensajes.reset();
        mVigia.desarmar();
        QVERIFY2(incidentes.isEmpty(), qPrintable(incidentes.join(u'\n')));
        QVERIFY2(mostrados.isEmpty(), qPrintable(mostrados.value(0).texto));
    }

    // Every step, over the wire and without it. A step that writes runs on two fresh copies of the
    // database, one served over the wire.
    void igualQueSinElCable_data()
    {
        QTest::addColumn<Paso>("paso");
        QTest::addColumn<bool>("escribe");
        QTest::addColumn<bool>("conFilas");

        for (int caso = 1; caso <= 10; ++caso)
            for (const bool cuenta : {true, false})
                for (const QString& condicion : {QString(), condicionTipica(caso)})
                    QTest::addRow("tipo %d %s %s", caso, cuenta ? "cuenta" : "filas",
                                  condicion.isEmpty() ? "sin condicion" : "con condicion")
                        << consulta(caso, condicion, cuenta) << false << true;

        const qint32 ticketFarmacia =
            valor(QStringLiteral("SELECT MIN(IdTicket) FROM Item_Tickets (NOLOCK)")).toInt();
        const qint32 ticketPrestador =
            valor(QStringLiteral("SELECT MIN(IdTicket) FROM ItemTicketPrestador (NOLOCK)")).toInt();
        const qint32 prestador =
            valor(QStringLiteral("SELECT MIN(IdPrestador) FROM Tickets (NOLOCK)")).toInt();
        const QString desdeSql = QStringLiteral("05/01/2024 00:00:00");
        const QString hastaSql = QStringLiteral("05/31/2024 23:59:59");
        const int cierre = valor(QStringLiteral("SELECT MAX(IdCierre) FROM Cierres (NOLOCK)")).toInt();
        const auto conFilas = [](const char* nombre, const QString& sql) {
            QTest::newRow(nombre) << sentencia(sql) << false << true;
        };
        const auto sinFilas = [](const char* nombre, const QString& sql) {
            QTest::newRow(nombre) << sentencia(sql) << false << false;
        };
        conFilas("versión", QStringLiteral("SELECT @@VERSION AS Version"));
        conFilas("base", QStringLiteral("SELECT DB_NAME() AS BaseDatos"));
        conFilas("verificación del enlace", QString::fromLatin1(kVerificacionConexion));
        conFilas("parámetros", clsParametros::TextoBuscar());
        conFilas("latido", clsParametros::TextoChkConnect());
        conFilas("empresa", clsQuerys::TextoParametros());
        conFilas("items farmacia", clsQuerys::TextoItemsTicket(ticketFarmacia, true));
        conFilas("items prestador", clsQuerys::TextoItemsTicket(ticketPrestador, false));
        conFilas("datos prestador", clsQuerys::TextoDatosPrestador(prestador));
        conFilas("transacciones farmacia", clsQuerys::TextoCantidadFarmacia(prestador, desdeSql, hastaSql));
        conFilas("transacciones prestador", clsQuerys::TextoCantidadPrestador(prestador, desdeSql, hastaSql));
        conFilas("tablas", adhoc::sqlTablas());
        conFilas("columnas", adhoc::sqlFormatoTabla(QStringLiteral("Prestadores")));
        conFilas("columnas de Medicamentos", adhoc::sqlFormatoTabla(QStringLiteral("Medicamentos")));
        conFilas("detalle de ticket",
                 QStringLiteral("EXECUTE spgetDetalleTicket 0, %1, NULL").arg(ticketFarmacia));
        sinFilas("formulario de cierre",
                 QStringLiteral("EXECUTE spConsultaCierre 0, %1, 0, NULL, NULL, NULL").arg(cierre));
        conFilas("dos resultados", QStringLiteral("SELECT COUNT(*) AS Cuenta FROM Tickets (NOLOCK) "
                                                  "SELECT TOP 3 * FROM Prestadores (NOLOCK)"));
        conFilas("error tras el primero", QStringLiteral("SELECT 1 AS Uno; SELECT * FROM Nada"));
        conFilas("avisos",
                 QStringLiteral("PRINT 'Procesando cierre de Ñandú'; SELECT 2 AS Dos; PRINT 'listo'"));
        conFilas("numeric calculado",
                 QStringLiteral("SELECT CONVERT(numeric(5,2), 100.0 / 3) AS Porcentaje"));
        conFilas(
            "los demás tipos",
            QStringLiteral("SELECT CONVERT(float, 1.5) AS F, CONVERT(bigint, 5) AS BI, CONVERT(tinyint, 7) "
                           "AS TI, N'Ñandú Ω' AS NV, CONVERT(decimal(9,3), 2.5) AS D"));
        sinFilas("objeto inválido", QStringLiteral("SELECT * FROM Prestadore (NOLOCK)"));
        sinFilas("columna inválida", QStringLiteral("SELECT Importe FROM Cierres (NOLOCK)"));
        sinFilas("sintaxis", QStringLiteral("SELECT FROM WHERE"));
        sinFilas("división por cero", QStringLiteral("SELECT 1 / 0 AS x"));
        sinFilas("conversión", QStringLiteral("SELECT CONVERT(int, 'Ñandú') AS x"));
        sinFilas("raiserror", QStringLiteral("RAISERROR('Cierre inválido para Ñandú', 16, 1)"));
        sinFilas("no admitido", QStringLiteral("SELECT ROW_NUMBER() OVER (ORDER BY IdCierre) FROM Cierres"));

        const auto ultimoCierre = [&](const char* tipos) {
            return valor(QStringLiteral(
                             "SELECT MAX(C.IdCierre) FROM Cierres C (NOLOCK) INNER JOIN Prestadores P "
                             "(NOLOCK) ON P.IdPrestador = C.IdPrestador WHERE P.IdTipoPrestador ") +
                         QLatin1String(tipos))
                .toInt();
        };
        const auto prestadorDe = [&](int numero) {
            return valor(QStringLiteral("SELECT IdPrestador FROM Cierres (NOLOCK) WHERE IdCierre = %1")
                             .arg(numero))
                .toInt();
        };
        const int farmacia = ultimoCierre("IN (1, 14)");
        const int practicas = ultimoCierre("NOT IN (1, 14)");
        QTest::newRow("cierre de farmacia")
            << datosDeCierre(prestadorDe(farmacia), farmacia) << false << true;
        QTest::newRow("cierre de prácticas")
            << datosDeCierre(prestadorDe(practicas), practicas) << false << true;
        QTest::newRow("pendiente de un prestador") << datosDeCierre(2, 0) << false << true;
        QTest::newRow("cierre inexistente") << datosDeCierre(0, 999999) << false << false;

        QTest::newRow("generar cierre") << generarCierre(kDesde, kHasta, true) << true << true;
        QTest::newRow("generar: período inválido") << generarCierre(kHasta, kDesde, true) << true << false;
        QTest::newRow("generar: no es de prácticas") << generarCierre(kDesde, kHasta, false) << true << false;
        QTest::newRow("nombre con acentos")
            << nombreConAcentos(QString::number(prestadorDe(cierre))) << true << true;

        const int ticket = valor(QStringLiteral("SELECT MIN(IdTicket) FROM Tickets (NOLOCK)")).toInt();
        auto p = std::make_shared<ColeccionParametros>();
        p->Add(QStringLiteral("CIERREINICIAL"), QString::number(cierre - 20));
        p->Add(QStringLiteral("CIERREFINAL"), QString::number(cierre));
        p->Add(QStringLiteral("TICKETINICIAL"), QString::number(ticket));
        p->Add(QStringLiteral("TICKETFINAL"), QString::number(ticket + 30));
        QTest::newRow("reporte de un archivo de consulta")
            << reporte(QStringLiteral("KC3"), p) << false << true;
        QTest::newRow("reporte de un procedimiento") << reporte(QStringLiteral("KT3"), p) << false << true;
    }

    void igualQueSinElCable()
    {
        QFETCH(Paso, paso);
        QFETCH(bool, escribe);
        QFETCH(bool, conFilas);
        QTemporaryDir carpeta;
        std::unique_ptr<ServidorSql> copia;
        std::unique_ptr<cUserConnection> cable;
        std::unique_ptr<cUserConnection> embebido;
        if (escribe) {
            copia = std::make_unique<ServidorSql>(copiaBase(carpeta, QStringLiteral("cable.sqlite")));
            cable = conectar(copia->servidor());
            embebido =
                conectar(QStringLiteral("sqlite:") + copiaBase(carpeta, QStringLiteral("embebido.sqlite")));
        }
        const auto correr = [&](cUserConnection& conexion) {
            gConexion = &conexion;
            return paso(conexion);
        };
        Resultado sobreElCable = correr(escribe ? *cable : *mCable);
        Resultado sinCable = correr(escribe ? *embebido : *mEmbebido);
        QCOMPARE(sobreElCable.otros, sinCable.otros);
        QCOMPARE(bool(sobreElCable.rs), bool(sinCable.rs));
        if (conFilas)
            QVERIFY(sobreElCable.rs ? sobreElCable.rs->RecordCount() > 0 : sobreElCable.otros.size() > 1);
        if (sobreElCable.rs) {
            const QString d = diferencias(*sobreElCable.rs, *sinCable.rs);
            QVERIFY2(d.isEmpty(), qPrintable(d));
        }
        if (copia)
            QVERIFY2(copia->tds().incidentes().isEmpty(), qPrintable(copia->tds().incidentes().join(u'\n')));
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

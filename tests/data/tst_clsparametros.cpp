// clsParametros: the parameters row and the keep-alive query.

#include "common/Falla.h"
#include "data/MotorFalso.h"
#include "data/cUserConnection.h"
#include "data/clsParametros.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;
using pruebas::columna;
using pruebas::registro;

namespace {

const QString kBuscar = QStringLiteral(
    "SELECT  NombreEmpresa,    Periodo_Prox_Consumo,    Mensaje_Ticket,    Medicamentos_por_RDP,    "
    "Dias_Validez_Receta,    Directorio_TXT,    Directorio_FMT,    Directorio_LOG,    DirectorioTramites,    "
    "FechaTTAccion,    FechaAccion,    DirectorioTXTINMedicamentos,    DirectotioTXTOUTMedicamentos    FROM "
    "Parametros(NOLOCK)");
const QString kChk = QStringLiteral("SELECT  Medicamentos_por_RDP AS Chek     FROM Parametros(NOLOCK)");

using Fila = QVector<QVariant>;

Fila filaCompleta(const QVariant& nombre, const QVariant& periodo = 2402)
{
    return {nombre,     periodo,    "  Gracias por su compra  ",
            3,          30,         QVariant(),
            "/fmt",     "/log",     "/tramites",
            "20240101", "20240102", "/in",
            "/out"};
}

Tabla tablaParametros(const QVector<Fila>& filas)
{
    // The names as the statement lists them.
    const QStringList nombres = kBuscar.mid(8, kBuscar.indexOf(u"FROM") - 8).simplified().split(", ");
    QVector<Columna> columnas;
    for (const QString& n : nombres)
        columnas << columna(n,
                            n.startsWith(u"Periodo") || n.startsWith(u"Medic") || n.startsWith(u"Dias")
                                ? int(adSmallInt)
                                : int(adVarChar),
                            50);
    return pruebas::tabla(columnas, filas);
}

} // namespace

class TestClsParametros : public QObject
{
    Q_OBJECT

    void responder(const QVector<Fila>& filas)
    {
        mFalso->guion->responder = pruebas::servidorSimulado([filas](const QString& sql) {
            if (sql == kChk)
                return pruebas::lote(
                    {pruebas::tabla({columna("Chek", adSmallInt)}, QVector<Fila>(filas.size(), Fila{3}))});
            return pruebas::lote({tablaParametros(filas)});
        });
    }

    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::unique_ptr<cUserConnection> mConexion;

private slots:
    void init()
    {
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        mFalso->guion->responder = pruebas::servidorSimulado();
        mConexion = std::make_unique<cUserConnection>();
        mConexion->Connect("srv01", "operador", "secreto", "Pruebas");
        gConexion = mConexion.get();
    }

    void cleanup()
    {
        gConexion = nullptr;
        mConexion.reset();
        mFalso.reset();
    }

    void leeLaFilaSoloCuandoHayExactamenteUna_data()
    {
        QTest::addColumn<int>("filas");
        QTest::addColumn<QString>("nombre");
        QTest::newRow("ninguna") << 0 << "";
        QTest::newRow("una") << 1 << "Obra Social de Mendoza";
        QTest::newRow("dos") << 2 << "";
    }

    void leeLaFilaSoloCuandoHayExactamenteUna()
    {
        QFETCH(int, filas);
        responder(QVector<Fila>(filas, filaCompleta("Obra Social de Mendoza")));
        clsParametros p;
        p.Connection = mConexion->Connection;
        auto rs = p.Buscar();
        QVERIFY(rs);
        QCOMPARE(mFalso->guion->sentencias.last(), kBuscar);
        QCOMPARE(p.RegistrosLeidos, filas);
        QTEST(p.NombreEmpresa, "nombre");
        QCOMPARE(p.Periodo_Prox_Consumo, qint16(filas == 1 ? 2402 : 0));
        if (filas == 1) {
            QCOMPARE(p.Mensaje_Ticket, QStringLiteral("Gracias por su compra")); // without the blanks
            QCOMPARE(p.Directorio_TXT, QString());                               // NULL reads empty
            QCOMPARE(p.Dias_Validez_Receta, qint16(30));
            QCOMPARE(p.DirectotioTXTOUTMedicamentos, QStringLiteral("/out"));
        }
    }

    void unaColumnaDe16BitsInvalidaFallaSinTocarNada_data()
    {
        QTest::addColumn<QVariant>("periodo");
        QTest::addColumn<qint32>("numero");
        QTest::newRow("nulo") << QVariant() << 94;
        QTest::newRow("fuera de rango") << QVariant(40000) << 6;
    }

    void unaColumnaDe16BitsInvalidaFallaSinTocarNada()
    {
        QFETCH(QVariant, periodo);
        responder({filaCompleta("Primera", 7)});
        clsParametros p;
        p.Buscar();

        responder({filaCompleta("Segunda", periodo), filaCompleta("x")});
        p.Buscar(); // two rows: RegistrosLeidos changes, the values do not
        QCOMPARE(p.RegistrosLeidos, 2);

        responder({filaCompleta("Segunda", periodo)});
        try {
            p.Buscar();
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Origen, QStringLiteral("clsParametros"));
            QTEST(f.Numero, "numero");
        }
        QCOMPARE(p.NombreEmpresa, QStringLiteral("Primera"));
        QCOMPARE(p.Periodo_Prox_Consumo, qint16(7));
        QCOMPARE(p.RegistrosLeidos, 2);
    }

    void chkConnectCuentaLasFilasOFallaComoEnlaceCaido()
    {
        responder({filaCompleta("x")});
        clsParametros p;
        auto rs = p.chkConnect();
        QCOMPARE(mFalso->guion->sentencias.last(), kChk);
        QCOMPARE(p.RegistrosLeidos, 1);
        QCOMPARE(rs->Fields("Chek").Value(), QVariant(3));

        mFalso->guion->responder = [](const QString&, const DatosConexion&) -> Lote {
            pruebas::fallar({registro(0, "HY000", "Unknown error")});
        };
        mFalso->guion->enlacePerdido = true;
        try {
            p.chkConnect();
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Origen, QStringLiteral("clsParametros.chkConnect"));
            QCOMPARE(f.Numero, 20006);
            QVERIFY(f.Descripcion.startsWith(QLatin1String("08S01")));
        }
    }
};

QTEST_GUILESS_MAIN(TestClsParametros)
#include "tst_clsparametros.moc"

// clsQuerys: the statements it sends, its row count and company name, and how it fails.

#include "EntornoPrueba.h"
#include "common/Falla.h"
#include "consultation/clsQuerys.h"
#include "data/MotorFalso.h"
#include "data/cUserConnection.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;
using pruebas::columna;
using pruebas::lote;
using pruebas::registro;
using pruebas::tabla;

namespace {

// One statement of each shape, written out as the server must receive it: a count, kind 4 with its
// grouping.
struct Base
{
    int caso;
    bool cuenta;
    QString texto;
};

const QVector<Base>& bases()
{
    static const QVector<Base> lista = {
        {2, true, QStringLiteral("SELECT COUNT(DISTINCT Num_Afil) AS [Cuenta]    FROM Tickets (NOLOCK)")},
        {4, false,
         QStringLiteral(
             "SELECT DISTINCT(T.idticket) AS [Cupón],    RIGHT('000000' + CONVERT(VarChar(9), T.AuSysT), 6) "
             "AS [AuSysT],    ISNULL(T.Fecha_Prestacion,'') AS [Fecha Prestación],    T.num_Afil AS "
             "[Asociado],    T.num_cred AS [Credencial],    T.Ingreso_manual AS [Forma Ingreso],    P.Nombre "
             "AS [Nombre Prestador],    ISNULL(T.medico_receta,0) AS [Medico Receta],    (SELECT "
             "ISNULL(Medicos.Nombre,'') FROM Medicos (NOLOCK) WHERE "
             "Medicos.IdMedico=ISNULL(T.medico_receta,0)) AS [Nombre Medico Receta],    "
             "ISNULL(CONVERT(Char(10), T.Fecha_Receta, 103),'') AS [Fecha de Receta] ,    C.Cobertura AS "
             "[Cobertura],    T.Desc_al_afiliado AS [Desc. Afiliado],    T.desc_os AS [Desc. O.S.],    "
             "ISNULL( CONVERT(VarChar(10), T.idCierre),'') AS [Cierre],    T.Anulado AS [HH Anulado],    "
             "ISNULL( CONVERT(VarChar(10), T.idAutorizacion),'') AS [Autorización],    T.idPrestador AS [HH "
             "IdPrestador],    T.IdCobertura AS [HH IdCobertura],    CASE WHEN IT.cantidad <= "
             "IT.cantidad_dev THEN '1' ELSE '0' END AS [HH Descontado],    CASE WHEN IT.precio < 0 THEN '1' "
             "ELSE '0' END AS [HH Devolucion]    FROM Tickets T (NOLOCK)    INNER JOIN Prestadores P "
             "(NOLOCK) ON        P.IdPrestador = T.IdPrestador    INNER JOIN Cobertura C (NOLOCK) ON        "
             "C.IdCobertura = T.IdCobertura    INNER JOIN Item_Tickets IT (nolock) ON         T.idticket = "
             "IT.idticket")},
    };
    return lista;
}

// Kind 1's rows hold the provider's ticket count in the date range.
const QString kFilasPrestadoresAntes = QStringLiteral(
    "SELECT  P.IdPrestador AS [Id],    TP.TipoPrestador AS [Tipo],    ISNULL(P.Matricula,'') AS [Matrícula], "
    "   P.IdEspecialidad AS [Especialidad],    P.Prestador_OS AS [Código],    P.Nombre AS [Nombre],    "
    "P.Direccion AS [Dirección],    D.Departamento AS [Departamento],    ISNULL(P.CodPostal,'') AS [Cod. "
    "Postal],    ISNULL(P.Telefono,'') AS [Teléfono],    ISNULL(P.Cuit,'') AS [Cuit],    "
    "ISNULL(P.CondIVA,'') AS [Condición IVA],    ISNULL(P.IngBrutos,'') AS [Ingresos Brutos],    "
    "P.Desc_al_Afiliado AS [Desc. al Asociado],    P.Desc_a_OS AS [Desc. a O.S.],    P.Desc_Min_Obligado AS "
    "[Desc. Min. Obl.],    P.fUltModif AS [Fec. Modificación],    P.Baja AS [HH Baja],    P.IdTipoPrestador "
    "AS [HH IdTipoPrestador],    (SELECT COUNT(*) FROM Tickets T (NOLOCK) WHERE T.IdPrestador = "
    "P.IdPrestador         AND T.Fecha_Prestacion BETWEEN '");
const QString kFilasPrestadoresDespues = QStringLiteral(
    "') AS Cuenta,    ISNULL(P.Licencia,'') AS Licencia    FROM Prestadores P (NOLOCK)    LEFT JOIN "
    "TipoPrestador TP (NOLOCK) ON        TP.IdTipoPrestador = P.IdTipoPrestador    INNER JOIN "
    "Departamentos D (NOLOCK) ON        D.IdDepartamento = P.IdDepartamento");

QString filasPrestadores(const QString& desde, const QString& hasta)
{
    return kFilasPrestadoresAntes + desde + QStringLiteral("' AND '") + hasta + kFilasPrestadoresDespues;
}

const QString kAgrupacionTickets = QStringLiteral(
    " GROUP BY T.idticket, T.AuSysT, T.Fecha_Prestacion, T.num_Afil, T.num_cred, T.Ingreso_manual, P.Nombre, "
    "T.medico_receta, T.Fecha_Receta, C.Cobertura, T.Desc_al_afiliado, T.desc_os, T.idCierre, T.Anulado, "
    "T.idAutorizacion, T.idPrestador, T.IdCobertura, IT.cantidad, IT.cantidad_dev, IT.precio");
Tabla cuenta(int valor)
{
    return tabla({columna(QStringLiteral("Cuenta"), adInteger)}, {{valor}});
}

Tabla filas(int cantidad)
{
    QVector<QVector<QVariant>> valores;
    for (int i = 0; i < cantidad; ++i)
        valores.append(QVector<QVariant>{i});
    return tabla({columna(QStringLiteral("Id"), adInteger)}, valores);
}

void ejecutar(clsQuerys& querys, const QString& operacion)
{
    if (operacion == u"Parametros")
        querys.Parametros();
    else
        querys.CantidadTransacciones(7, QStringLiteral("06/01/2024 00:00:00"),
                                     QStringLiteral("06/30/2024 23:59:59"));
}

} // namespace

class TestClsQuerys : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::unique_ptr<cUserConnection> mConexion;
    std::function<Lote(const QString&)> mRespuesta;

    QString enviada() const { return mFalso->guion->sentencias.last(); }
    void responder(std::function<Lote(const QString&)> respuesta) { mRespuesta = std::move(respuesta); }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        mRespuesta = {};
        mFalso->guion->responder = pruebas::servidorSimulado(
            [this](const QString& sql) { return mRespuesta ? mRespuesta(sql) : lote({cuenta(0)}); });
        mConexion = std::make_unique<cUserConnection>();
        gConexion = mConexion.get();
        mConexion->Connect(QStringLiteral("srv"), QStringLiteral("u"), QStringLiteral("p"),
                           QStringLiteral("dalvoPralMendoza"));
    }

    void cleanup()
    {
        gConexion = nullptr;
        mConexion.reset();
        mFalso.reset();
        mEntorno.reset();
    }

    // Every kind, count and rows, with and without a condition: WHERE, then kind 4's grouping, then the
    // ordering, which only a condition brings. Only the providers' rows take the dates, as SQL dates.
    void consultaEnviaElTextoDeCadaTipo_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<bool>("bCuenta");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<QString>("desde");
        QTest::addColumn<QString>("esperado");
        const QString cond = QStringLiteral("P.Nombre LIKE '%a%'");
        const QString mayo = QStringLiteral("01/05/2024");
        for (const Base& base : bases()) {
            const QString nombre =
                QStringLiteral("%1 %2").arg(base.caso).arg(QLatin1String(base.cuenta ? "cuenta" : "filas"));
            const QString agrupacion = base.caso == 4 && !base.cuenta ? kAgrupacionTickets : QString();
            QTest::newRow(qPrintable(nombre + " sin condicion"))
                << base.caso << base.cuenta << QString() << mayo << base.texto + agrupacion;
            QTest::newRow(qPrintable(nombre + " con condicion"))
                << base.caso << base.cuenta << cond << QString()
                << base.texto + QStringLiteral(" WHERE ") + cond + agrupacion + QStringLiteral(" ORDER BY 1");
        }
        QTest::newRow("1 filas sin fechas")
            << 1 << false << QString() << QString() << filasPrestadores({}, {});
        QTest::newRow("1 filas con fechas")
            << 1 << false << QString() << QStringLiteral("3/5/2024")
            << filasPrestadores(QStringLiteral("05/03/2024 00:00:00"), QStringLiteral("05/31/2024 23:59:59"));
        QTest::newRow("tipo desconocido") << 11 << false << QStringLiteral("X = 1") << QString()
                                          << QStringLiteral(" WHERE X = 1 ORDER BY 1");
    }
    void consultaEnviaElTextoDeCadaTipo()
    {
        QFETCH(int, caso);
        QFETCH(bool, bCuenta);
        QFETCH(QString, condicion);
        QFETCH(QString, desde);
        QFETCH(QString, esperado);
        const QString hasta = desde.isEmpty() ? QString() : QStringLiteral("31/05/2024");
        clsQuerys querys;
        querys.Consulta(caso, condicion, bCuenta, desde, hasta)->Close();
        QCOMPARE(enviada(), esperado);
    }

    // The other statements; a database error leaves with the operation's source. Consulta and
    // Parametros keep the previous count, the others have cleared it.
    void otrasOperaciones_data()
    {
        QTest::addColumn<QString>("operacion");
        QTest::addColumn<QStringList>("esperadas");
        QTest::addColumn<int>("cuentaTrasFalla");
        const QString junio = QStringLiteral("BETWEEN '06/01/2024 00:00:00' AND '06/30/2024 23:59:59'");
        QTest::newRow("parametros") << "Parametros"
                                    << QStringList{QStringLiteral(
                                           "SELECT Parametros.NombreEmpresa FROM Parametros (NOLOCK)")}
                                    << 1;
        // Pharmacy tickets plus provider tickets of operations 11 and 31; the dates go in as they are.
        QTest::newRow("transacciones")
            << "CantidadTransacciones"
            << QStringList{QStringLiteral(
                               "SELECT COUNT(*) AS [Cuenta] FROM Tickets (NOLOCK)     WHERE IdPrestador = 7"
                               "        AND Fecha_Prestacion ") +
                               junio,
                           QStringLiteral(
                               "SELECT COUNT(*) AS [Cuenta] FROM TicketPrestador (NOLOCK)     WHERE "
                               "IdPrestador = 7      AND Operacion IN ('31', '11')      AND "
                               "FechaDePractica ") +
                               junio}
            << 0;
    }
    void otrasOperaciones()
    {
        QFETCH(QString, operacion);
        QFETCH(QStringList, esperadas);
        QFETCH(int, cuentaTrasFalla);
        clsQuerys querys;
        responder([](const QString& sql) {
            if (sql.contains(QStringLiteral("NombreEmpresa")))
                return lote({tabla({columna(QStringLiteral("NombreEmpresa"), adVarChar, 60)}, {{"OSP"}})});
            return lote({cuenta(sql.contains(QStringLiteral("TicketPrestador (NOLOCK)")) ? 5 : 12)});
        });
        const qsizetype antes = mFalso->guion->sentencias.size();
        ejecutar(querys, operacion);
        QCOMPARE(mFalso->guion->sentencias.mid(antes), esperadas);
        QCOMPARE(querys.RegistrosAfectados(), qint16(1));
        if (operacion == u"CantidadTransacciones")
            QCOMPARE(querys.CantidadTransacciones(7, {}, {}), 17);

        responder([](const QString&) -> Lote {
            pruebas::fallar({registro(208, QStringLiteral("42S02"), QStringLiteral("Invalid object name"))});
        });
        try {
            ejecutar(querys, operacion);
            QFAIL("no falló");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 208);
            QCOMPARE(f.Origen, QStringLiteral("clsQuerys.") + operacion.section(u' ', 0, 0));
            QCOMPARE(f.Descripcion, QStringLiteral("42S02 Invalid object name"));
        }
        QCOMPARE(querys.RegistrosAfectados(), qint16(cuentaTrasFalla));
    }

    // The count is kept wide and narrowed to 16 bits when read.
    void registrosAfectadosDesbordaSobre32767_data()
    {
        QTest::addColumn<int>("cantidad");
        QTest::addColumn<bool>("desborda");
        QTest::newRow("32767") << 32767 << false;
        QTest::newRow("32768") << 32768 << true;
    }
    void registrosAfectadosDesbordaSobre32767()
    {
        QFETCH(int, cantidad);
        QFETCH(bool, desborda);
        responder([&](const QString&) { return lote({filas(cantidad)}); });
        clsQuerys querys;
        querys.Consulta(6, {})->Close();
        try {
            QCOMPARE(querys.RegistrosAfectados(), qint16(cantidad));
            QVERIFY(!desborda);
        } catch (const Falla& f) {
            QVERIFY(desborda);
            QCOMPARE(f.Numero, 6);
            QCOMPARE(f.Descripcion, QStringLiteral("Desbordamiento"));
            QCOMPARE(f.Origen, QStringLiteral("clsQuerys.RegistrosAfectados"));
        }
    }
};

QTEST_GUILESS_MAIN(TestClsQuerys)
#include "tst_clsQuerys.moc"

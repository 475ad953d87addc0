// The criteria that name a key or a code reach their rows through an index: the consultation's own count
// and rows statements, built from the criterion as the console builds them and translated by the demo
// server, planned by SQLite on a database with the demo's indexes.

#include "BasePruebas.h"
#include "consultation/CondicionConsulta.h"
#include "consultation/clsQuerys.h"
#include "data/embedded/MotorEmbebido.h"

#include <QRegularExpression>
#include <QtTest>

using namespace dalvo;

class tst_PlanesCriterios : public QObject
{
    Q_OBJECT

    embebido::MotorEmbebido mMotor;

private slots:
    void initTestCase()
    {
        ado::DatosConexion datos;
        datos.servidor = QStringLiteral("sqlite:") + demo::pruebas::basePruebas();
        datos.baseDatos = QStringLiteral("dalvoPralMendoza");
        datos.usuario = QStringLiteral("operador");
        datos.clave = QStringLiteral("demo");
        mMotor.abrir(datos);
    }

    void usaIndice_data();
    void usaIndice();
};

void tst_PlanesCriterios::usaIndice_data()
{
    QTest::addColumn<int>("caso");
    QTest::addColumn<QString>("criterio");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<bool>("exacto");
    QTest::addColumn<QString>("buscada");         // the alias that must be reached by a SEARCH
    QTest::addColumn<QStringList>("sinRecorrer"); // aliases that must never be scanned whole

    const QStringList farmacia{"T", "IT", "Medicos"};
    const QStringList prestador{"T", "Medicos"};
    const auto fila = [](const char* nombre, int caso, const char* criterio, const char* valor, bool exacto,
                         const char* buscada, const QStringList& sinRecorrer) {
        QTest::newRow(nombre) << caso << criterio << valor << exacto << buscada << sinRecorrer;
    };
    fila("prestadores, clave", 1, "Clave", "12", false, "P", {"P"});
    // The count names the table without an alias.
    fila("afiliados, número exacto", 2, "Numero", "10000123/00", true, "(A|Tickets)", {"A", "Tickets"});
    fila("medicamentos, troquel exacto", 3, "Troquel", "0100317", true, "M", {"M"});
    fila("médicos, matrícula exacta", 8, "Matricula", "000101", true, "M", {"M"});
    fila("farmacia, clave", 4, "Clave", "5", false, "T", farmacia);
    fila("farmacia, AuSysT", 4, "AuSysT", "100016", false, "T", farmacia);
    fila("farmacia, cierre", 4, "Cierre", "3", false, "T", farmacia);
    fila("farmacia, código de prestador exacto", 4, "Codigo Prestador", "100001", true, "P", farmacia);
    fila("farmacia, tickets del código de prestador", 4, "Codigo Prestador", "100001", true, "T", farmacia);
    fila("farmacia, asociado", 4, "Asociado", "1000012", false, "T", farmacia);
    fila("prestador, clave", 9, "Clave", "2000005", false, "T", prestador);
    fila("prestador, AuSysT", 9, "AuSysT", "500016", false, "T", prestador);
    fila("prestador, cierre", 9, "Cierre", "3", false, "T", prestador);
    fila("prestador, código de prestador exacto", 9, "Codigo Prestador", "200004", true, "P", prestador);
    fila("prestador, tickets del código de prestador", 9, "Codigo Prestador", "200004", true, "T", prestador);
    fila("prestador, asociado", 9, "Asociado", "1000012", false, "T", prestador);
    fila("cierres, clave", 5, "Clave", "5", false, "C", {"C"});
}

void tst_PlanesCriterios::usaIndice()
{
    QFETCH(int, caso);
    QFETCH(QString, criterio);
    QFETCH(QString, valor);
    QFETCH(bool, exacto);
    QFETCH(QString, buscada);
    QFETCH(QStringList, sinRecorrer);

    const PedidoConsulta pedido{
        caso, criterio, valor, exacto, QStringLiteral("01/05/2024"), QStringLiteral("31/05/2024")};
    const CondicionConsulta c = ArmarCondicion(pedido);
    QVERIFY(c.numeroValido);
    QVERIFY(!c.condicion.isEmpty());
    for (const bool cuenta : {true, false}) {
        const QString sql = clsQuerys::TextoConsulta(caso, c.condicion, cuenta, pedido.desde, pedido.hasta);
        const QStringList plan = mMotor.planDeConsulta(sql);
        const QString detalle = (cuenta ? QStringLiteral("cuenta: ") : QStringLiteral("filas: ")) +
                                plan.join(QStringLiteral(" | "));
        const QRegularExpression busca(QStringLiteral("^SEARCH %1 USING ").arg(buscada));
        QVERIFY2(std::any_of(plan.begin(), plan.end(),
                             [&](const QString& p) { return busca.match(p).hasMatch(); }),
                 qPrintable(detalle));
        for (const QString& paso : plan) {
            for (const QString& alias : sinRecorrer) {
                const bool recorre = paso == QStringLiteral("SCAN ") + alias ||
                                     paso.startsWith(QStringLiteral("SCAN ") + alias + u' ');
                QVERIFY2(!recorre, qPrintable(detalle));
            }
        }
    }
}

QTEST_GUILESS_MAIN(tst_PlanesCriterios)
#include "tst_PlanesCriterios.moc"

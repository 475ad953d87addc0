// Conditions and captions of every search kind and criterion, the number check, quotes in typed values.

#include "EntornoPrueba.h"
#include "consultation/CondicionConsulta.h"
#include "consultation/TiposConsulta.h"

#include <QTest>

using namespace dalvo;

namespace {

const QString D = QStringLiteral("01/05/2024");
const QString H = QStringLiteral("31/05/2024");
const QString S = QStringLiteral("05/01/2024 00:00:00");
const QString E = QStringLiteral("05/31/2024 23:59:59");
const QString kEntre = D + QStringLiteral(" y el ") + H;

// The range piece of a date column.
QString rango(const QString& columna)
{
    return columna + QStringLiteral(" BETWEEN '") + S + QStringLiteral("' AND '") + E + u'\'';
}

CondicionConsulta armar(qint32 caso, const QString& criterio, const QString& valor, bool exacto = false,
                        const QString& desde = D, const QString& hasta = H)
{
    return ArmarCondicion({caso, criterio, valor, exacto, desde, hasta});
}

} // namespace

class TstCondicionConsulta : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;

private slots:
    void init() { mEntorno = std::make_unique<prueba::EntornoPrueba>(); }
    void cleanup() { mEntorno.reset(); }

    void condiciones_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QString>("criterio");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<bool>("exacto");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<QString>("descripcion");

        auto fila = [](const char* nombre, int caso, const QString& criterio, const QString& valor,
                       bool exacto, const QString& condicion, const QString& descripcion) {
            QTest::newRow(nombre) << caso << criterio << valor << exacto << condicion << descripcion;
        };
        const QString conFechas = QStringLiteral(", entre el ") + kEntre;

        fila("1 código exacto es igual", 1, "CODIGO", "100", true, "P.Prestador_OS LIKE '%100%'",
             "Prestadores con código 100");
        fila("1 nombre exacto", 1, "Nombre", " Sol", true, "P.Nombre = ' Sol'",
             "Prestadores con nombre igual a Sol");
        fila("1 con movimientos", 1, "Con Movimientos", "", false,
             " (SELECT COUNT(*) FROM Tickets T (NOLOCK) WHERE T.IdPrestador = P.IdPrestador AND " +
                 rango("T.Fecha_Prestacion") + ") > 0",
             "Prestadores con movimientos entre el " + kEntre);

        fila("2 clave como número", 2, "Clave", "123", false, "Num_Afil LIKE '%123%'",
             "Afiliados con número parecido a 123");

        fila("7 nombre exacto es prefijo", 7, "Nombre", "CONSULTA", true, "P.Descripcion LIKE 'CONSULTA%'",
             "Práctica con nombre igual a CONSULTA");

        fila("8 clave entre comillas", 8, "Clave", "5", false, "M.idMedico = '5'",
             "Médico con clave igual a 5");

        fila("4 fecha", 4, "Fecha", "", false, " " + rango("T.Fecha_Prestacion"),
             "Tickets entre el " + kEntre);
        fila("4 código exacto", 4, "Codigo Prestador", "100001", true,
             "P.Prestador_OS = '100001' AND " + rango("T.Fecha_Prestacion"),
             "Tickets para codigo de prestador igual a 100001" + conFechas);
        fila("4 asociado recortado", 4, "Asociado", " 99 ", false,
             "T.num_Afil LIKE '99%' AND " + rango("T.Fecha_Prestacion"), "Tickets del asociado 99");

        fila("5 prestador exacto", 5, "Prestador", "Farmacia Sol", true,
             "P.Nombre = 'Farmacia Sol' AND " + rango("C.FechaServer"),
             "Cierres para nombre de prestador igual a Farmacia Sol" + conFechas);

        fila("10 código parecido", 10, "Codigo", "7", false, "A.CodigoAccion LIKE '%7%'",
             "Medicamentos con código parecido a 7");

        fila("6 clave", 6, "Clave", "547", false, " NumeroErrorSYS = 547", "Error número 547");
        fila("6 criterio desconocido", 6, "Otro", "547", false, "", "Lista de Errores");
        fila("1 criterio desconocido", 1, "Otro", "x", false, "", "<sin cambio>");
    }
    void condiciones()
    {
        QFETCH(int, caso);
        QFETCH(QString, criterio);
        QFETCH(QString, valor);
        QFETCH(bool, exacto);
        QFETCH(QString, condicion);
        QFETCH(QString, descripcion);
        const CondicionConsulta r = armar(caso, criterio, valor, exacto);
        QVERIFY(r.numeroValido);
        QCOMPARE(r.condicion, condicion);
        QCOMPARE(r.descripcion.value_or(QStringLiteral("<sin cambio>")), descripcion);
        QVERIFY(!r.valorReescrito);
    }

    // Exact action codes are written back with four digits; caption and condition use the new text.
    void codigoDeAccionExacto_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("codigo");
        const auto fila = [](const char* valor, const char* codigo) {
            QTest::newRow(valor) << QString::fromLatin1(valor) << QString::fromLatin1(codigo);
        };
        fila("7", "0007");
        fila("12345", "2345");
    }
    void codigoDeAccionExacto()
    {
        QFETCH(QString, valor);
        QFETCH(QString, codigo);
        const CondicionConsulta r = armar(10, QStringLiteral("Codigo"), valor, true);
        QCOMPARE(r.valorReescrito.value_or(QString()), codigo);
        QCOMPARE(r.condicion, "A.CodigoAccion = '" + codigo + "'");
        QCOMPARE(*r.descripcion, "Acciones con código igual a " + codigo);
    }

    // Every criterion that needs a number, against values that are not one (several of them would change
    // the statement if they went in unquoted).
    void criteriosNumericosRechazan_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QString>("criterio");
        QTest::addColumn<bool>("exacto");
        QTest::addColumn<QString>("valor");
        const QList<std::tuple<int, const char*, bool>> criterios{
            {1, "Clave", false},    {3, "Troquel", true}, {3, "Codigo de Barra", false}, {7, "Codigo", true},
            {8, "Matricula", true}, {8, "Clave", false},  {4, "Clave", false},           {4, "AuSysT", false},
            {4, "Cierre", false},   {9, "Clave", false},  {9, "AuSysT", false},          {9, "Cierre", false},
            {5, "Clave", false},    {10, "Codigo", true}, {10, "Codigo", false},         {6, "Clave", false}};
        const QStringList valores{"ab", "", "1 OR 1=1", "1;DROP TABLE Tickets", "1--", "1/*", "0x1F", "1)"};
        for (const auto& [caso, criterio, exacto] : criterios)
            for (const QString& valor : valores)
                QTest::addRow("%d %s '%s'", caso, criterio, qPrintable(valor))
                    << caso << criterio << exacto << valor;
    }
    void criteriosNumericosRechazan()
    {
        QFETCH(int, caso);
        QFETCH(QString, criterio);
        QFETCH(bool, exacto);
        QFETCH(QString, valor);
        const CondicionConsulta r = armar(caso, criterio, valor, exacto);
        QVERIFY(!r.numeroValido);
        QVERIFY(r.condicion.isEmpty());
        QVERIFY(!r.valorReescrito);
        // Only the errors kind has a caption before its criterion is read.
        QCOMPARE(r.descripcion.has_value(), caso == 6);
    }

    // For every kind, criterion and exact flag: a value full of quotes lands in the statement only as a
    // literal with its quotes doubled. Replacing that doubled text by a plain word gives exactly the
    // statement of the plain word.
    void unaComillaNoCambiaLaSentencia_data()
    {
        QTest::addColumn<int>("caso");
        QTest::addColumn<QString>("criterio");
        QTest::addColumn<bool>("exacto");
        for (const TipoConsulta& tipo : tiposConsulta())
            for (const QString& criterio : tipo.criterios)
                for (const bool exacto : {false, true})
                    QTest::addRow("%s %s%s", qPrintable(tipo.clave), qPrintable(criterio),
                                  exacto ? " exacto" : "")
                        << tipo.caso << criterio << exacto;
    }
    void unaComillaNoCambiaLaSentencia()
    {
        QFETCH(int, caso);
        QFETCH(QString, criterio);
        QFETCH(bool, exacto);
        const QString hostil = QStringLiteral("O'Brien' OR '1'='1' --");
        const QString doblado = QStringLiteral("O''Brien'' OR ''1''=''1'' --");
        const CondicionConsulta conComillas = armar(caso, criterio, hostil, exacto);
        const CondicionConsulta simple = armar(caso, criterio, QStringLiteral("palabra"), exacto);
        if (!conComillas.numeroValido) {
            QVERIFY(!simple.numeroValido);
            QVERIFY(conComillas.condicion.isEmpty());
            return;
        }
        QString reemplazada = conComillas.condicion;
        reemplazada.replace(doblado, QStringLiteral("palabra"));
        QCOMPARE(reemplazada, simple.condicion);
        // The caption shows the value as typed.
        if (simple.descripcion && simple.descripcion->contains(QStringLiteral("palabra")))
            QVERIFY(conComillas.descripcion->contains(hostil));
    }

    void esNumero_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<bool>("numero");
        const QList<std::pair<const char*, bool>> es{
            {"12", true},        {" 12 ", true},   {"-3", true},   {"+3", true},   {"1,5", true},
            {",5", true},        {"5,", true},     {"1e5", true},  {"1E-5", true}, {"\t7", true},
            {"1.5", false},      {"1.000", false}, {"", false},    {" ", false},   {"ab", false},
            {"12a", false},      {"1 2", false},   {"--1", false}, {"1--", false}, {"- 1", false},
            {"1e", false},       {"e5", false},    {"1d5", false}, {"'1'", false}, {"1,5,3", false},
            {"0x1F", false},     {"&H1F", false},  {"$5", false},  {"(5)", false}, {"1;", false},
            {"1 OR 1=1", false}, {"１２", false},  {"\n1", false}, {",", false},   {"+", false}};
        for (const auto& [valor, numero] : es)
            QTest::addRow("es_AR '%s'", valor) << "es_AR" << QString::fromUtf8(valor) << numero;
        QTest::newRow("en_US punto") << QStringLiteral("en_US") << QStringLiteral("1.5") << true;
        QTest::newRow("en_US coma") << QStringLiteral("en_US") << QStringLiteral("1,5") << false;
    }
    void esNumero()
    {
        QFETCH(QString, local);
        QFETCH(QString, valor);
        QFETCH(bool, numero);
        mEntorno->setLocal(QLocale(local));
        QCOMPARE(EsNumero(valor), numero);
    }
};

QTEST_MAIN(TstCondicionConsulta)
#include "tst_CondicionConsulta.moc"

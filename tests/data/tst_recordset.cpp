// Result sets: navigation, fields, sizes, null against empty, the further result sets of a batch.

#include "common/Falla.h"
#include "data/Connection.h"
#include "data/MotorFalso.h"
#include "data/Recordset.h"
#include "data/cUserConnection.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::ado;
using pruebas::columna;
using pruebas::registro;
using pruebas::tabla;

class TestRecordset : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void recorreHaciaAdelanteYAtras();
    void unConjuntoVacioNoTieneRegistroActual();
    void encuentraCamposSinMirarMayusculas_data();
    void encuentraCamposSinMirarMayusculas();
    void unCampoQueNoEstaEsElError3265();
    void distingueNuloDeVacio();
    void informaElTamanoRealComoAdo_data();
    void informaElTamanoRealComoAdo();
    void informaElTamanoDefinidoDeLosTiposFijos();
    void pasaALosConjuntosSiguientesDelLote();
    void elErrorDespuesDelUltimoConjuntoSaleEnNextRecordset();
    void unLoteSinConjuntosDaUnRecordsetCerrado();
    void usaElTiempoDeEsperaDeLaConexion();

private:
    std::unique_ptr<Recordset> abrir(const Lote& respuesta);

    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::unique_ptr<Connection> mConexion;
};

void TestRecordset::init()
{
    mFalso = std::make_unique<pruebas::ConMotorFalso>();
    mConexion = std::make_unique<Connection>();
    mConexion->Open(cUserConnection::TextoConexion("srv", "db", "op", "x"));
}

void TestRecordset::cleanup()
{
    mConexion.reset();
    mFalso.reset();
}

std::unique_ptr<Recordset> TestRecordset::abrir(const Lote& respuesta)
{
    mFalso->guion->responder = [respuesta](const QString&, const DatosConexion&) { return respuesta; };
    auto rs = std::make_unique<Recordset>();
    rs->Open(QStringLiteral("SELECT ..."), *mConexion);
    return rs;
}

static QVariant valorActual(Recordset& rs)
{
    return rs.Fields(0).Value();
}

void TestRecordset::recorreHaciaAdelanteYAtras()
{
    auto rs = abrir(pruebas::lote({tabla({columna("Id", adInteger)}, {{1}, {2}, {3}})}));
    QCOMPARE(rs->RecordCount(), 3);
    QVERIFY(!rs->Bof());
    QCOMPARE(valorActual(*rs), QVariant(1));

    rs->MoveNext();
    rs->MoveNext();
    QCOMPARE(valorActual(*rs), QVariant(3));
    rs->MoveNext();
    QVERIFY(rs->Eof());
    QVERIFY_THROWS_EXCEPTION(Falla, rs->MoveNext());

    rs->MovePrevious(); // from past the end back to the last row
    QCOMPARE(valorActual(*rs), QVariant(3));
    rs->MoveFirst();
    rs->MovePrevious();
    QVERIFY(rs->Bof());
    QVERIFY(!rs->Eof());
    QVERIFY_THROWS_EXCEPTION(Falla, rs->MovePrevious());
    rs->MoveNext(); // from before the start to the first row
    QCOMPARE(valorActual(*rs), QVariant(1));
    rs->MoveLast();
    QCOMPARE(valorActual(*rs), QVariant(3));
}

void TestRecordset::unConjuntoVacioNoTieneRegistroActual()
{
    auto rs = abrir(pruebas::lote({tabla({columna("Cuenta", adInteger)}, {})}));
    QCOMPARE(rs->RecordCount(), 0);
    QVERIFY(rs->Bof() && rs->Eof());
    QCOMPARE(rs->Fields(QStringLiteral("Cuenta")).Type(), int(adInteger));
    try {
        rs->Fields(0).Value();
        QFAIL("sin registro actual");
    } catch (const Falla& f) {
        QCOMPARE(f.Numero, 3021);
    }
    QVERIFY_THROWS_EXCEPTION(Falla, rs->MoveFirst());
    QVERIFY_THROWS_EXCEPTION(Falla, rs->MoveLast());
}

void TestRecordset::encuentraCamposSinMirarMayusculas_data()
{
    QTest::addColumn<QString>("nombre");
    QTest::addColumn<int>("posicion");
    QTest::newRow("igual") << "Nombre" << 1;
    QTest::newRow("minúsculas") << "nombre" << 1;
    QTest::newRow("mayúsculas") << "NOMBRE" << 1;
    QTest::newRow("acentuada") << "MATRÍCULA" << 2;
    QTest::newRow("con blancos dentro") << "cod. postal" << 3;
}

void TestRecordset::encuentraCamposSinMirarMayusculas()
{
    QFETCH(QString, nombre);
    QFETCH(int, posicion);
    auto rs =
        abrir(pruebas::lote({tabla({columna("Id", adInteger), columna("Nombre", adVarChar, 40),
                                    columna("Matrícula", adVarChar, 10), columna("Cod. Postal", adChar, 8)},
                                   {{7, "Farmacia Sur", "M-1", "5500    "}})}));
    QCOMPARE(rs->Fields(nombre).Name(), rs->Fields(posicion).Name());
    QCOMPARE(rs->Fields(nombre).Value(), rs->Fields(posicion).Value());
    QCOMPARE(rs->Fields().Count(), 4);
}

void TestRecordset::unCampoQueNoEstaEsElError3265()
{
    auto rs = abrir(pruebas::lote({tabla({columna("Id", adInteger)}, {{1}})}));
    for (const auto& intento :
         {std::function<void()>([&] { rs->Fields(QStringLiteral("Ids")); }),
          std::function<void()>([&] { rs->Fields(1); }), std::function<void()>([&] { rs->Fields(-1); })}) {
        try {
            intento();
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 3265);
            QVERIFY(f.Descripcion.startsWith(QStringLiteral("No se encontró el elemento en la colección")));
        }
    }
}

void TestRecordset::distingueNuloDeVacio()
{
    auto rs = abrir(pruebas::lote({tabla({columna("Nulo", adVarChar, 10), columna("Vacio", adVarChar, 10)},
                                         {{QVariant(), QString("")}})}));
    QVERIFY(esNulo(rs->Fields(0).Value()));
    QVERIFY(!esNulo(rs->Fields(1).Value()));
    QCOMPARE(rs->Fields(1).Value().toString(), QString());
}

void TestRecordset::informaElTamanoRealComoAdo_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("definido");
    QTest::addColumn<QVariant>("valor");
    QTest::addColumn<int>("tamano");

    QTest::newRow("char(10) aunque venga corto") << int(adChar) << 10 << QVariant("abc") << 10;
    QTest::newRow("nchar(5)") << int(adWChar) << 5 << QVariant("abcde") << 10;
    QTest::newRow("varchar") << int(adVarChar) << 50 << QVariant("Farmacia") << 8;
    QTest::newRow("varchar con acentos") << int(adVarChar) << 50 << QVariant("Añó€") << 4;
    QTest::newRow("varchar vacío") << int(adVarChar) << 50 << QVariant("") << 0;
    QTest::newRow("text") << int(adLongVarChar) << 0 << QVariant("abcd") << 4;
    QTest::newRow("nvarchar") << int(adVarWChar) << 50 << QVariant("Añó") << 6;
    QTest::newRow("int") << int(adInteger) << 4 << QVariant(123456) << 4;
    QTest::newRow("smallint") << int(adSmallInt) << 2 << QVariant(12) << 2;
    QTest::newRow("tinyint") << int(adUnsignedTinyInt) << 1 << QVariant(200) << 1;
    QTest::newRow("bigint") << int(adBigInt) << 8 << QVariant(qlonglong(1) << 40) << 8;
    QTest::newRow("bit") << int(adBoolean) << 2 << QVariant(true) << 2;
    QTest::newRow("money") << int(adCurrency) << 8 << QVariant(12.5) << 8;
    QTest::newRow("float") << int(adDouble) << 8 << QVariant(0.1) << 8;
    QTest::newRow("real") << int(adSingle) << 4 << QVariant(0.5) << 4;
    QTest::newRow("datetime") << int(adDBTimeStamp) << 16
                              << QVariant(QDateTime(QDate(2024, 2, 3), QTime(14, 5))) << 16;
    QTest::newRow("numeric") << int(adNumeric) << 19 << QVariant(3.25) << 19;
    QTest::newRow("binary") << int(adVarBinary) << 8 << QVariant(QByteArray("\x01\x02\x03", 3)) << 3;
    QTest::newRow("int nulo") << int(adInteger) << 4 << QVariant() << 0;
    QTest::newRow("char nulo") << int(adChar) << 10 << QVariant() << 0;
}

void TestRecordset::informaElTamanoRealComoAdo()
{
    QFETCH(int, tipo);
    QFETCH(int, definido);
    QFETCH(QVariant, valor);
    auto rs = abrir(pruebas::lote({tabla({columna("C", tipo, definido)}, {{valor}})}));
    QTEST(rs->Fields(0).ActualSize(), "tamano");
}

void TestRecordset::informaElTamanoDefinidoDeLosTiposFijos()
{
    // An engine that leaves the size of a fixed type at 0 still gets ADO's figure.
    auto rs = abrir(pruebas::lote(
        {tabla({columna("I", adInteger), columna("F", adDBTimeStamp), columna("T", adVarChar, 30)}, {})}));
    QCOMPARE(rs->Fields(0).DefinedSize(), 4);
    QCOMPARE(rs->Fields(1).DefinedSize(), 16);
    QCOMPARE(rs->Fields(2).DefinedSize(), 30);
}

void TestRecordset::pasaALosConjuntosSiguientesDelLote()
{
    auto rs =
        abrir(pruebas::lote({tabla({columna("A", adInteger)}, {{1}}), tabla({columna("B", adVarChar, 5)}, {}),
                             tabla({columna("C", adInteger)}, {{1}, {2}})}));
    QCOMPARE(rs->Fields(0).Name(), QStringLiteral("A"));
    auto segundo = rs->NextRecordset();
    QVERIFY(segundo);
    QCOMPARE(segundo->Fields(0).Name(), QStringLiteral("B"));
    QCOMPARE(segundo->RecordCount(), 0);
    auto tercero = segundo->NextRecordset();
    QVERIFY(tercero);
    QCOMPARE(tercero->RecordCount(), 2);
    QVERIFY(!tercero->NextRecordset());
    QCOMPARE(rs->RecordCount(), 1); // the first one is still there
}

void TestRecordset::elErrorDespuesDelUltimoConjuntoSaleEnNextRecordset()
{
    auto rs = abrir(pruebas::lote(
        {tabla({columna("A", adInteger)}, {{1}})},
        {registro(208, "42S02", "Invalid object name 'Nada'."), registro(0, "01000", "Detalle.")}));
    QCOMPARE(rs->RecordCount(), 1);
    QVERIFY(mConexion->Errors().isEmpty());
    try {
        rs->NextRecordset();
        QFAIL("el lote había fallado");
    } catch (const Falla& f) {
        QCOMPARE(f.Numero, 208);
        QCOMPARE(f.Descripcion, QStringLiteral("42S02 Invalid object name 'Nada'.\r\n01000 Detalle."));
    }
    QCOMPARE(mConexion->Errors().size(), 2);
    QCOMPARE(mConexion->Errors().first().SQLState, QStringLiteral("42S02"));
}

void TestRecordset::unLoteSinConjuntosDaUnRecordsetCerrado()
{
    auto rs = abrir(Lote{});
    QCOMPARE(rs->State(), int(adStateClosed));
    try {
        rs->RecordCount();
        QFAIL("cerrado");
    } catch (const Falla& f) {
        QCOMPARE(f.Numero, 3704);
    }
    QVERIFY(!rs->NextRecordset());

    auto otro = abrir(pruebas::lote({tabla({columna("A", adInteger)}, {{1}})}));
    otro->Close();
    QCOMPARE(otro->State(), int(adStateClosed));
    QVERIFY_THROWS_EXCEPTION(Falla, otro->Fields(0));
}

void TestRecordset::usaElTiempoDeEsperaDeLaConexion()
{
    mConexion->CommandTimeout = 180;
    abrir(Lote{});
    QCOMPARE(mFalso->guion->esperas, QVector<int>{180});
}

QTEST_GUILESS_MAIN(TestRecordset)
#include "tst_recordset.moc"

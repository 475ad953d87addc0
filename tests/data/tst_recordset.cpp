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

namespace {

// The ADO error number a call raises (0 when it raises none).
qint32 numeroDeFalla(const std::function<void()>& llamada)
{
    try {
        llamada();
    } catch (const Falla& f) {
        return f.Numero;
    }
    return 0;
}

} // namespace

class TestRecordset : public QObject
{
    Q_OBJECT

    std::unique_ptr<Recordset> abrir(const Lote& respuesta)
    {
        mFalso->guion->responder = [respuesta](const QString&, const DatosConexion&) { return respuesta; };
        auto rs = std::make_unique<Recordset>();
        rs->Open(QStringLiteral("SELECT ..."), *mConexion);
        return rs;
    }

    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::unique_ptr<Connection> mConexion;

private slots:
    void init()
    {
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        mConexion = std::make_unique<Connection>();
        mConexion->Open(cUserConnection::TextoConexion("srv", "db", "op", "x"));
    }

    void cleanup()
    {
        mConexion.reset();
        mFalso.reset();
    }

    void recorreHaciaAdelanteYAtras()
    {
        auto rs = abrir(pruebas::lote({tabla({columna("Id", adInteger)}, {{1}, {2}, {3}})}));
        const auto actual = [&] { return rs->Fields(0).Value(); };
        QCOMPARE(rs->RecordCount(), 3);
        QVERIFY(!rs->Bof());
        QCOMPARE(actual(), QVariant(1));
        rs->MoveNext();
        rs->MoveNext();
        rs->MoveNext();
        QVERIFY(rs->Eof());
        QCOMPARE(numeroDeFalla([&] { rs->MoveNext(); }), 3021);
        rs->MovePrevious(); // from past the end back to the last row
        QCOMPARE(actual(), QVariant(3));
        rs->MoveFirst();
        rs->MovePrevious();
        QVERIFY(rs->Bof() && !rs->Eof());
        QCOMPARE(numeroDeFalla([&] { rs->MovePrevious(); }), 3021);
        rs->MoveNext(); // from before the start to the first row
        QCOMPARE(actual(), QVariant(1));
        rs->MoveLast();
        QCOMPARE(actual(), QVariant(3));
    }

    void unConjuntoVacioNoTieneRegistroActual()
    {
        auto rs = abrir(pruebas::lote({tabla({columna("Cuenta", adInteger)}, {})}));
        QCOMPARE(rs->RecordCount(), 0);
        QVERIFY(rs->Bof() && rs->Eof());
        QCOMPARE(rs->Fields(QStringLiteral("Cuenta")).Type(), int(adInteger));
        QCOMPARE(rs->Fields(0).DefinedSize(), 4); // ADO's figure, though the engine left it at 0
        QCOMPARE(numeroDeFalla([&] { rs->Fields(0).Value(); }), 3021);
        QCOMPARE(numeroDeFalla([&] { rs->MoveFirst(); }), 3021);
    }

    void encuentraCamposSinMirarMayusculas_data()
    {
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("posicion"); // -1: not there
        QTest::newRow("minúsculas") << "nombre" << 1;
        QTest::newRow("acentuada") << "MATRÍCULA" << 2;
        QTest::newRow("con blancos dentro") << "cod. postal" << 3;
        QTest::newRow("no está") << "Ids" << -1;
    }

    void encuentraCamposSinMirarMayusculas()
    {
        QFETCH(QString, nombre);
        QFETCH(int, posicion);
        auto rs = abrir(
            pruebas::lote({tabla({columna("Id", adInteger), columna("Nombre", adVarChar, 40),
                                  columna("Matrícula", adVarChar, 10), columna("Cod. Postal", adChar, 8)},
                                 {{7, "Farmacia Sur", "M-1", "5500    "}})}));
        if (posicion >= 0) {
            QCOMPARE(rs->Fields(nombre).Name(), rs->Fields(posicion).Name());
            QCOMPARE(rs->Fields(nombre).Value(), rs->Fields(posicion).Value());
            return;
        }
        try {
            rs->Fields(nombre);
            QFAIL("debía fallar");
        } catch (const Falla& f) {
            QCOMPARE(f.Numero, 3265);
            QVERIFY(f.Descripcion.startsWith(QStringLiteral("No se encontró el elemento en la colección")));
        }
        QCOMPARE(numeroDeFalla([&] { rs->Fields(4); }), 3265);
        QCOMPARE(numeroDeFalla([&] { rs->Fields(-1); }), 3265);
    }

    void informaValorYTamanoRealComoAdo_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("definido");
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<int>("tamano");
        QTest::newRow("char(10) aunque venga corto") << int(adChar) << 10 << QVariant("abc") << 10;
        QTest::newRow("varchar con acentos") << int(adVarChar) << 50 << QVariant("Añó€") << 4;
        QTest::newRow("varchar vacío no es nulo") << int(adVarChar) << 50 << QVariant(QString("")) << 0;
        QTest::newRow("int") << int(adInteger) << 4 << QVariant(123456) << 4;
        QTest::newRow("datetime") << int(adDBTimeStamp) << 16
                                  << QVariant(QDateTime(QDate(2024, 2, 3), QTime(14, 5))) << 16;
        QTest::newRow("binary") << int(adVarBinary) << 8 << QVariant(QByteArray("\x01\x02\x03", 3)) << 3;
        QTest::newRow("char nulo") << int(adChar) << 10 << QVariant() << 0;
    }

    void informaValorYTamanoRealComoAdo()
    {
        QFETCH(int, tipo);
        QFETCH(int, definido);
        QFETCH(QVariant, valor);
        auto rs = abrir(pruebas::lote({tabla({columna("C", tipo, definido)}, {{valor}})}));
        QTEST(rs->Fields(0).ActualSize(), "tamano");
        QCOMPARE(esNulo(rs->Fields(0).Value()), !valor.isValid());
    }

    void pasaALosConjuntosSiguientesDelLote()
    {
        auto rs = abrir(
            pruebas::lote({tabla({columna("A", adInteger)}, {{1}}), tabla({columna("B", adVarChar, 5)}, {}),
                           tabla({columna("C", adInteger)}, {{1}, {2}})}));
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

    void elErrorDespuesDelUltimoConjuntoSaleEnNextRecordset()
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
    }

    void unLoteSinConjuntosDaUnRecordsetCerrado()
    {
        auto rs = abrir(Lote{});
        QCOMPARE(rs->State(), int(adStateClosed));
        QCOMPARE(numeroDeFalla([&] { rs->RecordCount(); }), 3704);
        QVERIFY(!rs->NextRecordset());
        auto otro = abrir(pruebas::lote({tabla({columna("A", adInteger)}, {{1}})}));
        otro->Close();
        QCOMPARE(numeroDeFalla([&] { otro->Fields(0); }), 3704);
    }
};

QTEST_GUILESS_MAIN(TestRecordset)
#include "tst_recordset.moc"

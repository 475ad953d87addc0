// Loading result sets into lists: columns, hidden columns, alignment, keys, cell texts, row icons,
// the card of one record, and a failure in the middle of a fill.

#include "EntornoPrueba.h"
#include "consultation/MuestraResultado.h"
#include "data/Connection.h"
#include "data/MotorFalso.h"
#include "data/Recordset.h"
#include "data/cUserConnection.h"
#include "ui/VistaLista.h"

#include <QTest>
#include <QTimer>

using namespace dalvo;
using ado::adBoolean;
using ado::adChar;
using ado::adCurrency;
using ado::adDBTimeStamp;
using ado::adInteger;
using ado::adNumeric;
using ado::adVarChar;
using pruebas::columna;
using pruebas::tabla;
using ui::VistaLista;

using Filas = QVector<QVector<QVariant>>;

class TstMuestraResultado : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<pruebas::ConMotorFalso> mFalso;
    std::unique_ptr<ado::Connection> mConexion;
    std::unique_ptr<QWidget> mVentana;
    VistaLista* mLista = nullptr;

    // A result set on the scriptable engine that answers every statement with the given table.
    std::unique_ptr<ado::Recordset> abrir(const ado::Tabla& datos)
    {
        const ado::Lote respuesta = pruebas::lote({datos});
        mFalso->guion->responder = [respuesta](const QString&, const ado::DatosConexion&) {
            return respuesta;
        };
        auto rs = std::make_unique<ado::Recordset>();
        rs->Open(QStringLiteral("SELECT ..."), *mConexion);
        return rs;
    }
    static QStringList encabezados(const VistaLista& lista)
    {
        QStringList t;
        for (int c = 0; c < lista.cantidadColumnas(); ++c)
            t << lista.encabezado(c);
        return t;
    }
    static QStringList fila(const VistaLista& lista, int i)
    {
        QStringList t;
        for (int c = 0; c < lista.cantidadColumnas(); ++c)
            t << lista.item(i)->text(c);
        return t;
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mFalso = std::make_unique<pruebas::ConMotorFalso>();
        mConexion = std::make_unique<ado::Connection>();
        mConexion->Open(cUserConnection::TextoConexion("srv", "db", "op", "x"));
        mVentana = std::make_unique<QWidget>();
        mLista = new VistaLista(mVentana.get());
    }
    void cleanup()
    {
        mVentana.reset();
        mConexion.reset();
        mFalso.reset();
        mEntorno.reset();
    }

    // Only a name that begins with capital "HH" hides its column; money and numbers to the right; cells are
    // display texts of the locale (a date with a time keeps the blank its text form adds); keys start
    // again at 1K on every fill.
    void columnasYTextos()
    {
        const ado::Tabla datos = tabla(
            {columna("Cupón", adInteger), columna("Nombre", adVarChar, 40), columna("Precio", adCurrency),
             columna("Desc. a O.S.", adNumeric), columna("HH Baja", adBoolean), columna("hhX", adVarChar, 10),
             columna("Fecha", adDBTimeStamp)},
            {{12, "Farmacia", 1234.5, 3.0, true, "abc", QDateTime(QDate(2024, 5, 3), QTime(14, 5, 9))},
             {8, "x", QVariant(), QVariant(), false, "", QDateTime(QDate(2024, 5, 4), QTime())}});
        for (int vez = 0; vez < 2; ++vez) {
            auto rs = abrir(datos);
            MuestraResultado(*rs, *mLista, *mVentana);
        }
        QCOMPARE(encabezados(*mLista),
                 QStringList({"Cupón", "Nombre", "Precio", "Desc. a O.S.", "HH Baja", "hhX", "Fecha"}));
        QCOMPARE(VistaLista::clave(mLista->item(1)), QStringLiteral("2K"));
        QVERIFY(mLista->isColumnHidden(4));
        QVERIFY(!mLista->isColumnHidden(5));
        QCOMPARE(mLista->alineacion(1), Qt::AlignLeft);
        QCOMPARE(mLista->alineacion(2), Qt::AlignRight);
        QCOMPARE(mLista->alineacion(3), Qt::AlignRight);
        QCOMPARE(fila(*mLista, 0),
                 QStringList({"12", "Farmacia", "1.234,50", "3,00", "1", "abc", "03/05/2024  14:05:09"}));
        QCOMPARE(fila(*mLista, 1), QStringList({"8", "x", "", "", "0", "", "04/05/2024"}));
    }

    // One row per case; the fields come in the order given, and a later field's icon replaces an earlier one.
    void iconos_data()
    {
        QTest::addColumn<QStringList>("nombres");
        QTest::addColumn<QStringList>("valores");
        QTest::addColumn<QString>("icono");

        const auto fila = [](const char* nombre, const QStringList& n, const QStringList& v,
                             const char* icono) {
            QTest::newRow(nombre) << n << v << QString::fromLatin1(icono);
        };
        const QStringList ticket{"HH Anulado", "HH Descontado", "HH Devolucion"};
        fila("devolución gana", ticket, {"1", "1", "1"}, "DERECHA");
        fila("descuento sobre anulado", ticket, {"1", "1", "0"}, "IZQUIERDA");
        fila("solo anulado", ticket, {"1", "0", "0"}, "CANCEL");
        fila("Baja SI", {"Baja"}, {"SI"}, "CANCEL");
        fila("hh anulado en minúsculas", {"hh anulado"}, {"1"}, "CANCEL");
        fila("Tx 22", {"Tx"}, {"22"}, "CANCEL");
        fila("Tx 73", {"Tx"}, {"73"}, "PREGUNTA");
        fila("Tx 65", {"Tx"}, {"65"}, "CRUZ");
        fila("Tx 43", {"Tx"}, {"43"}, "ADMIRACION");
        fila("Tx 11 sin icono", {"Tx"}, {"11"}, "");
        fila("tx en minúsculas", {"tx"}, {"60"}, "CRUZ");
        fila("operación y luego anulado", {"Tx", "HH Anulado"}, {"60", "1"}, "CANCEL");
        fila("anulado y luego operación", {"HH Anulado", "Tx"}, {"1", "60"}, "CRUZ");
    }
    void iconos()
    {
        QFETCH(QStringList, nombres);
        QFETCH(QStringList, valores);
        QFETCH(QString, icono);
        QVector<ado::Columna> columnas{columna("Cupón", adInteger)};
        QVector<QVariant> valoresFila{1};
        for (int i = 0; i < nombres.size(); ++i) {
            columnas << columna(nombres[i], adVarChar, 2);
            valoresFila << valores[i];
        }
        auto rs = abrir(tabla(columnas, {valoresFila}));
        MuestraResultado(*rs, *mLista, *mVentana);
        QCOMPARE(VistaLista::claveIcono(mLista->item(0)), icono);
        QCOMPARE(mLista->item(0)->icon(0).isNull(), icono.isEmpty());
    }

    // The recordset is closed while pending events run after the headers: the fill stops with a box and the
    // list keeps what it had by then.
    void unaFallaDejaLoCargadoYLaMuestra()
    {
        prueba::GuionMensajes guion;
        auto rs =
            abrir(tabla({columna("Id", adInteger), columna("Nombre", adVarChar, 10)}, {{1, "a"}, {2, "b"}}));
        QTimer::singleShot(0, [&rs] { rs->Close(); });
        MuestraResultado(*rs, *mLista, *mVentana);

        QCOMPARE(encabezados(*mLista), QStringList({"Id", "Nombre"}));
        QCOMPARE(guion.mostrados().size(), 1);
        const ui::Mensaje& caja = guion.mostrados().first();
        QCOMPARE(caja.titulo, QStringLiteral("Muestra Resultado"));
        QCOMPARE(caja.icono, ui::Icono::Critico);
        QVERIFY2(caja.texto.startsWith(QStringLiteral("3704: ")), qPrintable(caja.texto));
    }

    void ficha_data()
    {
        QTest::addColumn<QString>("campoBaja");
        QTest::addColumn<QVariant>("valorBaja");
        QTest::addColumn<QString>("muestra");
        QTest::newRow("HH Baja 1") << "HH Baja" << QVariant(true) << "SI";
        QTest::newRow("HH Anulado otro texto") << "HH Anulado" << QVariant("S") << "NO";
    }
    void ficha()
    {
        QFETCH(QString, campoBaja);
        QFETCH(QVariant, valorBaja);
        QFETCH(QString, muestra);
        const int tipoBaja = valorBaja.typeId() == QMetaType::Bool ? adBoolean : adVarChar;
        auto rs = abrir(
            tabla({columna("Código", adVarChar, 6), columna("Nombre", adVarChar, 40),
                   columna("HH IdPrestador", adInteger), columna(campoBaja, tipoBaja, 2),
                   columna("Desc. a O.S.", adNumeric)},
                  {{"100001", "Farmacia San Martín", 1, valorBaja, 12.5}, {"100002", "Otra", 2, true, 1.0}}));
        MuestraFicha(*rs, *mLista, *mVentana);

        // Only the first record; the hidden id is left out, the withdrawal flag shows as "Baja".
        QCOMPARE(mLista->cantidadColumnas(), 2);
        QCOMPARE(encabezados(*mLista), QStringList({"", ""}));
        QCOMPARE(mLista->cantidadItems(), 4);
        QCOMPARE(fila(*mLista, 0), QStringList({"Código", "100001"}));
        QCOMPARE(fila(*mLista, 1), QStringList({"Nombre", "Farmacia San Martín"}));
        QCOMPARE(fila(*mLista, 2), QStringList({"Baja", muestra}));
        QCOMPARE(fila(*mLista, 3), QStringList({"Desc. a O.S.", "12,50"}));
    }
};

QTEST_MAIN(TstMuestraResultado)
#include "tst_MuestraResultado.moc"

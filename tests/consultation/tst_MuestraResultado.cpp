// Loading result sets into lists: columns, hidden columns, widths, alignment, keys, cell texts, row icons,
// the card of one record, and a failure in the middle of a fill.

#include "ConjuntoPrueba.h"
#include "EntornoPrueba.h"
#include "consultation/MuestraResultado.h"
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
    std::unique_ptr<pruebas::ConjuntoPrueba> mConjunto;
    std::unique_ptr<QWidget> mVentana;
    VistaLista* mLista = nullptr;

    // What a width in twips reads back as once kept in whole pixels.
    int enPixeles(int twips) const { return mLista->aTwips(mLista->aPixeles(twips)); }

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
        mConjunto = std::make_unique<pruebas::ConjuntoPrueba>();
        mVentana = std::make_unique<QWidget>();
        mLista = new VistaLista(mVentana.get());
    }
    void cleanup()
    {
        mVentana.reset();
        mConjunto.reset();
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
            auto rs = mConjunto->abrir(datos);
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

    // Starting widths: 30 twips per byte of the first record's value, at least the heading's; widening by the
    // longest text.
    void anchos()
    {
        const QString largo = QStringLiteral("Farmacia del Hospital Central de Mendoza");
        auto rs = mConjunto->abrir(
            tabla({columna("Id", adInteger), columna("Nombre", adVarChar, 60), columna("Cod", adChar, 20),
                   columna("Especialidad", adVarChar, 30), columna("hhX", adVarChar, 60)},
                  {{1, "Sol", "1", QVariant(), "ab"},
                   {22222222, largo, "2", largo, largo},
                   {3, "Luna", "3", "x", "cd"}}));
        MuestraResultado(*rs, *mLista, *mVentana);

        // The first column leaves room for the row icon.
        const int anchoId =
            std::max(enPixeles(4 * 30), enPixeles(mLista->anchoTexto("22222222", mVentana.get()) +
                                                  margenCelda(*mLista, 0) + 100));
        QCOMPARE(mLista->anchoColumna(0), anchoId);
        QCOMPARE(mLista->anchoColumna(1),
                 enPixeles(mLista->anchoTexto(largo, mVentana.get()) + margenCelda(*mLista, 1)));
        // A column never narrows below its starting width.
        QCOMPARE(mLista->anchoColumna(2), enPixeles(20 * 30));
        // A visible column whose first value is null starts at 0 and stays hidden.
        QCOMPARE(mLista->anchoColumna(3), 0);
        QCOMPARE(mLista->item(1)->text(3), largo);
        // "hhX" is visible but, read in capitals, never widened: it keeps its heading's width.
        QCOMPARE(mLista->anchoColumna(4), enPixeles(std::max(2 * 30, anchoEncabezado(*mLista, "hhX"))));
        QVERIFY(mLista->anchoColumna(4) < mLista->anchoTexto(largo, mVentana.get()));
    }

    // One row per case; the fields come in the order given, and a later field's icon replaces an earlier one.
    void iconos_data()
    {
        QTest::addColumn<QStringList>("nombres");
        QTest::addColumn<QStringList>("valores");
        QTest::addColumn<QString>("icono");

        const QStringList ticket{"HH Anulado", "HH Descontado", "HH Devolucion"};
        QTest::newRow("devolución gana") << ticket << QStringList{"1", "1", "1"} << "DERECHA";
        QTest::newRow("descuento sobre anulado") << ticket << QStringList{"1", "1", "0"} << "IZQUIERDA";
        QTest::newRow("solo anulado") << ticket << QStringList{"1", "0", "0"} << "CANCEL";
        QTest::newRow("Baja SI") << QStringList{"Baja"} << QStringList{"SI"} << "CANCEL";
        QTest::newRow("HH Baja 1") << QStringList{"HH Baja"} << QStringList{"1"} << "CANCEL";
        QTest::newRow("hh anulado en minúsculas")
            << QStringList{"hh anulado"} << QStringList{"1"} << "CANCEL";
        for (const char* codigo : {"12", "22", "23", "62", "63"})
            QTest::addRow("Tx %s", codigo) << QStringList{"Tx"} << QStringList{codigo} << "CANCEL";
        for (const char* codigo : {"21", "51", "52", "53", "71", "72", "73"})
            QTest::addRow("Tx %s", codigo) << QStringList{"Tx"} << QStringList{codigo} << "PREGUNTA";
        for (const char* codigo : {"60", "61", "64", "65"})
            QTest::addRow("Tx %s", codigo) << QStringList{"Tx"} << QStringList{codigo} << "CRUZ";
        for (const char* codigo : {"14", "24", "34", "41", "42", "43"})
            QTest::addRow("Tx %s", codigo) << QStringList{"Tx"} << QStringList{codigo} << "ADMIRACION";
        for (const char* codigo : {"11", ""})
            QTest::addRow("Tx '%s' sin icono", codigo) << QStringList{"Tx"} << QStringList{codigo} << "";
        QTest::newRow("tx en minúsculas") << QStringList{"tx"} << QStringList{"60"} << "CRUZ";
        QTest::newRow("operación y luego anulado")
            << QStringList{"Tx", "HH Anulado"} << QStringList{"60", "1"} << "CANCEL";
        QTest::newRow("anulado y luego operación")
            << QStringList{"HH Anulado", "Tx"} << QStringList{"1", "60"} << "CRUZ";
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
        auto rs = mConjunto->abrir(tabla(columnas, {valoresFila}));
        MuestraResultado(*rs, *mLista, *mVentana);
        QCOMPARE(VistaLista::claveIcono(mLista->item(0)), icono);
        QCOMPARE(mLista->item(0)->icon(0).isNull(), icono.isEmpty());
    }

    // The recordset is closed while pending events run after the headers: the fill stops with a box and the
    // list keeps what it had by then.
    void unaFallaDejaLoCargadoYLaMuestra()
    {
        prueba::GuionMensajes guion;
        auto rs = mConjunto->abrir(
            tabla({columna("Id", adInteger), columna("Nombre", adVarChar, 10)}, {{1, "a"}, {2, "b"}}));
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
        QTest::newRow("Anulado 1 como texto") << "Anulado" << QVariant("1") << "SI";
        QTest::newRow("HH Anulado otro texto") << "HH Anulado" << QVariant("S") << "NO";
    }
    void ficha()
    {
        QFETCH(QString, campoBaja);
        QFETCH(QVariant, valorBaja);
        QFETCH(QString, muestra);
        const int tipoBaja = valorBaja.typeId() == QMetaType::Bool ? adBoolean : adVarChar;
        auto rs = mConjunto->abrir(
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

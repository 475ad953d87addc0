#include "EntornoPrueba.h"
#include "ui/VistaLista.h"

#include <QTest>
#include <memory>

using dalvo::ui::VistaLista;

class TstVistaLista : public QObject
{
    Q_OBJECT

    std::unique_ptr<dalvo::prueba::EntornoPrueba> mEntorno;

private slots:
    void init() { mEntorno = std::make_unique<dalvo::prueba::EntornoPrueba>(); }
    void cleanup() { mEntorno.reset(); }

    // Widths are kept in whole pixels: 15 twips each at 96 dpi.
    void anchoEnTwips_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixeles");
        QTest::addColumn<int>("leido");
        QTest::newRow("una pulgada") << 1440 << 96 << 1440;
        QTest::newRow("redondea al pixel") << 1764 << 118 << 1770;
        QTest::newRow("menos de un pixel") << 5 << 1 << 15;
        QTest::newRow("cero oculta") << 0 << 0 << 0;
    }
    void anchoEnTwips()
    {
        QFETCH(int, twips);
        QFETCH(int, pixeles);
        QFETCH(int, leido);
        VistaLista lista;
        if (lista.logicalDpiX() != 96)
            QSKIP("the table is written for 96 dpi");
        lista.agregarColumna(QStringLiteral("A"), 3000);
        lista.setAnchoColumna(0, twips);
        QCOMPARE(lista.anchoColumna(0), leido);
        QCOMPARE(lista.isColumnHidden(0), pixeles == 0);
        if (pixeles > 0)
            QCOMPARE(lista.columnWidth(0), pixeles);
    }

    // A hidden column still holds its texts; a new set of columns starts visible.
    void columnaDeAnchoCeroOcultaYLegible()
    {
        VistaLista lista;
        lista.agregarColumna(QStringLiteral("Nombre"), 1500);
        lista.agregarColumna(QStringLiteral("HH Baja"), 0, Qt::AlignRight);
        lista.agregarItem(QStringLiteral("1K"), QStringLiteral("Farmacia"))->setText(1, QStringLiteral("SI"));
        QVERIFY(Qt::Alignment(lista.item(0)->data(1, Qt::TextAlignmentRole).toInt()) & Qt::AlignRight);
        QVERIFY(lista.isColumnHidden(1));
        QCOMPARE(lista.item(0)->text(1), QStringLiteral("SI"));

        lista.limpiarColumnas();
        lista.agregarColumna(QStringLiteral("X"), 1500);
        lista.agregarColumna(QStringLiteral("Y"), 1500);
        QVERIFY(!lista.isColumnHidden(1));
    }

    void itemsPorClave()
    {
        VistaLista lista;
        lista.agregarColumna(QStringLiteral("Campo"), 1500);
        lista.agregarColumna(QStringLiteral("Valor"), 1500);
        for (int i = 1; i <= 3; ++i)
            lista.agregarItem(QStringLiteral("%1K").arg(i), {})
                ->setText(1, QStringLiteral("valor %1").arg(i));
        lista.agregarItem({}, QStringLiteral("sin clave"));

        QCOMPARE(lista.buscarItem(QStringLiteral("2K"))->text(1), QStringLiteral("valor 2"));
        QCOMPARE(lista.buscarItem(QString()), nullptr);
        QCOMPARE(lista.itemSeleccionado(), nullptr);
        lista.setCurrentItem(lista.buscarItem(QStringLiteral("2K")));
        QCOMPARE(VistaLista::clave(lista.itemSeleccionado()), QStringLiteral("2K"));

        lista.limpiarItems();
        QCOMPARE(lista.buscarItem(QStringLiteral("1K")), nullptr);
        QCOMPARE(lista.cantidadColumnas(), 2);
    }

    // An unknown key leaves the row with the icon it had.
    void iconoPorClave()
    {
        VistaLista lista;
        lista.agregarColumna(QStringLiteral("A"));
        auto* item = lista.agregarItem(QStringLiteral("1K"), QStringLiteral("a"), QStringLiteral("CANCEL"));
        QVERIFY(!VistaLista::setIcono(item, QStringLiteral("NOEXISTE")));
        QCOMPARE(VistaLista::claveIcono(item), QStringLiteral("CANCEL"));
        QVERIFY(!item->icon(0).isNull());
    }

    // As text, accents in their place; rows move whole.
    void ordenarPorTexto_data()
    {
        QTest::addColumn<QStringList>("valores");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("numeros como texto") << QStringList{"9", "10", "1"} << QStringList{"1", "10", "9"};
        QTest::newRow("acentos") << QStringList{"Zapata", "Álvarez", "Bravo"}
                                 << QStringList{"Álvarez", "Bravo", "Zapata"};
    }
    void ordenarPorTexto()
    {
        QFETCH(QStringList, valores);
        QFETCH(QStringList, esperado);
        VistaLista lista;
        lista.agregarColumna(QStringLiteral("Clave"));
        lista.agregarColumna(QStringLiteral("Nombre"));
        for (int i = 0; i < valores.size(); ++i)
            lista.agregarItem(QStringLiteral("%1K").arg(i), QString::number(i))->setText(1, valores[i]);
        lista.ordenarPor(1);
        for (int i = 0; i < lista.cantidadItems(); ++i) {
            QCOMPARE(lista.item(i)->text(1), esperado[i]);
            const QString original = QString::number(valores.indexOf(esperado[i]));
            QCOMPARE(lista.item(i)->text(0), original);
            QCOMPARE(VistaLista::clave(lista.item(i)), original + QLatin1Char('K'));
        }
    }

    // Only a text longer than every one measured before in its column can widen it; a new fill starts again.
    void soloSeMidenLosTextosMasLargos()
    {
        VistaLista lista;
        lista.agregarColumna(QStringLiteral("A"));
        lista.agregarColumna(QStringLiteral("B"));
        const QStringList textos{"", "", "ab", "a", "ab", "abc"};
        const QList<bool> medidos{true, false, true, false, false, true};
        for (int i = 0; i < textos.size(); ++i) {
            const int ancho = lista.anchoTextoSiMasLargo(1, textos[i]);
            QCOMPARE(ancho >= 0, medidos[i]);
            if (medidos[i])
                QCOMPARE(ancho, lista.anchoTexto(textos[i]));
        }
        QVERIFY(lista.anchoTextoSiMasLargo(0, QStringLiteral("a")) >= 0);
        lista.limpiarItems();
        QVERIFY(lista.anchoTextoSiMasLargo(1, QStringLiteral("a")) >= 0);
    }
};

QTEST_MAIN(TstVistaLista)
#include "tst_VistaLista.moc"

#include "EntornoPrueba.h"
#include "ui/VistaLista.h"

#include <QTest>
#include <memory>

using dalvo::ui::VistaLista;

class TstVistaLista : public QObject
{
    Q_OBJECT

    std::unique_ptr<dalvo::prueba::EntornoPrueba> mEntorno;

    static QStringList textos(const VistaLista& lista, int columna)
    {
        QStringList t;
        for (int i = 0; i < lista.cantidadItems(); ++i)
            t << lista.item(i)->text(columna);
        return t;
    }

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
        QTest::newRow("un pixel") << 15 << 1 << 15;
        QTest::newRow("menos de un pixel") << 5 << 1 << 15;
        QTest::newRow("cero oculta") << 0 << 0 << 0;
        QTest::newRow("negativo oculta") << -30 << 0 << 0;
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

    void columnaDeAnchoCeroOcultaYLegible()
    {
        VistaLista lista;
        lista.agregarColumna(QStringLiteral("Nombre"), 1500);
        lista.agregarColumna(QStringLiteral("HH Baja"), 0);
        auto* item = lista.agregarItem(QStringLiteral("1K"), QStringLiteral("Farmacia"));
        item->setText(1, QStringLiteral("SI"));
        QVERIFY(lista.isColumnHidden(1));
        QCOMPARE(lista.anchoColumna(1), 0);
        QCOMPARE(lista.item(0)->text(1), QStringLiteral("SI"));

        lista.setAnchoColumna(1, 900);
        QVERIFY(!lista.isColumnHidden(1));
        QVERIFY(lista.anchoColumna(1) > 0);
        lista.setAnchoColumna(1, 0);
        QCOMPARE(lista.anchoColumna(1), 0);

        // A new set of columns starts visible even where an old one was hidden.
        lista.limpiarColumnas();
        QCOMPARE(lista.cantidadItems(), 0);
        QCOMPARE(lista.cantidadColumnas(), 0);
        lista.agregarColumna(QStringLiteral("X"), 1500);
        lista.agregarColumna(QStringLiteral("Y"), 1500);
        QVERIFY(!lista.isColumnHidden(1));
        QCOMPARE(lista.encabezado(1), QStringLiteral("Y"));
    }

    void alineacionPorColumna()
    {
        VistaLista lista;
        lista.agregarColumna(QStringLiteral("Nombre"), 1500);
        lista.agregarColumna(QStringLiteral("Importe"), 1500, Qt::AlignRight);
        auto* item = lista.agregarItem({}, QStringLiteral("a"));
        item->setText(1, QStringLiteral("12,50"));
        QCOMPARE(lista.alineacion(0), Qt::AlignLeft);
        QCOMPARE(lista.alineacion(1), Qt::AlignRight);
        const auto celda = Qt::Alignment(item->data(1, Qt::TextAlignmentRole).toInt());
        QVERIFY(celda & Qt::AlignRight);
    }

    void itemsPorClave()
    {
        VistaLista lista;
        lista.agregarColumna(QStringLiteral("Campo"), 1500);
        lista.agregarColumna(QStringLiteral("Valor"), 1500);
        for (int i = 1; i <= 3; ++i) {
            auto* item = lista.agregarItem(QStringLiteral("%1K").arg(i), QStringLiteral("fila %1").arg(i));
            item->setText(1, QStringLiteral("valor %1").arg(i));
        }
        lista.agregarItem({}, QStringLiteral("sin clave"));

        QCOMPARE(lista.cantidadItems(), 4);
        QCOMPARE(lista.buscarItem(QStringLiteral("2K"))->text(1), QStringLiteral("valor 2"));
        QCOMPARE(VistaLista::clave(lista.buscarItem(QStringLiteral("3K"))), QStringLiteral("3K"));
        QCOMPARE(lista.buscarItem(QStringLiteral("9K")), nullptr);
        QCOMPARE(lista.buscarItem(QString()), nullptr);
        QCOMPARE(lista.primerItem()->text(0), QStringLiteral("fila 1"));
        QCOMPARE(lista.ultimoItem()->text(0), QStringLiteral("sin clave"));

        QCOMPARE(lista.itemSeleccionado(), nullptr);
        lista.setCurrentItem(lista.buscarItem(QStringLiteral("2K")));
        QCOMPARE(VistaLista::clave(lista.itemSeleccionado()), QStringLiteral("2K"));

        lista.limpiarItems();
        QCOMPARE(lista.cantidadItems(), 0);
        QCOMPARE(lista.buscarItem(QStringLiteral("1K")), nullptr);
        QCOMPARE(lista.primerItem(), nullptr);
        QCOMPARE(lista.ultimoItem(), nullptr);
        QCOMPARE(lista.cantidadColumnas(), 2);
    }

    void iconoPorClave()
    {
        VistaLista lista;
        lista.agregarColumna(QStringLiteral("A"));
        auto* item = lista.agregarItem(QStringLiteral("1K"), QStringLiteral("a"), QStringLiteral("CANCEL"));
        QCOMPARE(VistaLista::claveIcono(item), QStringLiteral("CANCEL"));
        QVERIFY(!item->icon(0).isNull());

        // An unknown key leaves the row with the icon it had.
        QVERIFY(!VistaLista::setIcono(item, QStringLiteral("NOEXISTE")));
        QCOMPARE(VistaLista::claveIcono(item), QStringLiteral("CANCEL"));
        QVERIFY(!item->icon(0).isNull());

        QVERIFY(VistaLista::setIcono(item, QStringLiteral("derecha")));
        QCOMPARE(VistaLista::claveIcono(item), QStringLiteral("derecha"));

        auto* sinIcono =
            lista.agregarItem(QStringLiteral("2K"), QStringLiteral("b"), QStringLiteral("NOEXISTE"));
        QVERIFY(sinIcono->icon(0).isNull());
    }

    void ordenarPorTexto_data()
    {
        QTest::addColumn<QStringList>("valores");
        QTest::addColumn<bool>("ascendente");
        QTest::addColumn<QStringList>("esperado");
        QTest::newRow("letras") << QStringList{"b", "C", "a"} << true << QStringList{"a", "b", "C"};
        QTest::newRow("numeros como texto")
            << QStringList{"9", "10", "1"} << true << QStringList{"1", "10", "9"};
        QTest::newRow("acentos") << QStringList{"Zapata", "Álvarez", "Bravo"} << true
                                 << QStringList{"Álvarez", "Bravo", "Zapata"};
        QTest::newRow("eñe") << QStringList{"Perez", "Peña", "Pena"} << true
                             << QStringList{"Pena", "Peña", "Perez"};
        QTest::newRow("descendente") << QStringList{"b", "C", "a"} << false << QStringList{"C", "b", "a"};
    }
    void ordenarPorTexto()
    {
        QFETCH(QStringList, valores);
        QFETCH(bool, ascendente);
        QFETCH(QStringList, esperado);
        VistaLista lista;
        lista.agregarColumna(QStringLiteral("Clave"));
        lista.agregarColumna(QStringLiteral("Nombre"));
        for (int i = 0; i < valores.size(); ++i)
            lista.agregarItem(QStringLiteral("%1K").arg(i + 1), QString::number(i))->setText(1, valores[i]);

        lista.ordenarPor(1, ascendente ? Qt::AscendingOrder : Qt::DescendingOrder);

        QCOMPARE(textos(lista, 1), esperado);
        // Rows move whole: each keeps its key and first column.
        for (int i = 0; i < lista.cantidadItems(); ++i) {
            const int original = int(valores.indexOf(lista.item(i)->text(1)));
            QCOMPARE(lista.item(i)->text(0), QString::number(original));
            QCOMPARE(VistaLista::clave(lista.item(i)), QStringLiteral("%1K").arg(original + 1));
        }
    }

    void anchoDeTextoEnLaFuenteDeLaVentana()
    {
        VistaLista lista;
        QWidget ventana;
        QFont grande = ventana.font();
        grande.setPointSize(grande.pointSize() * 3);
        ventana.setFont(grande);
        const QString texto = QStringLiteral("Farmacia del Centro");

        QCOMPARE(lista.anchoTexto(QString()), 0);
        QCOMPARE(lista.anchoTexto(texto), lista.aTwips(lista.fontMetrics().horizontalAdvance(texto)));
        QCOMPARE(lista.anchoTexto(texto, &ventana),
                 lista.aTwips(ventana.fontMetrics().horizontalAdvance(texto)));
        QVERIFY(lista.anchoTexto(texto, &ventana) > 2 * lista.anchoTexto(texto));
        if (lista.logicalDpiX() == 96)
            QCOMPARE(lista.anchoTexto(texto) % 15, 0);
    }

    // Only a text longer than every one measured before in its column can widen it.
    void soloSeMidenLosTextosMasLargos_data()
    {
        QTest::addColumn<QStringList>("textos");
        QTest::addColumn<QList<bool>>("medidos");
        QTest::newRow("primero vacio") << QStringList{"", "", "a"} << QList<bool>{true, false, true};
        QTest::newRow("crece") << QStringList{"abc", "ab", "abc", "abcd"}
                               << QList<bool>{true, false, false, true};
    }
    void soloSeMidenLosTextosMasLargos()
    {
        QFETCH(QStringList, textos);
        QFETCH(QList<bool>, medidos);
        VistaLista lista;
        lista.agregarColumna(QStringLiteral("A"));
        lista.agregarColumna(QStringLiteral("B"));
        for (int i = 0; i < textos.size(); ++i) {
            const int ancho = lista.anchoTextoSiMasLargo(1, textos[i]);
            QCOMPARE(ancho >= 0, medidos[i]);
            if (medidos[i])
                QCOMPARE(ancho, lista.anchoTexto(textos[i]));
        }
        // Each column keeps its own record, and a new fill starts again.
        QVERIFY(lista.anchoTextoSiMasLargo(0, QStringLiteral("a")) >= 0);
        lista.limpiarItems();
        QVERIFY(lista.anchoTextoSiMasLargo(1, QStringLiteral("a")) >= 0);
        QVERIFY(lista.anchoTextoSiMasLargo(7, QStringLiteral("a")) >= 0); // no such column: always measured
    }
};

QTEST_MAIN(TstVistaLista)
#include "tst_VistaLista.moc"

// The selection window: its rows, its marks and its three answers.

#include "EntornoPrueba.h"
#include "consultation/frmSeleccion.h"
#include "ui/VistaLista.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

using namespace dalvo;

namespace {

ColeccionSeleccion tresItems()
{
    ColeccionSeleccion c;
    c.append({1, QStringLiteral("Nombre"), QStringLiteral("Ana"), true, QStringLiteral("1K")});
    c.append({2, QStringLiteral("Grupo"), 3, false, QStringLiteral("2K")});
    c.append({3, QStringLiteral("Nombre"), QStringLiteral("Eva"), true, QStringLiteral("3K")});
    return c;
}

// Runs Cargar with the window driven by accion once it is on screen.
qint16 cargarY(ColeccionSeleccion& coleccion, const std::function<void(frmSeleccion&)>& accion)
{
    frmSeleccion ventana;
    QTimer::singleShot(0, &ventana, [&ventana, accion] {
        QVERIFY(ventana.isVisible());
        accion(ventana);
    });
    return ventana.Cargar(coleccion);
}

ui::VistaLista* lista(frmSeleccion& v)
{
    return v.findChild<ui::VistaLista*>(QStringLiteral("lvwSeleccion"));
}

void dobleClic(frmSeleccion& v, int fila)
{
    ui::VistaLista* l = lista(v);
    QTreeWidgetItem* item = l->item(fila);
    // A double-click first makes the row the selected one.
    l->setCurrentItem(item);
    emit l->itemDoubleClicked(item, 1);
}

} // namespace

class TstFrmSeleccion : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;

private slots:
    void init() { mEntorno = std::make_unique<prueba::EntornoPrueba>(); }
    void cleanup() { mEntorno.reset(); }

    void muestraNumeroCampoYValorConLaClaveOculta()
    {
        ColeccionSeleccion coleccion = tresItems();
        QStringList filas;
        QStringList iconos;
        bool claveOculta = false;
        QCOMPARE(cargarY(coleccion,
                         [&](frmSeleccion& v) {
                             QCOMPARE(v.windowTitle(), QStringLiteral("Seleccion"));
                             ui::VistaLista* l = lista(v);
                             for (int i = 0; i < l->cantidadItems(); ++i) {
                                 QTreeWidgetItem* it = l->item(i);
                                 filas << it->text(0) + '|' + it->text(1) + '|' + it->text(2) + '|' +
                                              it->text(3);
                                 iconos << ui::VistaLista::claveIcono(it);
                             }
                             claveOculta = l->anchoColumna(3) == 0 && l->anchoColumna(2) > 0;
                             v.close();
                         }),
                 qint16(0));
        QCOMPARE(filas, (QStringList{"1|Nombre|Ana|1K", "2|Grupo|3|2K", "3|Nombre|Eva|3K"}));
        QCOMPARE(iconos, (QStringList{"MARCA", "NOMARCA", "MARCA"}));
        QVERIFY(claveOculta);
    }

    void cadaBotonDaSuRespuesta_data()
    {
        QTest::addColumn<QString>("boton");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("respuesta");
        QTest::addColumn<bool>("vacia");
        QTest::newRow("tomar valores") << "cmdTomarValores"
                                       << "Tomar Valores" << 1 << false;
        QTest::newRow("borrar seleccion") << "cmdBorrarSeleccion"
                                          << "Borrar Seleccion" << 2 << false;
        QTest::newRow("salir") << "cmdCancelar"
                               << "Salir" << 0 << false;
        QTest::newRow("tomar valores, coleccion vacia") << "cmdTomarValores"
                                                        << "Tomar Valores" << 1 << true;
        QTest::newRow("borrar, coleccion vacia") << "cmdBorrarSeleccion"
                                                 << "Borrar Seleccion" << 2 << true;
    }
    void cadaBotonDaSuRespuesta()
    {
        QFETCH(QString, boton);
        QFETCH(QString, texto);
        QFETCH(int, respuesta);
        QFETCH(bool, vacia);
        ColeccionSeleccion coleccion = vacia ? ColeccionSeleccion{} : tresItems();
        int filas = -1;
        const qint16 r = cargarY(coleccion, [&](frmSeleccion& v) {
            filas = lista(v)->cantidadItems();
            auto* b = v.findChild<QPushButton*>(boton);
            QCOMPARE(b->text(), texto);
            QTest::mouseClick(b, Qt::LeftButton);
        });
        QCOMPARE(int(r), respuesta);
        QCOMPARE(filas, int(coleccion.size()));
    }

    void cerrarConElMarcoDaCero()
    {
        ColeccionSeleccion coleccion = tresItems();
        QCOMPARE(cargarY(coleccion, [](frmSeleccion& v) { v.close(); }), qint16(0));
        QCOMPARE(cargarY(coleccion, [](frmSeleccion& v) { QTest::keyClick(&v, Qt::Key_Escape); }), qint16(0));
    }

    // Marks changed in the window stay in the caller's collection, whatever the answer.
    void dobleClicInvierteLaMarca_data()
    {
        QTest::addColumn<int>("clics");
        QTest::addColumn<QString>("boton");
        QTest::addColumn<bool>("marcado");
        QTest::addColumn<QString>("icono");
        QTest::newRow("uno, tomar valores") << 1 << "cmdTomarValores" << false << "NOMARCA";
        QTest::newRow("uno, salir") << 1 << "cmdCancelar" << false << "NOMARCA";
        QTest::newRow("uno, borrar") << 1 << "cmdBorrarSeleccion" << false << "NOMARCA";
        QTest::newRow("dos restauran") << 2 << "cmdTomarValores" << true << "MARCA";
        QTest::newRow("tres") << 3 << "cmdCancelar" << false << "NOMARCA";
    }
    void dobleClicInvierteLaMarca()
    {
        QFETCH(int, clics);
        QFETCH(QString, boton);
        QFETCH(bool, marcado);
        QFETCH(QString, icono);
        ColeccionSeleccion coleccion = tresItems();
        QString iconoVisto;
        cargarY(coleccion, [&](frmSeleccion& v) {
            for (int i = 0; i < clics; ++i)
                dobleClic(v, 2);
            iconoVisto = ui::VistaLista::claveIcono(lista(v)->item(2));
            QTest::mouseClick(v.findChild<QPushButton*>(boton), Qt::LeftButton);
        });
        QCOMPARE(coleccion[2].Marcado, marcado);
        QCOMPARE(iconoVisto, icono);
        // The other items are left alone.
        QVERIFY(coleccion[0].Marcado);
        QVERIFY(!coleccion[1].Marcado);
        QCOMPARE(coleccion[2].Valor, QVariant(QStringLiteral("Eva")));
    }

    // The key in the row finds the item, not the row's position.
    void laClaveEncuentraElItem()
    {
        ColeccionSeleccion coleccion = tresItems();
        cargarY(coleccion, [&](frmSeleccion& v) {
            lista(v)->ordenarPor(2, Qt::DescendingOrder); // Eva, Ana, 3
            dobleClic(v, 0);
            v.close();
        });
        QVERIFY(coleccion[0].Marcado);
        QVERIFY(!coleccion[2].Marcado);
    }
};

QTEST_MAIN(TstFrmSeleccion)
#include "tst_frmSeleccion.moc"

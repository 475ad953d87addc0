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
        bool claveOculta = false;
        const qint16 r = cargarY(coleccion, [&](frmSeleccion& v) {
            ui::VistaLista* l = lista(v);
            for (int i = 0; i < l->cantidadItems(); ++i)
                filas << QStringList{l->item(i)->text(0), l->item(i)->text(1), l->item(i)->text(2),
                                     l->item(i)->text(3), ui::VistaLista::claveIcono(l->item(i))}
                             .join(u'|');
            claveOculta = l->anchoColumna(3) == 0 && l->anchoColumna(2) > 0;
            v.close(); // the frame's close button answers 0
        });
        QCOMPARE(r, qint16(0));
        QCOMPARE(filas,
                 (QStringList{"1|Nombre|Ana|1K|MARCA", "2|Grupo|3|2K|NOMARCA", "3|Nombre|Eva|3K|MARCA"}));
        QVERIFY(claveOculta);
    }

    // Each button its answer; the frame's close button and Escape answer 0. A double-click toggles the mark,
    // which stays in the caller's collection whatever the answer.
    void respuestasYMarcas_data()
    {
        QTest::addColumn<QString>("boton");
        QTest::addColumn<int>("clics");
        QTest::addColumn<int>("respuesta");
        QTest::newRow("tomar valores") << QStringLiteral("cmdTomarValores") << 1 << 1;
        QTest::newRow("borrar seleccion") << QStringLiteral("cmdBorrarSeleccion") << 2 << 2;
        QTest::newRow("salir") << QStringLiteral("cmdCancelar") << 3 << 0;
        QTest::newRow("escape") << QString() << 1 << 0;
    }
    void respuestasYMarcas()
    {
        QFETCH(QString, boton);
        QFETCH(int, clics);
        QFETCH(int, respuesta);
        ColeccionSeleccion coleccion = tresItems();
        QString icono;
        const qint16 r = cargarY(coleccion, [&](frmSeleccion& v) {
            for (int i = 0; i < clics; ++i)
                dobleClic(v, 2);
            icono = ui::VistaLista::claveIcono(lista(v)->item(2));
            if (boton.isEmpty())
                QTest::keyClick(&v, Qt::Key_Escape);
            else
                QTest::mouseClick(v.findChild<QPushButton*>(boton), Qt::LeftButton);
        });
        QCOMPARE(int(r), respuesta);
        QCOMPARE(coleccion[2].Marcado, clics % 2 == 0);
        QCOMPARE(icono, QString::fromLatin1(clics % 2 == 0 ? "MARCA" : "NOMARCA"));
        QVERIFY(coleccion[0].Marcado);
        QVERIFY(!coleccion[1].Marcado);
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

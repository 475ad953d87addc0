// Picking values from result rows, applying them and reviewing them in the selection window.

#include "BaseConsultas.h"
#include "EntornoPrueba.h"
#include "adhoc/frmConsultas.h"
#include "consultation/frmSeleccion.h"
#include "ui/VistaLista.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace dalvo;
using namespace dalvo::prueba;

class TstFrmConsultasSeleccion : public QObject
{
    Q_OBJECT

    std::unique_ptr<BaseConsultas> mBase;
    std::unique_ptr<GuionMensajes> mGuion;
    std::unique_ptr<frmConsultas> mVentana;

    frmConsultas& v() { return *mVentana; }
    ui::VistaLista* respuesta() { return control<ui::VistaLista>(v(), "lvwRespuesta"); }

    // Muestras with Grupo 1: 200 rows, Id 1 to 200 in order.
    void consultarGrupoUno()
    {
        elegirTabla(v(), QStringLiteral("Muestras"));
        elegirColumna(v(), QStringLiteral("Grupo"));
        escribir(v(), QStringLiteral("1"));
        pulsar(v(), "cmdConsultar");
        QCOMPARE(respuesta()->cantidadItems(), 200);
    }

    void elegirValoresDeLaFila(int fila)
    {
        elegirFila(v(), fila);
        mGuion->responder(ui::Respuesta::Yes);
        pulsar(v(), "cmdSeleccionar");
    }

    // Opens the review and answers with a button once it is on screen, after double-clicking the rows given.
    void verSeleccion(const QString& boton, const QList<int>& desmarcar = {})
    {
        QTimer::singleShot(0, this, [boton, desmarcar] {
            auto* ventana = qobject_cast<frmSeleccion*>(QApplication::activeModalWidget());
            QVERIFY(ventana);
            auto* lista = control<ui::VistaLista>(*ventana, "lvwSeleccion");
            for (int fila : desmarcar) {
                lista->setCurrentItem(lista->item(fila));
                emit lista->itemDoubleClicked(lista->item(fila), 0);
            }
            pulsar(*ventana, qPrintable(boton));
        });
        pulsar(v(), "cmdVerSeleccion");
    }

private slots:
    void init()
    {
        mBase = std::make_unique<BaseConsultas>();
        mGuion = std::make_unique<GuionMensajes>();
        mVentana = std::make_unique<frmConsultas>();
        mVentana->show();
        QVERIFY(QTest::qWaitForWindowActive(mVentana.get()));
    }
    void cleanup()
    {
        mVentana.reset();
        mGuion.reset();
        mBase.reset();
    }

    // Every column of the row, as the list shows it, goes back into the criteria and finds that row again.
    void elegirDosVecesYAsignarTomaLaUltima()
    {
        consultarGrupoUno();
        elegirValoresDeLaFila(0);
        QCOMPARE(mGuion->mostrados().size(), 1);
        QCOMPARE(mGuion->mostrados()[0].texto, QStringLiteral("¿ Selecciona valores ?"));
        QCOMPARE(mGuion->mostrados()[0].icono, ui::Icono::Pregunta);
        // A double-click picks too.
        elegirFila(v(), 4);
        mGuion->responder(ui::Respuesta::Yes);
        emit respuesta()->itemDoubleClicked(respuesta()->item(4), 0);
        QCOMPARE(v().seleccion().size(), 14);
        QCOMPARE(v().seleccion().last().Clave, QStringLiteral("14K"));

        elegirColumna(v(), QStringLiteral("Nombre"));
        escribir(v(), QStringLiteral("tecleado"));
        pulsar(v(), "cmdAsignarSeleccion");
        QCOMPARE(lineasCampos(v()),
                 (QStringList{"Id [5]", "Grupo [1]", "Nombre [Nombre 5]", "Apellido [Pérez 5]",
                              "Alta [06/05/2024]", "Importe [6,25]", "Activo [Verdadero]"}));
        // The box shows what was applied; leaving it keeps it.
        QCOMPARE(control<QLineEdit>(v(), "txtValor")->text(), QStringLiteral("Nombre 5"));
        salirDelValor(v());
        QCOMPARE(v().columnas()[2].Valor.toString(), QStringLiteral("Nombre 5"));

        mBase->enviadas();
        pulsar(v(), "cmdConsultar");
        QCOMPARE(mBase->enviadas().value(0),
                 QStringLiteral(
                     "SELECT COUNT(*) AS Cuenta \r\n FROM Muestras (nolock)\r\n WHERE \r\nId = 5\r\n AND "
                     "Grupo = 1\r\n AND Nombre LIKE 'Nombre 5%'\r\n AND Apellido LIKE 'Pérez 5%'\r\n AND "
                     "CONVERT(Char(8), Alta,112) = '20240506'\r\n AND Importe = 6.25\r\n AND Activo = 1"));
        QCOMPARE(respuesta()->cantidadItems(), 1);
        QCOMPARE(respuesta()->item(0)->text(0), QStringLiteral("5"));
    }

    void sinFilaElegidaNoEligeNada()
    {
        consultarGrupoUno();
        respuesta()->clearSelection();
        pulsar(v(), "cmdSeleccionar");
        QVERIFY(mGuion->mostrados().isEmpty());
        QVERIFY(v().seleccion().isEmpty());
        QVERIFY(!control<QPushButton>(v(), "cmdVerSeleccion")->isEnabled());
    }

    void lasRespuestasDeLaRevision_data()
    {
        QTest::addColumn<QString>("boton");
        QTest::addColumn<QList<int>>("desmarcar");
        QTest::addColumn<QStringList>("lineas");
        QTest::addColumn<int>("quedan");
        const QStringList sinValores{"Id", "Grupo [1]", "Nombre", "Apellido", "Alta", "Importe", "Activo"};
        QTest::newRow("tomar valores")
            << "cmdTomarValores" << QList<int>{0, 3, 4, 5, 6}
            << QStringList{"Id", "Grupo [1]", "Nombre [Nombre 3]", "Apellido", "Alta", "Importe", "Activo"}
            << 7;
        QTest::newRow("borrar seleccion") << "cmdBorrarSeleccion" << QList<int>{} << sinValores << 0;
        QTest::newRow("salir") << "cmdCancelar" << QList<int>{} << sinValores << 7;
    }
    void lasRespuestasDeLaRevision()
    {
        QFETCH(QString, boton);
        QFETCH(QList<int>, desmarcar);
        QFETCH(QStringList, lineas);
        QFETCH(int, quedan);
        consultarGrupoUno();
        elegirValoresDeLaFila(2);
        verSeleccion(boton, desmarcar);
        QCOMPARE(lineasCampos(v()), lineas);
        QCOMPARE(v().seleccion().size(), quedan);
        QCOMPARE(control<QPushButton>(v(), "cmdVerSeleccion")->isEnabled(), quedan > 0);
        // The marks changed in the review stay in the window's selection.
        if (quedan > 0)
            QCOMPARE(v().seleccion()[3].Marcado, !desmarcar.contains(3));
    }

    // Values picked from a table of texts reach numeric and date columns of another table of the same
    // names: each is refused before anything is sent, until none is left.
    void valoresDeTextoEnColumnasNumericasNoLleganAlServidor()
    {
        elegirTabla(v(), QStringLiteral("Textos"));
        pulsar(v(), "cmdConsultar");
        QCOMPARE(respuesta()->cantidadItems(), 1);
        elegirValoresDeLaFila(0);
        elegirTabla(v(), QStringLiteral("Muestras"));
        pulsar(v(), "cmdAsignarSeleccion");
        QCOMPARE(lineasCampos(v()),
                 (QStringList{"Id", "Grupo [1 OR 1=1]", "Nombre", "Apellido", "Alta [20240101' OR '1'='1]",
                              "Importe [1; DELETE Muestras]", "Activo"}));
        mBase->enviadas();
        const QStringList rechazos{
            "El valor para Grupo debe ser un número",
            "El valor para Alta debe ser una fecha de ocho cifras: año, mes y día (aaaammdd)",
            "El valor para Importe debe ser un número"};
        for (const QString& rechazo : rechazos) {
            const qsizetype antes = mGuion->mostrados().size();
            pulsar(v(), "cmdConsultar");
            QCOMPARE(mBase->enviadas(), QStringList());
            QCOMPARE(mGuion->mostrados().size(), antes + 1);
            QCOMPARE(mGuion->mostrados().last().texto, rechazo);
            // The operator clears the value named and tries again.
            elegirColumna(v(), rechazo.section(QLatin1Char(' '), 3, 3));
            escribir(v(), {});
            salirDelValor(v());
        }
        pulsar(v(), "cmdConsultar");
        QCOMPARE(mBase->enviadas().value(0),
                 QStringLiteral("SELECT COUNT(*) AS Cuenta \r\n FROM Muestras (nolock)"));
        QVERIFY(mGuion->mostrados().last().texto.startsWith(QStringLiteral("La consulta tiene 4402 filas.")));
    }
};

QTEST_MAIN(TstFrmConsultasSeleccion)
#include "tst_frmConsultasSeleccion.moc"

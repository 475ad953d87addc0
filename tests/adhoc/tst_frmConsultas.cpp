// The ad-hoc query window on a small demo database: what it sends, the row-count guards, the value box, the
// errors, and picking values from result rows, applying them and reviewing them in the selection window.

#include "BaseConsultas.h"
#include "EntornoPrueba.h"
#include "adhoc/frmConsultas.h"
#include "consultation/frmSeleccion.h"
#include "demo/GeneradorDemo.h"
#include "ui/VistaLista.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

using namespace dalvo;
using namespace dalvo::prueba;

namespace {

const QString kColumnasMuestras =
    QStringLiteral("SELECT \r\nId,\r\nGrupo,\r\nNombre,\r\nApellido,\r\nAlta,\r\nImporte,\r\nActivo");
const QString kDesdeMuestras = QStringLiteral("\r\n FROM Muestras (nolock)");
const QString kCuentaMuestras = QStringLiteral("SELECT COUNT(*) AS Cuenta ") + kDesdeMuestras;
const QString kDonde = QStringLiteral("\r\n WHERE \r\n");

} // namespace

class TstFrmConsultas : public QObject
{
    Q_OBJECT

    std::unique_ptr<BaseConsultas> mBase;
    std::unique_ptr<GuionMensajes> mGuion;
    std::unique_ptr<ContadorPitidos> mPitidos;
    std::unique_ptr<frmConsultas> mVentana;
    QStringList mAlAbrir;

    frmConsultas& v() { return *mVentana; }
    ui::VistaLista* respuesta() { return control<ui::VistaLista>(v(), "lvwRespuesta"); }

    // Runs the query and returns what it sent.
    QStringList consultar()
    {
        mBase->enviadas();
        pulsar(v(), "cmdConsultar");
        return mBase->enviadas();
    }

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

    // Opens the review and answers with a button once it is on screen, after double-clicking the rows of the
    // fields given. The review is sorted first: a row finds its item by its key, not by its position.
    void verSeleccion(const QString& boton, const QStringList& desmarcar = {})
    {
        QTimer::singleShot(0, this, [boton, desmarcar] {
            auto* ventana = qobject_cast<frmSeleccion*>(QApplication::activeModalWidget());
            QVERIFY(ventana);
            auto* lista = control<ui::VistaLista>(*ventana, "lvwSeleccion");
            lista->ordenarPor(1, Qt::DescendingOrder);
            for (int fila = 0; fila < lista->cantidadItems(); ++fila) {
                if (desmarcar.contains(lista->item(fila)->text(1))) {
                    lista->setCurrentItem(lista->item(fila));
                    emit lista->itemDoubleClicked(lista->item(fila), 0);
                }
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
        mPitidos = std::make_unique<ContadorPitidos>();
        mVentana = std::make_unique<frmConsultas>();
        mAlAbrir = mBase->enviadas();
        mVentana->show();
        QVERIFY(QTest::qWaitForWindowActive(mVentana.get()));
    }
    void cleanup()
    {
        mVentana.reset();
        mPitidos.reset();
        mGuion.reset();
        mBase.reset();
    }

    // The user tables; the catalogue's column list, with LEFT JOIN for the old outer join.
    void elegirUnaTablaCargaSusColumnas()
    {
        QCOMPARE(mAlAbrir, QStringList{QStringLiteral(
                               "SELECT Name As Tabla From sysobjects where type='U' ORDER BY Tabla")});
        QCOMPARE(control<QComboBox>(v(), "cboTablas")->count(), demo::TablasDemo().size() + 2);
        elegirTabla(v(), QStringLiteral("Muestras"));
        QCOMPARE(
            mBase->enviadas(),
            QStringList{QStringLiteral(
                "SELECT     c.colid AS Numero,    c.name AS Columna,    t.name AS Tipo,    c.length AS "
                "Longitud,    c.scale AS Decimales    FROM syscolumns c LEFT JOIN systypes t ON c.usertype = "
                "t.usertype    WHERE c.id = (select id from sysobjects where id = object_id('Muestras'))")});
        QCOMPARE(lineasCampos(v()),
                 (QStringList{"Id", "Grupo", "Nombre", "Apellido", "Alta", "Importe", "Activo"}));
        const clsItemDato& dato = v().columnas().at(3);
        QCOMPARE(dato.Tipo, QStringLiteral("varchar"));
        QCOMPARE(int(dato.NumeroColumna), 4);
    }

    // The count and then the rows, each criterion in the order of the columns, a quote doubled: the row is
    // found.
    void lasSentenciasSonLasDelSistema()
    {
        elegirTabla(v(), QStringLiteral("Muestras"));
        const QList<std::pair<QString, QString>> valores{
            {"Nombre", "o'brien"}, {"Alta", "2024-05/08"}, {"Apellido", "Quiroga"}, {"Grupo", "1"}};
        for (const auto& [columna, teclas] : valores) {
            elegirColumna(v(), columna);
            escribir(v(), teclas);
        }
        QCOMPARE(mPitidos->cuenta, 2); // a date column takes only digits
        const QString condicion = "Grupo = 1\r\n AND Nombre LIKE 'o''brien%'\r\n AND Apellido LIKE "
                                  "'Quiroga%'\r\n AND CONVERT(Char(8), "
                                  "Alta,112) = '20240508'";
        QCOMPARE(consultar(), (QStringList{kCuentaMuestras + kDonde + condicion,
                                           kColumnasMuestras + kDesdeMuestras + kDonde + condicion}));
        QVERIFY(mGuion->mostrados().isEmpty());
        QCOMPARE(respuesta()->cantidadItems(), 1);
        QCOMPARE(respuesta()->item(0)->text(2).trimmed(), QStringLiteral("O'Brien"));
        QVERIFY(control<QPushButton>(v(), "cmdSeleccionar")->isEnabled());
    }

    void lasGuardasDeFilas_data()
    {
        QTest::addColumn<QString>("grupo");
        QTest::addColumn<int>("contesta");
        QTest::addColumn<QString>("mensaje");
        QTest::addColumn<int>("icono");
        QTest::addColumn<int>("cargadas");
        const int si = int(ui::Respuesta::Yes);
        const int no = int(ui::Respuesta::No);
        const int pregunta = int(ui::Icono::Pregunta);
        const QString confirma = QStringLiteral("\r\n¿ Confirma ?");
        const QString agregar = QStringLiteral("\r\nDebe agregar condiciones a la bússqueda");
        QTest::newRow("0: sin resultado")
            << "9" << si << "Consulta sin resultado" << int(ui::Icono::Ninguno) << 0;
        QTest::newRow("200 sin pregunta") << "1" << no << "" << 0 << 200;
        QTest::newRow("201 pregunta, si")
            << "2" << si << "La consulta tiene 201 filas." + confirma << pregunta << 201;
        QTest::newRow("201 pregunta, no")
            << "2" << no << "La consulta tiene 201 filas." + confirma << pregunta << 0;
        QTest::newRow("2001 no corre aunque digan si")
            << "4" << si << "La consulta tiene 2001 filas." + agregar << pregunta << 0;
    }
    void lasGuardasDeFilas()
    {
        QFETCH(QString, grupo);
        QFETCH(int, contesta);
        QFETCH(QString, mensaje);
        QFETCH(int, icono);
        QFETCH(int, cargadas);
        elegirTabla(v(), QStringLiteral("Muestras"));
        elegirColumna(v(), QStringLiteral("Grupo"));
        escribir(v(), grupo);
        mGuion->responder(ui::Respuesta(contesta));
        const QStringList enviadas = consultar();
        const QString condicion = grupo.isEmpty() ? QString() : kDonde + QStringLiteral("Grupo = ") + grupo;
        QCOMPARE(enviadas.value(0), kCuentaMuestras + condicion);
        QCOMPARE(enviadas.size(), cargadas > 0 ? 2 : 1);
        QCOMPARE(respuesta()->cantidadItems(), cargadas);
        if (mensaje.isEmpty()) {
            QVERIFY(mGuion->mostrados().isEmpty());
            return;
        }
        QCOMPARE(mGuion->mostrados().size(), 1);
        const ui::Mensaje& m = mGuion->mostrados().first();
        QCOMPARE(m.texto, mensaje);
        QCOMPARE(m.botones, icono == int(ui::Icono::Pregunta) ? ui::Botones::YesNo : ui::Botones::OK);
        QCOMPARE(int(m.icono), icono);
        QCOMPARE(m.titulo, QStringLiteral("Consultas"));
        QCOMPARE(control<QPushButton>(v(), "cmdSeleccionar")->isEnabled(), cargadas > 0);
    }

    // Clearing a value takes its bracket and its condition away; another table forgets the current column.
    void limpiarElValorYCambiarDeTabla()
    {
        elegirTabla(v(), QStringLiteral("Muestras"));
        elegirColumna(v(), QStringLiteral("Nombre"));
        escribir(v(), QStringLiteral("Nombre 12"));
        elegirColumna(v(), QStringLiteral("Grupo"));
        QCOMPARE(lineasCampos(v()).value(2), QStringLiteral("Nombre [Nombre 12]"));
        elegirColumna(v(), QStringLiteral("Nombre"));
        QCOMPARE(control<QLineEdit>(v(), "txtValor")->text(), QStringLiteral("Nombre 12"));
        escribir(v(), {});
        salirDelValor(v());
        QCOMPARE(lineasCampos(v()).value(2), QStringLiteral("Nombre"));
        QCOMPARE(consultar().value(0), kCuentaMuestras);

        escribir(v(), QStringLiteral("x"));
        elegirTabla(v(), QStringLiteral("Textos"));
        QCOMPARE(v().columnaActual(), qint16(0));
        QCOMPARE(control<QLineEdit>(v(), "txtValor")->text(), QString());
        escribir(v(), QStringLiteral("12"));
        salirDelValor(v());
        QCOMPARE(lineasCampos(v()), (QStringList{"Grupo", "Alta", "Importe"}));
        for (const clsItemDato& dato : v().columnas())
            QVERIFY(!dato.Valor.isValid());
    }

    void unErrorDelServidorSeMuestraYLaVentanaSigue()
    {
        elegirTabla(v(), QStringLiteral("Muestras"));
        mBase->sqlite(QStringLiteral("DROP TABLE Muestras"));
        QCOMPARE(consultar(), QStringList{kCuentaMuestras});
        QCOMPARE(mGuion->mostrados().size(), 1);
        const ui::Mensaje& m = mGuion->mostrados().first();
        QVERIFY2(m.texto.startsWith(QStringLiteral("208\r\n42S02 ")), qPrintable(m.texto));
        QCOMPARE(m.icono, ui::Icono::Critico);
        QCOMPARE(m.titulo, QStringLiteral("Error"));
        QVERIFY(control<QPushButton>(v(), "cmdConsultar")->isEnabled());
        QVERIFY(!control<QPushButton>(v(), "cmdSeleccionar")->isEnabled());
    }

    // Every column of the row, as the list shows it, goes back into the criteria and finds that row again.
    void elegirDosVecesYAsignarTomaLaUltima()
    {
        consultarGrupoUno();
        elegirValoresDeLaFila(0);
        QCOMPARE(mGuion->mostrados().size(), 1);
        QCOMPARE(mGuion->mostrados()[0].texto, QStringLiteral("¿ Selecciona valores ?"));
        QCOMPARE(mGuion->mostrados()[0].icono, ui::Icono::Pregunta);
        elegirValoresDeLaFila(4);
        QCOMPARE(v().seleccion().size(), 14);
        QCOMPARE(v().seleccion().last().Clave, QStringLiteral("14K"));

        elegirColumna(v(), QStringLiteral("Nombre"));
        escribir(v(), QStringLiteral("tecleado"));
        pulsar(v(), "cmdAsignarSeleccion");
        QCOMPARE(lineasCampos(v()),
                 (QStringList{"Id [5]", "Grupo [1]", "Nombre [Nombre 5]", "Apellido [Pérez 5]",
                              "Alta [06/05/2024]", "Importe [6,25]", "Activo [Verdadero]"}));
        salirDelValor(v()); // the box shows what was applied, and leaving it keeps it

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

    void lasRespuestasDeLaRevision_data()
    {
        QTest::addColumn<QString>("boton");
        QTest::addColumn<QStringList>("desmarcar");
        QTest::addColumn<QStringList>("lineas");
        QTest::addColumn<int>("quedan");
        const QStringList sinValores{"Id", "Grupo [1]", "Nombre", "Apellido", "Alta", "Importe", "Activo"};
        QTest::newRow("tomar valores")
            << "cmdTomarValores" << QStringList{"Id", "Apellido", "Alta", "Importe", "Activo"}
            << QStringList{"Id", "Grupo [1]", "Nombre [Nombre 3]", "Apellido", "Alta", "Importe", "Activo"}
            << 7;
        QTest::newRow("borrar seleccion") << "cmdBorrarSeleccion" << QStringList{} << sinValores << 0;
        QTest::newRow("salir") << "cmdCancelar" << QStringList{} << sinValores << 7;
    }
    void lasRespuestasDeLaRevision()
    {
        QFETCH(QString, boton);
        QFETCH(QStringList, desmarcar);
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
            QCOMPARE(v().seleccion()[3].Marcado, !desmarcar.contains(QStringLiteral("Apellido")));
    }

    // Values picked from a table of texts reach numeric and date columns of another table of the same
    // names: refused before anything is sent.
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
        QCOMPARE(consultar(), QStringList());
        QCOMPARE(mGuion->mostrados().last().texto, QStringLiteral("El valor para Grupo debe ser un número"));
    }
};

QTEST_MAIN(TstFrmConsultas)
#include "tst_frmConsultas.moc"

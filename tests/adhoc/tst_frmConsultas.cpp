// The ad-hoc query window on a small demo database: what it sends, the row-count guards, the value box,
// the errors and the sizes.

#include "BaseConsultas.h"
#include "EntornoPrueba.h"
#include "adhoc/frmConsultas.h"
#include "demo/GeneradorDemo.h"
#include "ui/VistaLista.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
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

    void laListaDeTablasVieneDelCatalogo()
    {
        QCOMPARE(mAlAbrir, QStringList{QStringLiteral(
                               "SELECT Name As Tabla From sysobjects where type='U' ORDER BY Tabla")});
        auto* combo = control<QComboBox>(v(), "cboTablas");
        QStringList tablas;
        for (int i = 0; i < combo->count(); ++i)
            tablas << combo->itemText(i);
        QStringList esperadas = demo::TablasDemo() << QStringLiteral("Muestras") << QStringLiteral("Textos");
        std::sort(esperadas.begin(), esperadas.end());
        QStringList vistas = tablas;
        std::sort(vistas.begin(), vistas.end());
        QCOMPARE(vistas, esperadas);
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(v().windowTitle(), QStringLiteral("Consultas"));
        QVERIFY(control<QPushButton>(v(), "cmdConsultar")->isEnabled());
        for (const char* boton : {"cmdSeleccionar", "cmdAsignarSeleccion", "cmdVerSeleccion"})
            QVERIFY2(!control<QPushButton>(v(), boton)->isEnabled(), boton);
        QVERIFY(mGuion->mostrados().isEmpty());
    }

    void elegirUnaTablaCargaSusColumnas_data()
    {
        QTest::addColumn<int>("posicion");
        QTest::addColumn<QString>("columna");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<int>("longitud");
        QTest::newRow("int") << 0 << "Id"
                             << "int" << 4;
        QTest::newRow("smallint") << 1 << "Grupo"
                                  << "smallint" << 2;
        QTest::newRow("char") << 2 << "Nombre"
                              << "char" << 30;
        QTest::newRow("varchar") << 3 << "Apellido"
                                 << "varchar" << 40;
        QTest::newRow("datetime") << 4 << "Alta"
                                  << "datetime" << 8;
        QTest::newRow("money") << 5 << "Importe"
                               << "money" << 8;
        QTest::newRow("bit") << 6 << "Activo"
                             << "bit" << 1;
    }
    void elegirUnaTablaCargaSusColumnas()
    {
        QFETCH(int, posicion);
        QFETCH(QString, columna);
        QFETCH(QString, tipo);
        QFETCH(int, longitud);
        elegirTabla(v(), QStringLiteral("Muestras"));
        QCOMPARE(
            mBase->enviadas(),
            QStringList{QStringLiteral(
                "SELECT     c.colid AS Numero,    c.name AS Columna,    t.name AS Tipo,    c.length AS "
                "Longitud,    c.scale AS Decimales    FROM syscolumns c LEFT JOIN systypes t ON c.usertype = "
                "t.usertype    WHERE c.id = (select id from sysobjects where id = object_id('Muestras'))")});
        QCOMPARE(lineasCampos(v()).size(), 7);
        QCOMPARE(lineasCampos(v()).value(posicion), columna);
        const clsItemDato& dato = v().columnas().at(posicion);
        QCOMPARE(dato.NombreColumna, columna);
        QCOMPARE(dato.Tipo, tipo);
        QCOMPARE(int(dato.Longitud), longitud);
        QCOMPARE(int(dato.NumeroColumna), posicion + 1);
        QCOMPARE(respuesta()->encabezado(posicion), columna);
        // As wide as the column's length, never narrower than its heading.
        const int ancho = std::max(120 * longitud, respuesta()->anchoEncabezado(columna));
        QCOMPARE(respuesta()->anchoColumna(posicion), respuesta()->aTwips(respuesta()->aPixeles(ancho)));
    }

    // The count and then the rows, with the condition as the system writes it.
    void lasSentenciasSonLasDelSistema_data()
    {
        QTest::addColumn<QStringList>("columnas");
        QTest::addColumn<QStringList>("teclas");
        QTest::addColumn<QString>("condicion");
        QTest::addColumn<int>("columnaVista");
        QTest::addColumn<QString>("comienzo");
        QTest::newRow("char") << QStringList{"Nombre"} << QStringList{"Nombre 12"}
                              << "Nombre LIKE 'Nombre 12%'" << 2 << "Nombre 12";
        QTest::newRow("numerica") << QStringList{"Grupo"} << QStringList{"1"} << "Grupo = 1" << 1 << "1";
        QTest::newRow("datetime") << QStringList{"Alta"} << QStringList{"20240502"}
                                  << "CONVERT(Char(8), Alta,112) = '20240502'" << 4 << "02/05/2024";
        QTest::newRow("varchar por prefijo con letras") << QStringList{"Apellido"} << QStringList{"Gómez 12"}
                                                        << "Apellido LIKE 'Gómez 12%'" << 3 << "Gómez 12";
        QTest::newRow("las tres juntas, en el orden de las columnas")
            << QStringList{"Nombre", "Alta", "Grupo"} << QStringList{"Nombre 1", "20240502", "1"}
            << "Grupo = 1\r\n AND Nombre LIKE 'Nombre 1%'\r\n AND CONVERT(Char(8), Alta,112) = '20240502'"
            << 0 << "1";
    }
    void lasSentenciasSonLasDelSistema()
    {
        QFETCH(QStringList, columnas);
        QFETCH(QStringList, teclas);
        QFETCH(QString, condicion);
        QFETCH(int, columnaVista);
        QFETCH(QString, comienzo);
        elegirTabla(v(), QStringLiteral("Muestras"));
        for (qsizetype i = 0; i < columnas.size(); ++i) {
            elegirColumna(v(), columnas[i]);
            escribir(v(), teclas[i]);
        }
        QCOMPARE(mPitidos->cuenta, 0);
        const QStringList enviadas = consultar();
        QCOMPARE(enviadas, (QStringList{kCuentaMuestras + kDonde + condicion,
                                        kColumnasMuestras + kDesdeMuestras + kDonde + condicion}));
        QVERIFY(mGuion->mostrados().isEmpty());
        QVERIFY(respuesta()->cantidadItems() > 0);
        for (int i = 0; i < respuesta()->cantidadItems(); ++i)
            QVERIFY2(respuesta()->item(i)->text(columnaVista).startsWith(comienzo),
                     qPrintable(respuesta()->item(i)->text(columnaVista)));
        QVERIFY(control<QPushButton>(v(), "cmdSeleccionar")->isEnabled());
        QVERIFY(control<QPushButton>(v(), "cmdConsultar")->isEnabled());
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
        QTest::newRow("2000 pregunta, si")
            << "3" << si << "La consulta tiene 2000 filas." + confirma << pregunta << 2000;
        QTest::newRow("2001 no corre aunque digan si")
            << "4" << si << "La consulta tiene 2001 filas." + agregar << pregunta << 0;
        QTest::newRow("sin condiciones, toda la tabla")
            << "" << si << "La consulta tiene 4402 filas." + agregar << pregunta << 0;
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

    void unaComillaNoCierraElLiteral_data()
    {
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<int>("columnaVista");
        QTest::addColumn<QString>("encontrado");
        QTest::newRow("prestador") << "Prestadores"
                                   << "Farmacia O'B" << 6 << "Farmacia O'Brien";
        QTest::newRow("medico") << "Medicos"
                                << "O'Brien" << 2 << "O'Brien, Patricio Martín";
        QTest::newRow("muestra") << "Muestras"
                                 << "o'brien" << 2 << "O'Brien";
    }
    void unaComillaNoCierraElLiteral()
    {
        QFETCH(QString, tabla);
        QFETCH(QString, valor);
        QFETCH(int, columnaVista);
        QFETCH(QString, encontrado);
        elegirTabla(v(), tabla);
        elegirColumna(v(), QStringLiteral("Nombre"));
        escribir(v(), valor);
        const QStringList enviadas = consultar();
        QVERIFY(enviadas.value(0).endsWith(QStringLiteral("Nombre LIKE '") +
                                           QString(valor).replace("'", "''") + QStringLiteral("%'")));
        QVERIFY(mGuion->mostrados().isEmpty());
        QCOMPARE(respuesta()->cantidadItems(), 1);
        QCOMPARE(respuesta()->item(0)->text(columnaVista).trimmed(), encontrado);
    }

    // A pasted value goes past the key filter: it is refused before anything is sent.
    void unValorQueNoEsDelTipoNoLlegaAlServidor_data()
    {
        QTest::addColumn<QString>("columna");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("mensaje");
        QTest::newRow("1 OR 1=1") << "Grupo"
                                  << "1 OR 1=1"
                                  << "El valor para Grupo debe ser un número";
        QTest::newRow("otra sentencia") << "Importe"
                                        << "1; DELETE Muestras"
                                        << "El valor para Importe debe ser un número";
        QTest::newRow("fecha con comillas")
            << "Alta"
            << "20240101' OR '1'='1"
            << "El valor para Alta debe ser una fecha de ocho cifras: año, mes y día (aaaammdd)";
    }
    void unValorQueNoEsDelTipoNoLlegaAlServidor()
    {
        QFETCH(QString, columna);
        QFETCH(QString, valor);
        QFETCH(QString, mensaje);
        elegirTabla(v(), QStringLiteral("Muestras"));
        elegirColumna(v(), columna);
        pegar(v(), valor);
        salirDelValor(v());
        QVERIFY(lineasCampos(v()).contains(columna + QStringLiteral(" [") + valor + QLatin1Char(']')));
        QCOMPARE(consultar(), QStringList());
        QCOMPARE(mGuion->mostrados().size(), 1);
        QCOMPARE(mGuion->mostrados()[0].texto, mensaje);
        QCOMPARE(mGuion->mostrados()[0].icono, ui::Icono::Exclamacion);
        QVERIFY(control<QPushButton>(v(), "cmdConsultar")->isEnabled());
    }

    void filtroDeTeclasPorTipo_data()
    {
        QTest::addColumn<QString>("columna");
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("pitidos");
        QTest::newRow("char: todo") << "Nombre"
                                    << "Ab1'%"
                                    << "Ab1'%" << 0;
        QTest::newRow("varchar: todo") << "Apellido"
                                       << "Góm z"
                                       << "Góm z" << 0;
        QTest::newRow("int: cifras") << "Id"
                                     << "1a2"
                                     << "12" << 1;
        QTest::newRow("datetime: cifras") << "Alta"
                                          << "2024-06/11"
                                          << "20240611" << 2;
        QTest::newRow("money: sin separador") << "Importe"
                                              << "12.5"
                                              << "125" << 1;
        QTest::newRow("bit") << "Activo"
                             << "x1"
                             << "1" << 1;
        QTest::newRow("ninguna columna: cifras") << ""
                                                 << "a1"
                                                 << "1" << 1;
    }
    void filtroDeTeclasPorTipo()
    {
        QFETCH(QString, columna);
        QFETCH(QString, teclas);
        QFETCH(QString, texto);
        QFETCH(int, pitidos);
        elegirTabla(v(), QStringLiteral("Muestras"));
        if (!columna.isEmpty())
            elegirColumna(v(), columna);
        escribir(v(), teclas);
        QCOMPARE(control<QLineEdit>(v(), "txtValor")->text(), texto);
        QCOMPARE(mPitidos->cuenta, pitidos);
    }

    void limpiarElValorQuitaCorcheteYCondicion()
    {
        elegirTabla(v(), QStringLiteral("Muestras"));
        elegirColumna(v(), QStringLiteral("Nombre"));
        escribir(v(), QStringLiteral("Nombre 12"));
        elegirColumna(v(), QStringLiteral("Grupo"));
        QCOMPARE(lineasCampos(v()).value(2), QStringLiteral("Nombre [Nombre 12]"));
        QCOMPARE(control<QLabel>(v(), "lblTituloValor")->text(), QStringLiteral("Valor Para: Grupo"));
        elegirColumna(v(), QStringLiteral("Nombre"));
        QCOMPARE(control<QLineEdit>(v(), "txtValor")->text(), QStringLiteral("Nombre 12"));
        escribir(v(), {});
        salirDelValor(v());
        QCOMPARE(lineasCampos(v()).value(2), QStringLiteral("Nombre"));
        QCOMPARE(consultar().value(0), kCuentaMuestras);
    }

    void otraTablaOlvidaLaColumnaActual()
    {
        elegirTabla(v(), QStringLiteral("Muestras"));
        elegirColumna(v(), QStringLiteral("Nombre"));
        escribir(v(), QStringLiteral("x"));
        elegirTabla(v(), QStringLiteral("Textos"));
        QCOMPARE(v().columnaActual(), qint16(0));
        QCOMPARE(control<QLabel>(v(), "lblTituloValor")->text(), QStringLiteral("Valor Para:"));
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

    // With no table chosen there is no column collection: the failure goes to the error driver.
    void consultarSinTablaEsUnaFalla()
    {
        QCOMPARE(consultar(), QStringList());
        QCOMPARE(mGuion->mostrados().size(), 1);
        const ui::Mensaje& m = mGuion->mostrados().first();
        QVERIFY2(m.texto.startsWith(QStringLiteral("91\r\n")), qPrintable(m.texto));
        QCOMPARE(m.icono, ui::Icono::Critico);
        QCOMPARE(m.titulo, QStringLiteral("Error"));
        QVERIFY(control<QPushButton>(v(), "cmdConsultar")->isEnabled());
    }

    void tamanos_data()
    {
        QTest::addColumn<int>("ancho");
        QTest::addColumn<int>("alto");
        QTest::addColumn<int>("anchoFinal");
        QTest::addColumn<int>("altoFinal");
        QTest::newRow("grande") << 12000 << 9000 << 12000 << 9000;
        QTest::newRow("demasiado chica") << 3000 << 1000 << 8130 << 2475;
        QTest::newRow("angosta") << 6000 << 5000 << 8130 << 5000;
    }
    void tamanos()
    {
        QFETCH(int, ancho);
        QFETCH(int, alto);
        QFETCH(int, anchoFinal);
        QFETCH(int, altoFinal);
        ui::VistaLista* lista = respuesta();
        v().resize(lista->aPixeles(ancho), lista->aPixeles(alto));
        QCOMPARE(v().width(), lista->aPixeles(anchoFinal));
        QCOMPARE(v().height(), lista->aPixeles(altoFinal));
        QCOMPARE(lista->width(), v().width() - lista->aPixeles(255));
        QCOMPARE(lista->height(), v().height() - lista->aPixeles(1935));
    }
};

QTEST_MAIN(TstFrmConsultas)
#include "tst_frmConsultas.moc"

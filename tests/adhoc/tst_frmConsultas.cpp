// The ad-hoc query window on a small demo database: what it sends, the row-count guards, the value box and
// the errors.

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

    // The user tables; the catalogue's column list, with LEFT JOIN for the old outer join; a result column
    // per column, 120 twips per unit of length.
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
        QCOMPARE(respuesta()->encabezado(3), QStringLiteral("Apellido"));
        // As wide as the column's length, never narrower than its heading.
        const int ancho = std::max(120 * 40, respuesta()->anchoEncabezado(QStringLiteral("Apellido")));
        QCOMPARE(respuesta()->anchoColumna(3), respuesta()->aTwips(respuesta()->aPixeles(ancho)));
    }

    // The count and then the rows, each criterion in the order of the columns, a quote doubled: the row is
    // found.
    void lasSentenciasSonLasDelSistema()
    {
        elegirTabla(v(), QStringLiteral("Muestras"));
        const QList<std::pair<QString, QString>> valores{
            {"Nombre", "o'brien"}, {"Alta", "20240508"}, {"Apellido", "Quiroga"}, {"Grupo", "1"}};
        for (const auto& [columna, teclas] : valores) {
            elegirColumna(v(), columna);
            escribir(v(), teclas);
        }
        QCOMPARE(mPitidos->cuenta, 0);
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

    void filtroDeTeclasPorTipo_data()
    {
        QTest::addColumn<QString>("columna");
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("pitidos");
        const auto fila = [](const char* nombre, const char* columna, const char* teclas, const char* texto,
                             int pitidos) {
            QTest::newRow(nombre) << QString::fromLatin1(columna) << QString::fromUtf8(teclas)
                                  << QString::fromUtf8(texto) << pitidos;
        };
        fila("varchar: todo", "Apellido", "Góm z'%", "Góm z'%", 0);
        fila("datetime: cifras", "Alta", "2024-06/11", "20240611", 2);
        fila("ninguna columna: cifras", "", "a1", "1", 1);
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
};

QTEST_MAIN(TstFrmConsultas)
#include "tst_frmConsultas.moc"

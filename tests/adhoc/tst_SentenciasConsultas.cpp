// The statements of the ad-hoc query window and its selection rules, without the window.

#include "EntornoPrueba.h"
#include "adhoc/SentenciasConsultas.h"

#include <QTest>
#include <memory>

using namespace dalvo;
using namespace dalvo::adhoc;

namespace {

clsItemDato dato(const QString& nombre, const QString& tipo, const QVariant& valor = {}, qint16 numero = 0)
{
    clsItemDato d;
    d.NombreColumna = nombre;
    d.Tipo = tipo;
    d.NumeroColumna = numero;
    d.Valor = valor;
    return d;
}

} // namespace

Q_DECLARE_METATYPE(dalvo::clsItemDato)
Q_DECLARE_METATYPE(dalvo::adhoc::ClaseColumna)
Q_DECLARE_METATYPE(dalvo::adhoc::Decision)

class TstSentenciasConsultas : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;

private slots:
    void init() { mEntorno = std::make_unique<prueba::EntornoPrueba>(); }
    void cleanup() { mEntorno.reset(); }

    void todoTipoDeTextoSeBuscaComoChar_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<ClaseColumna>("clase");
        QTest::addColumn<int>("filtro");
        QTest::newRow("char") << "char" << ClaseColumna::Texto << 0;
        QTest::newRow("varchar") << "varchar" << ClaseColumna::Texto << 0;
        QTest::newRow("nchar") << "nchar" << ClaseColumna::Texto << 0;
        QTest::newRow("nvarchar") << "nvarchar" << ClaseColumna::Texto << 0;
        QTest::newRow("text") << "text" << ClaseColumna::Texto << 0;
        QTest::newRow("mayusculas") << "VarChar" << ClaseColumna::Texto << 0;
        QTest::newRow("datetime") << "datetime" << ClaseColumna::Fecha << 1;
        QTest::newRow("smalldatetime") << "smalldatetime" << ClaseColumna::Fecha << 1;
        QTest::newRow("int") << "int" << ClaseColumna::Numero << 1;
        QTest::newRow("money") << "money" << ClaseColumna::Numero << 1;
        QTest::newRow("bit") << "bit" << ClaseColumna::Numero << 1;
        QTest::newRow("sin tipo (ninguna columna)") << "" << ClaseColumna::Numero << 1;
    }
    void todoTipoDeTextoSeBuscaComoChar()
    {
        QFETCH(QString, tipo);
        QFETCH(ClaseColumna, clase);
        QFETCH(int, filtro);
        QCOMPARE(claseColumna(tipo), clase);
        QCOMPARE(filtroValor(tipo), filtro);
    }

    void laListaDeColumnasUsaLeftJoin()
    {
        QCOMPARE(sqlFormatoTabla(QStringLiteral("Prestadores")),
                 QStringLiteral(
                     "SELECT     c.colid AS Numero,    c.name AS Columna,    t.name AS Tipo,    c.length "
                     "AS Longitud,    c.scale AS Decimales    FROM syscolumns c LEFT JOIN systypes t "
                     "ON c.usertype = t.usertype    WHERE c.id = (select id from sysobjects where "
                     "id = object_id('Prestadores'))"));
        QVERIFY(sqlFormatoTabla(QStringLiteral("O'Hara")).contains(QStringLiteral("object_id('O''Hara')")));
    }

    void cadaTipoDaSuComparacion_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<QString>("comparacion");
        QTest::addColumn<QString>("rechazo");
        const QString noNumero = QStringLiteral("El valor para Col debe ser un número");
        const QString noFecha =
            QStringLiteral("El valor para Col debe ser una fecha de ocho cifras: año, mes y día (aaaammdd)");
        QTest::newRow("char prefijo") << "char" << QVariant("Farm") << "Col LIKE 'Farm%'"
                                      << "";
        QTest::newRow("varchar con letras") << "varchar" << QVariant("Góm") << "Col LIKE 'Góm%'"
                                            << "";
        QTest::newRow("nvarchar") << "nvarchar" << QVariant("ab") << "Col LIKE 'ab%'"
                                  << "";
        QTest::newRow("comilla duplicada") << "char" << QVariant("O'Brien") << "Col LIKE 'O''Brien%'"
                                           << "";
        QTest::newRow("comillas que cerrarian el literal")
            << "varchar" << QVariant("x' OR '1'='1") << "Col LIKE 'x'' OR ''1''=''1%'"
            << "";
        QTest::newRow("blancos se conservan") << "char" << QVariant(" a ") << "Col LIKE ' a %'"
                                              << "";
        QTest::newRow("entero") << "int" << QVariant("123") << "Col = 123"
                                << "";
        QTest::newRow("con signo") << "smallint" << QVariant("-5") << "Col = -5"
                                   << "";
        QTest::newRow("decimal con punto") << "money" << QVariant("12.50") << "Col = 12.50"
                                           << "";
        QTest::newRow("decimal con coma de la lista") << "numeric" << QVariant("12,5") << "Col = 12.5"
                                                      << "";
        QTest::newRow("valor numerico de la variante") << "int" << QVariant(42) << "Col = 42"
                                                       << "";
        QTest::newRow("bit verdadero de la lista") << "bit" << QVariant("Verdadero") << "Col = 1"
                                                   << "";
        QTest::newRow("bit falso") << "bit" << QVariant("falso") << "Col = 0"
                                   << "";
        QTest::newRow("1 OR 1=1") << "int" << QVariant("1 OR 1=1") << "" << noNumero;
        QTest::newRow("otra sentencia") << "int" << QVariant("1; DELETE Muestras") << "" << noNumero;
        QTest::newRow("letras") << "money" << QVariant("abc") << "" << noNumero;
        QTest::newRow("dos separadores") << "money" << QVariant("1.2.3") << "" << noNumero;
        QTest::newRow("palabra en otra columna que bit") << "int" << QVariant("Verdadero") << "" << noNumero;
        QTest::newRow("blancos alrededor") << "int" << QVariant(" 5") << "" << noNumero;
        QTest::newRow("fecha ocho cifras")
            << "datetime" << QVariant("20240611") << "CONVERT(Char(8), Col,112) = '20240611'"
            << "";
        QTest::newRow("fecha como la muestra la lista")
            << "datetime" << QVariant("05/03/2024") << "CONVERT(Char(8), Col,112) = '20240305'"
            << "";
        QTest::newRow("fecha y hora de la lista")
            << "datetime" << QVariant("05/03/2024 10:30:00") << "CONVERT(Char(8), Col,112) = '20240305'"
            << "";
        QTest::newRow("fecha con comillas") << "datetime" << QVariant("2024' OR '1'='1") << "" << noFecha;
        QTest::newRow("fecha corta") << "datetime" << QVariant("202406") << "" << noFecha;
        QTest::newRow("dia que no existe") << "datetime" << QVariant("31/02/2024") << "" << noFecha;
    }
    void cadaTipoDaSuComparacion()
    {
        QFETCH(QString, tipo);
        QFETCH(QVariant, valor);
        QFETCH(QString, comparacion);
        QFETCH(QString, rechazo);
        const Comparacion c = adhoc::comparacion(dato(QStringLiteral("Col"), tipo, valor));
        QCOMPARE(c.texto, comparacion);
        QCOMPARE(c.rechazo, rechazo);
    }

    void sentenciasDeDatosYCuenta_data()
    {
        QTest::addColumn<QList<clsItemDato>>("columnas");
        QTest::addColumn<QString>("datos");
        QTest::addColumn<QString>("cuenta");
        const QList<clsItemDato> sinValores{dato("Id", "int"), dato("Nombre", "char"),
                                            dato("Alta", "datetime")};
        QTest::newRow("sin valores: toda la tabla")
            << sinValores << "SELECT \r\nId,\r\nNombre,\r\nAlta\r\n FROM Muestras (nolock)"
            << "SELECT COUNT(*) AS Cuenta \r\n FROM Muestras (nolock)";
        QTest::newRow("un valor")
            << QList<clsItemDato>{dato("Id", "int"), dato("Nombre", "char", "Ana"), dato("Alta", "datetime")}
            << "SELECT \r\nId,\r\nNombre,\r\nAlta\r\n FROM Muestras (nolock)\r\n WHERE \r\nNombre LIKE 'Ana%'"
            << "SELECT COUNT(*) AS Cuenta \r\n FROM Muestras (nolock)\r\n WHERE \r\nNombre LIKE 'Ana%'";
        QTest::newRow("tres valores en el orden de las columnas")
            << QList<clsItemDato>{dato("Id", "int", "7"), dato("Nombre", "char", "Ana"),
                                  dato("Alta", "datetime", "20240501")}
            << "SELECT \r\nId,\r\nNombre,\r\nAlta\r\n FROM Muestras (nolock)\r\n WHERE \r\nId = 7\r\n AND "
               "Nombre LIKE 'Ana%'\r\n AND CONVERT(Char(8), Alta,112) = '20240501'"
            << "SELECT COUNT(*) AS Cuenta \r\n FROM Muestras (nolock)\r\n WHERE \r\nId = 7\r\n AND Nombre "
               "LIKE "
               "'Ana%'\r\n AND CONVERT(Char(8), Alta,112) = '20240501'";
        QTest::newRow("un texto vacio no es condicion")
            << QList<clsItemDato>{dato("Id", "int", ""), dato("Nombre", "char", "x")}
            << "SELECT \r\nId,\r\nNombre\r\n FROM T (nolock)\r\n WHERE \r\nNombre LIKE 'x%'"
            << "SELECT COUNT(*) AS Cuenta \r\n FROM T (nolock)\r\n WHERE \r\nNombre LIKE 'x%'";
    }
    void sentenciasDeDatosYCuenta()
    {
        QFETCH(QList<clsItemDato>, columnas);
        QFETCH(QString, datos);
        QFETCH(QString, cuenta);
        const QString tabla =
            datos.contains(QLatin1String(" FROM T ")) ? QStringLiteral("T") : QStringLiteral("Muestras");
        const Consulta c = armarConsulta(tabla, columnas);
        QCOMPARE(c.datos, datos);
        QCOMPARE(c.cuenta, cuenta);
        QVERIFY(c.rechazo.isEmpty());
    }

    void unValorRechazadoNoDejaNadaParaCorrer()
    {
        const Consulta c = armarConsulta(
            QStringLiteral("Muestras"),
            {dato("Nombre", "char", "Ana"), dato("Grupo", "smallint", "1 OR 1=1"), dato("Id", "int", "x")});
        QVERIFY(c.datos.isEmpty());
        QVERIFY(c.cuenta.isEmpty());
        QCOMPARE(c.rechazo, QStringLiteral("El valor para Grupo debe ser un número"));
    }

    void laCuentaDecide_data()
    {
        QTest::addColumn<qint64>("filas");
        QTest::addColumn<Decision>("decision");
        QTest::newRow("0") << qint64(0) << Decision::SinResultado;
        QTest::newRow("1") << qint64(1) << Decision::Correr;
        QTest::newRow("200") << qint64(200) << Decision::Correr;
        QTest::newRow("201") << qint64(201) << Decision::Confirmar;
        QTest::newRow("2000") << qint64(2000) << Decision::Confirmar;
        QTest::newRow("2001") << qint64(2001) << Decision::Rechazar;
    }
    void laCuentaDecide()
    {
        QFETCH(qint64, filas);
        QFETCH(Decision, decision);
        QCOMPARE(decidirPorCuenta(filas), decision);
    }

    void lineaDelCampo_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QString>("linea");
        QTest::newRow("con valor") << "abc"
                                   << "Nombre [abc]";
        QTest::newRow("vacio") << ""
                               << "Nombre";
    }
    void lineaDelCampo()
    {
        QFETCH(QString, valor);
        QFETCH(QString, linea);
        QCOMPARE(lineaCampo(QStringLiteral("Nombre"), valor), linea);
    }

    // Each pick adds every column, numbered and keyed after what is there, the texts trimmed.
    void elegirDosVecesAgregaDosVeces()
    {
        ColeccionSeleccion seleccion;
        agregarValores(seleccion, {"Id", "Nombre"}, {"1", "Ana   "});
        agregarValores(seleccion, {"Id", "Nombre"}, {"2", "  Eva"});
        QCOMPARE(seleccion.size(), 4);
        QStringList claves;
        for (const clsItemSeleccion& item : seleccion) {
            claves << item.Clave;
            QCOMPARE(item.Clave, QString::number(item.NumeroSeleccion) + QLatin1Char('K'));
            QVERIFY(item.Marcado);
        }
        QCOMPARE(claves, (QStringList{"1K", "2K", "3K", "4K"}));
        QCOMPARE(seleccion[1].Valor, QVariant(QStringLiteral("Ana")));
        QCOMPARE(seleccion[3].Campo, QStringLiteral("Nombre"));
        QCOMPARE(seleccion[3].Valor, QVariant(QStringLiteral("Eva")));
    }

    void aplicarTomaElUltimoMarcado_data()
    {
        QTest::addColumn<QList<bool>>("marcas");
        QTest::addColumn<QString>("nombre");
        QTest::addColumn<int>("lineas");
        QTest::newRow("todos marcados: el ultimo") << QList<bool>{true, true, true} << "Eva" << 2;
        QTest::newRow("el ultimo desmarcado") << QList<bool>{true, true, false} << "Ana" << 1;
        QTest::newRow("ninguno") << QList<bool>{false, false, false} << "previo" << 0;
    }
    void aplicarTomaElUltimoMarcado()
    {
        QFETCH(QList<bool>, marcas);
        QFETCH(QString, nombre);
        QFETCH(int, lineas);
        ColeccionSeleccion seleccion;
        agregarValores(seleccion, {"NOMBRE"}, {"Ana"});
        agregarValores(seleccion, {"Otra"}, {"x"});
        agregarValores(seleccion, {"nombre"}, {"Eva"});
        for (qsizetype i = 0; i < seleccion.size(); ++i)
            seleccion[i].Marcado = marcas[i];
        // The catalogue number, not the position, places the line.
        QList<clsItemDato> columnas{dato("Id", "int", {}, 1), dato("Nombre", "char", "previo", 3)};
        const QList<LineaCampo> cambios = aplicarSeleccion(seleccion, columnas);
        QCOMPARE(columnas[1].Valor.toString(), nombre);
        QVERIFY(!columnas[0].Valor.isValid());
        QCOMPARE(cambios.size(), lineas);
        if (lineas > 0) {
            QCOMPARE(cambios.last().posicion, 2);
            QCOMPARE(cambios.last().texto, QStringLiteral("Nombre [") + nombre + QLatin1Char(']'));
        }
    }
};

QTEST_GUILESS_MAIN(TstSentenciasConsultas)
#include "tst_SentenciasConsultas.moc"

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

Q_DECLARE_METATYPE(dalvo::adhoc::ClaseColumna)

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
        QTest::newRow("nvarchar") << "nvarchar" << ClaseColumna::Texto << 0;
        QTest::newRow("mayusculas") << "VarChar" << ClaseColumna::Texto << 0;
        QTest::newRow("datetime") << "datetime" << ClaseColumna::Fecha << 1;
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

    void laListaDeColumnasDoblaLasComillasDelNombre()
    {
        QVERIFY(sqlFormatoTabla(QStringLiteral("O'Hara")).contains(QStringLiteral("object_id('O''Hara')")));
    }
    void cadaTipoDaSuComparacion_data()
    {
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QVariant>("valor");
        QTest::addColumn<QString>("comparacion");
        QTest::addColumn<QString>("rechazo");
        const auto fila = [](const char* nombre, const char* tipo, const QVariant& valor,
                             const char* comparacion, const char* rechazo = "") {
            const QString debeSer = QString::fromUtf8(rechazo);
            QTest::newRow(nombre) << QString::fromLatin1(tipo) << valor << QString::fromUtf8(comparacion)
                                  << (debeSer.isEmpty() ? debeSer : "El valor para Col debe ser " + debeSer);
        };
        const char* noNumero = "un número";
        const char* noFecha = "una fecha de ocho cifras: año, mes y día (aaaammdd)";
        fila("char prefijo", "char", "Farm", "Col LIKE 'Farm%'");
        fila("comillas que cerrarian el literal", "varchar", "x' OR '1'='1", "Col LIKE 'x'' OR ''1''=''1%'");
        fila("blancos se conservan", "char", " a ", "Col LIKE ' a %'");
        fila("con signo", "smallint", "-5", "Col = -5");
        fila("decimal con coma de la lista", "numeric", "12,5", "Col = 12.5");
        fila("valor numerico de la variante", "int", 42, "Col = 42");
        fila("bit verdadero de la lista", "bit", "Verdadero", "Col = 1");
        fila("1 OR 1=1", "int", "1 OR 1=1", "", noNumero);
        fila("otra sentencia", "int", "1; DELETE Muestras", "", noNumero);
        fila("dos separadores", "money", "1.2.3", "", noNumero);
        fila("palabra en otra columna que bit", "int", "Verdadero", "", noNumero);
        fila("blancos alrededor", "int", " 5", "", noNumero);
        fila("fecha ocho cifras", "datetime", "20240611", "CONVERT(Char(8), Col,112) = '20240611'");
        fila("fecha y hora de la lista", "datetime", "05/03/2024 10:30:00",
             "CONVERT(Char(8), Col,112) = '20240305'");
        fila("fecha con comillas", "datetime", "2024' OR '1'='1", "", noFecha);
        fila("fecha corta", "datetime", "202406", "", noFecha);
        fila("dia que no existe", "datetime", "31/02/2024", "", noFecha);
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

    void unValorRechazadoNoDejaNadaParaCorrer()
    {
        const Consulta c = armarConsulta(
            QStringLiteral("Muestras"),
            {dato("Nombre", "char", "Ana"), dato("Grupo", "smallint", "1 OR 1=1"), dato("Id", "int", "x")});
        QVERIFY(c.datos.isEmpty());
        QVERIFY(c.cuenta.isEmpty());
        QCOMPARE(c.rechazo, QStringLiteral("El valor para Grupo debe ser un número"));
    }

    // The last marked item of a column wins; the catalogue number, not the position, places the line.
    void aplicarTomaElUltimoMarcado()
    {
        ColeccionSeleccion seleccion;
        agregarValores(seleccion, {"NOMBRE"}, {"Ana"});
        agregarValores(seleccion, {"Otra"}, {"x"});
        agregarValores(seleccion, {"nombre"}, {"Eva"});
        seleccion[2].Marcado = false;
        QList<clsItemDato> columnas{dato("Id", "int", {}, 1), dato("Nombre", "char", "previo", 3)};
        const QList<LineaCampo> cambios = aplicarSeleccion(seleccion, columnas);
        QCOMPARE(columnas[1].Valor.toString(), QStringLiteral("Ana"));
        QVERIFY(!columnas[0].Valor.isValid());
        QCOMPARE(cambios.size(), 1);
        QCOMPARE(cambios.last().posicion, 2);
        QCOMPARE(cambios.last().texto, QStringLiteral("Nombre [Ana]"));
    }
};

QTEST_GUILESS_MAIN(TstSentenciasConsultas)
#include "tst_SentenciasConsultas.moc"

// The generator as the program uses it: the stamp that decides when to regenerate, and the write that
// nobody sees half done.

#include "BasePruebas.h"
#include "common/Falla.h"
#include "demo/Sqlite.h"

#include <QtTest>

using namespace dalvo;
using namespace dalvo::demo;

namespace {

OpcionesDemo opcionesPruebas(QDate hoy = pruebas::kHoy)
{
    return {Escala::Pruebas, hoy, kSemillaDemo, {}};
}

QStringList archivos(const QTemporaryDir& carpeta)
{
    return QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

class tst_GeneradorDemo : public QObject
{
    Q_OBJECT

private slots:
    void vigencia_data()
    {
        QTest::addColumn<QString>("alterar"); // SQL run on the copy before asking, or "archivo:<content>"
        QTest::addColumn<int>("dias");        // shift of the "today" asked about
        QTest::addColumn<QString>("escala");
        QTest::addColumn<bool>("vigente");
        const auto fila = [](const char* nombre, const char* alterar, int dias, const char* escala,
                             bool vigente) {
            QTest::newRow(nombre) << QString::fromUtf8(alterar) << dias << escala << vigente;
        };
        fila("recién generada", "", 0, "pruebas", true);
        fila("al día siguiente", "", 1, "pruebas", false);
        fila("otra escala", "", 0, "demo", false);
        fila("otra versión del generador", "UPDATE dalvo_info SET valor = '0' WHERE clave = 'version'", 0,
             "pruebas", false);
        fila("un archivo que no es una base", "archivo:no soy una base de datos", 0, "pruebas", false);
    }

    void vigencia()
    {
        QFETCH(QString, alterar);
        QFETCH(int, dias);
        QFETCH(QString, escala);
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("base.sqlite"));
        QVERIFY(QFile::copy(pruebas::basePruebas(), ruta));
        QFile f(ruta);
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        if (alterar.startsWith(u"archivo:")) {
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(alterar.mid(8).toUtf8());
            f.close();
        } else if (!alterar.isEmpty()) {
            Conexion(ruta, false).ejecutar(alterar);
        }
        OpcionesDemo opciones = opcionesPruebas(pruebas::kHoy.addDays(dias));
        opciones.escala = *EscalaDesdeNombre(escala);
        QTEST(BaseVigente(ruta, opciones), "vigente");
        // The program's own question (scale Demo, default seed) never takes a test database as current.
        QVERIFY(!BaseVigente(ruta, pruebas::kHoy));
    }

    void destinoIntactoHastaTerminarOFallar()
    {
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(QStringLiteral("base.sqlite"));
        {
            QFile f(ruta);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("la base anterior");
        }
        // A failed generation leaves the previous file and nothing else.
        OpcionesDemo opciones = opcionesPruebas();
        opciones.avance = [](const QString& etapa) {
            if (etapa.startsWith(QStringLiteral("Índices")))
                throw Falla(7, QStringLiteral("prueba"), QStringLiteral("interrumpida"));
        };
        QVERIFY_THROWS_EXCEPTION(Falla, GenerarBase(ruta, opciones));
        QCOMPARE(archivos(carpeta), QStringList{QStringLiteral("base.sqlite")});

        // A complete one replaces it only at the end.
        QStringList etapas;
        opciones.avance = [&](const QString& etapa) {
            QFile f(ruta);
            etapas << (f.open(QIODevice::ReadOnly) && f.readAll() == "la base anterior"
                           ? etapa
                           : QStringLiteral("tocado ") + etapa);
        };
        GenerarBase(ruta, opciones);
        QVERIFY(etapas.size() >= 4);
        QVERIFY2(!etapas.join(u'|').contains(QStringLiteral("tocado")), qPrintable(etapas.join(u'|')));
        QVERIFY(BaseVigente(ruta, opciones));
        QCOMPARE(archivos(carpeta), QStringList{QStringLiteral("base.sqlite")});

        // The program's start asks again: a current file is kept as it is.
        etapas.clear();
        QCOMPARE(AsegurarBase(ruta, opciones), ruta);
        QVERIFY(etapas.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_GeneradorDemo)
#include "tst_GeneradorDemo.moc"

// The main window's consultation over a fake server: the statements sent, the count guard, the number
// check, the per-kind memory and "Mantener Consulta", failures.

#include "Ventanas.h"
#include "app/ConsolaPrueba.h"
#include "app/frmDalvoHD.h"
#include "consultation/clsQuerys.h"
#include "ui/RelojArena.h"
#include "ui/VistaLista.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace dalvo;
using pruebas::columna;
using pruebas::tabla;

namespace {

const QString kCambie = QStringLiteral("\r\nCambie la condición de búsqueda.");

bool esConteo(const QString& sql)
{
    return sql.startsWith(QLatin1String("SELECT COUNT(")) || sql.startsWith(QLatin1String("SELECT  COUNT("));
}

// Ten columns, as the catalogue's lists have: the ticket or closing number first, a hidden provider id last.
ado::Tabla filas(const QVector<QVariant>& primeros)
{
    QVector<ado::Columna> columnas{columna("Cupón", ado::adInteger)};
    for (int c = 1; c < 9; ++c)
        columnas << columna(QStringLiteral("Columna %1").arg(c), ado::adVarChar, 10);
    columnas << columna("HH IdPrestador", ado::adInteger);
    QVector<QVector<QVariant>> datos;
    for (const QVariant& v : primeros)
        datos.append(QVector<QVariant>{v, "", "", "", "", "", "", "", "", 1});
    return tabla(columnas, datos);
}

} // namespace

class TstFrmDalvoHDConsulta : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<RelojFijo> mReloj;
    std::unique_ptr<prueba::ConsolaPrueba> mConsola;
    std::unique_ptr<prueba::CajasConAccion> mCajas;
    std::unique_ptr<prueba::SalidaRegistrada> mSalida;
    std::unique_ptr<frmDalvoHD> v;

    double mCuenta = 2;
    ado::Tabla mFilas = filas({7, 12});
    bool mFallarFilas = false;
    // What the window showed when the count arrived.
    QString mEstadoAlContar;
    bool mListaVisibleAlContar = true;
    bool mRelojAlContar = false;

    void consultar(const QString& criterio, const QString& valor, bool exacto = false)
    {
        v->cboConsulta->setCurrentText(criterio);
        QCOMPARE(v->cboConsulta->currentText(), criterio);
        v->txtConsulta->setText(valor);
        v->chkBuscarExacto->setChecked(exacto);
        v->cmdConsulta->click();
    }
    QStringList enviadas(qsizetype desde) const { return mConsola->servidor.sentencias().mid(desde); }
    qsizetype cantidadEnviadas() const { return mConsola->servidor.sentencias().size(); }
    QStringList primeraColumna() const
    {
        QStringList t;
        for (int i = 0; i < v->lvwGeneral->cantidadItems(); ++i)
            t << v->lvwGeneral->item(i)->text(0);
        return t;
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mReloj = std::make_unique<RelojFijo>(QDateTime(QDate(2024, 6, 5), QTime(9, 30)));
        mConsola = std::make_unique<prueba::ConsolaPrueba>();
        mCajas = std::make_unique<prueba::CajasConAccion>();
        mSalida = std::make_unique<prueba::SalidaRegistrada>();
        mCuenta = 2;
        mFilas = filas({7, 12});
        mFallarFilas = false;
        auto base = mConsola->servidor.resto;
        mConsola->servidor.resto = [this, base](const QString& sql) -> ado::Lote {
            if (esConteo(sql)) {
                mEstadoAlContar = v->textoEstado();
                mListaVisibleAlContar = v->lvwGeneral->isVisible();
                mRelojAlContar = ui::relojArenaPuesto();
                return pruebas::lote({tabla({columna("Cuenta", ado::adInteger)}, {{mCuenta}})});
            }
            if (sql.startsWith(QLatin1String("SELECT")) && !sql.contains(QLatin1String("Parametros"))) {
                if (mFallarFilas)
                    pruebas::fallar(
                        {pruebas::registro(208, "42S02", "[SQL Server]Invalid object name 'X'.")});
                return pruebas::lote({mFilas});
            }
            return base(sql);
        };
        mConsola->servidor.conectar();
        v = std::make_unique<frmDalvoHD>();
        v->show();
    }

    void cleanup()
    {
        v.reset();
        delete gQuerys;
        gQuerys = nullptr;
        mSalida.reset();
        mCajas.reset();
        mConsola.reset();
        mReloj.reset();
        mEntorno.reset();
    }

    // The count statement, then the rows, each with the condition of the kind's criterion.
    void sentenciasDeCadaTipo_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("criterio");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<bool>("exacto");
        QTest::addColumn<QString>("condicion");
        const QString mayo = QStringLiteral(" BETWEEN '05/01/2024 00:00:00' AND '05/31/2024 23:59:59'");
        const auto fila = [](const char* clave, const char* criterio, const char* valor, bool exacto,
                             const QString& condicion) {
            QTest::newRow(clave) << QString::fromLatin1(clave) << QString::fromLatin1(criterio)
                                 << QString::fromUtf8(valor) << exacto << condicion;
        };
        fila("3K", "Nombre", "O'Brien", true, QStringLiteral("M.Nombre = 'O''Brien'"));
        fila("4K", "Asociado", " 99 ", false, "T.num_Afil LIKE '99%' AND T.Fecha_Prestacion" + mayo);
    }
    void sentenciasDeCadaTipo()
    {
        QFETCH(QString, clave);
        QFETCH(QString, criterio);
        QFETCH(QString, valor);
        QFETCH(bool, exacto);
        QFETCH(QString, condicion);
        prueba::elegirTipo(*v, clave);
        v->txtDesdeFecha->setText(QStringLiteral("01/05/2024"));
        v->txtHastaFecha->setText(QStringLiteral("31/05/2024"));
        const qsizetype antes = cantidadEnviadas();
        consultar(criterio, valor, exacto);
        const qint32 caso = clave.chopped(1).toInt();
        QCOMPARE(enviadas(antes),
                 QStringList({clsQuerys::TextoConsulta(caso, condicion, true),
                              clsQuerys::TextoConsulta(caso, condicion, false, QStringLiteral("01/05/2024"),
                                                       QStringLiteral("31/05/2024"))}));
        QCOMPARE(v->mCondicion, condicion);
        QCOMPARE(v->lblCantidadEntradas->text(), QStringLiteral("2"));
        QVERIFY(mCajas->mostrados().isEmpty());
        // While counting: the caption in the status bar, the hourglass, the list hidden; all back after.
        QCOMPARE(mEstadoAlContar, "Buscando " + v->lblConsulta->text() + "...");
        QVERIFY(mRelojAlContar);
        QVERIFY(!mListaVisibleAlContar);
        QVERIFY(v->lvwGeneral->isVisible());
        QVERIFY(!ui::relojArenaPuesto());
        QCOMPARE(v->textoEstado(), QString());
    }

    void guardaDelConteo_data()
    {
        QTest::addColumn<double>("cuenta");
        QTest::addColumn<QString>("aviso");
        QTest::newRow("ninguna") << 0.0 << "La consulta no tiene resultado." + kCambie;
        QTest::newRow("1501") << 1501.0 << "La consulta devuelve 1501 entradas." + kCambie;
        QTest::newRow("1500 se carga") << 1500.0 << "";
    }
    void guardaDelConteo()
    {
        QFETCH(double, cuenta);
        QFETCH(QString, aviso);
        prueba::elegirTipo(*v, QStringLiteral("4K"));
        consultar(QStringLiteral("Clave"), QStringLiteral("5"));
        QCOMPARE(primeraColumna(), QStringList({"7", "12"}));
        const QString descripcionAnterior = v->lblConsulta->text();

        mCuenta = cuenta;
        mFilas = filas({99});
        const qsizetype antes = cantidadEnviadas();
        consultar(QStringLiteral("Cierre"), QStringLiteral("8"));
        if (aviso.isEmpty()) {
            QCOMPARE(enviadas(antes).size(), 2);
            QCOMPARE(primeraColumna(), QStringList({"99"}));
            QCOMPARE(v->lblCantidadEntradas->text(), QStringLiteral("1500"));
            QVERIFY(mCajas->mostrados().isEmpty());
            return;
        }
        // Only the count ran; the previous result stays.
        QCOMPARE(enviadas(antes).size(), 1);
        QCOMPARE(mCajas->mostrados().size(), 1);
        const ui::Mensaje caja = mCajas->mostrados().first();
        QCOMPARE(caja.texto, aviso);
        QCOMPARE(caja.icono, ui::Icono::Ninguno);
        QCOMPARE(caja.titulo, QStringLiteral("DalvoHD"));
        QCOMPARE(primeraColumna(), QStringList({"7", "12"}));
        QCOMPARE(v->lblConsulta->text(), descripcionAnterior);
        QCOMPARE(v->lblCantidadEntradas->text(), QStringLiteral("2"));
        QVERIFY(v->lvwGeneral->isVisible());
        // A refused consultation is not remembered: coming back shows the first criterion.
        prueba::elegirTipo(*v, QStringLiteral("1K"));
        prueba::elegirTipo(*v, QStringLiteral("4K"));
        QCOMPARE(v->cboConsulta->currentIndex(), 0);
    }

    void unaClaveQueNoEsNumeroNoConsulta()
    {
        prueba::elegirTipo(*v, QStringLiteral("1K"));
        consultar(QStringLiteral("Clave"), QStringLiteral("12"));
        const qsizetype antes = cantidadEnviadas();
        consultar(QStringLiteral("Clave"), QStringLiteral("ab"));
        QCOMPARE(enviadas(antes), QStringList());
        QCOMPARE(mCajas->mostrados().size(), 1);
        QCOMPARE(mCajas->mostrados().first().texto, QStringLiteral("El valor a buscar debe ser un número"));
        QCOMPARE(mCajas->mostrados().first().icono, ui::Icono::Informacion);
        QCOMPARE(v->lblConsulta->text(), QStringLiteral("Prestador 12"));
        // The kind's memory still holds the last good consultation.
        QCOMPARE(v->itemConsulta(QStringLiteral("1K"))->Consulta, QStringLiteral("12"));
        QVERIFY(v->itemConsulta(QStringLiteral("1K"))->ConsultaOk);
    }

    void unFalloVaAlManejadorDeErrores()
    {
        prueba::elegirTipo(*v, QStringLiteral("4K"));
        consultar(QStringLiteral("Clave"), QStringLiteral("5"));
        mFallarFilas = true;
        consultar(QStringLiteral("Clave"), QStringLiteral("6"));
        QCOMPARE(mCajas->mostrados().size(), 1);
        QCOMPARE(mCajas->mostrados().first().titulo, QStringLiteral("Error"));
        QVERIFY2(mCajas->mostrados().first().texto.contains(QStringLiteral("clsQuerys.Consulta")),
                 qPrintable(mCajas->mostrados().first().texto));
        QVERIFY(v->lvwGeneral->isVisible());
        QVERIFY(!ui::relojArenaPuesto());
        QCOMPARE(v->textoEstado(), QString());
        QVERIFY(!v->itemConsulta(QStringLiteral("4K"))->ConsultaOk);
    }

    void cambiarDeTipo()
    {
        prueba::elegirTipo(*v, QStringLiteral("4K"));
        v->txtDesdeFecha->setText(QStringLiteral("01/05/2024"));
        v->txtHastaFecha->setText(QStringLiteral("31/05/2024"));
        consultar(QStringLiteral("Asociado"), QStringLiteral(" 99 "));
        // Another kind: the dates kept, the list emptied.
        prueba::elegirTipo(*v, QStringLiteral("10K"));
        v->txtDesdeFecha->setText(QStringLiteral("01/06/2024"));
        prueba::elegirTipo(*v, QStringLiteral("1K"));
        QCOMPARE(v->txtDesdeFecha->text(), QStringLiteral("01/06/2024"));
        QCOMPARE(v->lvwGeneral->cantidadColumnas(), 0);

        // Back without "Mantener Consulta": the values come back, the list does not.
        qsizetype antes = cantidadEnviadas();
        prueba::elegirTipo(*v, QStringLiteral("4K"));
        QCOMPARE(v->cboConsulta->currentText(), QStringLiteral("Asociado"));
        QCOMPARE(v->txtConsulta->text(), QStringLiteral("99"));
        QCOMPARE(v->txtDesdeFecha->text(), QStringLiteral("01/05/2024"));
        QCOMPARE(v->lvwGeneral->cantidadItems(), 0);
        QCOMPARE(enviadas(antes), QStringList());

        // With it, the kind's last consultation runs again.
        v->chkMantenerConsulta->setChecked(true);
        prueba::elegirTipo(*v, QStringLiteral("1K"));
        antes = cantidadEnviadas();
        prueba::elegirTipo(*v, QStringLiteral("4K"));
        QCOMPARE(enviadas(antes).size(), 2);
        QVERIFY(enviadas(antes).first().endsWith(QStringLiteral(
            " WHERE T.num_Afil LIKE '99%' AND T.Fecha_Prestacion BETWEEN '05/01/2024 00:00:00' AND "
            "'05/31/2024 23:59:59' ORDER BY 1")));
        QCOMPARE(v->lvwGeneral->cantidadItems(), 2);
        QCOMPARE(v->lblConsulta->text(), QStringLiteral("Tickets del asociado 99"));
    }
};

QTEST_MAIN(TstFrmDalvoHDConsulta)
#include "tst_frmDalvoHDConsulta.moc"

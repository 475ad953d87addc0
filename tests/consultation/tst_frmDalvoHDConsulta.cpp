// The main window's consultation over a fake server: the statements sent for each kind, the count guard,
// the number check, the per-kind memory and "Mantener Consulta", failures, menus, popups and sorting.

#include "app/ConsolaPrueba.h"
#include "app/frmDalvoHD.h"
#include "consultation/clsQuerys.h"
#include "ui/RelojArena.h"
#include "ui/VistaLista.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>

using namespace dalvo;
using pruebas::columna;
using pruebas::tabla;

namespace {

const QString kCambie = QStringLiteral("\r\nCambie la condición de búsqueda.");

bool esConteo(const QString& sql)
{
    return sql.startsWith(QLatin1String("SELECT COUNT(")) || sql.startsWith(QLatin1String("SELECT  COUNT("));
}

// Ten columns, as the catalogue's lists have: the ticket number first, the date in 2, the provider in 6 and
// a hidden provider id in 9.
ado::Tabla filas(const QVector<QVariant>& primeros)
{
    QVector<QVector<QVariant>> datos;
    for (const QVariant& v : primeros)
        datos.append({v, "000123", QDateTime(QDate(2024, 6, 3), QTime(10, 0)), "10000001/00", "A100", "M",
                      "Farmacia San Martín", 0, "", 1});
    return tabla({columna("Cupón", ado::adInteger), columna("AuSysT", ado::adVarChar, 6),
                  columna("Fecha Prestación", ado::adDBTimeStamp), columna("Asociado", ado::adChar, 15),
                  columna("Credencial", ado::adChar, 4), columna("Forma Ingreso", ado::adChar, 1),
                  columna("Nombre Prestador", ado::adChar, 50), columna("Medico Receta", ado::adInteger),
                  columna("Cierre", ado::adVarChar, 10), columna("HH IdPrestador", ado::adInteger)},
                 datos);
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
    QList<QMenu*> mPopups;

    void elegir(const QString& clave)
    {
        for (int i = 0; i < v->lvwMenu->count(); ++i) {
            QListWidgetItem* item = v->lvwMenu->item(i);
            if (item->data(Qt::UserRole).toString() == clave) {
                emit v->lvwMenu->itemClicked(item);
                return;
            }
        }
        QFAIL("no such kind");
    }
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
        mPopups.clear();
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
        v->mostrarPopup = [this](QMenu* menu) { mPopups.append(menu); };
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
        QTest::newRow("1K") << "1K"
                            << "Clave"
                            << "12" << false << " P.IdPrestador = 12";
        QTest::newRow("2K") << "2K"
                            << "Numero"
                            << "123" << false << "Num_Afil LIKE '%123%'";
        QTest::newRow("3K") << "3K"
                            << "Nombre"
                            << "O'Brien" << true << "M.Nombre = 'O''Brien'";
        QTest::newRow("7K") << "7K"
                            << "Codigo"
                            << "4201" << false << "P.PracticaOS LIKE '%4201%'";
        QTest::newRow("8K") << "8K"
                            << "Nombre"
                            << "Muñoz" << true << "M.Nombre LIKE 'Muñoz%'";
        QTest::newRow("4K") << "4K"
                            << "Asociado"
                            << " 99 " << false << "T.num_Afil LIKE '99%' AND T.Fecha_Prestacion" + mayo;
        QTest::newRow("9K") << "9K"
                            << "Fecha"
                            << "" << false << " T.FechaDePractica" + mayo;
        QTest::newRow("5K") << "5K"
                            << "Prestador"
                            << "Sol" << false << "P.Nombre LIKE '%Sol%' AND C.FechaServer" + mayo;
        QTest::newRow("10K") << "10K"
                             << "Nombre"
                             << "anti" << false << "A.Descripcion LIKE '%anti%'";
        QTest::newRow("6K") << "6K"
                            << "Clave"
                            << "547" << false << " NumeroErrorSYS = 547";
    }
    void sentenciasDeCadaTipo()
    {
        QFETCH(QString, clave);
        QFETCH(QString, criterio);
        QFETCH(QString, valor);
        QFETCH(bool, exacto);
        QFETCH(QString, condicion);
        elegir(clave);
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
        QCOMPARE(v->lvwGeneral->cantidadItems(), 2);
        QCOMPARE(v->lblCantidadEntradas->text(), QStringLiteral("2"));
        QCOMPARE(v->lblConsulta->text(), v->mDescripcion);
        QVERIFY(mCajas->mostrados().isEmpty());
    }

    void estadoDuranteLaConsulta()
    {
        elegir(QStringLiteral("1K"));
        consultar(QStringLiteral("Clave"), QStringLiteral("12"));
        QCOMPARE(mEstadoAlContar, QStringLiteral("Buscando Prestador 12..."));
        QVERIFY(!mListaVisibleAlContar);
        QVERIFY(mRelojAlContar);
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
        QTest::newRow("123456") << 123456.0 << "La consulta devuelve 123456 entradas." + kCambie;
        QTest::newRow("1500 se carga") << 1500.0 << "";
    }
    void guardaDelConteo()
    {
        QFETCH(double, cuenta);
        QFETCH(QString, aviso);
        elegir(QStringLiteral("4K"));
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
        QCOMPARE(caja.botones, ui::Botones::OK);
        QCOMPARE(caja.titulo, QStringLiteral("DalvoHD"));
        QCOMPARE(primeraColumna(), QStringList({"7", "12"}));
        QCOMPARE(v->lblConsulta->text(), descripcionAnterior);
        QCOMPARE(v->lblCantidadEntradas->text(), QStringLiteral("2"));
        QCOMPARE(v->mCondicion, QStringLiteral("T.idCierre = 8"));
        QVERIFY(v->lvwGeneral->isVisible());
        // A refused consultation is not remembered: coming back shows the first criterion.
        elegir(QStringLiteral("1K"));
        elegir(QStringLiteral("4K"));
        QCOMPARE(v->cboConsulta->currentIndex(), 0);
    }

    void unaClaveQueNoEsNumeroNoConsulta()
    {
        elegir(QStringLiteral("1K"));
        consultar(QStringLiteral("Clave"), QStringLiteral("12"));
        const qsizetype antes = cantidadEnviadas();
        consultar(QStringLiteral("Clave"), QStringLiteral("ab"));
        QCOMPARE(enviadas(antes), QStringList());
        QCOMPARE(mCajas->mostrados().size(), 1);
        QCOMPARE(mCajas->mostrados().first().texto, QStringLiteral("El valor a buscar debe ser un número"));
        QCOMPARE(mCajas->mostrados().first().icono, ui::Icono::Informacion);
        QCOMPARE(v->lvwGeneral->cantidadItems(), 2);
        QCOMPARE(v->lblConsulta->text(), QStringLiteral("Prestador 12"));
        // The kind's memory still holds the last good consultation.
        QCOMPARE(v->itemConsulta(QStringLiteral("1K"))->Consulta, QStringLiteral("12"));
        QVERIFY(v->itemConsulta(QStringLiteral("1K"))->ConsultaOk);
    }

    void codigoDeAccionExactoSeReescribe()
    {
        elegir(QStringLiteral("10K"));
        consultar(QStringLiteral("Codigo"), QStringLiteral("7"), true);
        QCOMPARE(v->txtConsulta->text(), QStringLiteral("0007"));
        QCOMPARE(v->mCondicion, QStringLiteral("A.CodigoAccion = '0007'"));
        QCOMPARE(v->lblConsulta->text(), QStringLiteral("Acciones con código igual a 0007"));
    }

    void unFalloVaAlManejadorDeErrores()
    {
        elegir(QStringLiteral("4K"));
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
        elegir(QStringLiteral("4K"));
        v->txtDesdeFecha->setText(QStringLiteral("01/05/2024"));
        v->txtHastaFecha->setText(QStringLiteral("31/05/2024"));
        consultar(QStringLiteral("Asociado"), QStringLiteral(" 99 "));
        QCOMPARE(v->lvwGeneral->cantidadItems(), 2);

        // Another kind: its criteria, an empty value, the dates kept, the list and captions emptied.
        elegir(QStringLiteral("10K"));
        v->txtDesdeFecha->setText(QStringLiteral("01/06/2024"));
        elegir(QStringLiteral("1K"));
        QCOMPARE(v->casoActivo(), 1);
        QCOMPARE(v->cboConsulta->count(), 6);
        QCOMPARE(v->cboConsulta->currentText(), QStringLiteral("Codigo"));
        QCOMPARE(v->txtConsulta->text(), QString());
        QCOMPARE(v->txtDesdeFecha->text(), QStringLiteral("01/06/2024"));
        QCOMPARE(v->lvwGeneral->cantidadColumnas(), 0);
        QCOMPARE(v->lblConsulta->text(), QString());
        QCOMPARE(v->lblCantidadEntradas->text(), QString());

        // Back without "Mantener Consulta": the values come back, the list does not.
        qsizetype antes = cantidadEnviadas();
        elegir(QStringLiteral("4K"));
        QCOMPARE(v->cboConsulta->currentText(), QStringLiteral("Asociado"));
        QCOMPARE(v->txtConsulta->text(), QStringLiteral("99"));
        QCOMPARE(v->txtDesdeFecha->text(), QStringLiteral("01/05/2024"));
        QCOMPARE(v->txtHastaFecha->text(), QStringLiteral("31/05/2024"));
        QCOMPARE(v->lvwGeneral->cantidadItems(), 0);
        QCOMPARE(enviadas(antes), QStringList());

        // With it, the kind's last consultation runs again.
        v->chkMantenerConsulta->setChecked(true);
        elegir(QStringLiteral("1K"));
        antes = cantidadEnviadas();
        elegir(QStringLiteral("4K"));
        QCOMPARE(enviadas(antes).size(), 2);
        QVERIFY(enviadas(antes).first().endsWith(QStringLiteral(
            " WHERE T.num_Afil LIKE '99%' AND T.Fecha_Prestacion BETWEEN '05/01/2024 00:00:00' AND "
            "'05/31/2024 23:59:59' ORDER BY 1")));
        QCOMPARE(v->lvwGeneral->cantidadItems(), 2);
        QCOMPARE(v->lblConsulta->text(), QStringLiteral("Tickets del asociado 99"));
    }

    void elMismoTipoConservaLaLista()
    {
        elegir(QStringLiteral("1K"));
        consultar(QStringLiteral("Clave"), QStringLiteral("12"));
        const qsizetype antes = cantidadEnviadas();
        elegir(QStringLiteral("1K"));
        QCOMPARE(v->lvwGeneral->cantidadItems(), 2);
        QCOMPARE(v->lblConsulta->text(), QStringLiteral("Prestador 12"));
        QCOMPARE(enviadas(antes), QStringList());
    }

    void menusYPopupsDeCadaTipo_data()
    {
        QTest::addColumn<QString>("clave");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("dobleClic");
        QTest::newRow("1K") << "1K"
                            << "mnuPrestador"
                            << "mnuPrestador";
        QTest::newRow("4K") << "4K"
                            << "mnuTicket"
                            << "mnuTicket";
        QTest::newRow("9K") << "9K"
                            << "mnuTicket"
                            << "mnuTicket";
        QTest::newRow("5K") << "5K"
                            << "mnuCierre"
                            << "";
        for (const char* clave : {"2K", "3K", "7K", "8K", "10K", "6K"})
            QTest::newRow(clave) << clave << ""
                                 << "";
    }
    void menusYPopupsDeCadaTipo()
    {
        QFETCH(QString, clave);
        QFETCH(QString, menu);
        QFETCH(QString, dobleClic);
        elegir(clave);
        for (QMenu* m : {v->mnuPrestador, v->mnuTicket, v->mnuCierre}) {
            QCOMPARE(m->menuAction()->isVisible(), m->objectName() == menu);
            QCOMPARE(m->menuAction()->isEnabled(), m->objectName() == menu);
        }
        consultar(v->cboConsulta->itemText(0), QStringLiteral("1"));
        v->lvwGeneral->setCurrentItem(v->lvwGeneral->item(1));
        emit v->lvwGeneral->customContextMenuRequested(QPoint(5, 5));
        emit v->lvwGeneral->itemDoubleClicked(v->lvwGeneral->item(1), 0);
        QStringList mostrados;
        for (QMenu* m : mPopups)
            mostrados << m->objectName();
        QStringList esperados;
        for (const QString& m : {menu, dobleClic})
            if (!m.isEmpty())
                esperados << m;
        QCOMPARE(mostrados, esperados);
    }

    void dobleClicEnUnCierreAbreElCierre()
    {
        QSignalSpy cierres(v.get(), &frmDalvoHD::mostrarCierre);
        elegir(QStringLiteral("5K"));
        mFilas = filas({31, 32});
        consultar(QStringLiteral("Clave"), QStringLiteral("31"));
        emit v->lvwGeneral->itemDoubleClicked(v->lvwGeneral->item(0), 0); // nothing selected yet
        QCOMPARE(cierres.size(), 0);
        v->lvwGeneral->setCurrentItem(v->lvwGeneral->item(1));
        emit v->lvwGeneral->itemDoubleClicked(v->lvwGeneral->item(1), 0);
        QCOMPARE(cierres.size(), 1);
        // The provider id comes from the hidden column.
        QCOMPARE(cierres.first(), QVariantList({1, 32, false}));
    }

    void ordenarPorUnaColumnaComoTexto()
    {
        elegir(QStringLiteral("4K"));
        mFilas = filas({9, 10, 100, 2});
        consultar(QStringLiteral("Clave"), QStringLiteral("1"));
        emit v->lvwGeneral->header()->sectionClicked(0);
        QCOMPARE(primeraColumna(), QStringList({"10", "100", "2", "9"}));
        emit v->lvwGeneral->header()->sectionClicked(0);
        QCOMPARE(primeraColumna(), QStringList({"10", "100", "2", "9"}));
    }

    void dobleClicEnLosTiposLosOrdena()
    {
        emit v->lvwMenu->itemDoubleClicked(v->lvwMenu->item(0));
        QStringList textos;
        for (int i = 0; i < v->lvwMenu->count(); ++i)
            textos << v->lvwMenu->item(i)->text();
        QCOMPARE(textos, QStringList({"Acciones", "Afiliados", "Cierres", "Errores", "Medicamentos",
                                      "Medicos Prescrip.", "Practicas", "Prestadores", "Tickets de Farmacia",
                                      "Tickets de Prestador"}));
        elegir(QStringLiteral("9K"));
        QCOMPARE(v->casoActivo(), 9);
    }
};

QTEST_MAIN(TstFrmDalvoHDConsulta)
#include "tst_frmDalvoHDConsulta.moc"

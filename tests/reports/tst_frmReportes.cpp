#include "DatosPrueba.h"
#include "EntornoPrueba.h"
#include "reports/ColeccionParametros.h"
#include "reports/GeneracionReportes.h"
#include "reports/frmReportes.h"
#include "ui/VistaLista.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace dalvo;

namespace {

struct ErrorVisto
{
    qint32 numero;
    QString descripcion, origen;
};

} // namespace

class TstFrmReportes : public QObject
{
    Q_OBJECT

    std::unique_ptr<prueba::EntornoPrueba> mEntorno;
    std::unique_ptr<prueba::GuionMensajes> mMensajes;
    std::unique_ptr<QLineEdit> mDesdePrincipal;
    std::unique_ptr<QLineEdit> mHastaPrincipal;
    QList<ErrorVisto> mErrores;
    QStringList mAvisos;

    ColeccionParametros parametros(const QString& tipo = QStringLiteral("3"))
    {
        ColeccionParametros p;
        p.AddEnlace(QStringLiteral("FECHADESDE"), mDesdePrincipal.get());
        p.AddEnlace(QStringLiteral("FECHAHASTA"), mHastaPrincipal.get());
        prueba::agregarParametros(p);
        p.setItem(QStringLiteral("TIPOPRESTADORACTUAL"), tipo);
        return p;
    }

    static QStringList claves(const frmReportes& ventana)
    {
        auto* lista = ventana.findChild<ui::VistaLista*>(QStringLiteral("lvwReportes"));
        QStringList r;
        for (int i = 0; i < lista->cantidadItems(); ++i)
            r << ui::VistaLista::clave(lista->item(i));
        return r;
    }
    template <typename T> static T* control(const frmReportes& ventana, const char* nombre)
    {
        return ventana.findChild<T*>(QString::fromLatin1(nombre));
    }

private slots:
    void init()
    {
        mEntorno = std::make_unique<prueba::EntornoPrueba>();
        mMensajes = std::make_unique<prueba::GuionMensajes>();
        mDesdePrincipal = std::make_unique<QLineEdit>(QStringLiteral("01/03/2008"));
        mHastaPrincipal = std::make_unique<QLineEdit>(QStringLiteral("31/03/2008"));
        mErrores.clear();
        mAvisos.clear();
        setChekErrorReportes([this](qint32 n, const QString& d, const QString& o) {
            mErrores.append({n, d, o});
        });
        frmReportes::setAvisoEstado([this](const QString& t) { mAvisos.append(t); });
    }
    void cleanup()
    {
        setChekErrorReportes(nullptr);
        frmReportes::setAvisoEstado(nullptr);
        mMensajes.reset();
        mEntorno.reset();
    }

    void reportesDeCadaContexto_data()
    {
        QTest::addColumn<int>("contexto");
        QTest::addColumn<QString>("tipo");
        QTest::addColumn<QStringList>("claves");
        auto fila = [](const char* caso, int contexto, const char* tipo, const QString& claves) {
            QTest::newRow(caso) << contexto << QString::fromLatin1(tipo)
                                << claves.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        };
        const QString prestador = QStringLiteral("KP2 KP3 KP4 KP6 KP7 KP5 KP9 ");
        const QString prestadorFin = QStringLiteral(" KT5 KC4 KP11 KP12");
        fila("prestadores, internacion", 1, "14", prestador + "KP10" + prestadorFin);
        fila("prestadores, farmacia", 1, "1", prestador + prestadorFin);
        fila("prestadores, otro tipo", 1, "3", "KP1 " + prestador + prestadorFin);
        fila("afiliados", 2, "3", "KA1 KA2 KA3 KA4 KA5 KA6 KA7");
        fila("medicamentos", 3, "3", "KM1 KM2 KM4 KM5 KM6 KM7 KM8 KM9");
        fila("tickets", 4, "3", "KT1 KT2 KT3 KT4 KT5 KT6 KA5 KA2 KA3 KA4 KA6 KG1 KPM K31");
        fila("cierres, farmacia", 5, "1", "KC1 KC2 KC3 KC4 KC5 KC6 KP2 KP3");
        fila("cierres, tipo con blancos", 5, " 1 ", "KC1 KC2 KC3 KC4 KC5 KC6 KP2 KP3");
        fila("cierres, prestador de practicas", 5, "3", "KC1 KC2 KC3 KC4 KC15 KC6 KP2 KP3");
        fila("practicas", 7, "3", "KR4 KR1 KR2 KR3");
        fila("medicos", 8, "3", "KD1 KD3 KD4 KD5");
        fila("tickets de prestador", 9, "3", "KTP1 KTP2 KTP3 KTP4 KTP5 KTP6 KA5 KA2 KA3 KA4 KA6 KG1");
        fila("acciones", 10, "3", "KAC1");
        fila("generales", 20, "3", "KP KT KG1 KG2 KIM1 KIA2");
        fila("errores del sistema: ninguno", 6, "3", "");
        fila("sin tipo activo", 0, "3", "");
    }
    void reportesDeCadaContexto()
    {
        QFETCH(int, contexto);
        QFETCH(QString, tipo);
        QFETCH(QStringList, claves);
        ColeccionParametros p = parametros(tipo);
        frmReportes ventana;
        ventana.cargar(static_cast<qint16>(contexto), p);
        QCOMPARE(TstFrmReportes::claves(ventana), claves);
        QCOMPARE(control<QPushButton>(ventana, "cmdGenerar")->isEnabled(), !claves.isEmpty());
        auto* lista = control<ui::VistaLista>(ventana, "lvwReportes");
        if (!claves.isEmpty())
            QCOMPARE(lista->selectedItems(), QList<QTreeWidgetItem*>{lista->item(0)});
        QVERIFY(mErrores.isEmpty());
    }

    // A value missing or not a number: the handler hears it with the load's name, and the list keeps what
    // was loaded before.
    void fallaAlCargarVaAlManejador_data()
    {
        QTest::addColumn<bool>("completa");
        QTest::addColumn<int>("numero");
        QTest::addColumn<QStringList>("claves");
        QTest::newRow("falta CIERREINICIAL") << false << 5 << QStringList{"KC1", "KC2"};
        QTest::newRow("tipo de prestador vacio") << true << 13 << QStringList{};
    }
    void fallaAlCargarVaAlManejador()
    {
        QFETCH(bool, completa);
        QFETCH(int, numero);
        QFETCH(QStringList, claves);
        ColeccionParametros p = parametros(QString());
        if (!completa) {
            p = ColeccionParametros();
            p.AddEnlace(QStringLiteral("FECHADESDE"), mDesdePrincipal.get());
            p.AddEnlace(QStringLiteral("FECHAHASTA"), mHastaPrincipal.get());
            p.Add(QStringLiteral("CIERREACTUAL"), QStringLiteral("17"));
        }
        frmReportes ventana;
        ventana.cargar(completa ? contextos::Prestadores : contextos::Cierres, p);
        QCOMPARE(TstFrmReportes::claves(ventana), claves);
        QCOMPARE(control<QPushButton>(ventana, "cmdGenerar")->isEnabled(), !claves.isEmpty());
        QCOMPARE(mErrores.size(), 1);
        QCOMPARE(mErrores[0].numero, numero);
        QCOMPARE(mErrores[0].origen, QStringLiteral("Load"));
        if (!completa)
            QVERIFY(mErrores[0].descripcion.contains(QLatin1String("CIERREINICIAL")));
    }

    // A valid date leaves the field written out in full and goes to the main window; an invalid one is told
    // on the status bar and keeps the focus, selected, and nothing changes.
    void fechaAlSalirDelCampo_data()
    {
        prueba::filasDeTexto(
            {"campo", "tecleado", "desde", "hasta", "aviso"},
            {{"desde corta", "txtDesdeFecha", "050208", "05/02/2008", "31/03/2008", ""},
             {"hasta completa", "txtHastaFecha", "15042008", "01/03/2008", "15/04/2008", ""},
             {"vaciada: nada cambia", "txtDesdeFecha", "", "01/03/2008", "31/03/2008", ""},
             {"invalida", "txtDesdeFecha", "32/01/2008", "01/03/2008", "31/03/2008", "Fecha inválida"}});
    }
    void fechaAlSalirDelCampo()
    {
        QFETCH(QString, campo);
        QFETCH(QString, tecleado);
        QFETCH(QString, desde);
        QFETCH(QString, hasta);
        QFETCH(QString, aviso);
        ColeccionParametros p = parametros();
        frmReportes ventana;
        ventana.cargar(contextos::Generales, p);
        ventana.show();
        QVERIFY(QTest::qWaitForWindowActive(&ventana));
        auto* fecha = control<QLineEdit>(ventana, qPrintable(campo));
        fecha->setFocus();
        fecha->selectAll();
        if (tecleado.isEmpty())
            fecha->clear();
        else
            QTest::keyClicks(fecha, tecleado);
        control<QLineEdit>(ventana, "txtTicket")->setFocus();
        QCOMPARE(mDesdePrincipal->text(), desde);
        QCOMPARE(mHastaPrincipal->text(), hasta);
        QCOMPARE(ventana.subtituloRango(), QStringLiteral(" entre el %1 y el %2").arg(desde, hasta));
        QCOMPARE(mAvisos, aviso.isEmpty() ? QStringList() : QStringList{aviso});
        if (!aviso.isEmpty()) {
            QVERIFY(fecha->hasFocus());
            QTRY_COMPARE(fecha->selectedText(), tecleado);
        } else if (!tecleado.isEmpty()) {
            QCOMPARE(fecha->text(), campo == QLatin1String("txtDesdeFecha") ? desde : hasta);
        }
    }
};

QTEST_MAIN(TstFrmReportes)
#include "tst_frmReportes.moc"

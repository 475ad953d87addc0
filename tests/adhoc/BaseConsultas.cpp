#include "BaseConsultas.h"

#include "adhoc/frmConsultas.h"
#include "data/embedded/MotorEmbebido.h"
#include "demo/BasePruebas.h"
#include "demo/Sqlite.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace dalvo::prueba {

namespace {

// The demo server, with every statement it receives written down.
class MotorGrabador : public ado::Motor
{
public:
    explicit MotorGrabador(std::shared_ptr<QStringList> enviadas) : mEnviadas(std::move(enviadas)) {}

    void abrir(const ado::DatosConexion& datos) override { mReal.abrir(datos); }
    void cerrar() override { mReal.cerrar(); }
    bool abierta() const override { return mReal.abierta(); }
    ado::Lote ejecutar(const QString& sql, int segundosEspera) override
    {
        mEnviadas->append(sql);
        return mReal.ejecutar(sql, segundosEspera);
    }
    ado::Lote llamar(const QString& procedimiento, QVector<ado::ParametroMotor>& parametros,
                     int segundosEspera) override
    {
        mEnviadas->append(QStringLiteral("EXEC ") + procedimiento);
        return mReal.llamar(procedimiento, parametros, segundosEspera);
    }
    bool conexionPerdida() override { return mReal.conexionPerdida(); }

private:
    embebido::MotorEmbebido mReal;
    std::shared_ptr<QStringList> mEnviadas;
};

const char* const kTablasPropias = R"sql(
CREATE TABLE Muestras (
    Id int NOT NULL PRIMARY KEY,
    Grupo smallint NOT NULL,
    Nombre char(30) COLLATE CI_AS NULL,
    Apellido varchar(40) COLLATE CI_AS NULL,
    Alta datetime NULL,
    Importe money NULL,
    Activo bit NOT NULL DEFAULT 0
);
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4402)
INSERT INTO Muestras
SELECT i,
       CASE WHEN i <= 200 THEN 1 WHEN i <= 401 THEN 2 WHEN i <= 2401 THEN 3 ELSE 4 END,
       CASE i WHEN 7 THEN 'O''Brien' ELSE 'Nombre ' || i END,
       CASE WHEN i % 50 = 0 THEN NULL
            ELSE (CASE i % 4 WHEN 0 THEN 'Gómez' WHEN 1 THEN 'Pérez' WHEN 2 THEN 'Muñoz' ELSE 'Quiroga' END)
                 || ' ' || i END,
       CASE WHEN i % 50 = 0 THEN NULL
            ELSE strftime('%Y-%m-%d', '2024-05-01', '+' || (i % 30) || ' days') ||
                 (CASE WHEN i % 3 = 0 THEN ' 10:30:00' ELSE ' 00:00:00' END) END,
       CASE WHEN i % 50 = 0 THEN NULL ELSE i * 1.25 END,
       i % 2
FROM n;
CREATE TABLE Textos (
    Grupo char(20) COLLATE CI_AS NULL,
    Alta char(30) COLLATE CI_AS NULL,
    Importe char(20) COLLATE CI_AS NULL
);
INSERT INTO Textos VALUES ('1 OR 1=1', '20240101'' OR ''1''=''1', '1; DELETE Muestras');
)sql";

} // namespace

BaseConsultas::BaseConsultas()
{
    mRuta = mCarpeta.filePath(QStringLiteral("base.sqlite"));
    if (!QFile::copy(demo::pruebas::basePruebas(), mRuta))
        qFatal("no se pudo copiar la base de pruebas");
    {
        demo::Conexion db(mRuta, false);
        db.ejecutar(kTablasPropias);
    }
    auto enviadas = mEnviadas;
    mSustituto =
        std::make_unique<ado::MotorSustituto>([enviadas](ado::DatosConexion&) -> std::unique_ptr<ado::Motor> {
            return std::make_unique<MotorGrabador>(enviadas);
        });
    mConexion = std::make_unique<cUserConnection>();
    mConexion->Connect(QStringLiteral("sqlite:") + mRuta, QStringLiteral("operador"), QStringLiteral("demo"),
                       QStringLiteral("dalvoPralMendoza"));
    gConexion = mConexion.get();
    mEnviadas->clear();
}

BaseConsultas::~BaseConsultas()
{
    gConexion = nullptr;
    mConexion.reset();
}

QStringList BaseConsultas::enviadas()
{
    const QStringList lista = *mEnviadas;
    mEnviadas->clear();
    return lista;
}

void BaseConsultas::sqlite(const QString& sql) const
{
    demo::Conexion db(mRuta, false);
    db.ejecutar(sql);
}

void elegirTabla(frmConsultas& ventana, const QString& tabla)
{
    auto* combo = control<QComboBox>(ventana, "cboTablas");
    combo->setFocus(Qt::MouseFocusReason);
    const int indice = combo->findText(tabla);
    QVERIFY2(indice >= 0, qPrintable(tabla));
    combo->setCurrentIndex(indice);
    emit combo->activated(indice);
}

void elegirColumna(frmConsultas& ventana, const QString& columna)
{
    auto* lista = control<QListWidget>(ventana, "lstCampos");
    lista->setFocus(Qt::MouseFocusReason);
    for (qsizetype i = 0; i < ventana.columnas().size(); ++i) {
        if (ventana.columnas()[i].NombreColumna == columna) {
            lista->setCurrentRow(int(i));
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no hay columna ") + columna));
}

void escribir(frmConsultas& ventana, const QString& teclas)
{
    auto* valor = control<QLineEdit>(ventana, "txtValor");
    valor->setFocus(Qt::MouseFocusReason);
    valor->selectAll();
    if (!valor->text().isEmpty())
        QTest::keyClick(valor, Qt::Key_Backspace);
    for (const QChar c : teclas)
        QTest::keyClick(valor, char(c.unicode())); // ASCII keys only
}

void salirDelValor(frmConsultas& ventana)
{
    control<QListWidget>(ventana, "lstCampos")->setFocus(Qt::MouseFocusReason);
}

void pulsar(QWidget& ventana, const char* boton)
{
    auto* b = control<QPushButton>(ventana, boton);
    QVERIFY2(b && b->isEnabled(), boton);
    b->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(b, Qt::LeftButton);
}

void elegirFila(frmConsultas& ventana, int fila)
{
    auto* lista = control<QTreeWidget>(ventana, "lvwRespuesta");
    lista->setFocus(Qt::MouseFocusReason);
    lista->setCurrentItem(lista->topLevelItem(fila));
}

QStringList lineasCampos(frmConsultas& ventana)
{
    auto* lista = control<QListWidget>(ventana, "lstCampos");
    QStringList lineas;
    for (int i = 0; i < lista->count(); ++i)
        lineas << lista->item(i)->text();
    return lineas;
}

} // namespace dalvo::prueba

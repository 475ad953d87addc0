#include "e2e/ServidorSql.h"

#include "common/Falla.h"
#include "data/TiposAdo.h"
#include "data/embedded/MotorEmbebido.h"
#include "demo/BasePruebas.h"
#include "tds/Entorno.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>

namespace dalvo::e2e {

namespace {

// What the driver puts before the server's own text.
const QString kMarcaFreeTds = QStringLiteral("[FreeTDS][SQL Server]");

tds::FabricaMotor fabricaEmbebida()
{
    return [] { return std::make_unique<embebido::MotorEmbebido>(); };
}

QString mostrar(const QVariant& v)
{
    if (ado::esNulo(v))
        return QStringLiteral("NULL");
    // money and numeric travel as decimal text: the last bit of a double may differ, a cent may not.
    const QString texto =
        v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 12) : v.toString();
    return QStringLiteral("%1 (%2)").arg(texto, QString::fromLatin1(v.typeName()));
}

// One line per result set, per column (its traits) and per row (each value and its ActualSize), result set
// after result set, then the error met on the way to the next one, if any.
QStringList volcado(ado::Recordset& primero)
{
    QStringList lineas;
    std::unique_ptr<ado::Recordset> siguiente;
    int conjunto = 0;
    for (ado::Recordset* rs = &primero; rs; rs = siguiente.get()) {
        const int columnas = rs->Fields().Count();
        lineas << QStringLiteral("resultado %1: %2 filas").arg(++conjunto).arg(rs->RecordCount());
        for (int c = 0; c < columnas; ++c) {
            const ado::Field f = rs->Fields(c);
            // DefinedSize of a fixed-size type is ADO's size of the type over the wire (datetime 16, bit 2,
            // numeric 19) and the server's storage length on the embedded engine (8, 1, 5 for numeric(5,2)):
            // nothing reads it, so only the declared length of a text is compared.
            lineas << QStringLiteral("%1 tipo %2 tamaño %3 precisión %4 escala %5")
                          .arg(f.Name())
                          .arg(f.Type())
                          .arg(ado::esTipoTexto(f.Type()) ? f.DefinedSize() : 0)
                          .arg(f.Precision())
                          .arg(f.NumericScale());
        }
        for (int fila = 0; fila < rs->RecordCount(); ++fila) {
            fila == 0 ? rs->MoveFirst() : rs->MoveNext();
            QStringList celdas;
            for (int c = 0; c < columnas; ++c)
                celdas << QStringLiteral("%1 [%2]")
                              .arg(mostrar(rs->Fields(c).Value()))
                              .arg(rs->Fields(c).ActualSize());
            lineas << celdas.join(QLatin1String(" | "));
        }
        try {
            siguiente = rs->NextRecordset();
        } catch (const Falla& f) {
            lineas << QStringLiteral("error %1").arg(f.Numero);
            break;
        }
    }
    return lineas;
}

} // namespace

void prepararProceso()
{
    tds::prueba::limpiarEntornoFreeTds();
    static QTemporaryDir sinArchivosOdbc;
    qputenv("ODBCSYSINI", sinArchivosOdbc.path().toLocal8Bit());
    qputenv("ODBCINI", (sinArchivosOdbc.path() + QStringLiteral("/odbc.ini")).toLocal8Bit());
    qunsetenv("DALVOHD_ODBC_DRIVER");
}

ServidorSql::ServidorSql(const QString& rutaBase)
    : mRutaBase(rutaBase.isEmpty() ? demo::pruebas::basePruebas() : rutaBase),
      mTds(std::make_unique<tds::ServidorTds>(fabricaEmbebida(), servidorEmbebido()))
{
    mPuerto = mTds->iniciar();
    mServidorAnterior = qgetenv("DALVOHD_SERVER");
    qputenv("DALVOHD_SERVER", servidor().toLocal8Bit());
}

ServidorSql::~ServidorSql()
{
    if (mServidorAnterior.isNull())
        qunsetenv("DALVOHD_SERVER");
    else
        qputenv("DALVOHD_SERVER", mServidorAnterior);
}

QString ServidorSql::servidor() const
{
    return QStringLiteral("127.0.0.1,%1").arg(mPuerto);
}

QString ServidorSql::servidorEmbebido() const
{
    return QStringLiteral("sqlite:") + mRutaBase;
}

QString copiaBase(const QTemporaryDir& carpeta, const QString& nombre)
{
    const QString ruta = carpeta.filePath(nombre);
    QFile::remove(ruta);
    QFile::copy(demo::pruebas::basePruebas(), ruta);
    return ruta;
}

std::unique_ptr<cUserConnection> conectar(const QString& servidor, const QString& base)
{
    auto conexion = std::make_unique<cUserConnection>();
    conexion->Connect(servidor, QStringLiteral("operador"), QStringLiteral("demo"), base);
    return conexion;
}

QString diferencias(ado::Recordset& sobreElCable, ado::Recordset& embebido)
{
    const QStringList a = volcado(sobreElCable);
    const QStringList b = volcado(embebido);
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i)
        if (a.value(i) != b.value(i))
            return QStringLiteral("%1 / sin el cable: %2").arg(a.value(i), b.value(i));
    return {};
}

QString registros(const ado::Connection& conexion)
{
    QStringList lineas;
    for (const ado::ErrorAdo& e : conexion.Errors())
        lineas << QStringLiteral("%1 %2").arg(e.Number).arg(QString(e.Description).remove(kMarcaFreeTds));
    return lineas.join(u'\n');
}

} // namespace dalvo::e2e

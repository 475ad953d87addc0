#include "e2e/ServidorSql.h"

#include "common/Falla.h"
#include "data/TiposAdo.h"
#include "data/embedded/MotorEmbebido.h"
#include "demo/BasePruebas.h"
#include "tds/Entorno.h"

#include <QDateTime>
#include <QFile>
#include <cmath>

namespace dalvo::e2e {

namespace {

// What the driver puts before the server's own text.
const QString kMarcaFreeTds = QStringLiteral("[FreeTDS][SQL Server]");

tds::FabricaMotor fabricaEmbebida()
{
    return [] { return std::make_unique<embebido::MotorEmbebido>(); };
}

bool mismoValor(const QVariant& a, const QVariant& b)
{
    if (ado::esNulo(a) || ado::esNulo(b))
        return ado::esNulo(a) && ado::esNulo(b);
    if (a.typeId() == QMetaType::Double || b.typeId() == QMetaType::Double) {
        // money and numeric travel as decimal text: the last bit of a double may differ, a cent may not.
        const double x = a.toDouble();
        const double y = b.toDouble();
        return std::abs(x - y) <= 1e-9 * std::max(1.0, std::abs(y));
    }
    return a.typeId() == b.typeId() && a == b;
}

QString mostrar(const QVariant& v)
{
    if (ado::esNulo(v))
        return QStringLiteral("NULL");
    return QStringLiteral("%1 (%2)").arg(v.toString(), QString::fromLatin1(v.typeName()));
}

QString diferenciaTabla(ado::Recordset& a, ado::Recordset& b, int conjunto)
{
    const QString donde = QStringLiteral("resultado %1").arg(conjunto + 1);
    const int columnas = a.Fields().Count();
    if (columnas != b.Fields().Count())
        return QStringLiteral("%1: %2 columnas, %3 sin el cable")
            .arg(donde)
            .arg(columnas)
            .arg(b.Fields().Count());
    for (int c = 0; c < columnas; ++c) {
        const ado::Field x = a.Fields(c);
        const ado::Field y = b.Fields(c);
        // DefinedSize of a fixed-size type is ADO's size of the type over the wire (datetime 16, bit 2,
        // numeric 19) and the server's storage length on the embedded engine (8, 1, 5 for numeric(5,2)):
        // nothing reads it, so only the declared length of a text is compared.
        const auto rasgos = [](const ado::Field& f) {
            return QStringLiteral("%1 tipo %2 tamaño %3 precisión %4 escala %5")
                .arg(f.Name())
                .arg(f.Type())
                .arg(ado::esTipoTexto(f.Type()) ? f.DefinedSize() : 0)
                .arg(f.Precision())
                .arg(f.NumericScale());
        };
        if (rasgos(x) != rasgos(y))
            return QStringLiteral("%1, columna %2: %3 / sin el cable %4")
                .arg(donde)
                .arg(c)
                .arg(rasgos(x), rasgos(y));
    }
    if (a.RecordCount() != b.RecordCount())
        return QStringLiteral("%1: %2 filas, %3 sin el cable")
            .arg(donde)
            .arg(a.RecordCount())
            .arg(b.RecordCount());
    if (a.RecordCount() == 0)
        return {};
    a.MoveFirst();
    b.MoveFirst();
    for (int fila = 0; !a.Eof(); ++fila, a.MoveNext(), b.MoveNext()) {
        for (int c = 0; c < columnas; ++c) {
            const ado::Field x = a.Fields(c);
            const ado::Field y = b.Fields(c);
            if (!mismoValor(x.Value(), y.Value()) || x.ActualSize() != y.ActualSize())
                return QStringLiteral("%1, fila %2, %3: %4 ActualSize %5 / sin el cable %6 ActualSize %7")
                    .arg(donde)
                    .arg(fila)
                    .arg(x.Name(), mostrar(x.Value()))
                    .arg(x.ActualSize())
                    .arg(mostrar(y.Value()))
                    .arg(y.ActualSize());
        }
    }
    return {};
}

// The next result set, or the number of the error met on the way (0: there is none).
std::unique_ptr<ado::Recordset> siguiente(ado::Recordset& rs, qint32& error)
{
    error = 0;
    try {
        return rs.NextRecordset();
    } catch (const Falla& f) {
        error = f.Numero;
        return nullptr;
    }
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
    ado::Recordset* a = &sobreElCable;
    ado::Recordset* b = &embebido;
    std::unique_ptr<ado::Recordset> sigA;
    std::unique_ptr<ado::Recordset> sigB;
    for (int conjunto = 0;; ++conjunto) {
        const QString d = diferenciaTabla(*a, *b, conjunto);
        if (!d.isEmpty())
            return d;
        qint32 errorA = 0;
        qint32 errorB = 0;
        auto nuevoA = siguiente(*a, errorA);
        auto nuevoB = siguiente(*b, errorB);
        if (errorA != errorB || bool(nuevoA) != bool(nuevoB))
            return QStringLiteral("tras el resultado %1: %2 (error %3) / sin el cable %4 (error %5)")
                .arg(conjunto + 1)
                .arg(QLatin1String(nuevoA ? "otro resultado" : "fin"))
                .arg(errorA)
                .arg(QLatin1String(nuevoB ? "otro resultado" : "fin"))
                .arg(errorB);
        if (!nuevoA)
            return {};
        sigA = std::move(nuevoA);
        sigB = std::move(nuevoB);
        a = sigA.get();
        b = sigB.get();
    }
}

QString registros(const ado::Connection& conexion)
{
    QStringList lineas;
    for (const ado::ErrorAdo& e : conexion.Errors())
        lineas << QStringLiteral("%1 %2").arg(e.Number).arg(QString(e.Description).remove(kMarcaFreeTds));
    return lineas.join(u'\n');
}

} // namespace dalvo::e2e

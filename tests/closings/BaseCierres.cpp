#include "BaseCierres.h"

#include "demo/BasePruebas.h"
#include "demo/GeneradorDemo.h"
#include "demo/Sqlite.h"

#include <QCryptographicHash>
#include <QFile>

namespace dalvo::prueba {

QDateTime ahoraPruebas()
{
    return QDateTime(demo::pruebas::kHoy, QTime(12, 0));
}

BaseCierres::BaseCierres()
    : mRuta(mCarpeta.filePath(QStringLiteral("base.sqlite"))), mReloj(ahoraPruebas()),
      mConexion(std::make_unique<cUserConnection>())
{
    QFile::copy(demo::pruebas::basePruebas(), mRuta);
    QFile::setPermissions(mRuta, QFile::ReadOwner | QFile::WriteOwner);
    mConexion->Connect(QStringLiteral("sqlite:") + mRuta, QStringLiteral("operador"), QStringLiteral("demo"),
                       QStringLiteral("dalvoPralMendoza"));
    gConexion = mConexion.get();
}

BaseCierres::~BaseCierres()
{
    gConexion = nullptr;
}

QVariant BaseCierres::valor(const QString& sql)
{
    auto rs = mConexion->Query(sql, false, true);
    if (!rs || rs->State() == 0 || rs->Eof())
        return {};
    return rs->Fields(0).Value();
}

QMap<QString, QByteArray> BaseCierres::contenido() const
{
    demo::Conexion db(mRuta, true);
    QMap<QString, QByteArray> hashes;
    for (const QString& tabla : demo::TablasDemo()) {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        demo::Sentencia filas(
            db, QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(tabla).toUtf8().constData());
        while (filas.siguiente())
            for (int i = 0; i < filas.columnas(); ++i)
                hash.addData(filas.columnaNula(i) ? QByteArray("\x01NULL") : filas.columnaTexto(i) + '\x1f');
        hashes.insert(tabla, hash.result());
    }
    return hashes;
}

QStringList BaseCierres::cambiadas(const QMap<QString, QByteArray>& antes) const
{
    QStringList tablas;
    const auto ahora = contenido();
    for (auto it = ahora.begin(); it != ahora.end(); ++it)
        if (antes.value(it.key()) != it.value())
            tablas << it.key();
    return tablas;
}

} // namespace dalvo::prueba

#pragma once

// The closings' tests on the Pruebas demo database: a copy for each test, with gConexion connected to it
// (user operador) and the clock fixed at noon of the data's "today".

#include "common/Reloj.h"
#include "data/cUserConnection.h"

#include <QByteArray>
#include <QMap>
#include <QTemporaryDir>
#include <memory>

namespace dalvo::prueba {

class BaseCierres
{
public:
    BaseCierres();
    ~BaseCierres();
    BaseCierres(const BaseCierres&) = delete;
    BaseCierres& operator=(const BaseCierres&) = delete;

    // First column of the first row of a statement run over the connection (null when there is none).
    QVariant valor(const QString& sql);

    // A hash of each table's rows, in storage order, read straight from the file.
    QMap<QString, QByteArray> contenido() const;
    // The tables whose rows differ from a content taken before.
    QStringList cambiadas(const QMap<QString, QByteArray>& antes) const;

private:
    QTemporaryDir mCarpeta;
    QString mRuta;
    RelojFijo mReloj;
    std::unique_ptr<cUserConnection> mConexion;
};

// The data's "today" and the moment the tests' clock shows.
QDateTime ahoraPruebas();

} // namespace dalvo::prueba

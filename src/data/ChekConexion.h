#pragma once

#include "data/Motor.h"

#include <QString>
#include <QVector>

namespace dalvo {

// Reads gConexion's error list: sErrores receives every entry's description joined by CR LF (in list
// order), sUltimo the last one's. True when an entry tells of a lost connection (08S01, 08001, 08003).
// Without a connection the list is empty.
bool ChekConexion(QString& sErrores, QString& sUltimo);

// The same over a given list.
bool ChekConexion(const QVector<ado::ErrorAdo>& errores, QString& sErrores, QString& sUltimo);

// True for a description that begins with one of the lost-connection states.
bool esConexionPerdida(const QString& descripcion);

} // namespace dalvo

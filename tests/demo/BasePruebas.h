#pragma once

// The Pruebas database of a test program: generated once per "today" into a temporary folder. Tests only
// read it; a test that writes works on a copy.

#include "demo/GeneradorDemo.h"

#include <QDate>
#include <QMap>
#include <QTemporaryDir>

namespace dalvo::demo::pruebas {

inline const QDate kHoy(2024, 6, 11);

inline QString basePruebas(QDate hoy = kHoy)
{
    static QTemporaryDir carpeta;
    static QMap<QDate, QString> bases;
    if (!bases.contains(hoy)) {
        const QString ruta = carpeta.filePath(hoy.toString(Qt::ISODate) + QStringLiteral(".sqlite"));
        GenerarBase(ruta, {Escala::Pruebas, hoy, kSemillaDemo, {}});
        bases.insert(hoy, ruta);
    }
    return bases.value(hoy);
}

} // namespace dalvo::demo::pruebas

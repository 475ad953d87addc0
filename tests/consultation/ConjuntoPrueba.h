#pragma once

// Result sets built in memory for the list loaders: a connection on the scriptable engine that answers
// every statement with the given table.

#include "data/Connection.h"
#include "data/MotorFalso.h"
#include "data/Recordset.h"
#include "data/cUserConnection.h"

#include <memory>

namespace dalvo::pruebas {

class ConjuntoPrueba
{
public:
    ConjuntoPrueba() { mConexion.Open(cUserConnection::TextoConexion("srv", "db", "op", "x")); }

    std::unique_ptr<ado::Recordset> abrir(const ado::Tabla& tabla)
    {
        const ado::Lote respuesta = lote({tabla});
        mFalso.guion->responder = [respuesta](const QString&, const ado::DatosConexion&) {
            return respuesta;
        };
        auto rs = std::make_unique<ado::Recordset>();
        rs->Open(QStringLiteral("SELECT ..."), mConexion);
        return rs;
    }

private:
    ConMotorFalso mFalso;
    ado::Connection mConexion;
};

} // namespace dalvo::pruebas

#pragma once

// The consultations the benchmarks run: the most used criteria of each search kind, with values taken from
// the bench database (a real ticket, member, closing...) so that every one finds something.

#include "consultation/CondicionConsulta.h"

#include <QDate>
#include <QVector>

namespace dalvo::embebido {
class MotorEmbebido;
}

namespace dalvo::banco {

struct CasoConsulta
{
    QString nombre;
    PedidoConsulta pedido;
};

QVector<CasoConsulta> casosConsulta(embebido::MotorEmbebido& motor, QDate hoy);

// A condition of pharmacy tickets (a range of ticket numbers) whose rows statement gives as close to
// `objetivo` rows as possible without passing it; filas receives the rows it gives.
QString condicionDeFilas(embebido::MotorEmbebido& motor, int objetivo, int& filas);

} // namespace dalvo::banco

#include "Casos.h"

#include "Comun.h"
#include "consultation/clsQuerys.h"

namespace dalvo::banco {

namespace {

QVariant primero(embebido::MotorEmbebido& motor, const QString& sql, int columna = 0)
{
    const ado::Lote lote = motor.ejecutar(sql, 0);
    if (lote.tablas.empty() || lote.tablas.front().filas() == 0)
        return {};
    return lote.tablas.front().celda(0, columna);
}

QString texto(const QVariant& v)
{
    return v.toString().trimmed();
}

} // namespace

QVector<CasoConsulta> casosConsulta(embebido::MotorEmbebido& motor, QDate hoy)
{
    // The last closed month, and a weekday of the last days (not the current one).
    const QDate mesDesde = QDate(hoy.year(), hoy.month(), 1).addMonths(-1);
    const QDate mesHasta = mesDesde.addMonths(1).addDays(-1);
    QDate dia = hoy.addDays(-8);
    while (dia.dayOfWeek() > 5)
        dia = dia.addDays(-1);
    const QString d1 = fechaOperador(mesDesde), d2 = fechaOperador(mesHasta), dd = fechaOperador(dia);

    const QString enMes = QStringLiteral(" BETWEEN '%1' AND '%2 23:59:59'")
                              .arg(mesDesde.toString(QStringLiteral("MM/dd/yyyy")),
                                   mesHasta.toString(QStringLiteral("MM/dd/yyyy")));
    const QString farmacia =
        QStringLiteral(
            "SELECT TOP 1 IdTicket, AuSysT, idCierre, Num_Afil FROM Tickets WHERE idCierre IS NOT NULL "
            "AND Fecha_Prestacion") +
        enMes + QStringLiteral(" ORDER BY IdTicket");
    const QString prestador =
        QStringLiteral("SELECT TOP 1 IdTicket, AuSysT, IdCierre, Asociado FROM TicketPrestador "
                       "WHERE IdCierre IS NOT NULL AND FechaDePractica") +
        enMes + QStringLiteral(" ORDER BY IdTicket");
    const QString ticket = texto(primero(motor, farmacia, 0));
    const QString ausyst = texto(primero(motor, farmacia, 1));
    const QString cierre = texto(primero(motor, farmacia, 2));
    const QString afiliado = texto(primero(motor, farmacia, 3));
    const QString ticketP = texto(primero(motor, prestador, 0));
    const QString ausystP = texto(primero(motor, prestador, 1));
    const QString cierreP = texto(primero(motor, prestador, 2));
    const QString asociadoP = texto(primero(motor, prestador, 3));
    const QString troquel = texto(
        primero(motor, QStringLiteral("SELECT TOP 1 Troquel FROM Item_Tickets WHERE IdTicket = ") + ticket));
    const QString practica = texto(primero(motor, QStringLiteral("SELECT MAX(PracticaOS) FROM Practicas")));

    const auto c = [](const char* nombre, int caso, const char* criterio, const QString& valor, bool exacto,
                      const QString& desde, const QString& hasta) {
        return CasoConsulta{QString::fromUtf8(nombre),
                            {caso, QString::fromUtf8(criterio), valor, exacto, desde, hasta}};
    };
    return {
        c("Prestadores, Nombre parecido (cuenta del mes)", 1, "Nombre", QStringLiteral("SAN"), false, d1, d2),
        c("Prestadores, Con Movimientos (mes)", 1, "Con Movimientos", {}, false, d1, d2),
        c("Prestadores, Clave", 1, "Clave", QStringLiteral("1"), false, d1, d2),
        c("Afiliados, Numero exacto", 2, "Numero", afiliado, true, d1, d2),
        c("Afiliados, Numero parecido", 2, "Numero", afiliado.left(6), false, d1, d2),
        c("Medicamentos, Troquel exacto", 3, "Troquel", troquel, true, d1, d2),
        c("Medicamentos, Nombre parecido", 3, "Nombre", QStringLiteral("AMOX"), false, d1, d2),
        c("Prácticas, Codigo exacto", 7, "Codigo", practica, true, d1, d2),
        c("Médicos, Matricula exacta", 8, "Matricula", QStringLiteral("000101"), true, d1, d2),
        c("Farmacia, Clave", 4, "Clave", ticket, false, d1, d2),
        c("Farmacia, AuSysT", 4, "AuSysT", ausyst, false, d1, d2),
        c("Farmacia, Cierre", 4, "Cierre", cierre, false, d1, d2),
        c("Farmacia, Codigo Prestador exacto + mes", 4, "Codigo Prestador", QStringLiteral("100001"), true,
          d1, d2),
        c("Farmacia, Asociado + mes", 4, "Asociado", afiliado.left(8), false, d1, d2),
        c("Farmacia, Fecha (un día)", 4, "Fecha", {}, false, dd, dd),
        c("Prestador, Clave", 9, "Clave", ticketP, false, d1, d2),
        c("Prestador, AuSysT", 9, "AuSysT", ausystP, false, d1, d2),
        c("Prestador, Cierre", 9, "Cierre", cierreP, false, d1, d2),
        c("Prestador, Codigo Prestador exacto + mes", 9, "Codigo Prestador", QStringLiteral("200004"), true,
          d1, d2),
        c("Prestador, Asociado + mes", 9, "Asociado", asociadoP.left(8), false, d1, d2),
        c("Prestador, Fecha (un día)", 9, "Fecha", {}, false, dd, dd),
        c("Cierres, Clave", 5, "Clave", cierre, false, d1, d2),
        c("Cierres, Prestador parecido + mes", 5, "Prestador", QStringLiteral("SAN"), false, d1, d2),
        c("Acciones, Codigo exacto", 10, "Codigo", QStringLiteral("7"), true, d1, d2),
    };
}

QString condicionDeFilas(embebido::MotorEmbebido& motor, int objetivo, int& filas)
{
    const qint64 desde =
        primero(motor, QStringLiteral("SELECT MIN(IdTicket) FROM Tickets")).toLongLong() + 1000;
    const auto condicion = [&](qint64 tickets) {
        return QStringLiteral("T.IdTicket BETWEEN %1 AND %2").arg(desde).arg(desde + tickets - 1);
    };
    const auto contar = [&](qint64 tickets) {
        const ado::Lote lote = motor.ejecutar(clsQuerys::TextoConsulta(4, condicion(tickets)), 0);
        return lote.tablas.empty() ? 0 : int(lote.tablas.front().filas());
    };
    // Rows grow with tickets (about 1.1 rows a ticket): step up while below, halving a step that passes.
    qint64 tickets = objetivo / 2;
    int n = contar(tickets);
    qint64 paso = std::max<qint64>(1, (objetivo - n) * 8 / 10);
    while (n < objetivo) {
        const int siguiente = contar(tickets + paso);
        if (siguiente <= objetivo) {
            tickets += paso;
            n = siguiente;
            paso = std::max<qint64>(1, (objetivo - n) * 8 / 10);
        } else if (paso == 1) {
            break;
        } else {
            paso /= 2;
        }
    }
    filas = n;
    return condicion(tickets);
}

} // namespace dalvo::banco

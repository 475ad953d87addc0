#pragma once

// What the closings window shows of one closing, read from spDatosCierre's five result sets and turned into
// display texts; plain data, so that the reading is tested without a window.

#include <QDateTime>
#include <QString>
#include <QVector>
#include <array>

namespace dalvo {

namespace ado {
class Recordset;
}

struct FilaTicketCierre
{
    QString ticket, afiliado, cantidad, total, tipo; // the columns of lvwTickets
};

struct FilaDescuentoCierre
{
    std::array<QString, 6> columnas; // "Obligatorio"/"Directo", then the columns of lvwDescuentos
};

struct DatosCierre
{
    qint32 error = 0; // the header's Error; the rest is filled only when it is 0
    QString comentario;

    bool farmacia = false; // TipoPrestador 1 or 14
    QString prestadorId, prestador;
    QString fechaCierre, fechaDesde, horaDesde, fechaHasta, horaHasta;
    QString cantTickets, cantDevueltos, cantAnulados;
    QString total, bonificacion, bonificacionP, dscOS, descuentoP, aPagar;
    QString nroTramite; // empty when no closing number was asked for
    QString idCierre;   // the header's Cierre, "####0"
    QDateTime fecha;    // the closing's date (FechaCierre), invalid when it has none
    QVector<FilaTicketCierre> tickets;
    QVector<FilaDescuentoCierre> descuentos;

    // "Error" + CR LF + "Comentario": the notice of a closing the procedure did not find.
    QString aviso() const;
};

// Reads the five result sets (rs is the first; the others are reached in turn). conCierre: a closing number
// was asked for, so NumeroTramite is shown. Raises dalvo::Falla on a missing set or column, and on a null in
// a column shown as the text of its value.
DatosCierre LeerDatosCierre(ado::Recordset& rs, bool conCierre);

// Runs clsCierres::BuscarDatosCierre on gConexion for a provider (16-bit, checked) and a closing, and reads
// it. Raises dalvo::Falla.
DatosCierre CargarDatosCierre(qint32 pIdPrestador, qint32 pIdCierre);

} // namespace dalvo

#pragma once

// What the consultation needs of each of the ten search kinds: its key, its criteria and its popup menu (the
// captions and icons of lvwMenu are the main window's, frmDalvoHD::kCasos).

#include <QList>
#include <QString>
#include <QStringList>

namespace dalvo {

// The popup menu of the result list that belongs to a kind.
enum class MenuConsulta
{
    Ninguno,
    Prestador, // mnuPrestador: "Información..."
    Ticket,    // mnuTicket: "Ver Items de Ticket"
    Cierre,    // mnuCierre: "Totales..."
};

struct TipoConsulta
{
    qint32 caso;           // pCaso of the query catalogue
    QString clave;         // "1K" ... "10K": the key of its lvwMenu item and of its clsItemConsulta
    QStringList criterios; // entries of cboConsulta, in order
    MenuConsulta menu;
};

// The kinds in the order lvwMenu lists them (1K, 2K, 3K, 7K, 8K, 4K, 9K, 5K, 10K, 6K).
const QList<TipoConsulta>& tiposConsulta();

// The kind of a number or of a key; null when there is none.
const TipoConsulta* tipoConsulta(qint32 caso);
const TipoConsulta* tipoConsulta(const QString& clave);

// The key of a kind number: "4K".
QString claveConsulta(qint32 caso);

} // namespace dalvo

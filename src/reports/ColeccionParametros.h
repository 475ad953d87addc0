#pragma once

#include <QPointer>
#include <QString>
#include <QVector>

class QLineEdit;

namespace dalvo {

// The report parameter collection: texts under upper-case keys ("FECHADESDE", "CIERREACTUAL" ...). A key may
// instead be linked to a text field of another window: reading gives the field's current text and writing
// changes the field (the main window lends its two date fields this way). Keys compare without regard to
// letter case, as the system's keyed collections did.
//
// Reading a key that is not there, or adding one twice, raises Falla (numbers 5 and 457, source
// "ColeccionParametros"). A linked field that was closed reads as empty text and ignores writes.
class ColeccionParametros
{
public:
    void Add(const QString& clave, const QString& texto);
    void AddEnlace(const QString& clave, QLineEdit* campo);

    QString Item(const QString& clave) const;
    // Writes the text, or the linked field; the key must exist.
    void setItem(const QString& clave, const QString& texto);

    bool contiene(const QString& clave) const;
    int Count() const { return static_cast<int>(mEntradas.size()); }
    QStringList claves() const; // in the order they were added
    // The linked field of a key, or null (a plain text, or a missing key).
    QLineEdit* enlace(const QString& clave) const;

private:
    struct Entrada
    {
        QString clave;
        QString texto;
        QPointer<QLineEdit> campo;
        bool enlazada = false;
    };

    qsizetype indice(const QString& clave) const; // -1 when missing
    qsizetype indiceExistente(const QString& clave) const;
    void agregar(Entrada entrada);

    QVector<Entrada> mEntradas;
};

} // namespace dalvo

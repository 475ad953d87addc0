#include "reports/ColeccionParametros.h"

#include "common/Falla.h"

#include <QLineEdit>

namespace dalvo {

namespace {
const QString Origen = QStringLiteral("ColeccionParametros");
} // namespace

qsizetype ColeccionParametros::indice(const QString& clave) const
{
    for (qsizetype i = 0; i < mEntradas.size(); ++i) {
        if (mEntradas[i].clave.compare(clave, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

qsizetype ColeccionParametros::indiceExistente(const QString& clave) const
{
    const qsizetype i = indice(clave);
    if (i < 0)
        throw Falla(
            5, Origen,
            QStringLiteral("Llamada a procedimiento o argumento no válido (parámetro %1)").arg(clave));
    return i;
}

void ColeccionParametros::agregar(Entrada entrada)
{
    if (indice(entrada.clave) >= 0)
        throw Falla(457, Origen,
                    QStringLiteral("Esta clave ya está asociada con un elemento de esta colección (%1)")
                        .arg(entrada.clave));
    mEntradas.append(std::move(entrada));
}

void ColeccionParametros::Add(const QString& clave, const QString& texto)
{
    agregar({clave, texto, nullptr, false});
}

void ColeccionParametros::AddEnlace(const QString& clave, QLineEdit* campo)
{
    agregar({clave, {}, campo, true});
}

QString ColeccionParametros::Item(const QString& clave) const
{
    const Entrada& e = mEntradas[indiceExistente(clave)];
    if (!e.enlazada)
        return e.texto;
    return e.campo ? e.campo->text() : QString();
}

void ColeccionParametros::setItem(const QString& clave, const QString& texto)
{
    Entrada& e = mEntradas[indiceExistente(clave)];
    if (!e.enlazada)
        e.texto = texto;
    else if (e.campo)
        e.campo->setText(texto);
}

bool ColeccionParametros::contiene(const QString& clave) const
{
    return indice(clave) >= 0;
}

QStringList ColeccionParametros::claves() const
{
    QStringList lista;
    for (const Entrada& e : mEntradas)
        lista.append(e.clave);
    return lista;
}

QLineEdit* ColeccionParametros::enlace(const QString& clave) const
{
    const qsizetype i = indice(clave);
    return i >= 0 && mEntradas[i].enlazada ? mEntradas[i].campo.data() : nullptr;
}

} // namespace dalvo

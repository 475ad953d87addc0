#include "data/Recordset.h"

#include "data/AdoInterno.h"
#include "data/Connection.h"
#include "data/TiposAdo.h"

namespace dalvo::ado {

using namespace detalle;

namespace {

const QString kOrigenRecordset = QStringLiteral("ADODB.Recordset");
const QString kOrigenCampos = QStringLiteral("ADODB.Fields");

int tamanoReal(const Columna& c, const QVariant& v)
{
    if (esNulo(v))
        return 0;
    switch (c.tipo) {
    case adChar:
        return c.tamanoDefinido > 0 ? c.tamanoDefinido : int(v.toString().toUcs4().size());
    case adWChar:
        return 2 * (c.tamanoDefinido > 0 ? c.tamanoDefinido : int(v.toString().size()));
    case adVarChar:
    case adLongVarChar:
        // One byte per character in the server's 8-bit code page (a character outside it becomes "?").
        return int(v.toString().toUcs4().size());
    case adVarWChar:
    case adLongVarWChar:
        return 2 * int(v.toString().size());
    case adBinary:
    case adVarBinary:
        return int(v.toByteArray().size());
    default:
        break;
    }
    const int fijo = bytesTipoFijo(c.tipo);
    return fijo > 0 ? fijo : int(v.toString().toUcs4().size());
}

} // namespace

// Field

const Columna& Field::columna() const
{
    return mRs->tabla().columnas.at(mIndice);
}

QString Field::Name() const
{
    return columna().nombre;
}

int Field::Type() const
{
    return columna().tipo;
}

int Field::DefinedSize() const
{
    const Columna& c = columna();
    return c.tamanoDefinido > 0 ? c.tamanoDefinido : bytesTipoFijo(c.tipo);
}

int Field::ActualSize() const
{
    return tamanoReal(columna(), mRs->valor(mIndice));
}

int Field::Precision() const
{
    return columna().precision;
}

int Field::NumericScale() const
{
    return columna().escala;
}

QVariant Field::Value() const
{
    return mRs->valor(mIndice);
}

// FieldCollection

int FieldCollection::Count() const
{
    return int(mRs->tabla().columnas.size());
}

Field FieldCollection::Item(int indice) const
{
    return mRs->Fields(indice);
}

Field FieldCollection::Item(const QString& nombre) const
{
    return mRs->Fields(nombre);
}

// Recordset

Recordset::Recordset() = default;
Recordset::~Recordset() = default;

void Recordset::Open(const QString& source, Connection& activeConnection)
{
    if (State() == adStateOpen)
        fallaAdo(kObjetoAbierto, kOrigenRecordset);
    Lote lote = activeConnection.correr(source, kOrigenRecordset, [&](Motor& motor) {
        return motor.ejecutar(source, activeConnection.CommandTimeout);
    });
    cargar(std::make_shared<const Lote>(std::move(lote)), 0, activeConnection.sesion());
}

void Recordset::cargar(std::shared_ptr<const Lote> lote, qsizetype indice, std::weak_ptr<Sesion> sesion)
{
    mLote = std::move(lote);
    mIndice = indice;
    mFila = 0;
    mSesion = std::move(sesion);
}

void Recordset::Close()
{
    mLote.reset();
    mIndice = 0;
    mFila = 0;
}

int Recordset::State() const
{
    return mLote && mIndice < qsizetype(mLote->tablas.size()) ? adStateOpen : adStateClosed;
}

const Tabla& Recordset::tabla() const
{
    if (State() != adStateOpen)
        fallaAdo(kObjetoCerrado, kOrigenRecordset);
    return mLote->tablas[size_t(mIndice)];
}

int Recordset::RecordCount() const
{
    return int(tabla().filas());
}

bool Recordset::Bof() const
{
    return RecordCount() == 0 || mFila < 0;
}

bool Recordset::Eof() const
{
    return RecordCount() == 0 || mFila >= RecordCount();
}

void Recordset::MoveFirst()
{
    if (RecordCount() == 0)
        fallaAdo(kSinRegistroActual, kOrigenRecordset);
    mFila = 0;
}

void Recordset::MoveLast()
{
    if (RecordCount() == 0)
        fallaAdo(kSinRegistroActual, kOrigenRecordset);
    mFila = RecordCount() - 1;
}

void Recordset::MoveNext()
{
    if (Eof())
        fallaAdo(kSinRegistroActual, kOrigenRecordset);
    ++mFila;
}

void Recordset::MovePrevious()
{
    if (Bof())
        fallaAdo(kSinRegistroActual, kOrigenRecordset);
    --mFila;
}

FieldCollection Recordset::Fields() const
{
    tabla();
    return FieldCollection(this);
}

Field Recordset::Fields(int indice) const
{
    if (indice < 0 || indice >= tabla().columnas.size())
        fallaAdo(kElementoNoEncontrado, kOrigenCampos);
    return Field(this, indice);
}

Field Recordset::Fields(const QString& nombre) const
{
    return Field(this, buscarCampo(nombre));
}

int Recordset::buscarCampo(const QString& nombre) const
{
    const auto& columnas = tabla().columnas;
    for (int i = 0; i < columnas.size(); ++i)
        if (columnas[i].nombre.compare(nombre, Qt::CaseInsensitive) == 0)
            return i;
    fallaAdo(kElementoNoEncontrado, kOrigenCampos);
}

const QVariant& Recordset::valor(int columna) const
{
    if (Bof() || Eof())
        fallaAdo(kSinRegistroActual, kOrigenRecordset);
    return tabla().celda(mFila, columna);
}

std::unique_ptr<Recordset> Recordset::NextRecordset()
{
    if (!mLote)
        fallaAdo(kObjetoCerrado, kOrigenRecordset);
    const qsizetype siguiente = mIndice + 1;
    if (siguiente < qsizetype(mLote->tablas.size())) {
        auto rs = std::make_unique<Recordset>();
        rs->cargar(mLote, siguiente, mSesion);
        return rs;
    }
    if (!mLote->errorFinal.isEmpty()) {
        if (auto sesion = mSesion.lock())
            throw sesion->registrarFallo(mLote->errorFinal, kOrigenRecordset);
        throw fallaDeRegistros(mLote->errorFinal, kOrigenRecordset);
    }
    return nullptr;
}

} // namespace dalvo::ado

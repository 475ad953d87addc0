#pragma once

#include "data/Motor.h"

#include <QString>
#include <QVariant>
#include <memory>

namespace dalvo::ado {

class Connection;
class Recordset;
namespace detalle {
struct Sesion;
}

// One field of a recordset; it follows the recordset's current record.
//
// ActualSize is the size ADO reports for the value in the current record, in bytes:
//   NULL                                  0
//   char(n)                               n            nchar(n)                 2 n
//   varchar, text                         one byte per character (the server's 8-bit code page)
//   nvarchar, ntext                       2 per character
//   tinyint 1, smallint 2, int 4, bigint 8, bit 2, real 4, float 8, money 8, datetime 16,
//   numeric/decimal 19, binary the bytes of the value
class Field
{
public:
    QString Name() const;
    int Type() const; // TipoDato
    int DefinedSize() const;
    int ActualSize() const;
    int Precision() const;
    int NumericScale() const;
    QVariant Value() const; // an invalid QVariant for NULL

private:
    friend class Recordset;
    Field(const Recordset* rs, int indice) : mRs(rs), mIndice(indice) {}
    const Columna& columna() const;

    const Recordset* mRs;
    int mIndice;
};

class FieldCollection
{
public:
    int Count() const;
    Field Item(int indice) const;
    Field Item(const QString& nombre) const;

private:
    friend class Recordset;
    explicit FieldCollection(const Recordset* rs) : mRs(rs) {}
    const Recordset* mRs;
};

// A client-side, static, read-only snapshot of one result set: every row is in memory when it opens.
// Moving past either end, or reading a value with no current record, raises ADO's error 3021; a field
// name that is not there raises 3265; anything but Close on a closed recordset raises 3704.
class Recordset
{
public:
    Recordset();
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Runs the statement on the connection (with its CommandTimeout) and keeps its first result set; the
    // recordset stays closed when the statement returned none.
    void Open(const QString& source, Connection& activeConnection);
    void Close();
    int State() const;

    int RecordCount() const;
    bool Bof() const;
    bool Eof() const;
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();

    FieldCollection Fields() const;
    Field Fields(int indice) const;
    Field Fields(const QString& nombre) const; // without regard to letter case

    // The next result set of the same batch, or nullptr when there is none. An error that the batch met
    // after its last result set is raised here (and lands in the connection's error list).
    std::unique_ptr<Recordset> NextRecordset();

private:
    friend class Field;
    friend class FieldCollection;
    friend class Connection;
    friend class Command;

    void cargar(std::shared_ptr<const Lote> lote, qsizetype indice, std::weak_ptr<detalle::Sesion> sesion);
    const Tabla& tabla() const;
    int buscarCampo(const QString& nombre) const;
    const QVariant& valor(int columna) const;

    std::shared_ptr<const Lote> mLote;
    qsizetype mIndice = 0;
    qsizetype mFila = 0; // -1 before the first row, RecordCount after the last
    std::weak_ptr<detalle::Sesion> mSesion;
};

} // namespace dalvo::ado

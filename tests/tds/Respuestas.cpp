#include "tds/Respuestas.h"

namespace dalvo::tds {

namespace {

constexpr quint16 kComandoSelect = 0xC1;
constexpr quint16 kComandoExec = 0xE0;
const QString kNombreServidor = QStringLiteral("DALVOTDS");

} // namespace

QByteArray respuestaPrelogin()
{
    // Options: version, encryption (not supported: the login travels in clear), instance, thread id, MARS
    // (off). Each entry is the option, its offset and its length, both big-endian.
    struct Opcion
    {
        quint8 id;
        QByteArray valor;
    };
    const Opcion opciones[] = {
        {0x00, QByteArray("\x0F\x00\x07\xD0\x00\x00", 6)},
        {0x01, QByteArray("\x02", 1)},
        {0x02, QByteArray("\x00", 1)},
        {0x03, QByteArray()},
        {0x04, QByteArray("\x00", 1)},
    };
    Escritor cabecera;
    QByteArray datos;
    const quint16 inicio = quint16(std::size(opciones) * 5 + 1);
    for (const Opcion& o : opciones) {
        cabecera.u8(o.id);
        cabecera.u16be(quint16(inicio + datos.size()));
        cabecera.u16be(quint16(o.valor.size()));
        datos.append(o.valor);
    }
    cabecera.u8(0xFF);
    return cabecera.datos() + datos;
}

void Respuesta::cambioEntorno(quint8 tipo, const QString& nuevo, const QString& anterior)
{
    mE.u8(token::CambioEntorno);
    mE.u16(quint16(1 + 1 + 2 * nuevo.size() + 1 + 2 * anterior.size()));
    mE.u8(tipo);
    mE.bVarchar(nuevo);
    mE.bVarchar(anterior);
}

void Respuesta::cambioColacion(const QByteArray& colacion)
{
    mE.u8(token::CambioEntorno);
    mE.u16(quint16(1 + 1 + colacion.size() + 1));
    mE.u8(7);
    mE.bVarbyte(colacion);
    mE.bVarbyte({});
}

void Respuesta::loginAck(quint32 versionTds)
{
    const QString programa = QStringLiteral("Microsoft SQL Server");
    mE.u8(token::LoginAck);
    mE.u16(quint16(1 + 4 + 1 + 2 * programa.size() + 4));
    mE.u8(1); // T-SQL
    mE.u32be(versionTds);
    mE.bVarchar(programa);
    mE.u32be(0x0F0007D0); // 15.0.2000
}

void Respuesta::mensaje(quint8 tok, qint32 numero, quint8 clase, const QString& texto)
{
    const QString corto = texto.left(4000);
    mE.u8(tok);
    const qsizetype largo = mE.tamano();
    mE.u16(0);
    mE.u32(quint32(numero));
    mE.u8(1); // state
    mE.u8(clase);
    mE.usVarchar(corto);
    mE.bVarchar(kNombreServidor);
    mE.bVarchar(QString()); // procedure
    mE.u32(1);              // line
    mE.ponerU16(largo, quint16(mE.tamano() - largo - 2));
}

QString textoDeMensaje(const ado::ErrorAdo& e)
{
    if (!e.SQLState.isEmpty() && e.Description.startsWith(e.SQLState + u' '))
        return e.Description.mid(e.SQLState.size() + 1);
    return e.Description;
}

void Respuesta::error(const ado::ErrorAdo& e, quint8 clase)
{
    mensaje(token::Error, e.Number, clase, textoDeMensaje(e));
}

void Respuesta::info(const ado::ErrorAdo& e)
{
    mensaje(token::Info, e.Number, 0, textoDeMensaje(e));
}

void Respuesta::done(quint8 tok, quint16 estado, quint64 filas)
{
    mE.u8(tok);
    mEstadosDone.append(mE.tamano());
    mE.u16(estado);
    mE.u16(tok == token::DoneProc ? kComandoExec : kComandoSelect);
    mE.u64(filas);
}

void Respuesta::estadoRetorno(qint32 valor)
{
    mE.u8(token::EstadoRetorno);
    mE.u32(quint32(valor));
}

void Respuesta::valorRetorno(quint16 ordinal, const QString& nombre, const TipoTds& tipo,
                             const QVariant& valor)
{
    mE.u8(token::ValorRetorno);
    mE.u16(ordinal);
    mE.bVarchar(nombre);
    mE.u8(0x01); // output parameter
    mE.u32(0);   // user type
    mE.u16(0x0001);
    escribirTipo(mE, tipo);
    escribirValor(mE, tipo, valor);
}

void Respuesta::tabla(const ado::Tabla& t, quint8 tokenDone, int filasHastaCorte)
{
    QVector<TipoTds> tipos;
    for (qsizetype i = 0; i < t.columnas.size(); ++i)
        tipos.append(tipoDeColumna(t.columnas[i], t, i));
    mE.u8(token::MetadatosColumnas);
    mE.u16(quint16(t.columnas.size()));
    for (qsizetype i = 0; i < t.columnas.size(); ++i) {
        mE.u32(0);      // user type
        mE.u16(0x0009); // nullable, updatability unknown
        escribirTipo(mE, tipos[i]);
        mE.bVarchar(t.columnas[i].nombre);
    }
    const qsizetype filas = t.filas();
    for (qsizetype fila = 0; fila < filas; ++fila) {
        if (fila == filasHastaCorte)
            mCorte = mE.tamano();
        mE.u8(token::Fila);
        for (qsizetype c = 0; c < t.columnas.size(); ++c)
            escribirValor(mE, tipos[c], t.celda(fila, c));
    }
    if (filasHastaCorte >= filas)
        mCorte = mE.tamano();
    done(tokenDone, estadoDone::Cuenta, quint64(filas));
}

QByteArray Respuesta::terminar()
{
    for (qsizetype i = 0; i + 1 < mEstadosDone.size(); ++i)
        mE.ponerU16(mEstadosDone[i], mE.leerU16(mEstadosDone[i]) | estadoDone::Mas);
    return mE.datos();
}

void escribirLote(Respuesta& r, const ado::Lote& lote, bool enProcedimiento, int filasHastaCorte)
{
    for (const ado::ErrorAdo& aviso : lote.avisos)
        r.info(aviso);
    const quint8 tokenDone = enProcedimiento ? token::DoneInProc : token::Done;
    bool primera = true;
    for (const ado::Tabla& t : lote.tablas) {
        r.tabla(t, tokenDone, primera ? filasHastaCorte : -1);
        primera = false;
    }
    for (const ado::ErrorAdo& e : lote.errorFinal)
        r.error(e);
    if (!enProcedimiento && (lote.tablas.empty() || !lote.errorFinal.isEmpty()))
        r.done(token::Done, lote.errorFinal.isEmpty() ? estadoDone::Final : estadoDone::Error);
}

} // namespace dalvo::tds

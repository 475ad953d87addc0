// Tickets, items, authorisations, closings and the processing log, month by month: a month's tickets are
// kept in memory until its closings are known, so every ticket is written once with its closing number.

#include "demo/Catalogos.h"
#include "demo/FilasEspeciales.h"
#include "demo/Modelo.h"
#include "demo/Sqlite.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace dalvo::demo {

namespace cat = catalogos;
namespace esp = especiales;

namespace {

constexpr int kPrimerTicketPrestador = 2000001;
constexpr int kPrimerTramite = 1001;

// Operation codes of provider tickets: the two that count as transactions, then those the result list
// marks with an icon (cancelled, question, cross, warning).
constexpr const char* kOperaciones[] = {"11", "31", "12", "22", "23", "62", "63", "21",
                                        "51", "52", "53", "71", "72", "73", "60", "61",
                                        "64", "65", "14", "24", "34", "41", "42", "43"};
constexpr int kOperacionesContadas = 2;

struct Item
{
    int medicamento;
    int cantidad;
    int devuelta;
    qint64 precio; // cents per unit; negative for a return
    int descuento; // percentage the insurer pays
    int autorizacion;
    int prescripcion; // 0: none
    int origen;       // 0: none
};

struct Ticket
{
    int prestador; // index into Modelo::prestadores
    int afiliado;
    QDate dia;
    int segundos;
    int medico;     // 0: none
    int diasReceta; // days between prescription and dispensation; -1: no prescription date
    int cobertura;
    bool manual;
    bool anulado;
    int autorizacion;
    size_t primerItem;
    int items;
    qint64 total = 0;        // sum of (quantity - returned) x price
    qint64 bonificacion = 0; // the insurer's share (Desc_al_afiliado)
    qint64 descuento = 0;    // the pharmacy's discount to the insurer (desc_os)
};

struct ItemPractica
{
    int practica;
    int cantidad;
    int prestadorPractica; // 0: none
    std::optional<qint64> valor;
    const char* arancel;
    int autorizacion;
};

struct TicketPractica
{
    int prestador;
    int afiliado;
    QDate dia;
    int segundos;
    std::optional<int> matricula;
    int diasReceta;
    bool anulado;
    int autorizacion;
    const char* operacion;
    size_t primerItem;
    int items;
    qint64 total = 0;
    bool cuenta = false; // an "11" or "31" not cancelled: settled in the closing
};

struct Cierre
{
    int prestador = -1;
    QDate fecha;
    int segundos = 0;
    int transacciones = 0; // tickets counted
    int tickets = 0;       // every ticket of the period
    qint64 total = 0, bonificacion = 0, descuento = 0;
    int id = 0;
    int tramite = 0;
};

class Generador
{
public:
    Generador(Conexion& db, Modelo& modelo, Aleatorio& azar)
        : m(modelo), mAzar(azar), mTickets(db, "INSERT INTO Tickets VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, "
                                               "?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16)"),
          mItems(db, "INSERT INTO Item_Tickets VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"),
          mTicketsPractica(
              db, "INSERT INTO TicketPrestador VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, "
                  "?12, ?13)"),
          mItemsPractica(db, "INSERT INTO ItemTicketPrestador VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)"),
          mCierres(db, "INSERT INTO Cierres VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)"),
          mLog(db, "INSERT INTO tteLog VALUES (?1, ?2, ?3)"),
          mAutorizaciones(db, "INSERT INTO Autorizaciones VALUES (?1, ?2)")
    {
        for (const Prestador& p : m.prestadores) {
            mFarmacias.agregar(p.farmacia ? p.peso : 0);
            mDePracticas.agregar(!p.farmacia && !p.practicas.empty() ? p.peso : 0);
        }
        for (const Afiliado& a : m.afiliados)
            mAfiliados.agregar(a.cobertura == 1 || a.cobertura == 3 ? 1.0 : 4.0);
        const double dias = m.desde.daysTo(m.hoy) + 1;
        mPorDiaFarmacia = m.tamanos.ticketsFarmacia / dias;
        mPorDiaPracticas = m.tamanos.ticketsPrestador / dias;
        mDiaPico = m.hoy.addDays(-esp::kDiasAntesDelDiaPico);
    }

    void generar()
    {
        for (QDate mes(m.desde.year(), m.desde.month(), 1); mes <= m.hoy; mes = mes.addMonths(1)) {
            mTicket.clear();
            mItem.clear();
            mTicketPractica.clear();
            mItemPractica.clear();
            const QDate ultimo = mes.addMonths(1).addDays(-1);
            for (QDate d = std::max(mes, m.desde); d <= std::min(ultimo, m.hoy); d = d.addDays(1))
                dia(d);
            const std::vector<Cierre> cierres = cerrar(mes);
            escribir(cierres);
        }
    }

private:
    // Weekdays are busy, Sundays quiet; the mean factor over a week is 1.
    int cantidadDelDia(QDate d, double promedio)
    {
        static constexpr double kFactor[] = {1.14, 1.14, 1.14, 1.14, 1.14, 0.8, 0.5};
        const double n = promedio * kFactor[d.dayOfWeek() - 1] * (0.85 + 0.3 * mAzar.real());
        return static_cast<int>(std::floor(n + mAzar.real()));
    }

    int elegirActivo(const Ponderado& ponderado, QDate d)
    {
        for (int intento = 0; intento < 20; ++intento) {
            const int p = ponderado.elegir(mAzar);
            if (m.prestadores[p].alta <= d)
                return p;
        }
        return -1;
    }

    int autorizacionDe(int afiliado)
    {
        Afiliado& a = m.afiliados[afiliado];
        if (a.autorizacion == 0 || mAzar.probabilidad(0.5)) {
            a.autorizacion = ++m.ultimaAutorizacion;
            mAutorizaciones.insertar(a.autorizacion, a.numero);
        }
        return a.autorizacion;
    }

    void dia(QDate d)
    {
        const size_t desdeFarmacia = mTicket.size();
        const size_t desdePracticas = mTicketPractica.size();
        mDeflactor = std::pow(1.03, -d.daysTo(m.hoy) / 30.4); // prices rise about 3% a month
        int n = cantidadDelDia(d, mPorDiaFarmacia);
        if (d == mDiaPico)
            n += m.tamanos.ticketsDiaPico;
        for (int i = 0; i < n; ++i)
            if (const int p = elegirActivo(mFarmacias, d); p >= 0)
                ticketFarmacia(d, p, true, mAzar.entre(1, 5));
        n = cantidadDelDia(d, mPorDiaPracticas);
        for (int i = 0; i < n; ++i)
            if (const int p = elegirActivo(mDePracticas, d); p >= 0)
                ticketPractica(d, p, nullptr, mAzar.entre(1, 3));
        if (d == m.hoy) {
            // Today the busy pharmacy and the clinic always have transactions, and one ticket each without
            // items.
            const int farmacia = esp::kFarmacia - 1;
            const int clinica = esp::kClinica - 1;
            ticketFarmacia(d, farmacia, false, 2);
            ticketFarmacia(d, farmacia, false, 3);
            ticketFarmacia(d, farmacia, false, 0);
            ticketPractica(d, clinica, "11", 1);
            ticketPractica(d, clinica, "31", 2);
            ticketPractica(d, clinica, "11", 0);
        }
        const auto porHora = [](const auto& a, const auto& b) { return a.segundos < b.segundos; };
        std::stable_sort(mTicket.begin() + static_cast<ptrdiff_t>(desdeFarmacia), mTicket.end(), porHora);
        std::stable_sort(mTicketPractica.begin() + static_cast<ptrdiff_t>(desdePracticas),
                         mTicketPractica.end(), porHora);
    }

    void ticketFarmacia(QDate d, int prestador, bool alAzar, int items)
    {
        Ticket t{};
        t.prestador = prestador;
        t.dia = d;
        t.segundos = mAzar.entre(8 * 3600, 22 * 3600 - 1);
        t.afiliado = mAfiliados.elegir(mAzar);
        const Afiliado& a = m.afiliados[t.afiliado];
        t.cobertura = a.cobertura;
        t.manual = mAzar.probabilidad(0.04);
        t.anulado = alAzar && mAzar.probabilidad(0.015);
        t.medico = mAzar.probabilidad(0.9) ? m.medicos[mAzar.entre(0, std::ssize(m.medicos) - 1)].id : 0;
        t.diasReceta = t.medico && mAzar.probabilidad(0.95) ? mAzar.entre(0, 20) : -1;
        t.autorizacion = mAzar.probabilidad(0.04) ? autorizacionDe(t.afiliado) : 0;
        t.primerItem = mItem.size();
        t.items = items;
        const int porcentaje = cat::kCoberturas[t.cobertura - 1].porcentaje;
        for (int k = 0; k < items; ++k) {
            Item it{};
            const bool delTratamiento = !a.tratamiento.empty() && mAzar.probabilidad(0.6);
            it.medicamento = delTratamiento ? mAzar.elegir(a.tratamiento) : m.medicamentoPorUso.elegir(mAzar);
            const Medicamento& med = m.medicamentos[it.medicamento];
            const double x = mAzar.real();
            it.cantidad = x < 0.7 ? 1 : (x < 0.95 ? 2 : 3);
            it.precio = std::llround(med.precio * mDeflactor);
            const double marca = mAzar.real();
            if (marca < 0.005) {
                it.precio = -it.precio; // a return
                it.cantidad = 1;
            } else if (marca < 0.015) {
                it.devuelta = it.cantidad; // discounted in full
            } else if (marca < 0.02 && it.cantidad > 1) {
                it.devuelta = 1;
            }
            it.descuento = porcentaje;
            it.autorizacion = t.autorizacion && (k == 0 || mAzar.probabilidad(0.5)) ? t.autorizacion : 0;
            const int tipo = cat::kGenericos[med.generico].tipo;
            it.prescripcion =
                tipo == 4 ? 5 : (delTratamiento ? 4 : (mAzar.probabilidad(0.1) ? 0 : mAzar.entre(1, 3)));
            it.origen = t.cobertura == 3   ? 10
                        : t.cobertura == 6 ? mAzar.entre(6, 7)
                                           : (mAzar.probabilidad(0.03) ? 0 : t.cobertura);
            const qint64 importe = (it.cantidad - it.devuelta) * it.precio;
            t.total += importe;
            t.bonificacion += std::llround(importe * porcentaje / 100.0);
            mItem.push_back(it);
        }
        t.descuento = std::llround(t.bonificacion * m.prestadores[prestador].descuentoOS / 10000.0);
        mTicket.push_back(t);
    }

    void ticketPractica(QDate d, int prestador, const char* operacion, int items)
    {
        const Prestador& p = m.prestadores[prestador];
        TicketPractica t{};
        t.prestador = prestador;
        t.dia = d;
        t.segundos = mAzar.entre(7 * 3600, 21 * 3600 - 1);
        t.afiliado = mAfiliados.elegir(mAzar);
        const double x = mAzar.real();
        if (x < 0.8)
            t.matricula = m.medicos[mAzar.entre(0, std::ssize(m.medicos) - 1)].matricula;
        else if (x < 0.85)
            t.matricula = 990000 + mAzar.entre(0, 9999); // a registration number of no physician on file
        t.diasReceta = t.matricula && mAzar.probabilidad(0.9) ? mAzar.entre(0, 15) : -1;
        t.anulado = !operacion && mAzar.probabilidad(0.015);
        t.autorizacion = mAzar.probabilidad(0.06) ? autorizacionDe(t.afiliado) : 0;
        if (operacion) {
            t.operacion = operacion;
        } else if (d >= m.hoy.addDays(-30) && mOperacionesForzadas < std::ssize(kOperaciones)) {
            t.operacion = kOperaciones[mOperacionesForzadas++]; // every code shows up in the last month
        } else {
            const double y = mAzar.real();
            t.operacion =
                y < 0.82
                    ? "11"
                    : (y < 0.9
                           ? "31"
                           : kOperaciones[mAzar.entre(kOperacionesContadas, std::ssize(kOperaciones) - 1)]);
        }
        t.cuenta = !t.anulado && (qstrcmp(t.operacion, "11") == 0 || qstrcmp(t.operacion, "31") == 0);
        t.primerItem = mItemPractica.size();
        t.items = items;
        const auto& valores = m.valores[prestador];
        for (int k = 0; k < items; ++k) {
            ItemPractica it{};
            const int j = mAzar.entre(0, static_cast<int>(p.practicas.size()) - 1);
            it.practica = p.practicas[j];
            it.cantidad = mAzar.probabilidad(0.85) ? 1 : mAzar.entre(2, 3);
            const ValorPractica* vigente = nullptr;
            for (const auto& v : valores[j])
                if (v.desde <= d && (!v.hasta.isValid() || d <= v.hasta))
                    vigente = &v;
            const qint64 nomenclador = m.practicas[it.practica].valor;
            if (vigente && mAzar.probabilidad(0.8)) {
                it.prestadorPractica = vigente->id;
                it.valor = vigente->valor;
            } else if (nomenclador) {
                it.valor = nomenclador;
            }
            const double y = mAzar.real();
            it.arancel = y < 0.7 ? "01" : (y < 0.9 ? "02" : nullptr);
            it.autorizacion = k == 0 ? t.autorizacion : 0;
            t.total += it.cantidad * it.valor.value_or(0);
            mItemPractica.push_back(it);
        }
        mTicketPractica.push_back(t);
    }

    // When a provider's closing of a month is run: a few days after the month ends, in working hours.
    static void vencimiento(const Prestador& p, QDate mes, QDate& fecha, int& segundos)
    {
        const int n = mes.year() * 12 + mes.month();
        fecha = mes.addMonths(1).addDays((p.id * 7 + n * 3) % 5);
        segundos = (7 + (p.id * 5 + n) % 13) * 3600 + (p.id * 13 + n * 7) % 60 * 60;
    }

    bool vencido(const Prestador& p, QDate mes) const
    {
        QDate fecha;
        int segundos = 0;
        vencimiento(p, mes, fecha, segundos);
        return fecha <= m.hoy;
    }

    std::vector<Cierre> cerrar(QDate mes)
    {
        std::vector<Cierre> porPrestador(m.prestadores.size());
        for (const Ticket& t : mTicket) {
            Cierre& c = porPrestador[t.prestador];
            ++c.tickets;
            if (!t.anulado) {
                ++c.transacciones;
                c.total += t.total;
                c.bonificacion += t.bonificacion;
                c.descuento += t.descuento;
            }
        }
        for (const TicketPractica& t : mTicketPractica) {
            Cierre& c = porPrestador[t.prestador];
            ++c.tickets;
            if (t.cuenta) {
                ++c.transacciones;
                c.total += t.total;
                c.bonificacion += t.total;
            }
        }
        std::vector<Cierre> cierres;
        for (size_t i = 0; i < porPrestador.size(); ++i) {
            Cierre& c = porPrestador[i];
            const Prestador& p = m.prestadores[i];
            if (c.tickets == 0 || !vencido(p, mes))
                continue;
            if (p.cierrePendiente && !vencido(p, mes.addMonths(1)))
                continue; // its latest closing is still to be run
            c.prestador = static_cast<int>(i);
            vencimiento(p, mes, c.fecha, c.segundos);
            cierres.push_back(c);
        }
        std::sort(cierres.begin(), cierres.end(), [](const Cierre& a, const Cierre& b) {
            return std::tie(a.fecha, a.segundos, a.prestador) < std::tie(b.fecha, b.segundos, b.prestador);
        });
        mCierrePorPrestador.assign(m.prestadores.size(), 0);
        QDate fechaTramite;
        int registros = 0;
        const auto registrarTramite = [&] {
            if (!fechaTramite.isValid())
                return;
            const QByteArray archivo = "TRAM" + fechaTramite.toString(QStringLiteral("yyyyMMdd")).toLatin1() +
                                       '_' + QByteArray::number(mTramite) + ".TXT";
            mLog.insertar(archivo, registros, mTramite);
        };
        for (Cierre& c : cierres) {
            if (c.fecha != fechaTramite) {
                registrarTramite();
                fechaTramite = c.fecha;
                registros = 0;
                ++mTramite;
            }
            c.id = ++mUltimoCierre;
            c.tramite = mTramite;
            registros += c.tickets;
            mCierrePorPrestador[c.prestador] = c.id;
        }
        registrarTramite();
        return cierres;
    }

    static std::optional<std::string> fechaReceta(QDate dia, int dias)
    {
        return dias < 0 ? std::nullopt : std::optional<std::string>(textoFecha(dia.addDays(-dias)));
    }

    static std::optional<int> siHay(int valor) { return valor ? std::optional<int>(valor) : std::nullopt; }

    void escribir(const std::vector<Cierre>& cierres)
    {
        for (const Ticket& t : mTicket) {
            const int id = ++mUltimoTicket;
            const Afiliado& a = m.afiliados[t.afiliado];
            const int ausyst = 100000 + 3 * id + mAzar.entre(0, 2);
            mTickets.insertar(
                id, ausyst, textoFecha(t.dia, t.segundos), a.numero, a.credencial, cat::kPlanes[a.plan],
                t.manual ? 1 : 0, m.prestadores[t.prestador].id, siHay(t.medico),
                fechaReceta(t.dia, t.diasReceta), t.cobertura, pesos(t.bonificacion), pesos(t.descuento),
                siHay(mCierrePorPrestador[t.prestador]), t.anulado ? 1 : 0, siHay(t.autorizacion));
            for (size_t k = t.primerItem; k < t.primerItem + t.items; ++k) {
                const Item& it = mItem[k];
                mItems.insertar(id, m.medicamentos[it.medicamento].troquel, it.cantidad, it.devuelta,
                                pesos(it.precio), static_cast<double>(it.descuento), siHay(it.autorizacion),
                                siHay(it.prescripcion), siHay(it.origen));
            }
        }
        for (const TicketPractica& t : mTicketPractica) {
            const int id = siguienteTicketPractica();
            const Afiliado& a = m.afiliados[t.afiliado];
            const int ausyst = 500000 + 3 * (id - kPrimerTicketPrestador) + mAzar.entre(0, 2);
            mTicketsPractica.insertar(
                id, ausyst, textoFecha(t.dia, t.segundos), a.numero, cat::kPlanes[a.plan],
                a.titular ? "TI" : "FA", m.prestadores[t.prestador].id, t.matricula,
                fechaReceta(t.dia, t.diasReceta), siHay(mCierrePorPrestador[t.prestador]), t.anulado ? 1 : 0,
                siHay(t.autorizacion), t.operacion);
            for (size_t k = t.primerItem; k < t.primerItem + t.items; ++k) {
                const ItemPractica& it = mItemPractica[k];
                const std::optional<double> valor =
                    it.valor ? std::optional<double>(pesos(*it.valor)) : std::nullopt;
                mItemsPractica.insertar(id, it.cantidad, m.practicas[it.practica].codigo,
                                        siHay(it.prestadorPractica), valor,
                                        it.arancel ? std::optional<const char*>(it.arancel) : std::nullopt,
                                        siHay(it.autorizacion));
            }
        }
        for (const Cierre& c : cierres)
            mCierres.insertar(c.id, m.prestadores[c.prestador].id, c.transacciones, pesos(c.total),
                              pesos(c.total - c.bonificacion), pesos(c.descuento), pesos(c.bonificacion),
                              c.tramite, textoFecha(c.fecha, c.segundos));
    }

    int siguienteTicketPractica() { return kPrimerTicketPrestador + mUltimoTicketPractica++; }

    Modelo& m;
    Aleatorio& mAzar;
    Sentencia mTickets, mItems, mTicketsPractica, mItemsPractica, mCierres, mLog, mAutorizaciones;
    Ponderado mFarmacias, mDePracticas, mAfiliados;
    double mPorDiaFarmacia = 0, mPorDiaPracticas = 0, mDeflactor = 1;
    QDate mDiaPico;
    int mOperacionesForzadas = 0;
    int mUltimoTicket = 0, mUltimoTicketPractica = 0, mUltimoCierre = 0, mTramite = kPrimerTramite - 1;
    std::vector<Ticket> mTicket;
    std::vector<Item> mItem;
    std::vector<TicketPractica> mTicketPractica;
    std::vector<ItemPractica> mItemPractica;
    std::vector<int> mCierrePorPrestador;
};

} // namespace

void generarMovimientos(Conexion& db, Modelo& modelo, Aleatorio& azar)
{
    Generador(db, modelo, azar).generar();
}

} // namespace dalvo::demo

// Medicines, practices with each provider's values, members with their treatments, and actions.

#include "demo/Catalogos.h"
#include "demo/FilasEspeciales.h"
#include "demo/Modelo.h"
#include "demo/Sqlite.h"

#include <QSet>
#include <cmath>

namespace dalvo::demo {

namespace cat = catalogos;
namespace esp = especiales;

namespace {

QByteArray ean13(qint64 cuerpo12)
{
    const QByteArray d = digitos(cuerpo12, 12);
    int suma = 0;
    for (int i = 0; i < 12; ++i)
        suma += (d[i] - '0') * (i % 2 ? 3 : 1);
    return d + QByteArray::number((10 - suma % 10) % 10);
}

const char* envase(Aleatorio& azar, const QByteArray& forma)
{
    if (forma == "comp." || forma == "cáps.")
        return azar.elegir(cat::kEnvasesSolidos);
    if (forma == "susp." || forma == "jarabe" || forma == "gotas")
        return azar.elegir(cat::kEnvasesLiquidos);
    if (forma == "crema" || forma == "ungüento")
        return azar.elegir(cat::kEnvasesTopicos);
    return azar.elegir(cat::kEnvasesUnidad);
}

void medicamentos(Conexion& db, Modelo& m, Aleatorio& azar)
{
    Sentencia s(db, "INSERT INTO Medicamentos VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    const int genericos = std::ssize(cat::kGenericos);
    for (int i = 0; i < m.tamanos.medicamentos; ++i) {
        // The first medicines take each generic in turn, so the smallest scale has them all.
        const int g = i < genericos ? i : azar.entre(0, genericos - 1);
        const cat::Generico& gen = cat::kGenericos[g];
        const QList<QByteArray> concentraciones = QByteArray(gen.concentraciones).split('|');
        const int c = azar.entre(0, static_cast<int>(concentraciones.size()) - 1);
        const QByteArray forma(gen.forma);
        const char* pack = envase(azar, forma);
        Medicamento med;
        med.troquel = digitos(100000 + static_cast<qint64>(i) * 317 + azar.entre(0, 316), 7);
        med.generico = g;
        const double factorLinea = 0.75 + 0.5 * azar.real();
        med.precio = std::llround(gen.precio * 100.0 * (1 + 0.4 * c) * factorLinea *
                                  (1 + 0.02 * QByteArray(pack).size()));
        const bool sinClasificar = i % 50 == 49;
        const bool baja = i % 50 == 17;
        std::optional<QByteArray> barra;
        if (azar.probabilidad(0.97))
            barra = ean13(779000000000LL + (i * 7919LL + 13) % 1000000000);
        const QByteArray nombre = QByteArray(gen.nombre) + ' ' + azar.elegir(cat::kLineas);
        std::optional<std::string> modificado;
        if (azar.probabilidad(0.9))
            modificado = fechaReciente(azar, m.hoy, 400);
        std::optional<QByteArray> registro;
        if (azar.probabilidad(0.95))
            registro = QByteArray::number(azar.entre(20000, 59999));
        s.insertar(med.troquel, barra, nombre, concentraciones[c] + ' ' + forma + ' ' + pack,
                   pesos(med.precio), sinClasificar ? cat::kTipoMedicamentoSinClasificar : gen.tipo,
                   modificado, baja ? 1 : 0, registro);
        // Popular medicines are dispensed far more often; cancelled ones hardly at all.
        m.medicamentoPorUso.agregar(baja ? 0.02 : 0.2 + 4.0 * std::pow(azar.real(), 3));
        m.medicamentos.push_back(std::move(med));
    }
}

void practicas(Conexion& db, Modelo& m, Aleatorio& azar)
{
    Sentencia s(db, "INSERT INTO Practicas VALUES (?1, ?2, ?3, ?4)");
    const int base = std::ssize(cat::kPracticas);
    QSet<int> usados;
    for (const auto& p : cat::kPracticas)
        usados.insert(QByteArray(p.codigo).toInt());
    for (int i = 0; i < m.tamanos.practicas; ++i) {
        const cat::Practica& b = cat::kPracticas[i % base];
        const int variante = (i / base) % std::ssize(cat::kVariantesPractica);
        int codigo = QByteArray(b.codigo).toInt();
        if (i >= base) {
            const int capitulo = codigo / 10000;
            codigo = capitulo * 10000 + (codigo % 10000 + i * 7) % 10000;
            while (usados.contains(codigo))
                codigo = capitulo * 10000 + (codigo % 10000 + 1) % 10000;
            usados.insert(codigo);
        }
        Practica p;
        p.codigo = digitos(codigo, 6);
        p.rubro = b.rubro;
        const bool sinValor = i >= base && azar.probabilidad(0.01);
        p.valor = sinValor ? 0 : std::llround(b.valor * 100.0 * (1 + 0.15 * (variante % 5)));
        const QString descripcion =
            (QString::fromUtf8(b.descripcion) + QString::fromUtf8(cat::kVariantesPractica[variante]))
                .left(60);
        s.insertar(i + 1, p.codigo, descripcion,
                   sinValor ? std::optional<double>() : std::optional<double>(pesos(p.valor)));
        m.practicas.push_back(std::move(p));
    }
}

// Which practices each provider of practices performs, and its values over time (PrestadorPracticas).
void valoresPorPrestador(Conexion& db, Modelo& m, Aleatorio& azar)
{
    Sentencia s(db, "INSERT INTO PrestadorPracticas VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    const int porPrestador = m.escala == Escala::Pruebas ? 6 : 14;
    int id = 0;
    m.valores.resize(m.prestadores.size());
    for (size_t i = 0; i < m.prestadores.size(); ++i) {
        Prestador& p = m.prestadores[i];
        if (p.farmacia || p.tipo == 0)
            continue;
        std::vector<int> candidatas;
        for (int k = 0; k < std::ssize(m.practicas); ++k)
            if (m.practicas[k].rubro == p.tipo || (p.tipo == 2 && m.practicas[k].rubro != 6))
                candidatas.push_back(k);
        for (int n = 0; n < porPrestador && !candidatas.empty(); ++n) {
            const int j = azar.entre(0, static_cast<int>(candidatas.size()) - 1);
            p.practicas.push_back(candidatas[j]);
            candidatas.erase(candidatas.begin() + j);
        }
        for (int k : p.practicas) {
            const Practica& pr = m.practicas[k];
            const qint64 nomenclador = pr.valor ? pr.valor : azar.entre(5000, 20000) * 100LL;
            const qint64 actual = std::llround(nomenclador * (0.85 + 0.45 * azar.real()));
            std::vector<ValorPractica> periodos;
            const QDate inicio(m.desde.year(), m.desde.month(), 1);
            if (azar.probabilidad(0.8)) {
                const QDate corte = QDate(m.hoy.year(), m.hoy.month(), 1).addMonths(-azar.entre(2, 8));
                periodos.push_back({++id, inicio, corte.addDays(-1), std::llround(actual / 1.3)});
                periodos.push_back({++id, corte, QDate(), actual});
            } else {
                periodos.push_back({++id, inicio, QDate(), actual});
            }
            for (const auto& v : periodos)
                s.insertar(v.id, p.id, pr.codigo, pesos(v.valor), textoFecha(v.desde),
                           v.hasta.isValid() ? std::optional<std::string>(textoFecha(v.hasta, 86399))
                                             : std::nullopt);
            m.valores[i].push_back(std::move(periodos));
        }
    }
}

void afiliados(Conexion& db, Modelo& m, Aleatorio& azar)
{
    Sentencia tratamientos(db, "INSERT INTO TrPrAfiliado VALUES (?1, ?2)");
    Sentencia medicamentosTratamiento(db, "INSERT INTO TrPrMedicamento VALUES (?1, ?2)");
    Ponderado plan;
    for (int p : cat::kPesoPlan)
        plan.agregar(p);
    int idTratamiento = 0;
    for (int grupo = 0; std::ssize(m.afiliados) < m.tamanos.afiliados; ++grupo) {
        const qint64 titular = 10000000 + static_cast<qint64>(grupo) * 431 + azar.entre(0, 430);
        const int planGrupo = plan.elegir(azar);
        static constexpr int kIntegrantes[] = {1, 1, 1, 2, 2, 3, 4};
        const int integrantes = std::min<int>(azar.elegir(kIntegrantes),
                                              m.tamanos.afiliados - static_cast<int>(m.afiliados.size()));
        for (int n = 0; n < integrantes; ++n) {
            Afiliado a;
            a.numero = digitos(titular, 8) + '/' + digitos(n, 2);
            a.credencial = digitos(titular, 8) + digitos(n, 2) + QByteArray::number(titular % 7);
            a.plan = planGrupo;
            a.titular = n == 0;
            const double x = azar.real();
            a.cobertura = planGrupo == cat::kPlanMaternoInfantil ? 3
                          : x < 0.05                             ? 2
                          : x < 0.09                             ? 6
                          : x < 0.11                             ? 4
                          : x < 0.12                             ? 5
                                                                 : 1;
            if (a.cobertura == 2 || a.cobertura == 6 || azar.probabilidad(0.01)) {
                tratamientos.insertar(++idTratamiento, a.numero);
                const int cuantos = azar.entre(1, 4);
                for (int k = 0; k < cuantos; ++k) {
                    const int med = m.medicamentoPorUso.elegir(azar);
                    if (std::find(a.tratamiento.begin(), a.tratamiento.end(), med) != a.tratamiento.end())
                        continue;
                    a.tratamiento.push_back(med);
                    medicamentosTratamiento.insertar(idTratamiento, m.medicamentos[med].troquel);
                }
            }
            m.afiliados.push_back(std::move(a));
        }
    }
}

void acciones(Conexion& db, Modelo& m, Aleatorio& azar)
{
    Sentencia s(db, "INSERT INTO Accion VALUES (?1, ?2)");
    Sentencia medicamentosAccion(db, "INSERT OR IGNORE INTO AccionMedicamento VALUES (?1, ?2)");
    for (const auto& a : cat::kAcciones) {
        s.insertar(digitos(a.codigo, 4), a.descripcion);
        if (a.codigo == esp::kAccionConMedicamentos) {
            // The antibiotics discount: every antibiotic, up to forty of them.
            int cuantos = 0;
            for (const auto& med : m.medicamentos)
                if (cat::kGenericos[med.generico].tipo == 3 && cuantos++ < 40)
                    medicamentosAccion.insertar(a.codigo, med.troquel);
        } else if (a.codigo % 4 != 0) {
            const int cuantos = azar.entre(3, 15);
            for (int k = 0; k < cuantos; ++k)
                medicamentosAccion.insertar(a.codigo,
                                            m.medicamentos[m.medicamentoPorUso.elegir(azar)].troquel);
        }
    }
}

} // namespace

void generarPrestaciones(Conexion& db, Modelo& m, Aleatorio& azar)
{
    Aleatorio azarMedicamentos = azar.derivar(3);
    medicamentos(db, m, azarMedicamentos);
    Aleatorio azarPracticas = azar.derivar(4);
    practicas(db, m, azarPracticas);
    valoresPorPrestador(db, m, azarPracticas);
    Aleatorio azarAfiliados = azar.derivar(5);
    afiliados(db, m, azarAfiliados);
    Aleatorio azarAcciones = azar.derivar(6);
    acciones(db, m, azarAcciones);
}

} // namespace dalvo::demo

#include "demo/Catalogos.h"
#include "demo/FilasEspeciales.h"
#include "demo/Modelo.h"
#include "demo/Sqlite.h"

#include <QSet>
#include <cmath>
#include <cstdio>

namespace dalvo::demo {

namespace cat = catalogos;
namespace esp = especiales;

Tamanos tamanosDe(Escala escala)
{
    switch (escala) {
    case Escala::Pruebas:
        return {32, 60, 300, 200, 80, 60, 1500, 700, 1600};
    case Escala::Demo:
        return {320, 60, 20000, 3000, 600, 1500, 60000, 20000, 1600};
    case Escala::Banco:
        return {2000, 62, 200000, 20000, 3000, 5000, 1000000, 300000, 0};
    }
    return {};
}

std::string textoFecha(QDate dia, int segundosDelDia)
{
    char texto[64];
    std::snprintf(texto, sizeof texto, "%04d-%02d-%02d %02d:%02d:%02d", dia.year(), dia.month(), dia.day(),
                  segundosDelDia / 3600, segundosDelDia / 60 % 60, segundosDelDia % 60);
    return texto;
}

namespace {

QByteArray digitos(qint64 numero, int ancho)
{
    return QByteArray::number(numero).rightJustified(ancho, '0');
}

// A moment within the last 'dias' days before hoy, as stored.
std::string fechaReciente(Aleatorio& azar, QDate hoy, int dias)
{
    return textoFecha(hoy.addDays(-azar.entre(1, dias)), azar.entre(8 * 3600, 19 * 3600));
}

QByteArray cuit(Aleatorio& azar, int prefijo)
{
    static constexpr int kPesos[] = {5, 4, 3, 2, 7, 6, 5, 4, 3, 2};
    for (;;) {
        const QByteArray cuerpo = digitos(prefijo, 2) + digitos(azar.entre(10000000, 45999999), 8);
        int suma = 0;
        for (int i = 0; i < 10; ++i)
            suma += (cuerpo[i] - '0') * kPesos[i];
        int verificador = 11 - suma % 11;
        if (verificador == 11)
            verificador = 0;
        if (verificador == 10)
            continue;
        return cuerpo.left(2) + '-' + cuerpo.mid(2) + '-' + QByteArray::number(verificador);
    }
}

QByteArray ean13(qint64 cuerpo12)
{
    const QByteArray d = digitos(cuerpo12, 12);
    int suma = 0;
    for (int i = 0; i < 12; ++i)
        suma += (d[i] - '0') * (i % 2 ? 3 : 1);
    return d + QByteArray::number((10 - suma % 10) % 10);
}

QByteArray telefono(Aleatorio& azar, const char* caracteristica)
{
    const QByteArray area(caracteristica);
    const int central = area.size() == 4 ? azar.entre(420, 499) : azar.entre(42, 49);
    const int abonado = azar.entre(0, 9999);
    return '(' + area + ") " + QByteArray::number(central) + '-' + digitos(abonado, 4);
}

QString nombrePersona(Aleatorio& azar, bool segundoNombre)
{
    const bool mujer = azar.probabilidad(0.5);
    const auto nombrePila = [&] {
        return QString::fromUtf8(mujer ? azar.elegir(cat::kNombresMujer) : azar.elegir(cat::kNombresHombre));
    };
    QString nombre = nombrePila();
    if (segundoNombre)
        nombre += QLatin1Char(' ') + nombrePila();
    const QString apellido = QString::fromUtf8(azar.elegir(cat::kApellidos));
    return apellido + QStringLiteral(", ") + nombre;
}

void tablasDeReferencia(Conexion& db)
{
    Sentencia tipos(db, "INSERT INTO TipoPrestador VALUES (?1, ?2)");
    for (const auto& t : cat::kTiposPrestador)
        tipos.insertar(t.id, t.nombre);
    Sentencia departamentos(db, "INSERT INTO Departamentos VALUES (?1, ?2)");
    int id = 0;
    for (const auto& d : cat::kDepartamentos)
        departamentos.insertar(++id, d.nombre);
    Sentencia especialidades(db, "INSERT INTO Especialidades VALUES (?1, ?2)");
    id = 0;
    for (const char* e : cat::kEspecialidades)
        especialidades.insertar(++id, e);
    Sentencia tiposMedicamento(db, "INSERT INTO TipoMedicamento VALUES (?1, ?2)");
    id = 0;
    for (const char* t : cat::kTiposMedicamento)
        tiposMedicamento.insertar(++id, t);
    Sentencia coberturas(db, "INSERT INTO Cobertura VALUES (?1, ?2)");
    for (const auto& c : cat::kCoberturas)
        coberturas.insertar(c.id, c.nombre);
    Sentencia prescripciones(db, "INSERT INTO TipoPrescripcion VALUES (?1, ?2)");
    id = 0;
    for (const char* t : cat::kTiposPrescripcion)
        prescripciones.insertar(++id, t);
    Sentencia errores(db, "INSERT INTO ErrorSys VALUES (?1, ?2, ?3, ?4)");
    for (const auto& e : cat::kErrores)
        errores.insertar(e.numero, e.severidad, e.comentario,
                         e.detalle ? std::optional<std::string_view>(e.detalle) : std::nullopt);
}

void parametros(Conexion& db, QDate hoy)
{
    const QByteArray accion = hoy.addDays(-3).toString(QStringLiteral("yyyyMMdd")).toLatin1();
    Sentencia s(db, "INSERT INTO Parametros VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13)");
    s.insertar("Obra Social Provincial Andina de Mendoza", 30,
               "Gracias por atenderse en nuestra red de prestadores.", 3, 30, "D:\\Dalvo\\TXT\\",
               "D:\\Dalvo\\FMT\\", "D:\\Dalvo\\LOG\\", "D:\\Dalvo\\Tramites\\", accion, accion,
               "D:\\Dalvo\\Vademecum\\Entrada\\", "D:\\Dalvo\\Vademecum\\Salida\\");
}

struct Especial
{
    int tipo;         // 0: none
    int departamento; // 0: none
    const char* nombre;
    double peso;
};

// Providers 1 to 8, the same at every scale (FilasEspeciales.h).
constexpr Especial kEspeciales[] = {{1, 1, "Farmacia San Martín", 3.0},
                                    {1, 3, "Farmacia O'Brien", 1.0},
                                    {14, 1, "Farmacia de Internación Hospital del Carmen", 1.5},
                                    {2, 1, "Clínica de Cuyo", 3.0},
                                    {3, 4, "Laboratorio Bioquímico Andino", 2.0},
                                    {0, 10, "Consultorio Sin Tipo Asignado", 0.0},
                                    {1, 0, "Farmacia Sin Departamento", 0.5},
                                    {1, 9, "Farmacia La Peña", 0.5}};

int tipoPracticas(Aleatorio& azar)
{
    static constexpr int kTipos[] = {2, 3, 4, 5, 6, 7, 8};
    static constexpr int kPesos[] = {15, 20, 15, 30, 8, 7, 5};
    int x = azar.entre(1, 100);
    for (int i = 0; i < 7; ++i)
        if ((x -= kPesos[i]) <= 0)
            return kTipos[i];
    return 5;
}

QString nombrePrestador(Aleatorio& azar, int tipo)
{
    const auto lugar = [&] { return QString::fromUtf8(azar.elegir(cat::kLugares)); };
    const auto apellido = [&] { return QString::fromUtf8(azar.elegir(cat::kApellidos)); };
    const auto lugarOApellido = [&] { return azar.probabilidad(0.5) ? lugar() : apellido(); };
    // The pattern is drawn before the rest of the name (the operands of + are not sequenced).
    const auto con = [&](const auto& patrones, const auto& resto) {
        const QString patron = QString::fromUtf8(azar.elegir(patrones)) + QLatin1Char(' ');
        return patron + resto();
    };
    switch (tipo) {
    case 1:
    case 14: {
        const QString base =
            azar.probabilidad(0.8) ? QString::fromUtf8(azar.elegir(cat::kFarmacias)) : apellido();
        return (tipo == 14 ? QStringLiteral("Farmacia de Internación ") : QStringLiteral("Farmacia ")) + base;
    }
    case 2:
        return con(cat::kPatronesClinica, lugar);
    case 3:
        return con(cat::kPatronesLaboratorio, lugarOApellido);
    case 4:
        return con(cat::kPatronesImagenes, lugar);
    case 6:
        return con(cat::kPatronesOdontologia, lugarOApellido);
    case 7:
        return con(cat::kPatronesKinesiologia, lugarOApellido);
    case 8:
        return con(cat::kPatronesOftalmologia, lugar);
    default:
        return (azar.probabilidad(0.5) ? QStringLiteral("Consultorio Dr. ")
                                       : QStringLiteral("Consultorio Dra. ")) +
               apellido();
    }
}

void prestadores(Conexion& db, Modelo& m, Aleatorio& azar)
{
    Sentencia s(
        db, "INSERT INTO Prestadores VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, "
            "?15, ?16, ?17, ?18, ?19, ?20, ?21, ?22)");
    Sentencia actualizaciones(db, "INSERT INTO PrestadorActualizaciones VALUES (?1, ?2, ?3, ?4)");
    Ponderado departamento;
    for (int p : cat::kPesoDepartamento)
        departamento.agregar(p);
    static constexpr const char* kUsuarios[] = {"admin",      "jperez",  "mgomez",
                                                "lfernandez", "sistema", "aquiroga"};
    static constexpr const char* kCondiciones[] = {"Resp. Inscripto", "Resp. Inscripto", "Resp. Inscripto",
                                                   "Monotributista", "Exento"};
    QSet<QString> usados;
    for (int id = 1; id <= m.tamanos.prestadores; ++id) {
        Prestador p;
        p.id = id;
        int idDepartamento = 0;
        QString nombre;
        if (id < esp::kPrimerPrestadorComun) {
            const Especial& e = kEspeciales[id - 1];
            p.tipo = e.tipo;
            idDepartamento = e.departamento;
            nombre = QString::fromUtf8(e.nombre);
            p.peso = e.peso;
        } else {
            p.tipo = azar.entre(1, 100) <= m.tamanos.farmaciasPorCien ? (azar.probabilidad(0.05) ? 14 : 1)
                                                                      : tipoPracticas(azar);
            idDepartamento = departamento.elegir(azar) + 1;
            nombre = nombrePrestador(azar, p.tipo);
            if (usados.contains(nombre))
                nombre +=
                    QLatin1Char(' ') + QString::fromUtf8(cat::kDepartamentos[idDepartamento - 1].nombre);
            if (usados.contains(nombre))
                nombre += QStringLiteral(" %1").arg(id);
            p.peso = 0.3 + 2.0 * azar.real() * azar.real();
        }
        usados.insert(nombre);
        p.farmacia = p.tipo == 1 || p.tipo == 14;
        p.alta = id >= esp::kPrimerPrestadorComun && azar.probabilidad(0.12)
                     ? m.desde.addDays(azar.entre(30, 330))
                     : m.desde;
        p.cierrePendiente =
            id == esp::kFarmaciaOBrien || (id >= esp::kPrimerPrestadorComun && azar.probabilidad(0.08));
        const bool baja =
            id == esp::kPrestadorDeBaja || (id >= esp::kPrimerPrestadorComun && azar.probabilidad(0.02));
        if (baja)
            p.peso = 0; // a cancelled provider sends nothing more; its past is in the data
        const auto* dep = idDepartamento ? &cat::kDepartamentos[idDepartamento - 1] : &cat::kDepartamentos[0];
        const int base = p.tipo == 0 ? 900000 : (p.farmacia ? 100000 : 200000);
        if (p.farmacia)
            p.descuentoOS = azar.entre(10, 24) * 50;
        // Each value drawn in its own statement: the order of a call's arguments is unspecified, and the
        // data must not depend on the compiler.
        const auto talVez = [&](double prob) {
            return id < esp::kPrimerPrestadorComun || azar.probabilidad(prob);
        };
        const auto siFarmacia = [&](auto valor) { return p.farmacia ? std::optional(valor) : std::nullopt; };
        std::optional<QByteArray> matricula;
        if (p.tipo == 5 || azar.probabilidad(0.2))
            matricula = "MP " + digitos(azar.entre(1000, 19999), 5);
        std::optional<int> especialidad;
        if (p.tipo == 5)
            especialidad = azar.entre(1, std::ssize(cat::kEspecialidades));
        else if (p.tipo == 2)
            especialidad = 1;
        std::optional<QString> direccion;
        if (talVez(0.97)) {
            const QString calle = QString::fromUtf8(azar.elegir(cat::kCalles));
            direccion = calle + QStringLiteral(" %1").arg(azar.entre(10, 3999));
        }
        std::optional<const char*> codigoPostal;
        if (talVez(0.95))
            codigoPostal = dep->codigoPostal;
        std::optional<QByteArray> tel;
        if (talVez(0.95))
            tel = telefono(azar, dep->caracteristica);
        std::optional<QByteArray> numeroCuit;
        if (talVez(0.9))
            numeroCuit = cuit(azar, p.tipo == 5 ? 20 : 30);
        std::optional<const char*> condicion;
        if (talVez(0.9))
            condicion = azar.elegir(kCondiciones);
        std::optional<QByteArray> ingresosBrutos;
        if (talVez(0.8)) {
            const QByteArray numero = digitos(azar.entre(0, 999999), 6);
            ingresosBrutos = "04-" + numero + '-' + QByteArray::number(azar.entre(0, 9));
        }
        const double descAfiliado = azar.entre(0, 2) * 5.0;
        const double descItem = azar.probabilidad(0.5) ? 10.0 : 15.0;
        const char* aplicacion = azar.probabilidad(0.7) ? "S" : "N";
        const std::string modificado = fechaReciente(azar, m.hoy, 700);
        const char* usuario = azar.elegir(kUsuarios);
        std::optional<QByteArray> licencia;
        if (p.farmacia)
            licencia = "L-" + digitos(azar.entre(1, 99999), 5);
        else if (azar.probabilidad(0.4))
            licencia = "H-" + digitos(azar.entre(1, 99999), 5);
        s.insertar(id, p.tipo ? std::optional<int>(p.tipo) : std::nullopt,
                   idDepartamento ? std::optional<int>(idDepartamento) : std::nullopt, matricula,
                   especialidad, QByteArray::number(base + id), nombre, direccion, codigoPostal, tel,
                   numeroCuit, condicion, ingresosBrutos, siFarmacia(descAfiliado),
                   siFarmacia(p.descuentoOS / 100.0), siFarmacia(40.0), siFarmacia(descItem),
                   siFarmacia(aplicacion), modificado, usuario, baja ? 1 : 0, licencia);
        if (p.farmacia || azar.probabilidad(0.5)) {
            const auto fecha = [&](double prob) {
                return azar.probabilidad(prob) ? std::optional<std::string>(fechaReciente(azar, m.hoy, 200))
                                               : std::nullopt;
            };
            const auto medicos = fecha(0.9);
            const auto remedios = fecha(0.9);
            const auto diagnosticos = fecha(0.6);
            actualizaciones.insertar(id, medicos, remedios, diagnosticos);
        }
        m.prestadores.push_back(std::move(p));
    }
}

void medicos(Conexion& db, Modelo& m, Aleatorio& azar)
{
    Sentencia s(db, "INSERT INTO Medicos VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
    struct Fijo
    {
        int matricula;
        const char* nombre;
        bool baja;
    };
    static constexpr Fijo kFijos[] = {{101, "O'Brien, Patricio Martín", false},
                                      {102, "Muñoz, Begoña", false},
                                      {103, nullptr, false},
                                      {104, "Peña, Ramón", true},
                                      {105, "Ibáñez, Lucía", false},
                                      {105, "Ibáñez, Lucía Inés", false},
                                      {107, "Gutiérrez, Ignacio", false},
                                      {108, "Núñez, Marta", false}};
    for (int id = 1; id <= m.tamanos.medicos; ++id) {
        const bool fijo = id <= std::ssize(kFijos);
        const int matricula = fijo ? kFijos[id - 1].matricula : 100 + id * 97 + azar.entre(0, 96);
        const std::optional<QString> nombre =
            fijo ? (kFijos[id - 1].nombre ? std::optional<QString>(QString::fromUtf8(kFijos[id - 1].nombre))
                                          : std::nullopt)
                 : std::optional<QString>(nombrePersona(azar, azar.probabilidad(0.4)));
        const bool sinDatos = id == esp::kMedicoSinNombre;
        std::optional<int> tipo;
        if (!sinDatos && (fijo || azar.probabilidad(0.95)))
            tipo = azar.probabilidad(0.9) ? 5 : 2;
        std::optional<int> especialidad;
        if (!sinDatos && (fijo || azar.probabilidad(0.97)))
            especialidad = azar.entre(1, std::ssize(cat::kEspecialidades));
        std::optional<std::string> modificado;
        if (azar.probabilidad(0.9))
            modificado = fechaReciente(azar, m.hoy, 900);
        const bool baja = fijo ? kFijos[id - 1].baja : azar.probabilidad(0.03);
        s.insertar(id, digitos(matricula, 6), nombre, tipo, especialidad, modificado, baja ? 1 : 0);
        m.medicos.push_back({id, matricula});
    }
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

void generarMaestros(Conexion& db, Modelo& m, Aleatorio& azar)
{
    tablasDeReferencia(db);
    parametros(db, m.hoy);
    Aleatorio azarPrestadores = azar.derivar(1);
    prestadores(db, m, azarPrestadores);
    Aleatorio azarMedicos = azar.derivar(2);
    medicos(db, m, azarMedicos);
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

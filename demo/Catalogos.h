#pragma once

// The fixed vocabulary of the synthetic data: names, streets, departments, medicines, practices. Only the
// master-data generator includes it.

namespace dalvo::demo::catalogos {

inline constexpr const char* kNombresHombre[] = {
    "Juan",     "José",      "Carlos",  "Luis",    "Jorge",    "Miguel",  "Ricardo", "Daniel",  "Alejandro",
    "Martín",   "Sebastián", "Pablo",   "Diego",   "Fernando", "Gustavo", "Marcelo", "Hernán",  "Raúl",
    "Sergio",   "Andrés",    "Matías",  "Nicolás", "Facundo",  "Joaquín", "Tomás",   "Agustín", "Ignacio",
    "Emiliano", "Rodrigo",   "Gonzalo", "Héctor",  "Rubén",    "Óscar",   "Ramón",   "Julián",  "Germán"};

inline constexpr const char* kNombresMujer[] = {
    "María",    "Ana",      "Laura",    "Silvia", "Claudia", "Patricia",  "Mónica",   "Graciela", "Susana",
    "Verónica", "Carolina", "Gabriela", "Lorena", "Valeria", "Florencia", "Soledad",  "Natalia",  "Romina",
    "Cecilia",  "Mariana",  "Julieta",  "Lucía",  "Sofía",   "Camila",    "Agustina", "Milagros", "Belén",
    "Inés",     "Begoña",   "Noelia",   "Rocío",  "Ximena",  "Daniela",   "Paula",    "Andrea",   "Marta"};

inline constexpr const char* kApellidos[] = {
    "González",  "Rodríguez", "Gómez",   "Fernández", "López",    "Díaz",     "Martínez", "Pérez",
    "García",    "Sánchez",   "Romero",  "Sosa",      "Torres",   "Álvarez",  "Ruiz",     "Ramírez",
    "Flores",    "Acosta",    "Benítez", "Medina",    "Suárez",   "Herrera",  "Aguirre",  "Giménez",
    "Gutiérrez", "Pereyra",   "Rojas",   "Molina",    "Castro",   "Ortiz",    "Silva",    "Núñez",
    "Luna",      "Juárez",    "Cabrera", "Ríos",      "Ferreyra", "Godoy",    "Morales",  "Domínguez",
    "Moreno",    "Peralta",   "Vega",    "Carrizo",   "Quiroga",  "Castillo", "Ledesma",  "Muñoz",
    "Ojeda",     "Ponce",     "Vera",    "Vázquez",   "Villalba", "Cardozo",  "Navarro",  "Ramos",
    "Arias",     "Coronel",   "Córdoba", "Figueroa",  "Correa",   "Cáceres",  "Vargas",   "Maldonado",
    "Mansilla",  "Farías",    "Rivero",  "Paz",       "Miranda",  "Roldán",   "Méndez",   "Lucero",
    "Cruz",      "Hernández", "Agüero",  "Páez",      "Blanco",   "Mendoza",  "Barrios",  "Escobar",
    "Ávila",     "Soria",     "Peña",    "Ibáñez",    "Acuña",    "Montaña",  "Zapata",   "Calderón"};

inline constexpr const char* kCalles[] = {"San Martín",
                                          "Av. Las Heras",
                                          "Belgrano",
                                          "Godoy Cruz",
                                          "Colón",
                                          "Patricias Mendocinas",
                                          "Emilio Civit",
                                          "Arístides Villanueva",
                                          "Sarmiento",
                                          "Rivadavia",
                                          "9 de Julio",
                                          "España",
                                          "Perú",
                                          "Chile",
                                          "Lavalle",
                                          "Mitre",
                                          "Paso de los Andes",
                                          "Boulogne Sur Mer",
                                          "Costanera",
                                          "Acceso Este",
                                          "Bandera de los Andes",
                                          "Carril Rodríguez Peña",
                                          "San Juan",
                                          "Buenos Aires",
                                          "Necochea",
                                          "Espejo",
                                          "Gutiérrez",
                                          "Montecaseros",
                                          "Pedro Molina",
                                          "Juan B. Justo",
                                          "Aristóbulo del Valle",
                                          "Av. San Francisco del Monte",
                                          "Tiburcio Benegas",
                                          "Olascoaga",
                                          "Martínez de Rozas",
                                          "Salta",
                                          "General Paz",
                                          "Alem",
                                          "Moreno",
                                          "Independencia"};

struct Departamento
{
    const char* nombre;
    const char* codigoPostal;
    const char* caracteristica; // telephone area code
};

inline constexpr Departamento kDepartamentos[] = {
    {"Capital", "5500", "0261"},     {"General Alvear", "5620", "02625"}, {"Godoy Cruz", "5501", "0261"},
    {"Guaymallén", "5519", "0261"},  {"Junín", "5573", "0263"},           {"La Paz", "5590", "02626"},
    {"Las Heras", "5539", "0261"},   {"Lavalle", "5533", "0261"},         {"Luján de Cuyo", "5507", "0261"},
    {"Maipú", "5515", "0261"},       {"Malargüe", "5613", "0260"},        {"Rivadavia", "5577", "0263"},
    {"San Carlos", "5569", "02622"}, {"San Martín", "5570", "0263"},      {"San Rafael", "5600", "0260"},
    {"Santa Rosa", "5596", "0263"},  {"Tunuyán", "5560", "02622"},        {"Tupungato", "5561", "02622"}};

// Relative population of each department, so that most providers are in greater Mendoza.
inline constexpr int kPesoDepartamento[] = {12, 3, 14, 14, 3, 1, 10, 3, 8, 10, 2, 4, 2, 7, 9, 2, 3, 2};

struct TipoPrestador
{
    int id;
    const char* nombre;
};

// 1 and 14 are the pharmacy types; the rest provide practices.
inline constexpr TipoPrestador kTiposPrestador[] = {{1, "Farmacia"},
                                                    {2, "Clínica / Sanatorio"},
                                                    {3, "Laboratorio de Análisis"},
                                                    {4, "Diagnóstico por Imágenes"},
                                                    {5, "Consultorio Médico"},
                                                    {6, "Odontología"},
                                                    {7, "Kinesiología"},
                                                    {8, "Oftalmología"},
                                                    {14, "Farmacia de Internación"}};

inline constexpr const char* kFarmacias[] = {
    "San Martín",      "del Pueblo",   "Central",     "Güemes",       "Belgrano",
    "del Sol",         "Los Andes",    "Aconcagua",   "Cuyo",         "del Valle",
    "Nueva",           "Moderna",      "Plaza",       "Sarmiento",    "San José",
    "Santa Rita",      "San Cayetano", "Santa Lucía", "del Carmen",   "Avenida",
    "Chacras",         "La Estación",  "del Parque",  "Villa Nueva",  "del Norte",
    "Italiana",        "Española",     "Francesa",    "Mitre",        "Rivadavia",
    "del Centro",      "Vendimia",     "Los Olivos",  "Las Acequias", "del Cerro",
    "Cordillera",      "Tupungato",    "Uspallata",   "Potrerillos",  "San Vicente",
    "Santa Ana",       "San Agustín",  "Dorrego",     "Bermejo",      "Villa Hipódromo",
    "Las Tortugas",    "Carrodilla",   "Perdriel",    "Coquimbito",   "Russell",
    "Rodeo del Medio", "Buen Orden",   "El Challao",  "La Favorita",  "San Francisco",
    "Sanitas",         "Vida",         "Salud",       "Familiar",     "Andina",
    "Mendocina",       "Cuyana",       "Huarpe"};

inline constexpr const char* kLugares[] = {
    "de Cuyo",    "Los Andes",  "del Valle", "Santa Clara", "San Lucas",  "Güemes",
    "Mitre",      "del Sur",    "Aconcagua", "del Este",    "Central",    "Mendoza",
    "Maipú",      "Luján",      "Chacras",   "del Parque",  "Godoy Cruz", "Las Heras",
    "San Rafael", "San Martín", "Tunuyán",   "Cordillera",  "Andino",     "Cuyano"};

// Name patterns per practice provider type (the place or a surname follows).
inline constexpr const char* kPatronesClinica[] = {"Clínica", "Sanatorio", "Policlínico", "Instituto Médico"};
inline constexpr const char* kPatronesLaboratorio[] = {"Laboratorio", "Laboratorio Bioquímico",
                                                       "Análisis Clínicos"};
inline constexpr const char* kPatronesImagenes[] = {"Centro de Imágenes", "Diagnóstico Médico",
                                                    "Ecografía y Rayos"};
inline constexpr const char* kPatronesOdontologia[] = {"Centro Odontológico", "Odontología Integral"};
inline constexpr const char* kPatronesKinesiologia[] = {"Kinesiología", "Centro de Rehabilitación"};
inline constexpr const char* kPatronesOftalmologia[] = {"Instituto Oftalmológico", "Centro de Ojos"};

inline constexpr const char* kEspecialidades[] = {
    "Clínica Médica", "Pediatría",        "Cardiología",     "Ginecología y Obstetricia",
    "Traumatología",  "Dermatología",     "Oftalmología",    "Otorrinolaringología",
    "Neurología",     "Psiquiatría",      "Endocrinología",  "Gastroenterología",
    "Urología",       "Neumonología",     "Reumatología",    "Oncología",
    "Nefrología",     "Medicina General", "Cirugía General", "Diabetología"};

// Coverage plans of a ticket with the share the insurer pays.
struct Cobertura
{
    int id;
    const char* nombre;
    int porcentaje;
};

inline constexpr Cobertura kCoberturas[] = {
    {1, "General 40%", 40},        {2, "Crónicos 70%", 70},      {3, "Materno Infantil (PMI) 100%", 100},
    {4, "Discapacidad 100%", 100}, {5, "Oncológicos 100%", 100}, {6, "Res. 310/04 70%", 70}};

inline constexpr const char* kTiposPrescripcion[] = {"Receta común", "Receta archivada", "Receta electrónica",
                                                     "Tratamiento prolongado", "Psicotrópicos"};

inline constexpr const char* kTiposMedicamento[] = {"Venta libre",   "Bajo receta", "Bajo receta archivada",
                                                    "Psicotrópico",  "Oncológico",  "Insulinas",
                                                    "Sin clasificar"};
inline constexpr int kTipoMedicamentoSinClasificar = 7;

// Member plans (NumeroPlan, PlanAsociado).
inline constexpr const char* kPlanes[] = {"A100", "B200", "C300", "J400", "M500"};
inline constexpr int kPesoPlan[] = {45, 25, 10, 15, 5};
inline constexpr int kPlanMaternoInfantil = 4; // index of "M500"

struct Generico
{
    const char* nombre;
    const char* concentraciones; // separated by '|'
    const char* forma;           // "comp.", "cáps.", "jarabe" ...
    int precio;                  // pesos today, for the first concentration and the smallest pack
    int tipo;                    // TipoMedicamento
};

inline constexpr Generico kGenericos[] = {
    {"AMOXICILINA", "500 mg|875 mg|1 g", "comp.", 4200, 3},
    {"AMOXICILINA+CLAVULANICO", "500/125 mg|875/125 mg", "comp.", 9800, 3},
    {"AZITROMICINA", "500 mg", "comp.", 7600, 3},
    {"CEFALEXINA", "500 mg|1 g", "cáps.", 5200, 3},
    {"CIPROFLOXACINA", "500 mg", "comp.", 6100, 3},
    {"METRONIDAZOL", "500 mg", "comp.", 3900, 3},
    {"FLUCONAZOL", "150 mg|200 mg", "cáps.", 4700, 3},
    {"ACICLOVIR", "400 mg|800 mg", "comp.", 5600, 3},
    {"IBUPROFENO", "400 mg|600 mg", "comp.", 2300, 1},
    {"PARACETAMOL", "500 mg|1 g", "comp.", 1800, 1},
    {"DICLOFENAC", "50 mg|75 mg", "comp.", 2600, 2},
    {"KETOROLAC", "10 mg|20 mg", "comp.", 3100, 2},
    {"MELOXICAM", "7,5 mg|15 mg", "comp.", 3700, 2},
    {"NAPROXENO", "500 mg", "comp.", 2900, 2},
    {"LORATADINA", "10 mg", "comp.", 2400, 1},
    {"CETIRIZINA", "10 mg", "comp.", 2500, 1},
    {"ENALAPRIL", "5 mg|10 mg|20 mg", "comp.", 3300, 2},
    {"LOSARTAN", "50 mg|100 mg", "comp.", 4400, 2},
    {"VALSARTAN", "80 mg|160 mg", "comp.", 8700, 2},
    {"AMLODIPINA", "5 mg|10 mg", "comp.", 3600, 2},
    {"ATENOLOL", "50 mg|100 mg", "comp.", 2800, 2},
    {"CARVEDILOL", "6,25 mg|12,5 mg|25 mg", "comp.", 5200, 2},
    {"BISOPROLOL", "2,5 mg|5 mg", "comp.", 5900, 2},
    {"FUROSEMIDA", "40 mg", "comp.", 2100, 2},
    {"HIDROCLOROTIAZIDA", "25 mg|50 mg", "comp.", 1900, 2},
    {"ESPIRONOLACTONA", "25 mg|100 mg", "comp.", 4800, 2},
    {"ATORVASTATINA", "10 mg|20 mg|40 mg", "comp.", 6900, 2},
    {"SIMVASTATINA", "20 mg|40 mg", "comp.", 4600, 2},
    {"ROSUVASTATINA", "10 mg|20 mg", "comp.", 9400, 2},
    {"CLOPIDOGREL", "75 mg", "comp.", 8100, 2},
    {"ACENOCUMAROL", "4 mg", "comp.", 3500, 2},
    {"ACIDO ACETILSALICILICO", "100 mg|500 mg", "comp.", 1500, 1},
    {"METFORMINA", "500 mg|850 mg|1000 mg", "comp.", 3200, 2},
    {"GLIBENCLAMIDA", "5 mg", "comp.", 2200, 2},
    {"SITAGLIPTINA", "50 mg|100 mg", "comp.", 21500, 2},
    {"INSULINA NPH", "100 UI/ml", "fco. amp.", 18900, 6},
    {"INSULINA GLARGINA", "100 UI/ml", "lapicera", 42600, 6},
    {"LEVOTIROXINA", "50 mcg|75 mcg|100 mcg", "comp.", 3400, 2},
    {"OMEPRAZOL", "20 mg|40 mg", "cáps.", 2700, 2},
    {"PANTOPRAZOL", "20 mg|40 mg", "comp.", 4900, 2},
    {"RANITIDINA", "150 mg|300 mg", "comp.", 2500, 2},
    {"DOMPERIDONA", "10 mg", "comp.", 3000, 2},
    {"METOCLOPRAMIDA", "10 mg", "comp.", 1700, 2},
    {"LOPERAMIDA", "2 mg", "comp.", 1600, 1},
    {"SALBUTAMOL", "100 mcg", "aerosol", 6800, 2},
    {"BUDESONIDE", "200 mcg", "aerosol", 11200, 2},
    {"MONTELUKAST", "4 mg|5 mg|10 mg", "comp.", 8900, 2},
    {"PREDNISONA", "4 mg|20 mg", "comp.", 2600, 2},
    {"BETAMETASONA", "0,05 %", "crema", 3800, 2},
    {"DEXAMETASONA", "4 mg", "amp.", 3200, 2},
    {"CLONAZEPAM", "0,5 mg|2 mg", "comp.", 2900, 4},
    {"ALPRAZOLAM", "0,5 mg|1 mg", "comp.", 3100, 4},
    {"LORAZEPAM", "1 mg|2,5 mg", "comp.", 3000, 4},
    {"SERTRALINA", "50 mg|100 mg", "comp.", 7400, 2},
    {"FLUOXETINA", "20 mg", "cáps.", 5100, 2},
    {"ESCITALOPRAM", "10 mg|20 mg", "comp.", 8200, 2},
    {"QUETIAPINA", "25 mg|100 mg", "comp.", 9600, 2},
    {"RISPERIDONA", "1 mg|3 mg", "comp.", 7100, 2},
    {"LEVETIRACETAM", "500 mg|1000 mg", "comp.", 12800, 2},
    {"CARBAMAZEPINA", "200 mg|400 mg", "comp.", 4300, 2},
    {"ACIDO VALPROICO", "250 mg|500 mg", "comp.", 6700, 2},
    {"PREGABALINA", "75 mg|150 mg", "cáps.", 9900, 2},
    {"GABAPENTIN", "300 mg|400 mg", "cáps.", 7800, 2},
    {"TRAMADOL", "50 mg|100 mg", "comp.", 4500, 4},
    {"MORFINA", "10 mg|30 mg", "comp.", 8800, 4},
    {"LEVODOPA+CARBIDOPA", "250/25 mg", "comp.", 10400, 2},
    {"DONEPECILO", "5 mg|10 mg", "comp.", 11900, 2},
    {"MEMANTINA", "10 mg|20 mg", "comp.", 13300, 2},
    {"TAMSULOSINA", "0,4 mg", "cáps.", 9200, 2},
    {"FINASTERIDE", "5 mg", "comp.", 8600, 2},
    {"SILDENAFIL", "50 mg|100 mg", "comp.", 6200, 2},
    {"ALENDRONATO", "70 mg", "comp.", 7300, 2},
    {"CALCIO+VITAMINA D", "500 mg/400 UI", "comp.", 4100, 1},
    {"ACIDO FOLICO", "1 mg|5 mg", "comp.", 1400, 1},
    {"SULFATO FERROSO", "200 mg", "comp.", 1900, 1},
    {"VITAMINA B12", "1000 mcg", "amp.", 3600, 2},
    {"ALOPURINOL", "100 mg|300 mg", "comp.", 2700, 2},
    {"COLCHICINA", "1 mg", "comp.", 3300, 2},
    {"HIDROXICLOROQUINA", "200 mg|400 mg", "comp.", 9100, 2},
    {"METOTREXATO", "2,5 mg", "comp.", 12300, 5},
    {"TAMOXIFENO", "20 mg", "comp.", 15700, 5},
    {"ANASTROZOL", "1 mg", "comp.", 24800, 5},
    {"LETROZOL", "2,5 mg", "comp.", 22100, 5},
    {"AMOXICILINA SUSPENSION", "250 mg/5 ml|500 mg/5 ml", "susp.", 3900, 3},
    {"IBUPROFENO SUSPENSION", "2 %|4 %", "susp.", 2800, 1},
    {"PARACETAMOL GOTAS", "100 mg/ml", "gotas", 2200, 1},
    {"SALES DE REHIDRATACION", "27,9 g", "sobres", 1300, 1},
    {"CLOTRIMAZOL", "1 %", "crema", 2500, 1},
    {"MUPIROCINA", "2 %", "ungüento", 5400, 2},
    {"TIMOLOL", "0,5 %", "colirio", 6300, 2},
    {"LATANOPROST", "0,005 %", "colirio", 14900, 2},
    {"ENOXAPARINA", "40 mg|60 mg", "jer. prell.", 16800, 2}};

// How many units a pack holds, per form.
inline constexpr const char* kEnvasesSolidos[] = {"x 10", "x 14", "x 16", "x 20", "x 28", "x 30", "x 60"};
inline constexpr const char* kEnvasesLiquidos[] = {"x 60 ml", "x 90 ml", "x 120 ml"};
inline constexpr const char* kEnvasesTopicos[] = {"x 15 g", "x 30 g"};
inline constexpr const char* kEnvasesUnidad[] = {"x 1", "x 3", "x 5"};

// Invented laboratory lines that follow the generic name.
inline constexpr const char* kLineas[] = {
    "ANDINA",  "CUYANA",     "ACONCAGUA", "CORDILLERA", "VALLE",    "SOLAR",   "DELTA",      "PAMPA",
    "AUSTRAL", "NORTE",      "PLATA",     "ZONDA",      "VENDIMIA", "MAIPO",   "TALCA",      "HUARPE",
    "LAGUNA",  "PIEDEMONTE", "OASIS",     "CERRO",      "ALTOS",    "RIOJANA", "PUNTANA",    "MALBEC",
    "BONARDA", "OLIVO",      "ACEQUIA",   "ALAMEDA",    "LIBERTAD", "NEVADO",  "MERCEDARIO", "TUNUYAN",
    "URUGUAY", "ATUEL",      "DIAMANTE",  "CONDOR",     "PUMA",     "VICUÑA",  "GUANACO",    "ÑANDU"};

struct Practica
{
    const char* codigo; // six digits
    const char* descripcion;
    int valor; // pesos today
    int rubro; // provider type that performs it (2 clinic, 3 lab, 4 imaging, 5 office, 6, 7, 8)
};

inline constexpr Practica kPracticas[] = {{"420101", "Consulta médica en consultorio", 9500, 5},
                                          {"420102", "Consulta médica a domicilio", 16000, 5},
                                          {"420103", "Consulta de especialista", 12500, 5},
                                          {"420104", "Consulta pediátrica", 10500, 5},
                                          {"420201", "Consulta en guardia", 13800, 2},
                                          {"170101", "Electrocardiograma", 7800, 5},
                                          {"170102", "Ergometría", 32500, 5},
                                          {"170103", "Holter de 24 horas", 41200, 2},
                                          {"180101", "Ecocardiograma Doppler color", 48700, 4},
                                          {"340101", "Radiografía de tórax frente", 11800, 4},
                                          {"340102", "Radiografía de tórax frente y perfil", 15900, 4},
                                          {"340201", "Radiografía de columna lumbosacra", 17300, 4},
                                          {"340301", "Radiografía de mano", 9800, 4},
                                          {"340401", "Mamografía bilateral", 24600, 4},
                                          {"180102", "Ecografía abdominal completa", 26400, 4},
                                          {"180103", "Ecografía ginecológica", 21900, 4},
                                          {"180104", "Ecografía obstétrica", 23100, 4},
                                          {"180105", "Ecografía renal y vesical", 19800, 4},
                                          {"180106", "Ecografía tiroidea", 18700, 4},
                                          {"341001", "Tomografía computada de cerebro", 68900, 4},
                                          {"341002", "Tomografía computada de tórax", 74300, 4},
                                          {"342001", "Resonancia magnética de rodilla", 118000, 4},
                                          {"342002", "Resonancia magnética de columna", 126000, 4},
                                          {"660475", "Hemograma completo", 4300, 3},
                                          {"660412", "Glucemia", 2100, 3},
                                          {"660911", "Uremia", 2100, 3},
                                          {"660192", "Creatininemia", 2200, 3},
                                          {"660291", "Colesterol total", 2400, 3},
                                          {"660292", "Colesterol HDL", 2900, 3},
                                          {"660293", "Triglicéridos", 2500, 3},
                                          {"660871", "Hemoglobina glicosilada", 6800, 3},
                                          {"660876", "TSH", 7900, 3},
                                          {"660877", "T4 libre", 8100, 3},
                                          {"660711", "Orina completa", 2700, 3},
                                          {"660712", "Urocultivo", 6400, 3},
                                          {"660305", "Hepatograma", 7200, 3},
                                          {"660421", "Eritrosedimentación", 1900, 3},
                                          {"660502", "Ionograma plasmático", 5600, 3},
                                          {"660618", "PSA total", 8800, 3},
                                          {"660905", "Vitamina D", 14500, 3},
                                          {"250101", "Sesión de kinesiología", 6900, 7},
                                          {"250102", "Sesión de fisioterapia", 6200, 7},
                                          {"250103", "Rehabilitación respiratoria", 7400, 7},
                                          {"250104", "Drenaje linfático", 7100, 7},
                                          {"010101", "Consulta odontológica", 8400, 6},
                                          {"010201", "Obturación simple", 14200, 6},
                                          {"010301", "Extracción dentaria", 16800, 6},
                                          {"010401", "Tartrectomía y cepillado", 11500, 6},
                                          {"010501", "Radiografía dental periapical", 5200, 6},
                                          {"300101", "Consulta oftalmológica", 11900, 8},
                                          {"300102", "Fondo de ojo", 8700, 8},
                                          {"300103", "Tonometría", 6400, 8},
                                          {"300104", "Campo visual computarizado", 19600, 8},
                                          {"430101", "Día de internación clínica", 185000, 2},
                                          {"430102", "Día de internación en terapia intensiva", 540000, 2},
                                          {"430201", "Cirugía menor ambulatoria", 96000, 2},
                                          {"430202", "Apendicectomía", 620000, 2},
                                          {"430203", "Colecistectomía laparoscópica", 890000, 2},
                                          {"430301", "Parto normal", 710000, 2},
                                          {"430302", "Cesárea", 860000, 2},
                                          {"430401", "Curación y sutura", 18500, 2},
                                          {"430402", "Nebulización", 4800, 2},
                                          {"430403", "Aplicación de inyectable", 2600, 2}};

// Qualifiers that turn the base practices into a full nomenclature.
inline constexpr const char* kVariantesPractica[] = {"",
                                                     " - urgencia",
                                                     " - domicilio",
                                                     " - pediátrico",
                                                     " - nivel II",
                                                     " - nivel III",
                                                     " bilateral",
                                                     " con contraste",
                                                     " - segunda consulta",
                                                     " - control",
                                                     " - feriado",
                                                     " - nocturno",
                                                     " - internado",
                                                     " - ambulatorio",
                                                     " - programa crónicos",
                                                     " - Res. 310/04",
                                                     " - PMI",
                                                     " - seguimiento",
                                                     " - diferido",
                                                     " - alta complejidad",
                                                     " - baja complejidad",
                                                     " - prequirúrgico",
                                                     " - control anual",
                                                     " - ley 24.901",
                                                     " - zona sur",
                                                     " - zona este",
                                                     " - zona valle de Uco",
                                                     " - módulo",
                                                     " - combinado",
                                                     " - adicional",
                                                     " - traslado",
                                                     " - discapacidad",
                                                     " - oncología",
                                                     " - salud mental",
                                                     " - geriátrico",
                                                     " - plan materno",
                                                     " - prótesis",
                                                     " - ortesis",
                                                     " - inicial",
                                                     " - final",
                                                     " - parcial",
                                                     " - total",
                                                     " - simple",
                                                     " - doble",
                                                     " - triple",
                                                     " - prolongado",
                                                     " - breve",
                                                     " - especial",
                                                     " - A",
                                                     " - B"};

struct ErrorSistema
{
    int numero;
    int severidad;
    const char* comentario;
    const char* detalle; // nullptr: no detail
};

inline constexpr ErrorSistema kErrores[] = {
    {1, 16, "Afiliado inexistente", "El número de afiliado no figura en el padrón vigente."},
    {2, 16, "Afiliado dado de baja", "El afiliado figura con baja en el padrón."},
    {3, 14, "Afiliado con cuota impaga", nullptr},
    {4, 16, "Prestador inexistente", "El código de prestador no corresponde a un prestador habilitado."},
    {5, 16, "Prestador dado de baja", nullptr},
    {6, 14, "Prestador sin convenio para la práctica", "La práctica no figura en la tabla de valorización."},
    {7, 16, "Troquel inexistente", "El troquel informado no existe en el vademécum."},
    {8, 14, "Medicamento dado de baja", nullptr},
    {9, 12, "Medicamento sin cobertura para el plan", "El plan del afiliado no cubre el medicamento."},
    {10, 12, "Receta vencida", "La fecha de prestación supera los días de validez de la receta."},
    {11, 12, "Fecha de receta posterior a la prestación", nullptr},
    {12, 14, "Médico prescriptor inexistente", "La matrícula no corresponde a un médico registrado."},
    {13, 10, "Cantidad de medicamentos excedida", "Se superó la cantidad de medicamentos por receta."},
    {14, 10, "Cantidad de unidades excedida", nullptr},
    {15, 16, "Ticket inexistente", "No existe el ticket que se intenta anular."},
    {16, 14, "Ticket ya anulado", nullptr},
    {17, 14, "Ticket incluido en un cierre", "No se puede anular un ticket de un cierre ya liquidado."},
    {18, 16, "Error de comunicación con el servidor", "Se perdió el enlace durante la transacción."},
    {19, 16, "Tiempo de espera agotado", nullptr},
    {20, 12, "Autorización requerida", "El medicamento requiere autorización previa de auditoría."},
    {21, 12, "Autorización vencida", nullptr},
    {22, 12, "Autorización de otro afiliado", "La autorización corresponde a otro número de afiliado."},
    {23, 10, "Práctica duplicada en el día", nullptr},
    {24, 10, "Práctica no cubierta por el plan", "El plan del afiliado no incluye la práctica."},
    {25, 14, "Código de práctica inexistente", nullptr},
    {26, 16, "Archivo de trámites con formato inválido",
     "La línea no respeta el formato del archivo de intercambio."},
    {27, 16, "Cierre ya generado para el período", nullptr},
    {28, 14, "Período de cierre inválido", "La fecha desde es posterior a la fecha hasta."},
    {29, 12, "Tratamiento prolongado inexistente", nullptr},
    {30, 12, "Medicamento fuera del tratamiento prolongado",
     "El troquel no integra el tratamiento del afiliado."},
    {31, 10, "Precio del medicamento desactualizado", nullptr},
    {32, 10, "Descuento superior al permitido", "El descuento informado supera el del convenio."},
    {33, 16, "Terminal no habilitada", "El punto de venta no está registrado para el prestador."},
    {34, 14, "Versión de software del prestador obsoleta", nullptr},
    {35, 10, "Credencial vencida", "La credencial presentada no es la vigente."},
    {36, 12, "Plan materno infantil sin certificado", nullptr},
    {37, 12, "Beneficio de discapacidad sin certificado", "Falta el certificado único de discapacidad."},
    {38, 16, "Error interno del servidor de transacciones", nullptr},
    {39, 10, "Operación no permitida para el tipo de prestador", nullptr},
    {40, 12, "Receta con tachaduras o enmiendas", "Rechazo de auditoría farmacéutica."}};

struct AccionCatalogo
{
    int codigo;
    const char* descripcion;
};

inline constexpr AccionCatalogo kAcciones[] = {{1, "Campaña antigripal"},
                                               {2, "Programa de hipertensión arterial"},
                                               {3, "Programa de diabetes"},
                                               {4, "Plan materno infantil"},
                                               {5, "Res. 310/04 - enfermedades crónicas"},
                                               {6, "Programa de salud mental"},
                                               {7, "Descuento especial en antibióticos"},
                                               {8, "Programa de oncología"},
                                               {9, "Programa de asma y EPOC"},
                                               {10, "Anticonceptivos - salud reproductiva"},
                                               {11, "Programa de dislipemias"},
                                               {12, "Tratamiento prolongado de tiroides"},
                                               {13, "Campaña de invierno - antitérmicos"},
                                               {14, "Programa de osteoporosis"},
                                               {15, "Cuidados paliativos"},
                                               {16, "Programa de celiaquía"},
                                               {17, "Acción Vendimia - farmacias adheridas"},
                                               {18, "Descuento jubilados"},
                                               {19, "Programa de cesación tabáquica"},
                                               {20, "Medicamentos de alto costo"}};

} // namespace dalvo::demo::catalogos

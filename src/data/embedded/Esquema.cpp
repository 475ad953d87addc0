#include "data/embedded/Esquema.h"

#include "data/embedded/Errores.h"
#include "data/embedded/Extensiones.h"
#include "data/embedded/FuncionesSql.h"

#include <sqlite3.h>

namespace dalvo::embebido {

namespace {

ColumnaEsquema col(const char* nombre, TipoSql tipo, bool ci = false)
{
    ColumnaEsquema c;
    c.nombre = QString::fromLatin1(nombre);
    c.tipo = tipo;
    c.ci = ci;
    return c;
}

TablaEsquema tablaCatalogo(const char* nombre, const char* vista, std::vector<ColumnaEsquema> columnas)
{
    TablaEsquema t;
    t.nombre = QString::fromLatin1(nombre);
    t.sql = QStringLiteral("temp.\"%1\"").arg(QLatin1String(vista));
    t.columnas = std::move(columnas);
    t.catalogo = true;
    t.vista = true;
    return t;
}

// The catalogue as seen from the transaction database (false) or from master (true).
const QHash<QString, TablaEsquema>& catalogos(bool master)
{
    static const auto armar = [](bool enMaster) {
        const TipoSql sysname = TipoSql::texto(Familia::NVarChar, 128);
        const TipoSql entero = TipoSql::de(Familia::Int);
        const TipoSql corto = TipoSql::de(Familia::SmallInt);
        const TipoSql byte = TipoSql::de(Familia::TinyInt);
        const TipoSql char2 = TipoSql::texto(Familia::Char, 2);
        QHash<QString, TablaEsquema> h;
        h.insert(QStringLiteral("sysobjects"),
                 tablaCatalogo("sysobjects", enMaster ? "dalvo_m_sysobjects" : "dalvo_sysobjects",
                               {col("id", entero), col("name", sysname, true), col("xtype", char2, true),
                                col("type", char2, true), col("uid", corto), col("parent_obj", entero)}));
        h.insert(QStringLiteral("syscolumns"),
                 tablaCatalogo("syscolumns", enMaster ? "dalvo_m_syscolumns" : "dalvo_syscolumns",
                               {col("id", entero), col("colid", corto), col("name", sysname, true),
                                col("xtype", byte), col("length", corto), col("prec", corto),
                                col("scale", byte), col("usertype", corto), col("isnullable", entero),
                                col("colorder", corto), col("xusertype", corto)}));
        h.insert(QStringLiteral("systypes"),
                 tablaCatalogo("systypes", "dalvo_systypes",
                               {col("name", sysname, true), col("xtype", byte), col("xusertype", corto),
                                col("usertype", corto), col("length", corto), col("prec", corto),
                                col("scale", byte), col("variable", TipoSql::de(Familia::Bit)),
                                col("allownulls", TipoSql::de(Familia::Bit))}));
        return h;
    };
    static const QHash<QString, TablaEsquema> transaccional = armar(false);
    static const QHash<QString, TablaEsquema> deMaster = armar(true);
    return master ? deMaster : transaccional;
}

void ejecutarDdl(sqlite3* db, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const QString texto = QString::fromUtf8(error ? error : "");
        sqlite3_free(error);
        lanzar(num::ErrorInterno, QStringLiteral("HY000"),
               QStringLiteral("No se pudo preparar el catálogo del servidor de demostración: %1").arg(texto));
    }
}

} // namespace

int TablaEsquema::columna(QStringView nombreColumna) const
{
    for (size_t i = 0; i < columnas.size(); ++i)
        if (QStringView(columnas[i].nombre).compare(nombreColumna, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

bool Esquema::esInterna(QStringView nombre)
{
    return nombre.startsWith(u"sqlite_", Qt::CaseInsensitive) ||
           nombre.startsWith(u"dalvo_", Qt::CaseInsensitive);
}

void Esquema::cargar(sqlite3* db)
{
    mTablas.clear();
    sqlite3_stmt* s = nullptr;
    const char* sql = "SELECT m.name, m.type, p.name, p.type, p.\"notnull\", p.pk "
                      "FROM main.sqlite_schema m JOIN pragma_table_info(m.name, 'main') p "
                      "WHERE m.type IN ('table', 'view') ORDER BY m.name, p.cid";
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) != SQLITE_OK) {
        const ado::ErrorAdo e = errorDeSqlite(db, sqlite3_errcode(db), sqlite3_errmsg(db));
        throw ado::FallaMotor({e});
    }
    QHash<QString, int> clavesPorTabla;
    while (sqlite3_step(s) == SQLITE_ROW) {
        const auto texto = [&](int i) {
            return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s, i)));
        };
        const QString nombreTabla = texto(0);
        if (esInterna(nombreTabla))
            continue;
        const QString clave = nombreTabla.toCaseFolded();
        TablaEsquema& t = mTablas[clave];
        if (t.nombre.isEmpty()) {
            t.nombre = nombreTabla;
            t.sql = QLatin1Char('"') + QString(nombreTabla).replace(QLatin1Char('"'), QLatin1String("\"\"")) +
                    QLatin1Char('"');
            t.vista = texto(1) == QLatin1String("view");
        }
        ColumnaEsquema c;
        c.nombre = texto(2);
        const QString declarado = texto(3);
        c.tipo = tipoDeclarado(declarado);
        c.noNulo = sqlite3_column_int(s, 4) != 0;
        const int pk = sqlite3_column_int(s, 5);
        if (pk > 0)
            ++clavesPorTabla[clave];
        c.identidad = pk > 0 && declarado.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0;
        if (!t.vista) {
            const char* colacion = nullptr;
            const QByteArray tb = nombreTabla.toUtf8();
            const QByteArray cb = c.nombre.toUtf8();
            if (sqlite3_table_column_metadata(db, "main", tb.constData(), cb.constData(), nullptr, &colacion,
                                              nullptr, nullptr, nullptr) == SQLITE_OK &&
                colacion)
                c.ci = qstricmp(colacion, kColacion) == 0;
        }
        t.columnas.push_back(std::move(c));
    }
    sqlite3_finalize(s);
    // Only a single-column INTEGER PRIMARY KEY numbers itself.
    for (auto it = mTablas.begin(); it != mTablas.end(); ++it)
        if (clavesPorTabla.value(it.key()) != 1)
            for (ColumnaEsquema& c : it->columnas)
                c.identidad = false;
}

const TablaEsquema* Esquema::tabla(QStringView nombre) const
{
    const auto it = mTablas.constFind(nombre.toString().toCaseFolded());
    return it == mTablas.constEnd() ? nullptr : &*it;
}

const TablaEsquema* Esquema::catalogo(QStringView nombre, bool master)
{
    const auto& h = catalogos(master);
    const auto it = h.constFind(nombre.toString().toLower());
    return it == h.constEnd() ? nullptr : &*it;
}

void Esquema::crearVistasCatalogo(sqlite3* db)
{
    const QString filtro = QStringLiteral("m.type IN ('table', 'view') AND substr(m.name, 1, 7) <> 'sqlite_' "
                                          "AND substr(m.name, 1, 6) <> 'dalvo_'");
    const QString objetos =
        QStringLiteral("SELECT dalvo_objid(m.name) AS id, m.name COLLATE CI_AS AS name, "
                       "CASE m.type WHEN 'table' THEN 'U' ELSE 'V' END COLLATE CI_AS AS xtype, "
                       "CASE m.type WHEN 'table' THEN 'U' ELSE 'V' END COLLATE CI_AS AS type, "
                       "1 AS uid, 0 AS parent_obj FROM main.sqlite_schema m WHERE ") +
        filtro;
    const QString columnas =
        QStringLiteral(
            "SELECT dalvo_objid(m.name) AS id, p.cid + 1 AS colid, p.name COLLATE CI_AS AS name, "
            "dalvo_tipo(p.type, %1) AS xtype, dalvo_tipo(p.type, %2) AS length, "
            "dalvo_tipo(p.type, %3) AS prec, dalvo_tipo(p.type, %4) AS scale, "
            "dalvo_tipo(p.type, %5) AS usertype, 1 - p.\"notnull\" AS isnullable, p.cid + 1 AS colorder, "
            "dalvo_tipo(p.type, %5) AS xusertype "
            "FROM main.sqlite_schema m JOIN pragma_table_info(m.name, 'main') p WHERE ")
            .arg(campoTipo::Xtype)
            .arg(campoTipo::Longitud)
            .arg(campoTipo::Precision)
            .arg(campoTipo::Escala)
            .arg(campoTipo::Usertype) +
        filtro;
    // SQL Server 2000's systypes: name, xtype, xusertype, usertype, length, prec, scale, variable,
    // allownulls.
    const QString tipos = QStringLiteral(
        "SELECT column1 COLLATE CI_AS AS name, column2 AS xtype, column3 AS xusertype, column4 AS usertype, "
        "column5 AS length, column6 AS prec, column7 AS scale, column8 AS variable, 1 AS allownulls FROM "
        "(VALUES "
        "('bigint', 127, 127, 0, 8, 19, 0, 0), ('binary', 173, 173, 3, 8000, 8000, NULL, 0), "
        "('bit', 104, 104, 16, 1, 1, 0, 0), ('char', 175, 175, 1, 8000, 8000, NULL, 0), "
        "('datetime', 61, 61, 12, 8, 23, 3, 0), ('decimal', 106, 106, 24, 17, 38, 38, 0), "
        "('float', 62, 62, 8, 8, 53, NULL, 0), ('image', 34, 34, 20, 16, 0, NULL, 0), "
        "('int', 56, 56, 7, 4, 10, 0, 0), ('money', 60, 60, 11, 8, 19, 4, 0), "
        "('nchar', 239, 239, 0, 8000, 4000, NULL, 0), ('ntext', 99, 99, 0, 16, 0, NULL, 0), "
        "('numeric', 108, 108, 10, 17, 38, 38, 0), ('nvarchar', 231, 231, 0, 8000, 4000, NULL, 1), "
        "('real', 59, 59, 23, 4, 24, NULL, 0), ('smalldatetime', 58, 58, 22, 4, 16, 0, 0), "
        "('smallint', 52, 52, 6, 2, 5, 0, 0), ('smallmoney', 122, 122, 21, 4, 10, 4, 0), "
        "('sql_variant', 98, 98, 0, 8016, 0, NULL, 0), ('sysname', 231, 256, 256, 256, 128, NULL, 0), "
        "('text', 35, 35, 19, 16, 0, NULL, 0), ('timestamp', 189, 189, 80, 8, 8, NULL, 0), "
        "('tinyint', 48, 48, 5, 1, 3, 0, 0), ('uniqueidentifier', 36, 36, 0, 16, 0, NULL, 0), "
        "('varbinary', 165, 165, 4, 8000, 8000, NULL, 1), ('varchar', 167, 167, 2, 8000, 8000, NULL, 1))");
    ejecutarDdl(db, QStringLiteral("CREATE TEMP VIEW IF NOT EXISTS dalvo_sysobjects AS ") + objetos);
    ejecutarDdl(db, QStringLiteral("CREATE TEMP VIEW IF NOT EXISTS dalvo_m_sysobjects AS ") + objetos +
                        QStringLiteral(" AND 0"));
    ejecutarDdl(db, QStringLiteral("CREATE TEMP VIEW IF NOT EXISTS dalvo_syscolumns AS ") + columnas);
    ejecutarDdl(db, QStringLiteral("CREATE TEMP VIEW IF NOT EXISTS dalvo_m_syscolumns AS ") + columnas +
                        QStringLiteral(" AND 0"));
    ejecutarDdl(db, QStringLiteral("CREATE TEMP VIEW IF NOT EXISTS dalvo_systypes AS ") + tipos);
}

} // namespace dalvo::embebido

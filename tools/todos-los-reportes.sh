#!/usr/bin/env bash
# Produces every report of the catalogue to a PDF with dalvohd-report, with parameters taken from real rows
# of the database (looked up with dalvohd-sql), and prints one line per report: code, layout, rows, pages.
#
#   tools/todos-los-reportes.sh [-S servidor] [-d base] [-U usuario] [-P clave] [-o carpeta]
#
# Without -S the program's default server (dalvohd.conf, DALVOHD_SERVER, else the demo database). The PDFs go
# to the folder given with -o (default: a temporary folder, kept). The period is the last three calendar months
# of the data (up to its latest pharmacy ticket). Exit status 1 when any report fails or has no rows.
set -uo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
bin="${DALVOHD_BIN:-$raiz/build/bin}"
conexion=()
base=(-d dalvoPralMendoza) # a login whose default is master would move to the default server
salida=""
while [ $# -gt 0 ]; do
    case "$1" in
        -d) base=(-d "$2"); shift 2 ;;
        -S|-U|-P) conexion+=("$1" "$2"); shift 2 ;;
        -o) salida="$2"; shift 2 ;;
        -h|--help) sed -n '2,9p' "$0"; exit 0 ;;
        *) echo "Opción desconocida: $1" >&2; exit 2 ;;
    esac
done
for programa in dalvohd-sql dalvohd-report; do
    if [ ! -x "$bin/$programa" ]; then
        echo "No se encuentra $bin/$programa: compile el proyecto o indique DALVOHD_BIN." >&2
        exit 2
    fi
done
conexion+=("${base[@]}")
[ -n "$salida" ] || salida="$(mktemp -d "${TMPDIR:-/tmp}/dalvohd-reportes.XXXXXX")"
mkdir -p "$salida"
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$salida/.xdg"
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi

# The first column of the first row of a statement, trailing blanks removed; empty when there is no row.
valor() {
    local texto
    if ! texto="$("$bin/dalvohd-sql" "${conexion[@]}" -Q "$1" 2>&1)"; then
        echo "Error en la consulta de parámetros: $1" >&2
        echo "$texto" >&2
        return 1
    fi
    texto="$(sed -n '3p' <<<"$texto" | sed 's/[[:space:]]*$//')"
    case "$texto" in "("*" filas)"|"("*" fila)") texto="" ;; esac
    printf '%s' "$texto"
}

hoy="$(valor "SELECT CONVERT(char(8), MAX(Fecha_Prestacion), 112) FROM Tickets (NOLOCK)")" || exit 1
if [ -z "$hoy" ]; then
    echo "La base no tiene tickets de farmacia." >&2
    exit 1
fi
desde="$(valor "SELECT CONVERT(char(6), DATEADD(month, -2, '$hoy'), 112)")01"
fechas=("FECHADESDE=${desde:6:2}/${desde:4:2}/${desde:0:4}" "FECHAHASTA=${hoy:6:2}/${hoy:4:2}/${hoy:0:4}")
RT="T.Fecha_Prestacion >= '$desde' AND T.Fecha_Prestacion < DATEADD(day, 1, '$hoy')"
RP="T.FechaDePractica >= '$desde' AND T.FechaDePractica < DATEADD(day, 1, '$hoy')"

# --- Statements that find the rows a report is about (each gives "CLAVE=VALOR|CLAVE=VALOR ...") -----------
prestador() {
    echo "SELECT 'PRESTADORACTUAL=' + CONVERT(varchar(10), P.IdPrestador) + '|CODIGOPRESTADORACTUAL=' +
        RTRIM(P.Prestador_OS) + '|PRESTADORACTUALNOMBRE=' + RTRIM(P.Nombre) + '|PRESTADORESPECIALIDAD=' +
        RTRIM(ISNULL(TP.TipoPrestador, '')) + '|TIPOPRESTADORACTUAL=' + CONVERT(varchar(5), ISNULL(P.IdTipoPrestador, 0))
        FROM Prestadores P (NOLOCK) LEFT JOIN TipoPrestador TP (NOLOCK) ON TP.IdTipoPrestador = P.IdTipoPrestador
        WHERE P.IdPrestador = ($1)"
}
masTickets() { # the provider with most tickets in the period, among those of a condition
    echo "SELECT TOP 1 T.IdPrestador FROM Tickets T (NOLOCK) INNER JOIN Prestadores P (NOLOCK)
        ON P.IdPrestador = T.IdPrestador WHERE $RT AND $1 GROUP BY T.IdPrestador ORDER BY COUNT(*) DESC"
}
FARMACIA="$(prestador "$(masTickets "1 = 1")")"
PRACTICAS="$(prestador "SELECT TOP 1 T.IdPrestador FROM TicketPrestador T (NOLOCK) WHERE $RP
    AND T.Operacion IN ('11', '31') GROUP BY T.IdPrestador ORDER BY COUNT(*) DESC")"
INTERNACION="$(prestador "$(masTickets "P.IdTipoPrestador = 14")")"
VALORIZADO="$(prestador "SELECT TOP 1 V.IdPrestador FROM PrestadorPracticas V (NOLOCK)
    GROUP BY V.IdPrestador ORDER BY COUNT(*) DESC")"
SIN_CLASIFICAR="$(prestador "$(masTickets "T.IdTicket IN (SELECT I.IdTicket FROM Item_Tickets I (NOLOCK)
    INNER JOIN Medicamentos M (NOLOCK) ON M.Troquel = I.Troquel WHERE M.IdTipoMedicamento = 7)")")"
PENDIENTE="$(prestador "SELECT TOP 1 T.IdPrestador FROM Tickets T (NOLOCK) WHERE T.idCierre IS NULL
    AND T.Fecha_Prestacion < CONVERT(datetime, CONVERT(char(6), GETDATE(), 112) + '01', 112)
    ORDER BY T.Fecha_Prestacion DESC")"
CON_CIERRES="$(prestador "SELECT TOP 1 C.IdPrestador FROM Cierres C (NOLOCK)
    WHERE C.FechaServer >= '$desde' AND C.FechaServer < DATEADD(day, 1, '$hoy')
    GROUP BY C.IdPrestador ORDER BY SUM(C.Cant_transac) DESC")"
cierre() {
    echo "SELECT 'CIERREACTUAL=' + CONVERT(varchar(10), MAX(C.IdCierre)) + '|CIERREINICIAL=' +
        CONVERT(varchar(10), MAX(C.IdCierre) - 20) + '|CIERREFINAL=' + CONVERT(varchar(10), MAX(C.IdCierre))
        FROM Cierres C (NOLOCK) INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = C.IdPrestador WHERE $1"
}
ticket() {
    echo "SELECT 'TICKETACTUAL=' + CONVERT(varchar(10), MAX(IdTicket)) + '|TICKETINICIAL=' +
        CONVERT(varchar(10), MAX(IdTicket) - 30) + '|TICKETFINAL=' + CONVERT(varchar(10), MAX(IdTicket)) FROM $1 (NOLOCK)"
}
afiliado() {
    echo "SELECT TOP 1 'AFILIADOACTUAL=' + RTRIM(T.Num_Afil) + '|AFILIADO=' + RTRIM(T.Num_Afil) +
        '|PLANAFILIADOACTUAL=' + RTRIM(ISNULL(T.NumeroPlan, '')) FROM Tickets T (NOLOCK) WHERE T.Num_Afil = ($1)"
}
AFILIADO="$(afiliado "SELECT TOP 1 T.Num_Afil FROM Tickets T (NOLOCK) WHERE $RT
    GROUP BY T.Num_Afil ORDER BY COUNT(*) DESC")"
AFILIADO_PRACTICAS="SELECT TOP 1 'AFILIADO=' + RTRIM(T.Asociado) FROM TicketPrestador T (NOLOCK) WHERE $RP
    GROUP BY T.Asociado ORDER BY COUNT(*) DESC"
AUTORIZADO="$(afiliado "SELECT TOP 1 A.Num_Afil FROM Autorizaciones A (NOLOCK) GROUP BY A.Num_Afil
    ORDER BY COUNT(*) DESC")"
EN_TRATAMIENTO="$(afiliado "SELECT TOP 1 A.Num_Afil FROM TrPrAfiliado A (NOLOCK) ORDER BY A.IdTratamiento")"
medicamento() {
    echo "SELECT 'MEDICAMENTOACTUAL=' + RTRIM(M.Troquel) + '|MEDICAMENTONOMBRE=' + RTRIM(M.Nombre)
        FROM Medicamentos M (NOLOCK) WHERE M.Troquel = ($1)"
}
MEDICAMENTO="$(medicamento "SELECT TOP 1 I.Troquel FROM Item_Tickets I (NOLOCK) INNER JOIN Tickets T (NOLOCK)
    ON T.IdTicket = I.IdTicket WHERE $RT GROUP BY I.Troquel ORDER BY COUNT(*) DESC")"
EN_TRATAMIENTO_MED="$(medicamento "SELECT TOP 1 M.Troquel FROM TrPrMedicamento M (NOLOCK)
    GROUP BY M.Troquel ORDER BY COUNT(*) DESC")"
PRACTICA="SELECT 'PRACTICAACTUAL=' + RTRIM(P.PracticaOS) + '|PRACTICANOMBRE=' + RTRIM(P.Descripcion)
    FROM Practicas P (NOLOCK) WHERE P.PracticaOS = (SELECT TOP 1 I.Practica FROM ItemTicketPrestador I (NOLOCK)
    INNER JOIN TicketPrestador T (NOLOCK) ON T.IdTicket = I.IdTicket WHERE $RP AND T.Operacion IN ('11', '31')
    AND T.Anulado = 0 GROUP BY I.Practica ORDER BY COUNT(*) DESC)"
MEDICO="SELECT TOP 1 'MEDICOACTUAL=' + M.Matricula + '|MEDICONOMBRE=' + RTRIM(ISNULL(M.Nombre, 'Medico'))
    FROM Medicos M (NOLOCK) WHERE M.Matricula = (SELECT TOP 1 X.Matricula FROM Tickets T (NOLOCK)
    INNER JOIN Medicos X (NOLOCK) ON X.IdMedico = T.medico_receta WHERE $RT GROUP BY X.Matricula
    ORDER BY COUNT(*) DESC)"
RECETA="SELECT TOP 1 'MEDICORECETA=' + CONVERT(varchar(10), T.medico_receta) + '|MEDICORECETANOMBRE=' +
    RTRIM(M.Nombre) FROM Tickets T (NOLOCK) INNER JOIN Medicos M (NOLOCK) ON M.IdMedico = T.medico_receta
    WHERE $RT AND M.Nombre IS NOT NULL GROUP BY T.medico_receta, M.Nombre ORDER BY COUNT(*) DESC"
RECETA_PRACTICAS="SELECT TOP 1 'MEDICORECETA=' + CONVERT(varchar(10), T.MatriculaPP) FROM TicketPrestador T (NOLOCK)
    WHERE $RP AND T.MatriculaPP IS NOT NULL GROUP BY T.MatriculaPP ORDER BY COUNT(*) DESC"
ACCION="SELECT TOP 1 'ACCIONACTUAL=' + A.CodigoAccion + '|ACCIONNOMBRE=' + RTRIM(A.Descripcion) FROM Accion A (NOLOCK)
    WHERE CONVERT(int, A.CodigoAccion) IN (SELECT AM.CodigoAccion FROM AccionMedicamento AM (NOLOCK))
    ORDER BY A.CodigoAccion"
ULTIMO_TICKET="SELECT CONVERT(varchar(10), MAX(T.IdTicket)) FROM Tickets T (NOLOCK) WHERE $RT"

# Every code of the catalogue and the statements that give its parameters ("-" for none).
casos=(
    "KC1|-" "KC2|$(cierre "1 = 1")" "KC3|$(cierre "1 = 1")" "KC4|$CON_CIERRES"
    "KC5|$(cierre "P.IdTipoPrestador IN (1, 14)")" "KC15|$(cierre "P.IdTipoPrestador NOT IN (1, 14)")"
    "KC6|$CON_CIERRES"
    "KM1|-" "KM2|$MEDICAMENTO" "KM4|$MEDICAMENTO" "KM9|$EN_TRATAMIENTO_MED"
    "KM5|$MEDICAMENTO" "KM6|$MEDICAMENTO" "KM7|$MEDICAMENTO" "KM8|$MEDICAMENTO"
    "KPM|-" "K31|-" "KA1|$AUTORIZADO" "KA6|$EN_TRATAMIENTO"
    "KA2|$AFILIADO" "KA3|$AFILIADO" "KA4|$AFILIADO" "KA5|$AFILIADO" "KA7|$AFILIADO" "KG1|-" "KG2|-"
    "KP|-" "KP1|$VALORIZADO" "KP10|$INTERNACION" "KIM1|-" "KIA2|-" "KAC1|$ACCION"
    "KT1|-" "KTP1|-" "KT2|$(ticket Tickets)" "KTP2|$(ticket TicketPrestador)"
    "KT3|$(ticket Tickets)" "KTP3|$(ticket TicketPrestador)" "KT4|$AFILIADO" "KTP4|$AFILIADO_PRACTICAS"
    "KT5|$FARMACIA" "KTP5|$PRACTICAS" "KT6|$RECETA" "KTP6|$RECETA_PRACTICAS"
    "KR1|$PRACTICA" "KR2|$PRACTICA" "KR3|$PRACTICA" "KR4|$PRACTICA"
    "KD1|$MEDICO" "KD3|$MEDICO" "KD4|$MEDICO" "KD5|$MEDICO"
    "KP2|$PENDIENTE" "KP3|-" "KP4|$FARMACIA" "KP5|$FARMACIA" "KP6|$PRACTICAS" "KP7|$FARMACIA"
    "KP9|$FARMACIA" "KP11|$SIN_CLASIFICAR" "KP12|$FARMACIA"
    "KT|-"
)

echo "Período ${fechas[0]#*=} a ${fechas[1]#*=}; PDF en $salida"
printf '%-5s %-28s %7s %8s\n' "Código" "Reporte" "Filas" "Páginas"
fallas=0
for caso in "${casos[@]}"; do
    codigo="${caso%%|*}"
    consulta="${caso#*|}"
    parametros=("${fechas[@]}")
    if [ "$consulta" != "-" ]; then
        if ! fila="$(valor "$consulta")" || [ -z "$fila" ]; then
            printf '%-5s FALLA: no hay filas de las que tomar sus parámetros\n' "$codigo"
            fallas=$((fallas + 1))
            continue
        fi
        IFS='|' read -r -a pares <<<"$fila"
        parametros+=("${pares[@]}")
    fi
    extra=()
    if [ "$codigo" = KT ]; then
        extra=(--ticket "$(valor "$ULTIMO_TICKET")")
    fi
    if texto="$("$bin/dalvohd-report" "${conexion[@]}" --carpeta "$raiz/Reportes" "$codigo" "${parametros[@]}" \
        "${extra[@]}" -o "$salida/$codigo.pdf" 2>&1)"; then
        reporte="$(sed -n 's/^Reporte: //p' <<<"$texto")"
        filas="$(sed -n 's/^Filas: //p' <<<"$texto")"
        paginas="$(sed -n 's/^Páginas: //p' <<<"$texto")"
        printf '%-5s %-28s %7s %8s\n' "$codigo" "$reporte" "$filas" "$paginas"
    else
        printf '%-5s FALLA: %s\n' "$codigo" "$(grep -v '^QStandardPaths' <<<"$texto" | tr '\n' ' ')"
        fallas=$((fallas + 1))
    fi
done
if [ "$fallas" -gt 0 ]; then
    echo "$fallas reportes fallaron." >&2
    exit 1
fi
echo "Todos los reportes generados."

-- The medicines a physician prescribed in a period (report KD1, layout MedicoMedicamentos): one row per item
-- of a pharmacy ticket that is not cancelled and names a physician with that registration number, sorted by
-- medicine. Empty dates (or NULL) leave that end of the period open.
CREATE PROCEDURE sprptMedicoMedicamentos
    @pMatricula char(6),
    @pFechaDesde char(8) = NULL,
    @pFechaHasta char(8) = NULL
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @desde datetime, @hasta datetime
    SET @desde = '19000101'
    SET @hasta = '99991231'
    IF RTRIM(ISNULL(@pFechaDesde, '')) <> ''
        SET @desde = CONVERT(datetime, @pFechaDesde, 112)
    IF RTRIM(ISNULL(@pFechaHasta, '')) <> ''
        SET @hasta = DATEADD(day, 1, CONVERT(datetime, @pFechaHasta, 112))
    DECLARE @medico char(50), @especialidad char(40)
    SELECT @medico = MAX(M.Nombre), @especialidad = MAX(E.Especialidad)
    FROM Medicos M (NOLOCK) LEFT JOIN Especialidades E (NOLOCK) ON E.IdEspecialidad = M.IdEspecialidad
    WHERE M.Matricula = @pMatricula
    SELECT CONVERT(char(6), @pMatricula) AS MatriculaMedico, ISNULL(@medico, '(sin nombre)') AS NombreMedico,
           ISNULL(@especialidad, '') AS Especialidad,
           X.Codigo AS Troquel, X.Descripcion AS Medicamento, X.IdTicket, X.Fecha, X.Num_Afil, X.Prestador_OS,
           X.NombrePrestador, X.Cantidad, X.Precio, X.Importe, X.ACargoOS, X.Importe - X.ACargoOS AS ACargoAfiliado
    FROM (
          SELECT CONVERT(varchar(12), 'Medicamento') AS Tipo, CONVERT(varchar(7), IT.Troquel) AS Codigo,
                 CONVERT(varchar(81), RTRIM(MD.Nombre) + ' ' + RTRIM(MD.Prestacion)) AS Descripcion,
                 T.IdTicket, T.Fecha_Prestacion AS Fecha, T.Num_Afil, T.NumeroPlan, T.IdPrestador, P.Prestador_OS,
                 P.Nombre AS NombrePrestador, IT.Cantidad - IT.Cantidad_Dev AS Cantidad, IT.Precio,
                 IT.Precio * (IT.Cantidad - IT.Cantidad_Dev) AS Importe,
                 CONVERT(money, ROUND(IT.Precio * (IT.Cantidad - IT.Cantidad_Dev) * IT.Desc_Os / 100.0, 2)) AS ACargoOS
          FROM Item_Tickets IT (NOLOCK)
               INNER JOIN Tickets T (NOLOCK) ON T.IdTicket = IT.IdTicket
               INNER JOIN Medicamentos MD (NOLOCK) ON MD.Troquel = IT.Troquel
               INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
          WHERE T.Anulado = 0 AND T.Fecha_Prestacion >= @desde AND T.Fecha_Prestacion < @hasta
            AND T.medico_receta IN (SELECT MM.IdMedico FROM Medicos MM (NOLOCK) WHERE MM.Matricula = @pMatricula)
          UNION ALL
          SELECT 'Práctica', IT.Practica, PR.Descripcion, T.IdTicket, T.FechaDePractica, T.Asociado, T.PlanAsociado,
                 T.IdPrestador, P.Prestador_OS, P.Nombre, CONVERT(int, IT.Cantidad), ISNULL(IT.ValorNomenclador, 0),
                 IT.Cantidad * ISNULL(IT.ValorNomenclador, 0), IT.Cantidad * ISNULL(IT.ValorNomenclador, 0)
          FROM ItemTicketPrestador IT (NOLOCK)
               INNER JOIN TicketPrestador T (NOLOCK) ON T.IdTicket = IT.IdTicket
               INNER JOIN Practicas PR (NOLOCK) ON PR.PracticaOS = IT.Practica
               INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
          WHERE T.Anulado = 0 AND T.Operacion IN ('11', '31')
            AND T.FechaDePractica >= @desde AND T.FechaDePractica < @hasta
            AND 1 = 0) X
    ORDER BY X.Descripcion, X.Codigo, X.Fecha, X.IdTicket
END

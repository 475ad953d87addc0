-- The physicians whose prescriptions a provider served in a period (report KP12, layout
-- PrescriptoresPorPrestador): one row per registration number with its physician's data and the first and last
-- ticket. The name is the database's own (sic). Empty dates (or NULL) leave that end of the period open.
CREATE PROCEDURE sprptPrescriptoresPorPresatador
    @pIdPrestador int,
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
    DECLARE @codigo char(10), @nombre char(50), @tipo char(30)
    SELECT @codigo = P.Prestador_OS, @nombre = P.Nombre, @tipo = ISNULL(TP.TipoPrestador, '')
    FROM Prestadores P (NOLOCK) LEFT JOIN TipoPrestador TP (NOLOCK) ON TP.IdTipoPrestador = P.IdTipoPrestador
    WHERE P.IdPrestador = @pIdPrestador
    SELECT @codigo AS CodigoPrestador, @nombre AS Prestador, @tipo AS TipoPrestador,
           Y.Matricula, Y.Medico,
           ISNULL((SELECT MAX(E.Especialidad) FROM Medicos M (NOLOCK)
                   INNER JOIN Especialidades E (NOLOCK) ON E.IdEspecialidad = M.IdEspecialidad
                   WHERE M.Matricula = Y.Matricula), '') AS Especialidad,
           CASE WHEN Y.Matricula = '' THEN '' WHEN EXISTS (SELECT 1 FROM Medicos M (NOLOCK)
                   WHERE M.Matricula = Y.Matricula AND M.Baja = 0) THEN 'Sí' ELSE 'No' END AS Activo,
           Y.Tickets, Y.Primera, Y.Ultima
    FROM (SELECT X.Matricula, X.Medico, COUNT(*) AS Tickets, MIN(X.Fecha) AS Primera, MAX(X.Fecha) AS Ultima
          FROM (
                SELECT CONVERT(varchar(12), 'Medicamentos') AS Tipo, T.IdTicket, T.Fecha_Prestacion AS Fecha, T.Num_Afil,
                       T.NumeroPlan, T.IdPrestador, P.Prestador_OS, P.Nombre AS NombrePrestador,
                       CONVERT(varchar(6), ISNULL(M.Matricula, '')) AS Matricula,
                       CONVERT(char(50), CASE WHEN T.medico_receta IS NULL THEN '(sin médico)'
                                              ELSE ISNULL((SELECT MAX(MM.Nombre) FROM Medicos MM (NOLOCK)
                                                           WHERE MM.Matricula = M.Matricula), '(sin nombre)') END) AS Medico,
                       (SELECT COUNT(*) FROM Item_Tickets I (NOLOCK) WHERE I.IdTicket = T.IdTicket) AS Items,
                       ISNULL((SELECT SUM(I.Precio * (I.Cantidad - I.Cantidad_Dev)) FROM Item_Tickets I (NOLOCK)
                               WHERE I.IdTicket = T.IdTicket), 0) AS Importe,
                       T.Desc_al_afiliado AS ACargoOS, T.desc_os AS DescPrestador
                FROM Tickets T (NOLOCK)
                     INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
                     LEFT JOIN Medicos M (NOLOCK) ON M.IdMedico = T.medico_receta
                WHERE T.Anulado = 0 AND T.Fecha_Prestacion >= @desde AND T.Fecha_Prestacion < @hasta
                  AND T.IdPrestador = @pIdPrestador
                UNION ALL
                SELECT 'Prácticas', T.IdTicket, T.FechaDePractica, T.Asociado, T.PlanAsociado, T.IdPrestador, P.Prestador_OS,
                       P.Nombre, ISNULL(RIGHT('000000' + CONVERT(varchar(9), T.MatriculaPP), 6), ''),
                       CONVERT(char(50), CASE WHEN T.MatriculaPP IS NULL THEN '(sin médico)'
                                              ELSE ISNULL((SELECT MAX(MM.Nombre) FROM Medicos MM (NOLOCK)
                                                           WHERE MM.Matricula = RIGHT('000000' + CONVERT(varchar(9), T.MatriculaPP), 6)),
                                                          '(sin nombre)') END),
                       (SELECT COUNT(*) FROM ItemTicketPrestador I (NOLOCK) WHERE I.IdTicket = T.IdTicket),
                       ISNULL((SELECT SUM(I.Cantidad * ISNULL(I.ValorNomenclador, 0)) FROM ItemTicketPrestador I (NOLOCK)
                               WHERE I.IdTicket = T.IdTicket), 0),
                       ISNULL((SELECT SUM(I.Cantidad * ISNULL(I.ValorNomenclador, 0)) FROM ItemTicketPrestador I (NOLOCK)
                               WHERE I.IdTicket = T.IdTicket), 0),
                       CONVERT(money, 0)
                FROM TicketPrestador T (NOLOCK)
                     INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
                WHERE T.Anulado = 0 AND T.Operacion IN ('11', '31')
                  AND T.FechaDePractica >= @desde AND T.FechaDePractica < @hasta
                  AND T.IdPrestador = @pIdPrestador) X
          GROUP BY X.Matricula, X.Medico) Y
    ORDER BY Y.Medico, Y.Matricula
END

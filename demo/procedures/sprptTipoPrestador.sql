-- What each provider billed in a period, by provider type (report KG2, layout TipoPrestador): settled
-- pharmacy and provider tickets, one row per provider with tickets, sorted by type. Empty dates (or NULL) leave
-- that end of the period open.
CREATE PROCEDURE sprptTipoPrestador
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
    SELECT ISNULL(TP.TipoPrestador, '(sin tipo)') AS TipoPrestador, P.IdPrestador, P.Prestador_OS,
           P.Nombre AS NombrePrestador, ISNULL(D.Departamento, '') AS Departamento, Y.Tickets, Y.Items,
           Y.Importe, Y.ACargoOS, Y.Importe - Y.ACargoOS AS ACargoAfiliado, Y.DescPrestador
    FROM (SELECT X.IdPrestador, COUNT(*) AS Tickets, SUM(X.Items) AS Items, SUM(X.Importe) AS Importe,
                 SUM(X.ACargoOS) AS ACargoOS, SUM(X.DescPrestador) AS DescPrestador
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
                  AND 1 = 1
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
                  AND 1 = 1) X
          GROUP BY X.IdPrestador) Y
         INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = Y.IdPrestador
         LEFT JOIN TipoPrestador TP (NOLOCK) ON TP.IdTipoPrestador = P.IdTipoPrestador
         LEFT JOIN Departamentos D (NOLOCK) ON D.IdDepartamento = P.IdDepartamento
    ORDER BY ISNULL(TP.TipoPrestador, '(sin tipo)'), P.Nombre, P.IdPrestador
END

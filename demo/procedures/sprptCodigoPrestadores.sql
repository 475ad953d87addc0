-- One practice's items in a period, by provider (report KR3, layout CodigoPractPrestadores): one row per item of a
-- provider ticket that is settled (operations "11" and "31", not cancelled). Empty dates (or NULL) leave that
-- end of the period open.
CREATE PROCEDURE sprptCodigoPrestadores
    @pPracticaOS char(6),
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
    SELECT IT.Practica, PR.Descripcion AS DescripcionPractica, PR.ValorNomenclador AS ValorLista,
           ISNULL(RIGHT('000000' + CONVERT(varchar(9), T.MatriculaPP), 6), '') AS Matricula,
           CONVERT(char(50), CASE WHEN T.MatriculaPP IS NULL THEN '(sin médico)'
                                  ELSE ISNULL((SELECT MAX(M.Nombre) FROM Medicos M (NOLOCK)
                                               WHERE M.Matricula = RIGHT('000000' + CONVERT(varchar(9), T.MatriculaPP), 6)),
                                              '(sin nombre)') END) AS Medico,
           T.IdTicket, T.FechaDePractica AS Fecha, T.Asociado AS Num_Afil, T.PlanAsociado AS NumeroPlan,
           T.IdPrestador, P.Prestador_OS, P.Nombre AS NombrePrestador, T.Operacion,
           CONVERT(int, IT.Cantidad) AS Cantidad, ISNULL(IT.ValorNomenclador, 0) AS Valor,
           IT.Cantidad * ISNULL(IT.ValorNomenclador, 0) AS Importe
    FROM ItemTicketPrestador IT (NOLOCK)
         INNER JOIN TicketPrestador T (NOLOCK) ON T.IdTicket = IT.IdTicket
         INNER JOIN Practicas PR (NOLOCK) ON PR.PracticaOS = IT.Practica
         INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = T.IdPrestador
    WHERE IT.Practica = @pPracticaOS
      AND T.FechaDePractica >= @desde AND T.FechaDePractica < @hasta
      AND T.Anulado = 0 AND T.Operacion IN ('11', '31')
    ORDER BY NombrePrestador, T.IdPrestador, Fecha, IdTicket
END

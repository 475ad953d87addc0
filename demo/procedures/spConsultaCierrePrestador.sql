-- A closing of a provider of practices for the form FormularioCierre (report KC15): one row per provider ticket
-- the closing counts (operations 11 and 31, not cancelled), with the closing's header on every row. Practices
-- carry no member charge: the insurer's share (Bonificacion) is the whole value.
CREATE PROCEDURE spConsultaCierrePrestador
    @pNumeroEjecucionSys int = 0,
    @pIdCierre int = NULL,
    @pIdPrestador int = NULL,
    @pFechaDesde varchar(10) = NULL,
    @pFechaHasta varchar(10) = NULL,
    @pOpcion int = NULL
AS
BEGIN
    SET NOCOUNT ON
    SELECT C.IdCierre AS Cierre, C.FechaServer AS FechaCierre,
           (SELECT MIN(X.FechaDePractica) FROM TicketPrestador X (NOLOCK) WHERE X.IdCierre = C.IdCierre) AS FechaDesde,
           (SELECT MAX(X.FechaDePractica) FROM TicketPrestador X (NOLOCK) WHERE X.IdCierre = C.IdCierre) AS FechaHasta,
           C.NumeroTramite, C.IdPrestador AS Prestador, P.Prestador_OS, P.Nombre AS NombrePrestador,
           ISNULL(TP.TipoPrestador, '') AS TipoPrestador, CONVERT(int, C.Cant_transac) AS CantTickets,
           C.TTicket, C.TAfilia, C.TDPrestador, C.BPRAL,
           T.IdTicket, T.FechaDePractica AS FechaTicket, T.Asociado AS Num_Afil,
           (SELECT COUNT(*) FROM ItemTicketPrestador IT (NOLOCK) WHERE IT.IdTicket = T.IdTicket) AS Items,
           ISNULL((SELECT SUM(ISNULL(IT.ValorNomenclador, 0) * IT.Cantidad) FROM ItemTicketPrestador IT (NOLOCK)
                   WHERE IT.IdTicket = T.IdTicket), 0) AS Total,
           CONVERT(money, 0) AS CargoAfiliado,
           ISNULL((SELECT SUM(ISNULL(IT.ValorNomenclador, 0) * IT.Cantidad) FROM ItemTicketPrestador IT (NOLOCK)
                   WHERE IT.IdTicket = T.IdTicket), 0) AS Bonificacion
    FROM Cierres C (NOLOCK)
         INNER JOIN Prestadores P (NOLOCK) ON P.IdPrestador = C.IdPrestador
         LEFT JOIN TipoPrestador TP (NOLOCK) ON TP.IdTipoPrestador = P.IdTipoPrestador
         INNER JOIN TicketPrestador T (NOLOCK) ON T.IdCierre = C.IdCierre
    WHERE C.IdCierre = @pIdCierre AND T.Anulado = 0 AND T.Operacion IN ('11', '31')
    ORDER BY T.IdTicket
END

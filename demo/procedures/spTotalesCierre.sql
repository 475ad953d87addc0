-- The figures of a closing, computed from its tickets as the demo's closings are: only tickets that are not
-- cancelled count (and, for providers of practices, only the operations "11" and "31").
--   pharmacies (types 1 and 14): TTicket = the items' amounts, BPRAL = the tickets' Desc_al_afiliado,
--     TDPrestador = the tickets' desc_os, TAfilia = TTicket - BPRAL;
--   providers of practices: TTicket = BPRAL = the items' values, TAfilia = TDPrestador = 0.
-- The tickets are those of the closing @pIdCierre, or with @pIdCierre 0 the provider's tickets not yet
-- closed from @pDesde up to (not including) @pHasta (a NULL bound is open). Used by the other closing
-- procedures, so that every closing is figured the same way.
CREATE PROCEDURE spTotalesCierre
    @pIdPrestador int,
    @pIdCierre int,
    @pDesde datetime = NULL,
    @pHasta datetime = NULL,
    @oCantidad int = NULL OUTPUT,
    @oTotal money = NULL OUTPUT,
    @oBonificacion money = NULL OUTPUT,
    @oDescuento money = NULL OUTPUT,
    @oTickets int = NULL OUTPUT
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @tipo smallint
    SELECT @tipo = IdTipoPrestador FROM Prestadores (NOLOCK) WHERE IdPrestador = @pIdPrestador
    IF ISNULL(@tipo, 0) IN (1, 14)
    BEGIN
        SELECT @oTickets = COUNT(*),
               @oCantidad = ISNULL(SUM(CASE WHEN T.Anulado = 0 THEN 1 ELSE 0 END), 0),
               @oBonificacion = ISNULL(SUM(CASE WHEN T.Anulado = 0 THEN T.Desc_al_afiliado ELSE 0 END), 0),
               @oDescuento = ISNULL(SUM(CASE WHEN T.Anulado = 0 THEN T.desc_os ELSE 0 END), 0)
            FROM Tickets T (NOLOCK)
            WHERE T.IdPrestador = @pIdPrestador
              AND ((@pIdCierre <> 0 AND T.idCierre = @pIdCierre)
                   OR (@pIdCierre = 0 AND T.idCierre IS NULL
                       AND (@pDesde IS NULL OR T.Fecha_Prestacion >= @pDesde)
                       AND (@pHasta IS NULL OR T.Fecha_Prestacion < @pHasta)))
        SELECT @oTotal = ISNULL(SUM((I.Cantidad - I.Cantidad_Dev) * I.Precio), 0)
            FROM Tickets T (NOLOCK)
            INNER JOIN Item_Tickets I (NOLOCK) ON I.IdTicket = T.IdTicket
            WHERE T.IdPrestador = @pIdPrestador AND T.Anulado = 0
              AND ((@pIdCierre <> 0 AND T.idCierre = @pIdCierre)
                   OR (@pIdCierre = 0 AND T.idCierre IS NULL
                       AND (@pDesde IS NULL OR T.Fecha_Prestacion >= @pDesde)
                       AND (@pHasta IS NULL OR T.Fecha_Prestacion < @pHasta)))
    END
    ELSE
    BEGIN
        SELECT @oTickets = COUNT(*),
               @oCantidad = ISNULL(SUM(CASE WHEN T.Anulado = 0 AND T.Operacion IN ('11', '31') THEN 1 ELSE 0 END), 0)
            FROM TicketPrestador T (NOLOCK)
            WHERE T.IdPrestador = @pIdPrestador
              AND ((@pIdCierre <> 0 AND T.IdCierre = @pIdCierre)
                   OR (@pIdCierre = 0 AND T.IdCierre IS NULL
                       AND (@pDesde IS NULL OR T.FechaDePractica >= @pDesde)
                       AND (@pHasta IS NULL OR T.FechaDePractica < @pHasta)))
        SELECT @oTotal = ISNULL(SUM(I.Cantidad * ISNULL(I.ValorNomenclador, 0)), 0)
            FROM TicketPrestador T (NOLOCK)
            INNER JOIN ItemTicketPrestador I (NOLOCK) ON I.IdTicket = T.IdTicket
            WHERE T.IdPrestador = @pIdPrestador AND T.Anulado = 0 AND T.Operacion IN ('11', '31')
              AND ((@pIdCierre <> 0 AND T.IdCierre = @pIdCierre)
                   OR (@pIdCierre = 0 AND T.IdCierre IS NULL
                       AND (@pDesde IS NULL OR T.FechaDePractica >= @pDesde)
                       AND (@pHasta IS NULL OR T.FechaDePractica < @pHasta)))
        SELECT @oBonificacion = @oTotal, @oDescuento = 0
    END
    RETURN 0
END

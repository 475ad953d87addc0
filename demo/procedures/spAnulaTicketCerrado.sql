-- Takes one ticket out of its closing: the ticket is released and the closing's figures are computed again
-- from the tickets it keeps (spTotalesCierre); a closing left without tickets is removed as spAnularCierre
-- would. One row: Anulado 1 when done, 0 with the reason in Comentario when the closing does not exist or
-- the ticket is not one of its tickets.
CREATE PROCEDURE spAnulaTicketCerrado
    @pIdCierre int,
    @pIdTicket int
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @prestador int, @tipo smallint, @farmacia bit, @esta int
    DECLARE @cantidad int, @total money, @bonificacion money, @descuento money, @tickets int
    SELECT @prestador = IdPrestador FROM Cierres (NOLOCK) WHERE IdCierre = @pIdCierre
    IF @prestador IS NULL
    BEGIN
        SELECT 0 AS Anulado, CONVERT(varchar(60), 'No existe el cierre ' + CONVERT(varchar(10), @pIdCierre))
            AS Comentario
        RETURN 1
    END
    SELECT @tipo = IdTipoPrestador FROM Prestadores (NOLOCK) WHERE IdPrestador = @prestador
    SET @farmacia = CASE WHEN ISNULL(@tipo, 0) IN (1, 14) THEN 1 ELSE 0 END
    IF @farmacia = 1
        SELECT @esta = COUNT(*) FROM Tickets WHERE IdTicket = @pIdTicket AND idCierre = @pIdCierre
    ELSE
        SELECT @esta = COUNT(*) FROM TicketPrestador WHERE IdTicket = @pIdTicket AND IdCierre = @pIdCierre
    IF @esta = 0
    BEGIN
        SELECT 0 AS Anulado,
               CONVERT(varchar(60), 'El ticket ' + CONVERT(varchar(10), @pIdTicket) + ' no está en el cierre '
                   + CONVERT(varchar(10), @pIdCierre)) AS Comentario
        RETURN 1
    END

    BEGIN TRANSACTION
    IF @farmacia = 1
        UPDATE Tickets SET idCierre = NULL WHERE IdTicket = @pIdTicket
    ELSE
        UPDATE TicketPrestador SET IdCierre = NULL WHERE IdTicket = @pIdTicket
    EXEC spTotalesCierre @prestador, @pIdCierre, NULL, NULL, @cantidad OUTPUT, @total OUTPUT,
        @bonificacion OUTPUT, @descuento OUTPUT, @tickets OUTPUT
    IF @tickets = 0
        EXEC spBorraCierre @pIdCierre, 1
    ELSE
    BEGIN
        UPDATE Cierres
            SET Cant_transac = @cantidad, TTicket = @total, TAfilia = @total - @bonificacion,
                TDPrestador = @descuento, BPRAL = @bonificacion
            WHERE IdCierre = @pIdCierre
        UPDATE tteLog SET CantidadRegistros = CantidadRegistros - 1
            WHERE NumeroTramite = (SELECT NumeroTramite FROM Cierres WHERE IdCierre = @pIdCierre)
    END
    COMMIT TRANSACTION
    SELECT 1 AS Anulado, CONVERT(varchar(60), '') AS Comentario
    RETURN 0
END

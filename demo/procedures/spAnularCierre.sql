-- Cancels a closing: its tickets are released (no closing number, so a new closing can take them) and the
-- closing is removed with its share of the day's processing row. One row: Anulado 1 when done, 0 with the
-- reason in Comentario when the closing does not exist or belongs to another provider.
CREATE PROCEDURE spAnularCierre
    @pIdPrestador int,
    @pIdCierre int
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @tickets int, @practicas int
    IF NOT EXISTS (SELECT 1 FROM Cierres (NOLOCK) WHERE IdCierre = @pIdCierre AND IdPrestador = @pIdPrestador)
    BEGIN
        SELECT 0 AS Anulado,
               CONVERT(varchar(60), 'No existe el cierre ' + CONVERT(varchar(10), @pIdCierre) + ' del prestador '
                   + CONVERT(varchar(10), @pIdPrestador)) AS Comentario
        RETURN 1
    END
    SELECT @tickets = COUNT(*) FROM Tickets WHERE idCierre = @pIdCierre
    SELECT @practicas = COUNT(*) FROM TicketPrestador WHERE IdCierre = @pIdCierre
    SET @tickets = @tickets + @practicas
    BEGIN TRANSACTION
    UPDATE Tickets SET idCierre = NULL WHERE idCierre = @pIdCierre
    UPDATE TicketPrestador SET IdCierre = NULL WHERE IdCierre = @pIdCierre
    EXEC spBorraCierre @pIdCierre, @tickets
    COMMIT TRANSACTION
    SELECT 1 AS Anulado, CONVERT(varchar(60), '') AS Comentario
    RETURN 0
END

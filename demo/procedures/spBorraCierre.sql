-- Removes a closing whose tickets were already released, and takes its @pTickets tickets off the day's
-- processing row (tteLog); the row goes when no closing carries its number any more. Called by
-- spAnularCierre and spAnulaTicketCerrado inside their transactions.
CREATE PROCEDURE spBorraCierre
    @pIdCierre int,
    @pTickets int
AS
BEGIN
    SET NOCOUNT ON
    DECLARE @tramite int
    SELECT @tramite = NumeroTramite FROM Cierres WHERE IdCierre = @pIdCierre
    DELETE FROM Cierres WHERE IdCierre = @pIdCierre
    UPDATE tteLog SET CantidadRegistros = CantidadRegistros - @pTickets WHERE NumeroTramite = @tramite
    IF NOT EXISTS (SELECT 1 FROM Cierres WHERE NumeroTramite = @tramite)
        DELETE FROM tteLog WHERE NumeroTramite = @tramite
    RETURN 0
END

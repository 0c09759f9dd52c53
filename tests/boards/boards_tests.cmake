# Tests of the board and track models.

# Tests of the board windows' non-visual halves.

# End-to-end scenarios on the example applications.

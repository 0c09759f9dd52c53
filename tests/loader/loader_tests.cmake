# Tests of the source loader.

# Statement ladders: the grid of cells a statement is drawn as and its builder.
target_sources(veldra_core PRIVATE
    ladder/elements.cpp
    ladder/create_ladder.cpp
    ladder/drawn_expression.cpp
    ladder/contact_value.cpp
    ladder/ladders.cpp
    ladder/statement_text.cpp
)

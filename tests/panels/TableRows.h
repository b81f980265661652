#pragma once

// Rows of the variable tables the panel tests build their lists from.
#define ROW(oid, name, syntax, flags, options)                                                     \
    {                                                                                              \
        oid, name, syntax, flags, options, nullptr, nullptr, nullptr, nullptr, nullptr             \
    }
#define END                                                                                        \
    {                                                                                              \
        nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr               \
    }

Exit Do ' expect compile error: 1039: Invalid 'exit' statement

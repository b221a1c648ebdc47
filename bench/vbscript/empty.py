# Nothing: the interpreter's start-up time, subtracted from every figure.

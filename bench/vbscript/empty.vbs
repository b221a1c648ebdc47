' Nothing: the runner's start-up time, subtracted from every figure.

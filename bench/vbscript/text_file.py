# Writing a CSV log of 200 000 lines, then reading it back line by line and adding up one
# column (as text_file.vbs).
import os

path = "/tmp/fltamp_bench_text_file.csv"
with open(path, "w", newline="") as f:
    for i in range(1, 200001):
        f.write(f"{i},{i % 30},{i % 30 + 1} MHz\r\n")
n = 0
total = 0
with open(path, newline="") as f:
    for line in f:
        total += int(line.rstrip("\r\n").split(",")[1])
        n += 1
os.remove(path)
print(n, total)

-- Writing a CSV log of 200 000 lines, then reading it back line by line and adding up one
-- column (as text_file.vbs).
path = "/tmp/fltamp_bench_text_file.csv"
f = assert(io.open(path, "w"))
for i = 1, 200000 do
    f:write(i, ",", i % 30, ",", i % 30 + 1, " MHz\r\n")
end
f:close()
n = 0
total = 0
for line in io.lines(path) do
    total = total + tonumber(string.match(line, "^[^,]*,([^,]*)"))
    n = n + 1
end
os.remove(path)
print(n .. " " .. total)

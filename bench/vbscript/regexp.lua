-- Regular expressions over a 20 000-line report, twenty times over: every match of a pattern
-- with a group, then a global replace that uses the group (as regexp.vbs, with Lua's own
-- patterns: Lua has no regular expressions).
lines = {}
for i = 0, 19999 do
    lines[i + 1] = "code " .. (i % 30) .. ": " .. (i % 30 + 1) .. " MHz ok"
end
text = table.concat(lines, "\n")
total = 0
for turn = 1, 20 do
    for digits in string.gmatch(text, "(%d+) MHz") do
        total = total + tonumber(digits)
    end
    replacedLength = #string.gsub(text, "(%d+) MHz", "%1000 kHz")
end
print(total .. " " .. replacedLength)

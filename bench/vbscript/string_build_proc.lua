-- The string work of string_build_top inside a procedure, on locals.
function Main()
    local s
    local hits = 0
    for turn = 1, 180 do
        s = ""
        for i = 1, 20000 do
            s = s .. string.char(65 + (i % 26))
        end
        for i = 1, #s - 3, 3 do
            local part = string.sub(s, i, i + 2)
            if string.find(part, "ABC", 1, true) then hits = hits + 1 end
        end
        for i = 1, 2000 do
            hits = hits + (string.find(s, "XYZ", i, true) or 0)
        end
    end
    print(#s .. " " .. hits)
end
Main()

' Comparisons: numbers numerically, strings by code unit, a number before any string.
WScript.Echo 1 < 2, 2 <= 2, 3 > 4, 3 >= 4, 1 = 1.0, 1 <> 2 ' expect: True True False False True True
WScript.Echo "a" < "b", "B" < "a", "abc" = "abc", "a" = "A" ' expect: True True True False
Dim n, s, e
n = 10 : s = "9"
WScript.Echo n < s, n > s ' expect: True False
WScript.Echo e = 0, e = "", e = e ' expect: True True True
WScript.Echo 1 + 2 = 3 And 2 < 3 ' expect: True
WScript.Echo #1/1/2000# < #1/2/2000# ' expect: True
Set a = CreateObject("Scripting.Dictionary")
Set b = a
Set c = CreateObject("Scripting.Dictionary")
WScript.Echo a Is b, a Is c, Nothing Is Nothing ' expect: True False True

' The string built-ins.
s = "Hello World"
WScript.Echo Len(s), Left(s, 5), Right(s, 5), Mid(s, 7), Mid(s, 7, 3) ' expect: 11 Hello World World Wor
WScript.Echo Left(s, 100), Mid(s, 50) = "" ' expect: Hello World True
WScript.Echo InStr(s, "o"), InStr(6, s, "o"), InStr(s, "z"), InStr(1, s, "WORLD", 1) ' expect: 5 8 0 7
WScript.Echo InStrRev(s, "o"), InStrRev(s, "o", 6) ' expect: 8 5
WScript.Echo Replace(s, "o", "0"), Replace("aaa", "a", "b", 2), Replace("aAa", "a", "x", 1, -1, 1) ' expect: Hell0 W0rld bb xxx
WScript.Echo Replace("abcabc", "b", "", 1, 1) ' expect: acabc
parts = Split("a,b,,c", ",")
WScript.Echo UBound(parts), parts(3), Join(parts, "|") ' expect: 3 c a|b||c
WScript.Echo UBound(Split("")), UBound(Split("x y z")), Join(Split("a b", " ", -1)) ' expect: -1 2 a b
WScript.Echo Join(Filter(Array("apple", "berry", "grape"), "ap")) ' expect: apple grape
WScript.Echo Join(Filter(Array("apple", "berry", "grape"), "ap", False)) ' expect: berry
WScript.Echo StrComp("a", "b"), StrComp("b", "a"), StrComp("A", "a"), StrComp("A", "a", 1) ' expect: -1 1 -1 0
WScript.Echo StrReverse("abc"), LCase("AbC"), UCase("AbC") ' expect: cba abc ABC
WScript.Echo "[" & LTrim("  a  ") & "]", "[" & RTrim("  a  ") & "]", "[" & Trim("  a  ") & "]" ' expect: [a  ] [  a] [a]
WScript.Echo Len(Trim(vbTab & "a" & vbTab)) ' expect: 3
WScript.Echo "[" & Space(3) & "]", String(3, "x"), String(2, 65) ' expect: [   ] xxx AA
WScript.Echo Chr(65), ChrW(8364) = ChrW(&H20AC), Asc("A"), AscW("€") ' expect: A True 65 8364
WScript.Echo Escape("a b&c"), Unescape("%41%u20AC") ' expect: a%20b%26c A€
WScript.Echo Len(vbCrLf), Asc(vbTab), Asc(vbLf) ' expect: 2 9 10
x = Left("abc", -1) ' expect runtime error: 5: Invalid procedure call or argument

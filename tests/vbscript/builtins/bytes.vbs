' The byte functions see a string as the bytes of its 16-bit units, low byte first. A
' string holds whole units, so an odd number of bytes is made whole with a zero byte.
WScript.Echo LenB("abc") & " " & LenB("") & " " & LenB(123) & " " & IsNull(LenB(Null)) ' expect: 6 0 6 True
WScript.Echo AscB("A") & " " & AscB(ChrW(&H20AC)) & " " & AscB(ChrB(200)) ' expect: 65 172 200
WScript.Echo LenB(ChrB(65)) & " " & (ChrB(65) = "A") & " " & (ChrB(65) & ChrB(66) = "AB") ' expect: 2 True True
WScript.Echo LeftB("abcd", 4) & "|" & RightB("abcd", 2) & "|" & MidB("abcd", 3, 4) & "|" & MidB("abcd", 5) & "|" & MidB("abcd", 9) & "|" ' expect: ab|d|bc|cd||
' Odd counts and odd starts pair the bytes anew: LeftB("AB", 3) is "A" and the unit 66.
WScript.Echo AscW(RightB(LeftB("AB", 3), 2)) & " " & AscW(MidB("AB", 2, 2)) & " " & LenB(RightB("AB", 3)) ' expect: 66 16896 4
WScript.Echo InStrB("abc", "c") & " " & InStrB(2, "abc", "b") & " " & InStrB(4, "abc", "b") & " " & InStrB("abc", "") & " " & InStrB("", "a") ' expect: 5 3 0 1 0
WScript.Echo InStrB("ABC", "b") & " " & InStrB(1, "ABC", "b", vbTextCompare) & " " & InStrB("abc", ChrB(98)) & " " & IsNull(InStrB(Null, "a")) ' expect: 0 3 3 True
Sub Check(code)
    On Error Resume Next
    Execute code
    WScript.Echo Err.Number & " " & Err.Description
End Sub
Check "x = AscB("""")" ' expect: 5 Invalid procedure call or argument
Check "x = ChrB(256)" ' expect: 5 Invalid procedure call or argument
Check "x = LeftB(""ab"", -1)" ' expect: 5 Invalid procedure call or argument
Check "x = MidB(""ab"", 0)" ' expect: 5 Invalid procedure call or argument
Check "x = InStrB(0, ""ab"", ""a"")" ' expect: 5 Invalid procedure call or argument
Check "x = AscB(Null)" ' expect: 94 Invalid use of Null

' After a dot, keywords are member names: obj.Rem is no comment, obj.Class and obj.If are
' members. A class declares such members in brackets.
Class Parts
    Public [rem], [class], [if], [end], [to]
    Public Function [select](n)
        [select] = n * 2
    End Function
End Class
Set p = New Parts
p.rem = 1 : p.class = 2 : p.if = 3 : p.end = 4 : p.To = 5
WScript.Echo p.rem, p.class, p.if, p.end, p.to, p.Select(6) ' expect: 1 2 3 4 5 12
With p
    .Rem = "with"
    WScript.Echo .REM, .Class ' expect: with 2
End With
Call p.select(1)
WScript.Echo p.rem Rem a comment after the member ' expect: with
Set d = CreateObject("Scripting.Dictionary")
d.Add "k", "v"
WScript.Echo d.Item("k"), d.Exists("k") ' expect: v True

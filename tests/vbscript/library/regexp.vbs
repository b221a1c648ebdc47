' RegExp: Test, Execute with its Matches, Match and SubMatches, and Replace, with the
' Global, IgnoreCase and Multiline switches.
Set re = New RegExp
WScript.Echo re.Pattern & "|" & re.Global & " " & re.IgnoreCase & " " & re.Multiline ' expect: |False False False
re.Pattern = "(\d+) MHz"
WScript.Echo re.Test("cutoff 12 MHz") & " " & re.Test("cutoff 12 mhz") ' expect: True False
re.IgnoreCase = True
WScript.Echo re.Test("cutoff 12 mhz") ' expect: True

' Without Global, Execute finds the first match only.
Set ms = re.Execute("3 MHz, 12 MHz and 30 MHz")
WScript.Echo ms.Count & " " & ms(0) & " " & ms.Item(0).FirstIndex & " " & ms(0).Length ' expect: 1 3 MHz 0 5
re.Global = True
Set ms = re.Execute("3 MHz, 12 MHz and 30 MHz")
WScript.Echo ms.Count ' expect: 3
For Each m In ms
    WScript.Echo m.Value & "|" & m.FirstIndex & "|" & m.Length & "|" & m.SubMatches(0) & "|" & m.SubMatches.Count
Next
' expect: 3 MHz|0|5|3|1
' expect: 12 MHz|7|6|12|1
' expect: 30 MHz|18|6|30|1
WScript.Echo TypeName(re) & " " & TypeName(ms) & " " & TypeName(ms(0)) & " " & TypeName(ms(0).SubMatches) ' expect: IRegExp2 IMatchCollection2 IMatch2 ISubMatches
Set none = re.Execute("no numbers")
WScript.Echo none.Count ' expect: 0

' A group that takes no part is Empty; one that matched nothing is "".
re.Pattern = "(a)|(b)()"
Set m = re.Execute("b")(0)
WScript.Echo VarType(m.SubMatches(0)) & " " & VarType(m.SubMatches(1)) & " " & VarType(m.SubMatches(2)) & " [" & m.SubMatches(2) & "]" ' expect: 0 8 8 []
For Each s In m.SubMatches
    WScript.Echo "[" & s & "]"
Next
' expect: []
' expect: [b]
' expect: []

' Replace: $1 ... $99, $&, $`, $', $$; a $ with nothing it names stays.
re.Pattern = "(\w+)@(\w+)"
WScript.Echo re.Replace("to bob@lab, ann@desk", "$2:$1") ' expect: to lab:bob, desk:ann
WScript.Echo re.Replace("bob@lab", "[$&] $$ $3 $0 $") ' expect: [bob@lab] $ $3 $0 $
re.Global = False
WScript.Echo re.Replace("x bob@lab y", "<$`|$'>") ' expect: x <x | y> y
re.Pattern = "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)"
WScript.Echo re.Replace("abcdefghijk", "$11$10$1") ' expect: kja
WScript.Echo re.Replace("abcdefghijk", "$12") ' expect: a2

' Empty matches: one at every position, and after a match at its end.
re.Global = True
re.Pattern = "x*"
WScript.Echo re.Replace("abc", "-") ' expect: -a-b-c-
re.Pattern = "a*"
WScript.Echo re.Execute("baaa").Count & " " & re.Replace("baaa", "<$&>") ' expect: 3 <>b<aaa><>

' Multiline: ^ and $ at every line's ends (after and before CR or LF), else only the text's.
re.Pattern = "^\w+$"
WScript.Echo re.Execute("one" & vbCrLf & "two" & vbLf & "three").Count ' expect: 0
re.Multiline = True
WScript.Echo re.Execute("one" & vbCrLf & "two" & vbLf & "three").Count ' expect: 3
re.Multiline = False
re.Pattern = "end$"
WScript.Echo re.Test("the end" & vbLf) & " " & re.Test("the end") ' expect: False True

' IgnoreCase follows Unicode's letter cases; \w stays ASCII.
re.Pattern = "grüße"
WScript.Echo re.Test("GRÜSSE") & " " & re.Test("GRÜßE") ' expect: False True
re.Pattern = "^\w+$"
WScript.Echo re.Test("Grüße") & " " & re.Test("Gruesse") ' expect: False True

' Matches, positions and lengths count 16-bit units, as the language's strings do.
re.Pattern = "b"
WScript.Echo re.Execute(ChrW(&HD83D) & ChrW(&HDE00) & "ab")(0).FirstIndex ' expect: 3

' CreateObject knows the object too, and New makes the built-in one even where the script
' declares a class of that name.
Set re2 = CreateObject("VBScript.RegExp")
re2.Pattern = "o+"
re2.Global = True
WScript.Echo re2.Replace("foo boo", "0") ' expect: f0 b0
Execute "Class RegExp : Public Kind : End Class"
Set mine = New RegExp
WScript.Echo TypeName(mine) ' expect: IRegExp2

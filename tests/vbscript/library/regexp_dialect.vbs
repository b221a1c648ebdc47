' The language's regular expression dialect where it differs from other engines: its
' escapes, ".", character classes, back references and octal codes, literal braces.
Set re = New RegExp
Function Found(pattern, text)
    re.Pattern = pattern
    Found = re.Test(text)
End Function
Function FirstMatch(pattern, text)
    re.Pattern = pattern
    Dim ms : Set ms = re.Execute(text)
    If ms.Count = 0 Then FirstMatch = "<none>" Else FirstMatch = "[" & ms(0).Value & "]"
End Function

' \v is the vertical tab alone; \f \n \r \t as everywhere.
WScript.Echo Found("^\v$", Chr(11)) & " " & Found("^\v$", vbLf) & " " & Found("\t\r\n\f", vbTab & vbCrLf & Chr(12)) ' expect: True False True
' An escape the dialect does not know is the character itself.
WScript.Echo FirstMatch("\A\z\Q\E\e\g\k\p", "xAzQEegkpx") & " " & FirstMatch("\-\:\/", "a-:/b") ' expect: [AzQEegkp] [-:/]
' \xhh takes two digits and \uhhhh four; with fewer they are the letters x and u.
WScript.Echo FirstMatch("\x41\u00e9", "xAéx") & " " & FirstMatch("\x4", "x4") & " " & FirstMatch("\u12", "u12") ' expect: [Aé] [x4] [u12]
' \cA .. \cZ are control characters; \c before anything else is the letter c.
WScript.Echo Found("^\cI$", vbTab) & " " & FirstMatch("\c1", "c1") ' expect: True [c1]
' \n is a back reference when n groups come before it, else an octal code.
WScript.Echo FirstMatch("(a)\1", "aa") & " " & Found("^\1(a)$", Chr(1) & "a") & " " & Found("^\101$", "A") & " " & FirstMatch("\8", "8") ' expect: [aa] True True [8]
WScript.Echo FirstMatch("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)\10", "abcdefghijj") & " " & FirstMatch("(a)\12", "a" & Chr(10)) ' expect: [abcdefghijj] <none>
WScript.Echo FirstMatch("(a)\12", "aa2") ' expect: [aa2]
' A back reference to a group that took no part matches nothing, successfully.
WScript.Echo FirstMatch("(x)?y\1", "yz") ' expect: [y]
' "." is anything but a line feed: a CR is something.
WScript.Echo Found("^.$", vbCr) & " " & Found("^.$", vbLf) ' expect: True False
' [] matches nothing and [^] anything; ] after [ closes the class.
WScript.Echo Found("a[]", "a]") & " " & FirstMatch("a[^]", "a" & vbLf) & " " & FirstMatch("[]a]", "]a]") ' expect: False [a
' expect: ] <none>
' Classes: ranges, escapes inside them, a hyphen next to a class escape, [: as characters.
WScript.Echo FirstMatch("[a-c\d]+", "xab12cz") & " " & FirstMatch("[\w-]+", "a-b c") & " " & FirstMatch("[[:alpha:]]+", "x:a]") & " " & (FirstMatch("[\b]", "a" & Chr(8)) = "[" & Chr(8) & "]") ' expect: [ab12c] [a-b] [a]] True
' Braces that are not a count are characters.
WScript.Echo FirstMatch("a{,2}", "a{,2}") & " " & FirstMatch("{x}", "{x}") & " " & FirstMatch("a{2}", "aaa") & " " & FirstMatch("a{1,2}?", "aaa") ' expect: [a{,2}] [{x}] [aa] [a]
' Lookahead is there, with IgnoreCase applying inside it.
re.IgnoreCase = True
WScript.Echo FirstMatch("\d+(?= mhz)", "12 MHz") & " " & FirstMatch("\d+(?!\d| mhz)", "12 MHz 7 V") ' expect: [12] [7]

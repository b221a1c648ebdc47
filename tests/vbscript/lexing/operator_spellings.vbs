' Other spellings the language accepts: =>, =< and >< for >=, <= and <>; an `h` or `o`
' after & that begins no number is a name; a `_` at a line's end continues it even with
' no blank before it.
WScript.Echo 2 => 1, 1 => 2, 1 =< 2, 2 =< 1, 1 >< 2, 1 >< 1 ' expect: True False True False True False
WScript.Echo 2 >= 2, 2 <= 2, 2 <> 2 ' expect: True True False
If 3 =>3 And 3 =<3 And 3 ><4 Then WScript.Echo "spelled without blanks" ' expect: spelled without blanks
hi = "there"
ok = "fine"
hg = "name"
WScript.Echo "x" &hi, "y" &ok, "z" &hg ' expect: xthere yfine zname
WScript.Echo "x" & &h41, "y" & &o17 ' expect: x65 y15
x =_
    5
WScript.Echo x ' expect: 5
y = "a" &_
    "b" _
    & "c"
WScript.Echo y ' expect: abc
WScript.Echo Len("a_"), Len(x_) ' expect: 2 0
' An `h` followed by a hex digit does begin a number, as a number's letters are read as
' far as they go: "x" &hex is "x" &hE followed by the name x.
On Error Resume Next
ExecuteGlobal "hex = 1 : WScript.Echo ""x"" &hex"
WScript.Echo Err.Number, Err.Description ' expect: 1025 Expected end of statement

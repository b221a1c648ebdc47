' Script files are UTF-8; strings count 16-bit code units.
s = "héllo wörld"
WScript.Echo s ' expect: héllo wörld
WScript.Echo Len(s) ' expect: 11
WScript.Echo Len("😀") ' expect: 2
WScript.Echo AscW("é") ' expect: 233

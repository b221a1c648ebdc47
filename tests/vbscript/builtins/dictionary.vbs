' Scripting.Dictionary.
Set d = CreateObject("Scripting.Dictionary")
d.Add "b", 2
d.Add "a", 1
d("c") = 3
WScript.Echo d.Count, d("a"), d.Item("b"), d.Exists("c"), d.Exists("z") ' expect: 3 1 2 True False
WScript.Echo Join(d.Keys, ","), Join(d.Items, ",") ' expect: b,a,c 2,1,3
d.Remove "a"
WScript.Echo Join(d.Keys, ",") ' expect: b,c
d.Key("b") = "B"
WScript.Echo Join(d.Keys, ","), d("B") ' expect: B,c 2
x = d("missing")
WScript.Echo d.Count, IsEmpty(x) ' expect: 3 True
d.RemoveAll
d.CompareMode = vbTextCompare
d.Add "Key", 1
WScript.Echo d.Exists("KEY") ' expect: True
d.Add 1, "one"
WScript.Echo d(1), d.Exists(1.0) ' expect: one True
d.Add "key", 2 ' expect runtime error: 457: This key is already associated with an element of this collection

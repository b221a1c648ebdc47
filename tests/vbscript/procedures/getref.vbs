' GetRef gives a reference that calls the procedure.
Function Greet(name) : Greet = "hello " & name : End Function
Set f = GetRef("Greet")
WScript.Echo f("world") ' expect: hello world
WScript.Echo TypeName(f) ' expect: Object

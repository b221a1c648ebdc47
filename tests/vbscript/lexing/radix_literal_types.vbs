' Hex and octal literals: up to 16 bits an Integer (&HFFFF is -1), up to 32 bits a Long.
' A trailing & asks for a Long, but a value that fits an Integer as it stands stays one.
WScript.Echo TypeName(&h10&), &h10&, TypeName(&o17&), &o17& ' expect: Integer 16 Integer 15
WScript.Echo TypeName(&h7FFF&), TypeName(&h8000&), &h8000& ' expect: Integer Long 32768
WScript.Echo TypeName(&hFFFF&), &hFFFF&, TypeName(&hFFFF), &hFFFF ' expect: Long 65535 Integer -1
WScript.Echo TypeName(&h10000), &hFFFFFFFF, TypeName(&hFFFFFFFF&) ' expect: Long -1 Long

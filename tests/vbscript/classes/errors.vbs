Set x = New Undefined ' expect runtime error: 506: Class not defined

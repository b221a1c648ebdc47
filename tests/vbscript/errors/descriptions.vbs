' Err.Raise with no description gives the language's own text for every run-time and
' compile error number it documents (the file errors among them); a number it does not
' document gives "Unknown runtime error".
Sub Check(number)
    On Error Resume Next
    Err.Raise number
    WScript.Echo Err.Number & " " & Err.Description
End Sub
Check 5 ' expect: 5 Invalid procedure call or argument
Check 6 ' expect: 6 Overflow
Check 7 ' expect: 7 Out of memory
Check 9 ' expect: 9 Subscript out of range
Check 10 ' expect: 10 This array is fixed or temporarily locked
Check 11 ' expect: 11 Division by zero
Check 13 ' expect: 13 Type mismatch
Check 14 ' expect: 14 Out of string space
Check 17 ' expect: 17 Can't perform requested operation
Check 28 ' expect: 28 Out of stack space
Check 35 ' expect: 35 Sub or Function not defined
Check 48 ' expect: 48 Error in loading DLL
Check 51 ' expect: 51 Internal error
Check 52 ' expect: 52 Bad file name or number
Check 53 ' expect: 53 File not found
Check 54 ' expect: 54 Bad file mode
Check 55 ' expect: 55 File already open
Check 57 ' expect: 57 Device I/O error
Check 58 ' expect: 58 File already exists
Check 61 ' expect: 61 Disk full
Check 62 ' expect: 62 Input past end of file
Check 67 ' expect: 67 Too many files
Check 68 ' expect: 68 Device unavailable
Check 70 ' expect: 70 Permission denied
Check 71 ' expect: 71 Disk not ready
Check 74 ' expect: 74 Can't rename with different drive
Check 75 ' expect: 75 Path/File access error
Check 76 ' expect: 76 Path not found
Check 91 ' expect: 91 Object variable not set
Check 92 ' expect: 92 For loop not initialized
Check 94 ' expect: 94 Invalid use of Null
Check 322 ' expect: 322 Can't create necessary temporary file
Check 424 ' expect: 424 Object required
Check 429 ' expect: 429 ActiveX component can't create object
Check 430 ' expect: 430 Class doesn't support Automation
Check 432 ' expect: 432 File name or class name not found during Automation operation
Check 438 ' expect: 438 Object doesn't support this property or method
Check 440 ' expect: 440 Automation error
Check 445 ' expect: 445 Object doesn't support this action
Check 446 ' expect: 446 Object doesn't support named arguments
Check 447 ' expect: 447 Object doesn't support current locale setting
Check 448 ' expect: 448 Named argument not found
Check 449 ' expect: 449 Argument not optional
Check 450 ' expect: 450 Wrong number of arguments or invalid property assignment
Check 451 ' expect: 451 Object not a collection
Check 453 ' expect: 453 Specified DLL function not found
Check 455 ' expect: 455 Code resource lock error
Check 457 ' expect: 457 This key is already associated with an element of this collection
Check 458 ' expect: 458 Variable uses an Automation type not supported in VBScript
Check 462 ' expect: 462 The remote server machine does not exist or is unavailable
Check 481 ' expect: 481 Invalid picture
Check 500 ' expect: 500 Variable is undefined
Check 501 ' expect: 501 Illegal assignment
Check 502 ' expect: 502 Object not safe for scripting
Check 503 ' expect: 503 Object not safe for initializing
Check 504 ' expect: 504 Object not safe for creating
Check 505 ' expect: 505 Invalid or unqualified reference
Check 506 ' expect: 506 Class not defined
Check 507 ' expect: 507 An exception occurred
Check 1001 ' expect: 1001 Out of memory
Check 1002 ' expect: 1002 Syntax error
Check 1003 ' expect: 1003 Expected ':'
Check 1005 ' expect: 1005 Expected '('
Check 1006 ' expect: 1006 Expected ')'
Check 1007 ' expect: 1007 Expected ']'
Check 1010 ' expect: 1010 Expected identifier
Check 1011 ' expect: 1011 Expected '='
Check 1012 ' expect: 1012 Expected 'If'
Check 1013 ' expect: 1013 Expected 'To'
Check 1014 ' expect: 1014 Expected 'End'
Check 1015 ' expect: 1015 Expected 'Function'
Check 1016 ' expect: 1016 Expected 'Sub'
Check 1017 ' expect: 1017 Expected 'Then'
Check 1018 ' expect: 1018 Expected 'Wend'
Check 1019 ' expect: 1019 Expected 'Loop'
Check 1020 ' expect: 1020 Expected 'Next'
Check 1021 ' expect: 1021 Expected 'Case'
Check 1022 ' expect: 1022 Expected 'Select'
Check 1023 ' expect: 1023 Expected expression
Check 1024 ' expect: 1024 Expected statement
Check 1025 ' expect: 1025 Expected end of statement
Check 1026 ' expect: 1026 Expected integer constant
Check 1027 ' expect: 1027 Expected 'While' or 'Until'
Check 1028 ' expect: 1028 Expected 'While,' 'Until,' or end of statement
Check 1029 ' expect: 1029 Expected 'With'
Check 1030 ' expect: 1030 Identifier too long
Check 1031 ' expect: 1031 Invalid number
Check 1032 ' expect: 1032 Invalid character
Check 1033 ' expect: 1033 Unterminated string constant
Check 1034 ' expect: 1034 Unterminated comment
Check 1037 ' expect: 1037 Invalid use of 'Me' keyword
Check 1038 ' expect: 1038 'loop' without 'do'
Check 1039 ' expect: 1039 Invalid 'exit' statement
Check 1040 ' expect: 1040 Invalid 'for' loop control variable
Check 1041 ' expect: 1041 Name redefined
Check 1042 ' expect: 1042 Must be first statement on the line
Check 1043 ' expect: 1043 Cannot assign to non-ByVal argument
Check 1044 ' expect: 1044 Cannot use parentheses when calling a Sub
Check 1045 ' expect: 1045 Expected literal constant
Check 1046 ' expect: 1046 Expected 'In'
Check 1047 ' expect: 1047 Expected 'Class'
Check 1048 ' expect: 1048 Must be defined inside a Class
Check 1049 ' expect: 1049 Expected Let or Set or Get in property declaration
Check 1050 ' expect: 1050 Expected 'Property'
Check 1051 ' expect: 1051 Number of arguments must be consistent across the procedures of a property
Check 1052 ' expect: 1052 Cannot have multiple default property/method in a Class
Check 1053 ' expect: 1053 Class initialize or terminate do not have arguments
Check 1054 ' expect: 1054 Property Set or Let must have at least one argument
Check 1055 ' expect: 1055 Unexpected 'Next'
Check 1056 ' expect: 1056 'Default' can be specified only on 'Property' or 'Function' or 'Sub'
Check 1057 ' expect: 1057 'Default' must go with 'Public'
Check 1058 ' expect: 1058 'Default' can only be on Property Get
Check 1060 ' expect: 1060 Out of stack space
Check 5008 ' expect: 5008 Illegal assignment
Check 5016 ' expect: 5016 Regular Expression object expected
Check 5017 ' expect: 5017 Syntax error in regular expression
Check 5018 ' expect: 5018 Unexpected quantifier
Check 5019 ' expect: 5019 Expected ']' in regular expression
Check 5020 ' expect: 5020 Expected ')' in regular expression
Check 5021 ' expect: 5021 Invalid range in character set
Check 32811 ' expect: 32811 Element not found
Check 1 ' expect: 1 Unknown runtime error
Check 4 ' expect: 4 Unknown runtime error
Check 8 ' expect: 8 Unknown runtime error
Check 12 ' expect: 12 Unknown runtime error
Check 56 ' expect: 56 Unknown runtime error
Check 1000 ' expect: 1000 Unknown runtime error
Check 1004 ' expect: 1004 Unknown runtime error
Check 1035 ' expect: 1035 Unknown runtime error
Check 1059 ' expect: 1059 Unknown runtime error
Check 5000 ' expect: 5000 Unknown runtime error
Check 5022 ' expect: 5022 Unknown runtime error
Check 32767 ' expect: 32767 Unknown runtime error

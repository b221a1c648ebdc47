' Code that runs itself through Execute ends with "Out of stack space", as recursion
' through procedures does.
s = "Execute s"
Execute s ' expect runtime error: 28: Out of stack space

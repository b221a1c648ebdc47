Set d = CreateObject("Scripting.Dictionary")
d.Remove "nothing here" ' expect runtime error: 32811: Element not found

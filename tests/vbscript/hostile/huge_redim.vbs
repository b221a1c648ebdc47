' An absurd ReDim is "Out of memory", not an abort.
ReDim a(2000000000) ' expect runtime error: 7: Out of memory

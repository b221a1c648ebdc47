x = Me ' expect compile error: 1037: Invalid use of 'Me' keyword

Loop ' expect compile error: 1038: 'loop' without 'do'

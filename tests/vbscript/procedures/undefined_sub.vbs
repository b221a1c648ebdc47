NoSuchThing 1 ' expect runtime error: 35: Sub or Function not defined

XIncludeFile "orv.pbi"
Enumeration
  #Red
  #Green
  #Blue
EndEnumeration
Enumeration 10
  #Ten
  #Eleven
EndEnumeration
#Max = 100
Debug #Red
Debug #Blue
Debug #Eleven
Debug #Max / 4

XIncludeFile "orv.pbi"
Enumeration
  #A
  #B
EndEnumeration
Enumeration 5
  #C
  #D = 10
  #E
EndEnumeration
Enumeration Colors
  #Red
  #Green
  #Blue
EndEnumeration
Enumeration More #PB_Compiler_EnumerationValue
  #Extra
EndEnumeration
Enumeration Colors
  #Cyan
EndEnumeration
EnumerationBinary
  #Bold
  #Italic
  #Underline
EndEnumeration
#MyConst = 42
x = #MyConst + #Green

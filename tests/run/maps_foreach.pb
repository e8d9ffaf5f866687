XIncludeFile "orv.pbi"
NewMap stock()
stock("apples") = 3
stock("pears") = 5
stock("plums") = 2
total = 0
ForEach stock()
  total + stock()
Next
Debug total
count = 0
ForEach stock()
  If stock() > 2
    count + 1
  EndIf
Next
Debug count
ForEach stock()
  If stock() < 3
    DeleteMapElement(stock())
  EndIf
Next
Debug MapSize(stock())
Debug stock("pears")

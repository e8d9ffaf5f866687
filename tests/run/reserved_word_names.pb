XIncludeFile "orv.pbi"
; PureBasic names that are reserved words or well-known globals in JavaScript are ordinary names.
Define new.i = 5, this.i = 2
Debug new * this
function = 3
var = 4
Debug function + var
Procedure delete(export)
  ProcedureReturn export * 2
EndProcedure
Debug delete(21)
class$ = "c"
let$ = "l"
const$ = "k"
Debug class$ + let$ + const$
Dim switch(2)
switch(1) = 9
Debug switch(1)
Structure instanceof
  void.i
  yield.s
EndStructure
x.instanceof
x\void = 8
x\yield = "y"
Debug Str(x\void) + x\yield
NewList catch.i()
AddElement(catch())
catch() = 11
Debug catch()
NewMap throw.s()
throw("finally") = "try"
Debug throw("finally")
do = 1
super = 2
enum = 3
null = 4
undefined = 5
arguments = 6
eval = 7
window = 8
document = 9
Debug do + super + enum + null + undefined + arguments + eval + window + document
Procedure await(async)
  ProcedureReturn async + 1
EndProcedure
Debug await(41)

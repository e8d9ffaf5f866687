XIncludeFile "orv.pbi"
EnablePHP
! function helper() { return 'h'; }
ProcedureDLL.s Add(a, b) ; adds
! return $a + $b;
EndProcedure
ProcedureCDLL.b Picture(name.s)
! return file_get_contents($name);
EndProcedure
DisablePHP
EnableCGI
ProcedureDLL.s Hello(name.s, greeting)
  ProcedureReturn greeting + " " + name
EndProcedure
ProcedureCDLL Count()
  ProcedureReturn 3
EndProcedure
DisableCGI
  EnablePython
ProcedureDLL.s Polarity(n)
  if int(n) < 0:
    return 'negative'
  return 'not negative'
EndProcedure
ProcedureCDLL.s Greet(name,title) # comment
! return 'Hello ' + title + name
EndProcedure
DisablePython
EnableNodeJs
ProcedureDLL.s Twice(x)
! function Twice(x) { return String(2 * Number(x)); }
EndProcedure
DisableNodeJs
EnableASPX
ProcedureDLL.s Upper(text.s)
! Return UCase(text)
EndProcedure
DisableASPX
EnableASP
ProcedureCDLL Length(text)
! Length = Len(text)
EndProcedure
DisableASP
Procedure GreetCallback(ok, result.s)
  Debug result
EndProcedure
Debug Add(2, 3)
Greet("World", "Dr. ")

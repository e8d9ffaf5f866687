; Orvane CGI server program, compiled as a console program. The client stubs send the
; procedure's name in the field "orvrequest" and its arguments in fields named like the
; procedure's parameters (in the query string for binary procedures, else as form data).

Procedure.s GetValue(Name.s)
  ProcedureReturn CGIParameterValue(Name)
EndProcedure

; ### Orvane ServerCode ###

If InitCGI() And ReadCGI()
  Define Request.s = LCase(CGIParameterValue("orvrequest"))
  Define ReturnValue.s
  ; ### Orvane RequestSelect ###
  ; Plain text, so a request name that is echoed back is never run as markup.
  WriteCGIHeader(#PB_CGI_HeaderContentType, "text/plain; charset=utf-8", #PB_CGI_LastHeader)
  WriteCGIString(ReturnValue, #PB_UTF8)
EndIf

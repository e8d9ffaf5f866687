<%@ Language="VBScript" %>
<%
' Orvane server program (classic ASP, VBScript). The client stubs post to this page with the
' procedure's name in the query parameter "request" and its arguments as form fields named like
' the procedure's parameters.

' Answers are plain text, so a request name that is echoed back is never run as markup.
Response.ContentType = "text/plain"
Response.CharSet = "utf-8"
Response.Expires = -1

Function GetValue(name)
    GetValue = Request.Form(name)
End Function

' ### Orvane ServerCode ###

' ### Orvane RequestSelect ###
%>
